/* AE_EffectSuites.h — image-processing suites acquired through the basic
 * suite: fills and premultiplication, compositing and transforms.
 *
 * Stand-in for the host SDK header of the same name; table layouts match the
 * host's 64-bit Windows build (checked in src/framework/SdkLayoutChecks.cpp).
 */
#ifndef _H_AE_EffectSuites
#define _H_AE_EffectSuites

#include "A.h"
#include "AE_Effect.h"
#include "AE_EffectCB.h"
#include "SPBasic.h"

#ifdef __cplusplus
extern "C" {
#endif

#define kPFFillMatteSuite          "PF Fill Matte Suite"
#define kPFFillMatteSuiteVersion2  2

typedef struct PF_FillMatteSuite2 {
    /* A null rect means the whole world. */
    SPAPI PF_Err (*fill)(PF_ProgPtr effect_ref, const PF_Pixel *color, const PF_Rect *dst_rect,
                         PF_EffectWorld *world);
    SPAPI PF_Err (*fill16)(PF_ProgPtr effect_ref, const PF_Pixel16 *color, const PF_Rect *dst_rect,
                           PF_EffectWorld *world);
    SPAPI PF_Err (*fill_float)(PF_ProgPtr effect_ref, const PF_PixelFloat *color,
                               const PF_Rect *dst_rect, PF_EffectWorld *world);
    /* forward != 0 premultiplies, 0 unpremultiplies, in place. */
    SPAPI PF_Err (*premultiply)(PF_ProgPtr effect_ref, A_long forward, PF_EffectWorld *dst);
    SPAPI PF_Err (*premultiply_color)(PF_ProgPtr effect_ref, PF_EffectWorld *src, const PF_Pixel *color,
                                      A_long forward, PF_EffectWorld *dst);
    SPAPI PF_Err (*premultiply_color16)(PF_ProgPtr effect_ref, PF_EffectWorld *src,
                                        const PF_Pixel16 *color, A_long forward, PF_EffectWorld *dst);
    SPAPI PF_Err (*premultiply_color_float)(PF_ProgPtr effect_ref, PF_EffectWorld *src,
                                            const PF_PixelFloat *color, A_long forward,
                                            PF_EffectWorld *dst);
} PF_FillMatteSuite2;

#define kPFWorldTransformSuite          "PF World Transform Suite"
#define kPFWorldTransformSuiteVersion1  1

typedef struct PF_WorldTransformSuite1 {
    SPAPI PF_Err (*composite_rect)(PF_ProgPtr effect_ref, PF_Rect *src_rect, A_long src_opacity,
                                   PF_EffectWorld *source_wld, A_long dest_x, A_long dest_y,
                                   PF_Field field_rdr, PF_XferMode xfer_mode, PF_EffectWorld *dest_wld);
    SPAPI PF_Err (*blend)(PF_ProgPtr effect_ref, const PF_EffectWorld *src1, const PF_EffectWorld *src2,
                          PF_Fixed ratio, PF_EffectWorld *dst);
    SPAPI PF_Err (*convolve)(PF_ProgPtr effect_ref, PF_EffectWorld *src, const PF_Rect *area,
                             PF_KernelFlags flags, A_long kernel_size, void *a_kernel, void *r_kernel,
                             void *g_kernel, void *b_kernel, PF_EffectWorld *dst);
    SPAPI PF_Err (*copy)(PF_ProgPtr effect_ref, PF_EffectWorld *src, PF_EffectWorld *dst,
                         PF_Rect *src_r, PF_Rect *dst_r);
    SPAPI PF_Err (*copy_hq)(PF_ProgPtr effect_ref, PF_EffectWorld *src, PF_EffectWorld *dst,
                            PF_Rect *src_r, PF_Rect *dst_r);
    SPAPI PF_Err (*transfer_rect)(PF_ProgPtr effect_ref, PF_Quality quality, PF_ModeFlags m_flags,
                                  PF_Field field, const PF_Rect *src_rec,
                                  const PF_EffectWorld *src_world, const PF_CompositeMode *comp_mode,
                                  const PF_MaskWorld *mask_world0, A_long dest_x, A_long dest_y,
                                  PF_EffectWorld *dst_world);
    SPAPI PF_Err (*transform_world)(PF_ProgPtr effect_ref, PF_Quality quality, PF_ModeFlags m_flags,
                                    PF_Field field, const PF_EffectWorld *src_world,
                                    const PF_CompositeMode *comp_mode, const PF_MaskWorld *mask_world0,
                                    const PF_FloatMatrix *matrices, A_long num_matrices,
                                    PF_Boolean src2dst_matrix, const PF_Rect *dest_rect,
                                    PF_EffectWorld *dst_world);
} PF_WorldTransformSuite1;

#ifdef __cplusplus
}
#endif

#endif /* _H_AE_EffectSuites */
