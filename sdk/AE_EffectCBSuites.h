/* AE_EffectCBSuites.h — callback suites acquired through the basic suite
 * (in_data->pica_basicP): world allocation, mask paths, parameter utilities.
 *
 * Stand-in for the host SDK header of the same name; table layouts match the
 * host's 64-bit Windows build (checked in src/framework/SdkLayoutChecks.cpp).
 * A suite is asked for by name and version; the version number selects the
 * table layout, which is why the table names carry their own number.
 */
#ifndef _H_AE_EffectCBSuites
#define _H_AE_EffectCBSuites

#include "A.h"
#include "AE_Effect.h"
#include "AE_EffectCB.h"
#include "SPBasic.h"

#ifdef __cplusplus
extern "C" {
#endif

/* ---------------------------------------------------------------------------
 * World suite: allocate / free effect worlds.
 */
#define kPFWorldSuite          "PF World Suite"
#define kPFWorldSuiteVersion1  1
#define kPFWorldSuiteVersion2  2

typedef struct PF_WorldSuite1 {
    SPAPI PF_Err (*new_world)(PF_ProgPtr effect_ref, A_long widthL, A_long heightL,
                              PF_NewWorldFlags flags, PF_EffectWorld *world);
    SPAPI PF_Err (*dispose_world)(PF_ProgPtr effect_ref, PF_EffectWorld *world);
} PF_WorldSuite1;

typedef struct PF_WorldSuite2 {
    SPAPI PF_Err (*PF_NewWorld)(PF_ProgPtr effect_ref, A_long widthL, A_long heightL,
                                PF_Boolean clear_pixB, PF_PixelFormat pixel_format,
                                PF_EffectWorld *worldP);
    SPAPI PF_Err (*PF_DisposeWorld)(PF_ProgPtr effect_ref, PF_EffectWorld *worldP);
    SPAPI PF_Err (*PF_GetPixelFormat)(const PF_EffectWorld *worldP, PF_PixelFormat *pixel_formatP);
} PF_WorldSuite2;

/* ---------------------------------------------------------------------------
 * Mask paths: which paths the layer has, and their geometry.
 */
#define kPFPathQuerySuite          "PF Path Query Suite"
#define kPFPathQuerySuiteVersion1  1

typedef struct PF_PathQuerySuite1 {
    SPAPI PF_Err (*PF_NumPaths)(PF_ProgPtr effect_ref, A_long *num_pathsPL);
    SPAPI PF_Err (*PF_PathInfo)(PF_ProgPtr effect_ref, A_long indexL, PF_PathID *unique_idP);
    SPAPI PF_Err (*PF_CheckoutPath)(PF_ProgPtr effect_ref, PF_PathID unique_id, A_long what_time,
                                    A_long time_step, A_u_long time_scale,
                                    PF_PathOutlinePtr *pathPP);
    SPAPI PF_Err (*PF_CheckinPath)(PF_ProgPtr effect_ref, PF_PathID unique_id, PF_Boolean changedB,
                                   PF_PathOutlinePtr pathP);
} PF_PathQuerySuite1;

#define kPFPathDataSuite          "PF Path Data Suite"
#define kPFPathDataSuiteVersion1  1

#define PF_MAX_PATH_NAME_LEN  31

/* One bezier vertex of a mask outline: its position and its incoming and outgoing tangent points. */
typedef struct PF_PathVertex {
    PF_FpLong x;
    PF_FpLong y;
    PF_FpLong tan_in_x;
    PF_FpLong tan_in_y;
    PF_FpLong tan_out_x;
    PF_FpLong tan_out_y;
} PF_PathVertex;

enum {
    PF_MaskMode_NONE = 0,
    PF_MaskMode_ADD,
    PF_MaskMode_SUBTRACT,
    PF_MaskMode_INTERSECT,
    PF_MaskMode_LIGHTEN,
    PF_MaskMode_DARKEN,
    PF_MaskMode_DIFFERENCE,
    PF_MaskMode_ACCUM,
    PF_NUM_MASKMODES
};
typedef A_long PF_MaskMode;

typedef struct PF_PathDataSuite1 {
    SPAPI PF_Err (*PF_PathIsOpen)(PF_ProgPtr effect_ref, PF_PathOutlinePtr pathP, PF_Boolean *openPB);
    SPAPI PF_Err (*PF_PathNumSegments)(PF_ProgPtr effect_ref, PF_PathOutlinePtr pathP,
                                       A_long *num_segmentsPL);
    SPAPI PF_Err (*PF_PathVertexInfo)(PF_ProgPtr effect_ref, PF_PathOutlinePtr pathP, A_long which_pointL,
                                      PF_PathVertex *vertexP);
    SPAPI PF_Err (*PF_PathPrepareSegLength)(PF_ProgPtr effect_ref, PF_PathOutlinePtr pathP,
                                            A_long which_segL, A_long frequencyL,
                                            PF_PathSegPrepPtr *lengthPrepPP);
    SPAPI PF_Err (*PF_PathGetSegLength)(PF_ProgPtr effect_ref, PF_PathOutlinePtr pathP,
                                        A_long which_segL, PF_PathSegPrepPtr *lengthPrepP0,
                                        PF_FpLong *lengthPF);
    SPAPI PF_Err (*PF_PathEvalSegLength)(PF_ProgPtr effect_ref, PF_PathOutlinePtr pathP,
                                         PF_PathSegPrepPtr *lengthPrepPP0, A_long which_segL,
                                         PF_FpLong lengthF, PF_FpLong *x, PF_FpLong *y);
    SPAPI PF_Err (*PF_PathEvalSegLengthDeriv1)(PF_ProgPtr effect_ref, PF_PathOutlinePtr pathP,
                                               PF_PathSegPrepPtr *lengthPrepPP0, A_long which_segL,
                                               PF_FpLong lengthF, PF_FpLong *x, PF_FpLong *y,
                                               PF_FpLong *deriv1x, PF_FpLong *deriv1y);
    SPAPI PF_Err (*PF_PathCleanupSegLength)(PF_ProgPtr effect_ref, PF_PathOutlinePtr pathP,
                                            A_long which_segL, PF_PathSegPrepPtr *lengthPrepPP);
    SPAPI PF_Err (*PF_PathIsInverted)(PF_ProgPtr effect_ref, PF_PathID unique_id, PF_Boolean *invertedB);
    SPAPI PF_Err (*PF_PathGetMaskMode)(PF_ProgPtr effect_ref, PF_PathID unique_id, PF_MaskMode *modeP);
    /* nameZ must hold PF_MAX_PATH_NAME_LEN + 1 characters. */
    SPAPI PF_Err (*PF_PathGetName)(PF_ProgPtr effect_ref, PF_PathID unique_id, A_char *nameZ);
} PF_PathDataSuite1;

/* ---------------------------------------------------------------------------
 * Parameter utilities: push UI changes, compare parameter state, keyframes.
 */
#define kPFParamUtilsSuite          "PF Param Utils Suite"
#define kPFParamUtilsSuiteVersion1  2   /* the 64-bit table PF_ParamUtilsSuite1 is served as version 2 */
#define kPFParamUtilsSuiteVersion3  3

/* Opaque snapshot of a parameter's (or all inputs') state. */
typedef struct {
    A_u_long reserved[4];
} PF_State;

enum {
    PF_TimeDir_GREATER_THAN          = 0x0000,
    PF_TimeDir_LESS_THAN             = 0x0001,
    PF_TimeDir_GREATER_THAN_OR_EQUAL = 0x1000,
    PF_TimeDir_LESS_THAN_OR_EQUAL    = 0x1001
};
typedef A_long PF_TimeDir;

enum {
    PF_KeyIndex_NONE = -1
};
typedef A_long PF_KeyIndex;

typedef struct PF_ParamUtilsSuite1 {
    SPAPI PF_Err (*PF_UpdateParamUI)(PF_ProgPtr effect_ref, PF_ParamIndex param_index,
                                     const PF_ParamDef *defP);
    SPAPI PF_Err (*PF_GetCurrentState)(PF_ProgPtr effect_ref, PF_State *stateP);
    SPAPI PF_Err (*PF_HasParamChanged)(PF_ProgPtr effect_ref, const PF_State *stateP,
                                       PF_ParamIndex param_index, PF_Boolean *changedPB);
    SPAPI PF_Err (*PF_HaveInputsChangedOverTimeSpan)(PF_ProgPtr effect_ref, const PF_State *stateP,
                                                     const A_Time *startPT0, const A_Time *durationPT0,
                                                     PF_Boolean *changedPB);
    SPAPI PF_Err (*PF_IsIdenticalCheckout)(PF_ProgPtr effect_ref, PF_ParamIndex param_index,
                                           A_long what_time1, A_long time_step1, A_u_long time_scale1,
                                           A_long what_time2, A_long time_step2, A_u_long time_scale2,
                                           PF_Boolean *identicalPB);
    SPAPI PF_Err (*PF_FindKeyframeTime)(PF_ProgPtr effect_ref, PF_ParamIndex param_index,
                                        A_long what_time, A_u_long time_scale, PF_TimeDir time_dir,
                                        PF_Boolean *foundPB, PF_KeyIndex *key_indexP0,
                                        A_long *key_timeP0, A_u_long *key_timescaleP0);
    SPAPI PF_Err (*PF_GetKeyframeCount)(PF_ProgPtr effect_ref, PF_ParamIndex param_index,
                                        PF_KeyIndex *key_countP);
    SPAPI PF_Err (*PF_CheckoutKeyframe)(PF_ProgPtr effect_ref, PF_ParamIndex param_index,
                                        PF_KeyIndex key_index, A_long *key_timeP0,
                                        A_u_long *key_timescaleP0, PF_ParamDef *paramP0);
    SPAPI PF_Err (*PF_CheckinKeyframe)(PF_ProgPtr effect_ref, PF_ParamDef *paramP);
    SPAPI PF_Err (*PF_KeyIndexToTime)(PF_ProgPtr effect_ref, PF_ParamIndex param_index,
                                      PF_KeyIndex key_indexP, A_long *key_timeP,
                                      A_u_long *key_timescaleP);
} PF_ParamUtilsSuite1;

typedef struct PF_ParamUtilsSuite3 {
    /* Pushes a changed PF_ParamDef (ui_flags, name, ...) to the UI. */
    SPAPI PF_Err (*PF_UpdateParamUI)(PF_ProgPtr effect_ref, PF_ParamIndex param_index,
                                     const PF_ParamDef *defP);
    /* param_index may be PF_ParamIndex_CHECK_ALL; null times mean the whole span. */
    SPAPI PF_Err (*PF_GetCurrentState)(PF_ProgPtr effect_ref, PF_ParamIndex param_index,
                                       const A_Time *startPT0, const A_Time *durationPT0,
                                       PF_State *stateP);
    SPAPI PF_Err (*PF_AreStatesIdentical)(PF_ProgPtr effect_ref, const PF_State *state1P,
                                          const PF_State *state2P, A_Boolean *samePB);
    SPAPI PF_Err (*PF_IsIdenticalCheckout)(PF_ProgPtr effect_ref, PF_ParamIndex param_index,
                                           A_long what_time1, A_long time_step1, A_u_long time_scale1,
                                           A_long what_time2, A_long time_step2, A_u_long time_scale2,
                                           PF_Boolean *identicalPB);
    SPAPI PF_Err (*PF_FindKeyframeTime)(PF_ProgPtr effect_ref, PF_ParamIndex param_index,
                                        A_long what_time, A_u_long time_scale, PF_TimeDir time_dir,
                                        PF_Boolean *foundPB, PF_KeyIndex *key_indexP0,
                                        A_long *key_timeP0, A_u_long *key_timescaleP0);
    SPAPI PF_Err (*PF_GetKeyframeCount)(PF_ProgPtr effect_ref, PF_ParamIndex param_index,
                                        PF_KeyIndex *key_countP);
    SPAPI PF_Err (*PF_CheckoutKeyframe)(PF_ProgPtr effect_ref, PF_ParamIndex param_index,
                                        PF_KeyIndex key_index, A_long *key_timeP0,
                                        A_u_long *key_timescaleP0, PF_ParamDef *paramP0);
    SPAPI PF_Err (*PF_CheckinKeyframe)(PF_ProgPtr effect_ref, PF_ParamDef *paramP);
    SPAPI PF_Err (*PF_KeyIndexToTime)(PF_ProgPtr effect_ref, PF_ParamIndex param_index,
                                      PF_KeyIndex key_indexP, A_long *key_timeP,
                                      A_u_long *key_timescaleP);
} PF_ParamUtilsSuite3;

#ifdef __cplusplus
}
#endif

#endif /* _H_AE_EffectCBSuites */
