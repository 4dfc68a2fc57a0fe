/* AE_EffectCB.h — the utility callback table reached through in_data->utils
 * (sampling, compositing, iteration, handles, ANSI and colour helpers), plus
 * the convenience macros effects use to call it.
 *
 * Stand-in for the host SDK header of the same name; the table layouts match
 * the host's 64-bit Windows build (checked in src/framework/SdkLayoutChecks.cpp).
 */
#ifndef _H_AE_EFFECT_CB
#define _H_AE_EFFECT_CB

#include "A.h"
#include "AE_Effect.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Convolution kernel options; each group's zero value is the default. */
enum {
    PF_KernelFlag_2D                    = 0,
    PF_KernelFlag_1D                    = 1 << 0,
    PF_KernelFlag_UNNORMALIZED          = 0,
    PF_KernelFlag_NORMALIZED            = 1 << 1,
    PF_KernelFlag_CLAMP                 = 0,
    PF_KernelFlag_NO_CLAMP              = 1 << 2,
    PF_KernelFlag_USE_LONG              = 0,
    PF_KernelFlag_USE_CHAR              = 1 << 3,
    PF_KernelFlag_USE_FIXED             = 1 << 4,
    PF_KernelFlag_USE_UNDEFINED         = (1 << 3) | (1 << 4),
    PF_KernelFlag_HORIZONTAL            = 0,
    PF_KernelFlag_VERTICAL              = 1 << 5,
    PF_KernelFlag_TRANSPARENT_BORDERS   = 0,
    PF_KernelFlag_REPLICATE_BORDERS     = 1 << 6,
    PF_KernelFlag_STRAIGHT_CONVOLVE     = 0,
    PF_KernelFlag_ALPHA_WEIGHT_CONVOLVE = 1 << 7
};
typedef A_u_long PF_KernelFlags;

enum {
    PF_SampleEdgeBehav_ZERO = 0
};
typedef A_u_long PF_SampleEdgeBehav;

/* Sampling parameter block for begin_sampling / subpixel_sample / area_sample. */
typedef struct {
    PF_Fixed           x_radius;
    PF_Fixed           y_radius;
    PF_Fixed           area;
    PF_EffectWorld    *src;
    PF_SampleEdgeBehav samp_behave;
    A_long             allow_asynch;
    A_long             motion_blur;
    PF_CompositeMode   comp_mode;
    PF_PixelPtr        mask0;
    A_u_char          *fcm_table;
    A_u_char          *fcd_table;
    A_long             reserved[8];
} PF_SampPB;

/* Which host-specific datum get_platform_data returns. */
enum {
    PF_PlatData_MAIN_WND = 0,
    PF_PlatData_EXE_FILE_PATH_DEPRECATED,
    PF_PlatData_RES_FILE_PATH_DEPRECATED,
    PF_PlatData_RES_REFNUM,
    PF_PlatData_RES_DLLINSTANCE,
    PF_PlatData_SP_PLUG_REF,
    PF_PlatData_BUNDLE_REF,
    PF_PlatData_EXE_FILE_PATH_W,
    PF_PlatData_RES_FILE_PATH_W
};
typedef A_long PF_PlatDataID;

/* get_callback_addr is a legacy lookup; the table members are used directly. */
enum {
    PF_Callback_NONE = 0
};
typedef A_long PF_CallbackID;
typedef PF_Err (*PF_CallbackFunc)(void);

typedef PF_Err (*PF_IteratePixel8Func)(void *refcon, A_long x, A_long y, PF_Pixel *in, PF_Pixel *out);
typedef PF_Err (*PF_IteratePixel16Func)(void *refcon, A_long x, A_long y, PF_Pixel16 *in, PF_Pixel16 *out);
typedef PF_Err (*PF_IteratePixelFloatFunc)(void *refcon, A_long x, A_long y, PF_PixelFloat *in, PF_PixelFloat *out);

typedef PF_Fixed PF_HLS_Pixel[3];
typedef PF_Fixed PF_YIQ_Pixel[3];

typedef struct PF_ColorCallbacks {
    PF_Err (*RGBtoHLS)(PF_ProgPtr effect_ref, PF_Pixel *rgb, PF_HLS_Pixel hls);
    PF_Err (*HLStoRGB)(PF_ProgPtr effect_ref, PF_HLS_Pixel hls, PF_Pixel *rgb);
    PF_Err (*RGBtoYIQ)(PF_ProgPtr effect_ref, PF_Pixel *rgb, PF_YIQ_Pixel yiq);
    PF_Err (*YIQtoRGB)(PF_ProgPtr effect_ref, PF_YIQ_Pixel yiq, PF_Pixel *rgb);
    PF_Err (*Luminance)(PF_ProgPtr effect_ref, PF_Pixel *rgb, A_long *lum100);
    PF_Err (*Hue)(PF_ProgPtr effect_ref, PF_Pixel *rgb, A_long *hue);
    PF_Err (*Lightness)(PF_ProgPtr effect_ref, PF_Pixel *rgb, A_long *lightness);
    PF_Err (*Saturation)(PF_ProgPtr effect_ref, PF_Pixel *rgb, A_long *saturation);
} PF_ColorCallbacks;

/* The host's own C runtime routines, so effects need not link their own. */
typedef struct PF_ANSICallbacks {
    A_FpLong (*atan)(A_FpLong);
    A_FpLong (*atan2)(A_FpLong y, A_FpLong x);
    A_FpLong (*ceil)(A_FpLong);
    A_FpLong (*cos)(A_FpLong);
    A_FpLong (*exp)(A_FpLong);
    A_FpLong (*fabs)(A_FpLong);
    A_FpLong (*floor)(A_FpLong);
    A_FpLong (*fmod)(A_FpLong x, A_FpLong y);
    A_FpLong (*hypot)(A_FpLong x, A_FpLong y);
    A_FpLong (*log)(A_FpLong);
    A_FpLong (*log10)(A_FpLong);
    A_FpLong (*pow)(A_FpLong x, A_FpLong y);
    A_FpLong (*sin)(A_FpLong);
    A_FpLong (*sqrt)(A_FpLong);
    A_FpLong (*tan)(A_FpLong);
    int (*sprintf)(A_char *, const A_char *, ...);
    A_char *(*strcpy)(A_char *, const A_char *);
    A_FpLong (*asin)(A_FpLong);
    A_FpLong (*acos)(A_FpLong);
    A_long ansi_procs[1];
} PF_ANSICallbacks;

typedef struct _PF_UtilCallbacks {
    PF_Err (*begin_sampling)(PF_ProgPtr effect_ref, PF_Quality qual, PF_ModeFlags mf, PF_SampPB *params);
    PF_Err (*subpixel_sample)(PF_ProgPtr effect_ref, PF_Fixed x, PF_Fixed y, const PF_SampPB *params,
                              PF_Pixel *dst_pixel);
    PF_Err (*area_sample)(PF_ProgPtr effect_ref, PF_Fixed x, PF_Fixed y, const PF_SampPB *params,
                          PF_Pixel *dst_pixel);
    void *get_batch_func_is_deprecated;
    PF_Err (*end_sampling)(PF_ProgPtr effect_ref, PF_Quality qual, PF_ModeFlags mf, PF_SampPB *params);
    PF_Err (*composite_rect)(PF_ProgPtr effect_ref, PF_Rect *src_rect, A_long src_opacity,
                             PF_EffectWorld *source_wld, A_long dest_x, A_long dest_y,
                             PF_Field field_rdr, PF_XferMode xfer_mode, PF_EffectWorld *dest_wld);
    PF_Err (*blend)(PF_ProgPtr effect_ref, const PF_EffectWorld *src1, const PF_EffectWorld *src2,
                    PF_Fixed ratio, PF_EffectWorld *dst);
    PF_Err (*convolve)(PF_ProgPtr effect_ref, PF_EffectWorld *src, const PF_Rect *area,
                       PF_KernelFlags flags, A_long kernel_size, void *a_kernel, void *r_kernel,
                       void *g_kernel, void *b_kernel, PF_EffectWorld *dst);
    PF_Err (*copy)(PF_ProgPtr effect_ref, PF_EffectWorld *src, PF_EffectWorld *dst,
                   PF_Rect *src_r, PF_Rect *dst_r);
    PF_Err (*fill)(PF_ProgPtr effect_ref, const PF_Pixel *color, const PF_Rect *dst_rect,
                   PF_EffectWorld *world);
    PF_Err (*gaussian_kernel)(PF_ProgPtr effect_ref, A_FpLong kRadius, PF_KernelFlags flags,
                              A_FpLong multiplier, A_long *diameter, void *kernel);
    PF_Err (*iterate)(PF_InData *in_data, A_long progress_base, A_long progress_final,
                      PF_EffectWorld *src, const PF_Rect *area, void *refcon,
                      PF_IteratePixel8Func pix_fn, PF_EffectWorld *dst);
    PF_Err (*premultiply)(PF_ProgPtr effect_ref, A_long forward, PF_EffectWorld *dst);
    PF_Err (*premultiply_color)(PF_ProgPtr effect_ref, PF_EffectWorld *src, const PF_Pixel *color,
                                A_long forward, PF_EffectWorld *dst);
    PF_Err (*new_world)(PF_ProgPtr effect_ref, A_long width, A_long height, PF_NewWorldFlags flags,
                        PF_EffectWorld *world);
    PF_Err (*dispose_world)(PF_ProgPtr effect_ref, PF_EffectWorld *world);
    PF_Err (*iterate_origin)(PF_InData *in_data, A_long progress_base, A_long progress_final,
                             PF_EffectWorld *src, const PF_Rect *area, const PF_Point *origin,
                             void *refcon, PF_IteratePixel8Func pix_fn, PF_EffectWorld *dst);
    PF_Err (*iterate_lut)(PF_InData *in_data, A_long progress_base, A_long progress_final,
                          PF_EffectWorld *src, const PF_Rect *area, A_u_char *a_lut0,
                          A_u_char *r_lut0, A_u_char *g_lut0, A_u_char *b_lut0, PF_EffectWorld *dst);
    PF_Err (*transfer_rect)(PF_ProgPtr effect_ref, PF_Quality quality, PF_ModeFlags m_flags,
                            PF_Field field, const PF_Rect *src_rec, const PF_EffectWorld *src_world,
                            const PF_CompositeMode *comp_mode, const PF_MaskWorld *mask_world0,
                            A_long dest_x, A_long dest_y, PF_EffectWorld *dst_world);
    PF_Err (*transform_world)(PF_ProgPtr effect_ref, PF_Quality quality, PF_ModeFlags m_flags,
                              PF_Field field, const PF_EffectWorld *src_world,
                              const PF_CompositeMode *comp_mode, const PF_MaskWorld *mask_world0,
                              const PF_FloatMatrix *matrices, A_long num_matrices,
                              PF_Boolean src2dst_matrix, const PF_Rect *dest_rect,
                              PF_EffectWorld *dst_world);
    PF_Handle (*host_new_handle)(A_u_longlong size);
    void *(*host_lock_handle)(PF_Handle pf_handle);
    void (*host_unlock_handle)(PF_Handle pf_handle);
    void (*host_dispose_handle)(PF_Handle pf_handle);
    PF_Err (*get_callback_addr)(PF_ProgPtr effect_ref, PF_Quality quality, PF_ModeFlags mode_flags,
                                PF_CallbackID which_callback, PF_CallbackFunc *fn_ptr);
    PF_Err (*app)(PF_ProgPtr, A_long, ...);   /* host-private */
    PF_ANSICallbacks ansi;
    PF_ColorCallbacks colorCB;
    PF_Err (*get_platform_data)(PF_ProgPtr effect_ref, PF_PlatDataID which, void *data);
    A_u_longlong (*host_get_handle_size)(PF_Handle pf_handle);
    PF_Err (*iterate_origin_non_clip_src)(PF_InData *in_data, A_long progress_base,
                                          A_long progress_final, PF_EffectWorld *src,
                                          const PF_Rect *area, const PF_Point *origin, void *refcon,
                                          PF_IteratePixel8Func pix_fn, PF_EffectWorld *dst);
    PF_Err (*iterate_generic)(A_long iterationsL, void *refconPV,
                              PF_Err (*fn_func)(void *refconPV, A_long thread_indexL, A_long i,
                                                A_long iterationsL));
    PF_Err (*host_resize_handle)(A_u_longlong new_sizeL, PF_Handle *handlePH);
    PF_Err (*subpixel_sample16)(PF_ProgPtr effect_ref, PF_Fixed x, PF_Fixed y,
                                const PF_SampPB *params, PF_Pixel16 *dst_pixel);
    PF_Err (*area_sample16)(PF_ProgPtr effect_ref, PF_Fixed x, PF_Fixed y, const PF_SampPB *params,
                            PF_Pixel16 *dst_pixel);
    PF_Err (*fill16)(PF_ProgPtr effect_ref, const PF_Pixel16 *color, const PF_Rect *dst_rect,
                     PF_EffectWorld *world);
    PF_Err (*premultiply_color16)(PF_ProgPtr effect_ref, PF_EffectWorld *src,
                                  const PF_Pixel16 *color, A_long forward, PF_EffectWorld *dst);
    PF_Err (*iterate16)(PF_InData *in_data, A_long progress_base, A_long progress_final,
                        PF_EffectWorld *src, const PF_Rect *area, void *refcon,
                        PF_IteratePixel16Func pix_fn, PF_EffectWorld *dst);
    PF_Err (*iterate_origin16)(PF_InData *in_data, A_long progress_base, A_long progress_final,
                               PF_EffectWorld *src, const PF_Rect *area, const PF_Point *origin,
                               void *refcon, PF_IteratePixel16Func pix_fn, PF_EffectWorld *dst);
    PF_Err (*iterate_origin_non_clip_src16)(PF_InData *in_data, A_long progress_base,
                                            A_long progress_final, PF_EffectWorld *src,
                                            const PF_Rect *area, const PF_Point *origin,
                                            void *refcon, PF_IteratePixel16Func pix_fn,
                                            PF_EffectWorld *dst);
    PF_Err (*get_pixel_data8)(PF_EffectWorld *worldP, PF_PixelPtr pixelsP0, PF_Pixel8 **pixPP);
    PF_Err (*get_pixel_data16)(PF_EffectWorld *worldP, PF_PixelPtr pixelsP0, PF_Pixel16 **pixPP);
    A_long reserved[1];
} PF_UtilCallbacks;

/* ---------------------------------------------------------------------------
 * Convenience macros. Like the host's, the utility ones assume a variable
 * named `in_data` (PF_InData *) in scope.
 */
#define PF_NEW_WORLD(WIDTH, HEIGHT, FLAGS, WORLD) \
    (*in_data->utils->new_world)(in_data->effect_ref, (WIDTH), (HEIGHT), (FLAGS), (WORLD))
#define PF_DISPOSE_WORLD(WORLD) \
    (*in_data->utils->dispose_world)(in_data->effect_ref, (WORLD))
#define PF_COPY(SRC, DST, SRC_RECT, DST_RECT) \
    (*in_data->utils->copy)(in_data->effect_ref, (SRC), (DST), (SRC_RECT), (DST_RECT))
#define PF_FILL(COLOR, DST_RECT, DST) \
    (*in_data->utils->fill)(in_data->effect_ref, (COLOR), (DST_RECT), (DST))
#define PF_PREMUL(FORWARD, DST) \
    (*in_data->utils->premultiply)(in_data->effect_ref, (FORWARD), (DST))
#define PF_ITERATE(A, Z, SRC, AREA, REFCON, PIX_FUNC, DST) \
    (*in_data->utils->iterate)(in_data, (A), (Z), (SRC), (AREA), (REFCON), (PIX_FUNC), (DST))
#define PF_ITERATE16(A, Z, SRC, AREA, REFCON, PIX_FUNC, DST) \
    (*in_data->utils->iterate16)(in_data, (A), (Z), (SRC), (AREA), (REFCON), (PIX_FUNC), (DST))
#define PF_GET_PLATFORM_DATA(PF_PLAT_DATA_ID, DATA) \
    (*in_data->utils->get_platform_data)(in_data->effect_ref, (PF_PLAT_DATA_ID), (DATA))

#define PF_NEW_HANDLE(SIZE)             (*in_data->utils->host_new_handle)((SIZE))
#define PF_LOCK_HANDLE(PF_HANDLE)       (*in_data->utils->host_lock_handle)((PF_Handle)(PF_HANDLE))
#define PF_UNLOCK_HANDLE(PF_HANDLE)     (*in_data->utils->host_unlock_handle)((PF_Handle)(PF_HANDLE))
#define PF_DISPOSE_HANDLE(PF_HANDLE)    (*in_data->utils->host_dispose_handle)((PF_Handle)(PF_HANDLE))
#define PF_GET_HANDLE_SIZE(PF_HANDLE)   (*in_data->utils->host_get_handle_size)((PF_Handle)(PF_HANDLE))
#define PF_RESIZE_HANDLE(NEW_SIZE, PF_HANDLE_P) \
    (*in_data->utils->host_resize_handle)((NEW_SIZE), (PF_Handle *)(PF_HANDLE_P))

#define PF_SPRINTF   (*in_data->utils->ansi.sprintf)
#define PF_STRCPY(DST, SRC)  (*in_data->utils->ansi.strcpy)((DST), (SRC))

#ifdef __cplusplus
}
#endif

#endif /* _H_AE_EFFECT_CB */
