/* AE_Effect.h — the effect plug-in interface: commands, flags, parameter
 * definitions, image worlds and the in/out data blocks passed on every call.
 *
 * Stand-in for the host SDK header of the same name. Names and values are the
 * host's; struct layouts match the host's 64-bit Windows build byte for byte
 * (src/framework/SdkLayoutChecks.cpp holds the proof), so a module built
 * against these headers loads in the real host.
 */
#ifndef _H_AE_EFFECT
#define _H_AE_EFFECT

#include "A.h"
#include "AE_EffectPixelFormat.h"
#include "SPBasic.h"

#ifdef __cplusplus
extern "C" {
#endif

/* ---------------------------------------------------------------------------
 * Version numbers. An effect reports its own version in out_data->my_version,
 * packed as below; the host shows it and compares it with the PiPL's copy.
 */
#define PF_VERS_BUILD_BITS        0x1ffL
#define PF_VERS_BUILD_SHIFT       0
#define PF_VERS_STAGE_BITS        0x3L
#define PF_VERS_STAGE_SHIFT       9
#define PF_VERS_BUGFIX_BITS       0xfL
#define PF_VERS_BUGFIX_SHIFT      11
#define PF_VERS_SUBVERS_BITS      0xfL
#define PF_VERS_SUBVERS_SHIFT     15
#define PF_VERS_VERS_BITS         0x7L   /* low 3 bits of the major version */
#define PF_VERS_VERS_SHIFT        19
#define PF_VERS_VERS_HIGH_BITS    0xfL   /* the rest of the major version */
#define PF_VERS_VERS_HIGH_SHIFT   26
#define PF_VERS_VERS_LOW_SHIFT    3

#define PF_Vers_VERS_HIGH(VERS)   ((VERS) >> PF_VERS_VERS_LOW_SHIFT)

#define PF_VERSION(VERS, SUBVERS, BUGVERS, STAGE, BUILD)                                     \
    ((A_u_long)(                                                                           \
        ((((A_u_long)PF_Vers_VERS_HIGH(VERS)) & PF_VERS_VERS_HIGH_BITS) << PF_VERS_VERS_HIGH_SHIFT) | \
        ((((A_u_long)(VERS)) & PF_VERS_VERS_BITS) << PF_VERS_VERS_SHIFT) |                 \
        ((((A_u_long)(SUBVERS)) & PF_VERS_SUBVERS_BITS) << PF_VERS_SUBVERS_SHIFT) |        \
        ((((A_u_long)(BUGVERS)) & PF_VERS_BUGFIX_BITS) << PF_VERS_BUGFIX_SHIFT) |          \
        ((((A_u_long)(STAGE)) & PF_VERS_STAGE_BITS) << PF_VERS_STAGE_SHIFT) |              \
        ((((A_u_long)(BUILD)) & PF_VERS_BUILD_BITS) << PF_VERS_BUILD_SHIFT)))

#define PF_Vers_BUILD(V)    (((V) >> PF_VERS_BUILD_SHIFT) & PF_VERS_BUILD_BITS)
#define PF_Vers_STAGE(V)    (((V) >> PF_VERS_STAGE_SHIFT) & PF_VERS_STAGE_BITS)
#define PF_Vers_BUGFIX(V)   (((V) >> PF_VERS_BUGFIX_SHIFT) & PF_VERS_BUGFIX_BITS)
#define PF_Vers_SUBVERS(V)  (((V) >> PF_VERS_SUBVERS_SHIFT) & PF_VERS_SUBVERS_BITS)
#define PF_Vers_VERS(V)     ((((V) >> PF_VERS_VERS_SHIFT) & PF_VERS_VERS_BITS) | \
                             ((((V) >> PF_VERS_VERS_HIGH_SHIFT) & PF_VERS_VERS_HIGH_BITS) << PF_VERS_VERS_LOW_SHIFT))

enum {
    PF_Stage_DEVELOP,
    PF_Stage_ALPHA,
    PF_Stage_BETA,
    PF_Stage_RELEASE
};
typedef A_long PF_Stage;

/* ---------------------------------------------------------------------------
 * Scalar types.
 */
typedef A_long              PF_Fixed;     /* 16.16 signed */
typedef A_u_long            PF_UFixed;    /* 16.16 unsigned */
typedef char                PF_Boolean;
typedef A_FpLong            PF_FpLong;
typedef A_FpShort           PF_FpShort;
typedef A_long              PF_ParamIndex;
typedef A_long              PF_ParamValue;
typedef void              **PF_Handle;
typedef PF_Handle           PF_ArbitraryH;
typedef struct PF_ProgressInfo *PF_ProgPtr;  /* opaque per-instance host token */

/* ---------------------------------------------------------------------------
 * Errors. An unnamed enum on purpose: the constants keep a type of their own
 * (code may throw them), and convert to PF_Err on return.
 */
typedef A_long PF_Err;

enum {
    PF_Err_NONE = 0,
    PF_Err_OUT_OF_MEMORY = 4,
    PF_Err_INTERNAL_STRUCT_DAMAGED = 512,
    PF_Err_INVALID_INDEX,                 /* 513 */
    PF_Err_UNRECOGNIZED_PARAM_TYPE,       /* 514 */
    PF_Err_INVALID_CALLBACK,              /* 515 */
    PF_Err_BAD_CALLBACK_PARAM,            /* 516 */
    PF_Interrupt_CANCEL,                  /* 517: user cancelled, not an error to report */
    PF_Err_CANNOT_PARSE_KEYFRAME_TEXT     /* 518 */
};

/* ---------------------------------------------------------------------------
 * Commands sent to the entry point.
 */
enum {
    PF_Cmd_ABOUT = 0,
    PF_Cmd_GLOBAL_SETUP,
    PF_Cmd_UNUSED_0,
    PF_Cmd_GLOBAL_SETDOWN,
    PF_Cmd_PARAMS_SETUP,
    PF_Cmd_SEQUENCE_SETUP,
    PF_Cmd_SEQUENCE_RESETUP,
    PF_Cmd_SEQUENCE_FLATTEN,
    PF_Cmd_SEQUENCE_SETDOWN,
    PF_Cmd_DO_DIALOG,
    PF_Cmd_FRAME_SETUP,
    PF_Cmd_RENDER,
    PF_Cmd_FRAME_SETDOWN,
    PF_Cmd_USER_CHANGED_PARAM,
    PF_Cmd_UPDATE_PARAMS_UI,
    PF_Cmd_EVENT,
    PF_Cmd_GET_EXTERNAL_DEPENDENCIES,
    PF_Cmd_COMPLETELY_GENERAL,
    PF_Cmd_QUERY_DYNAMIC_FLAGS,
    PF_Cmd_AUDIO_RENDER,
    PF_Cmd_AUDIO_SETUP,
    PF_Cmd_AUDIO_SETDOWN,
    PF_Cmd_ARBITRARY_CALLBACK,
    PF_Cmd_SMART_PRE_RENDER,
    PF_Cmd_SMART_RENDER,
    PF_Cmd_RESERVED1,
    PF_Cmd_RESERVED2,
    PF_Cmd_RESERVED3,
    PF_Cmd_GET_FLATTENED_SEQUENCE_DATA,   /* 28 */
    PF_Cmd_NUM_CMDS
};
typedef A_long PF_Cmd;

/* ---------------------------------------------------------------------------
 * Capability flags an effect reports in out_data->out_flags (and mirrors in
 * its PiPL). Bit 31 is spelled as a cast so the value is the same 32-bit
 * pattern whatever the width of `long`.
 */
enum {
    PF_OutFlag_NONE                             = 0,
    PF_OutFlag_KEEP_RESOURCE_OPEN               = 1 << 0,
    PF_OutFlag_WIDE_TIME_INPUT                  = 1 << 1,
    PF_OutFlag_NON_PARAM_VARY                   = 1 << 2,
    PF_OutFlag_RESERVED6                        = 1 << 3,
    PF_OutFlag_SEQUENCE_DATA_NEEDS_FLATTENING   = 1 << 4,
    PF_OutFlag_I_DO_DIALOG                      = 1 << 5,
    PF_OutFlag_USE_OUTPUT_EXTENT                = 1 << 6,
    PF_OutFlag_SEND_DO_DIALOG                   = 1 << 7,
    PF_OutFlag_DISPLAY_ERROR_MESSAGE            = 1 << 8,
    PF_OutFlag_I_EXPAND_BUFFER                  = 1 << 9,
    PF_OutFlag_PIX_INDEPENDENT                  = 1 << 10,
    PF_OutFlag_I_WRITE_INPUT_BUFFER             = 1 << 11,
    PF_OutFlag_I_SHRINK_BUFFER                  = 1 << 12,
    PF_OutFlag_WORKS_IN_PLACE                   = 1 << 13,
    PF_OutFlag_CUSTOM_UI                        = 1 << 15,
    PF_OutFlag_REFRESH_UI                       = 1 << 17,
    PF_OutFlag_NOP_RENDER                       = 1 << 18,
    PF_OutFlag_I_USE_SHUTTER_ANGLE              = 1 << 19,
    PF_OutFlag_I_USE_AUDIO                      = 1 << 20,
    PF_OutFlag_I_AM_OBSOLETE                    = 1 << 21,
    PF_OutFlag_FORCE_RERENDER                   = 1 << 22,
    PF_OutFlag_PiPL_OVERRIDES_OUTDATA_OUTFLAGS  = 1 << 23,
    PF_OutFlag_I_HAVE_EXTERNAL_DEPENDENCIES     = 1 << 24,
    PF_OutFlag_DEEP_COLOR_AWARE                 = 1 << 25,
    PF_OutFlag_SEND_UPDATE_PARAMS_UI            = 1 << 26,
    PF_OutFlag_AUDIO_FLOAT_ONLY                 = 1 << 27,
    PF_OutFlag_AUDIO_IIR                        = 1 << 28,
    PF_OutFlag_I_SYNTHESIZE_AUDIO               = 1 << 29,
    PF_OutFlag_AUDIO_EFFECT_TOO                 = 1 << 30,
    PF_OutFlag_AUDIO_EFFECT_ONLY                = (A_long)0x80000000u
};
typedef A_long PF_OutFlags;

enum {
    PF_OutFlag2_NONE                                        = 0,
    PF_OutFlag2_SUPPORTS_QUERY_DYNAMIC_FLAGS                = 1 << 0,
    PF_OutFlag2_I_USE_3D_CAMERA                             = 1 << 1,
    PF_OutFlag2_I_USE_3D_LIGHTS                             = 1 << 2,
    PF_OutFlag2_PARAM_GROUP_START_COLLAPSED_FLAG            = 1 << 3,
    PF_OutFlag2_I_AM_THREADSAFE                             = 1 << 4,
    PF_OutFlag2_CAN_COMBINE_WITH_DESTINATION                = 1 << 5,
    PF_OutFlag2_DOESNT_NEED_EMPTY_PIXELS                    = 1 << 6,
    PF_OutFlag2_REVEALS_ZERO_ALPHA                          = 1 << 7,
    PF_OutFlag2_PRESERVES_FULLY_OPAQUE_PIXELS               = 1 << 8,
    PF_OutFlag2_SUPPORTS_SMART_RENDER                       = 1 << 10,
    PF_OutFlag2_FLOAT_COLOR_AWARE                           = 1 << 12,
    PF_OutFlag2_I_USE_COLORSPACE_ENUMERATION                = 1 << 13,
    PF_OutFlag2_I_AM_DEPRECATED                             = 1 << 14,
    PF_OutFlag2_PPRO_DO_NOT_CLONE_SEQUENCE_DATA_FOR_RENDER  = 1 << 15,
    PF_OutFlag2_AUTOMATIC_WIDE_TIME_INPUT                   = 1 << 17,
    PF_OutFlag2_I_USE_TIMECODE                              = 1 << 18,
    PF_OutFlag2_DEPENDS_ON_UNREFERENCED_MASKS               = 1 << 19,
    PF_OutFlag2_OUTPUT_IS_WATERMARKED                       = 1 << 20,
    PF_OutFlag2_I_MIX_GUID_DEPENDENCIES                     = 1 << 21,
    PF_OutFlag2_AE13_5_THREADSAFE                           = 1 << 22,
    PF_OutFlag2_SUPPORTS_GET_FLATTENED_SEQUENCE_DATA        = 1 << 23,
    PF_OutFlag2_CUSTOM_UI_ASYNC_MANAGER                     = 1 << 24,
    PF_OutFlag2_SUPPORTS_GPU_RENDER_F32                     = 1 << 25,
    PF_OutFlag2_SUPPORTS_THREADED_RENDERING                 = 1 << 27,
    PF_OutFlag2_MUTABLE_RENDER_SEQUENCE_DATA_SLOWER         = 1 << 28
};
typedef A_long PF_OutFlags2;

enum {
    PF_InFlag_NONE                  = 0,
    PF_InFlag_PROJECT_IS_RENDER_ONLY = 1 << 0
};
typedef A_long PF_InFlags;

/* ---------------------------------------------------------------------------
 * Limits and channel ranges.
 */
#define PF_MAX_EFFECT_NAME_LEN           31
#define PF_MAX_EFFECT_CATEGORY_NAME_LEN  31
#define PF_MAX_EFFECT_PARAM_NAME_LEN     31
#define PF_MAX_PARAM_DESCRIPTION_LEN     31
#define PF_MAX_PARAM_VALUE_LEN           31
#define PF_MAX_EFFECT_MSG_LEN            255

#define PF_MAX_CHAN8    255
#define PF_HALF_CHAN8   128
#define PF_MAX_CHAN16   32768   /* 16 bpc uses 0..32768, not 0..65535 */
#define PF_HALF_CHAN16  16384

/* Special parameter indices. */
enum {
    PF_ParamIndex_NONE                           = -1,
    PF_ParamIndex_CHECK_ALL                      = -2,
    PF_ParamIndex_CHECK_ALL_EXCEPT_LAYER_PARAMS  = -3,
    PF_ParamIndex_CHECK_ALL_HONOR_EXCLUDE        = -4
};

/* ---------------------------------------------------------------------------
 * Render settings.
 */
enum {
    PF_Quality_DRAWING_AUDIO = -1,
    PF_Quality_LO = 0,
    PF_Quality_HI
};
typedef A_long PF_Quality;

enum {
    PF_MF_Alpha_PREMUL   = 0,
    PF_MF_Alpha_STRAIGHT = 1 << 0
};
typedef A_long PF_ModeFlags;

enum {
    PF_Field_FRAME = 0,
    PF_Field_UPPER,
    PF_Field_LOWER
};
typedef A_long PF_Field;

/* ---------------------------------------------------------------------------
 * Pixels and geometry.
 */
typedef struct {
    A_u_char alpha, red, green, blue;
} PF_Pixel;
typedef PF_Pixel PF_Pixel8;
typedef PF_Pixel PF_UnionablePixel;

typedef struct {
    A_u_short alpha, red, green, blue;
} PF_Pixel16;

typedef struct {
    PF_FpShort alpha, red, green, blue;
} PF_PixelFloat, PF_Pixel32;

typedef PF_Pixel *PF_PixelPtr;

typedef struct {
    A_long left, top, right, bottom;
} PF_LRect;
typedef PF_LRect PF_Rect;

typedef struct {
    A_long h, v;
} PF_Point;

typedef struct {
    PF_Fixed x, y;
} PF_FixedPoint;

typedef struct {
    PF_Fixed left, top, right, bottom;
} PF_FixedRect;

typedef struct {
    PF_Fixed mat[3][3];
} PF_Matrix;

typedef struct {
    PF_FpLong mat[3][3];
} PF_FloatMatrix;

typedef struct {
    A_long   num;
    A_u_long den;
} PF_RationalScale;

typedef struct {
    A_short major;
    A_short minor;
} PF_SpecVersion;

/* ---------------------------------------------------------------------------
 * Image worlds.
 */
enum {
    PF_WorldFlag_DEEP      = 1 << 0,   /* 16 bpc */
    PF_WorldFlag_WRITEABLE = 1 << 1
};
typedef A_long PF_WorldFlags;

enum {
    PF_NewWorldFlag_NONE         = 0,
    PF_NewWorldFlag_CLEAR_PIXELS = 1 << 0,
    PF_NewWorldFlag_DEEP_PIXELS  = 1 << 1
};
typedef A_long PF_NewWorldFlags;

typedef struct PF_LayerDef {
    void            *reserved0;
    void            *reserved1;
    PF_WorldFlags    world_flags;
    PF_PixelPtr      data;
    A_long           rowbytes;          /* may exceed width * pixel size */
    A_long           width;
    A_long           height;
    PF_LRect         extent_hint;
    void            *platform_ref;
    A_long           reserved_long1;
    void            *reserved_long4;
    PF_RationalScale pix_aspect_ratio;
    void            *reserved_long2;
    A_long           origin_x;
    A_long           origin_y;
    A_long           reserved_long3;
    A_long           dephault;          /* layer params: PF_LayerDefault_* */
} PF_LayerDef;

typedef PF_LayerDef PF_EffectWorld;
typedef PF_LayerDef PF_World;

enum {
    PF_LayerDefault_NONE   = 0,
    PF_LayerDefault_MYSELF = -1
};

/* ---------------------------------------------------------------------------
 * Compositing.
 */
enum {
    PF_Xfer_NONE = -1,
    PF_Xfer_COPY,
    PF_Xfer_BEHIND,
    PF_Xfer_IN_FRONT,
    PF_Xfer_DISSOLVE,
    PF_Xfer_ADD,
    PF_Xfer_MULTIPLY,
    PF_Xfer_SCREEN,
    PF_Xfer_OVERLAY,
    PF_Xfer_SOFT_LIGHT,
    PF_Xfer_HARD_LIGHT,
    PF_Xfer_DARKEN,
    PF_Xfer_LIGHTEN,
    PF_Xfer_DIFFERENCE,
    PF_Xfer_HUE,
    PF_Xfer_SATURATION,
    PF_Xfer_COLOR,
    PF_Xfer_LUMINOSITY
};
typedef A_long PF_TransferMode;
typedef PF_TransferMode PF_XferMode;

typedef struct {
    PF_TransferMode xfer;
    A_long          rand_seed;   /* for dissolve */
    A_u_char        opacity;     /* 0..255 */
    PF_Boolean      rgb_only;
    A_u_short       opacitySu;   /* 16 bpc opacity, 0..32768 */
} PF_CompositeMode;

enum {
    PF_MaskFlag_NONE      = 0,
    PF_MaskFlag_INVERTED  = 1 << 0,
    PF_MaskFlag_LUMINANCE = 1 << 1
};
typedef A_long PF_MaskFlags;

typedef struct {
    PF_EffectWorld mask;
    PF_Point       offset;
    PF_MaskFlags   what_is_mask;
} PF_MaskWorld;

/* ---------------------------------------------------------------------------
 * Parameters.
 */
enum {
    PF_Param_RESERVED = -1,
    PF_Param_LAYER = 0,
    PF_Param_SLIDER,
    PF_Param_FIX_SLIDER,
    PF_Param_ANGLE,
    PF_Param_CHECKBOX,
    PF_Param_COLOR,
    PF_Param_POINT,
    PF_Param_POPUP,
    PF_Param_CUSTOM,
    PF_Param_NO_DATA,
    PF_Param_FLOAT_SLIDER,
    PF_Param_ARBITRARY_DATA,
    PF_Param_PATH,
    PF_Param_GROUP_START,
    PF_Param_GROUP_END,
    PF_Param_BUTTON,
    PF_Param_RESERVED2,
    PF_Param_RESERVED3,
    PF_Param_POINT_3D
};
typedef A_long PF_ParamType;

enum {
    PF_ParamFlag_RESERVED1                        = 1 << 0,
    PF_ParamFlag_CANNOT_TIME_VARY                 = 1 << 1,
    PF_ParamFlag_CANNOT_INTERP                    = 1 << 2,
    PF_ParamFlag_RESERVED2                        = 1 << 3,
    PF_ParamFlag_RESERVED3                        = 1 << 4,
    PF_ParamFlag_COLLAPSE_TWIRLY                  = 1 << 5,
    PF_ParamFlag_SUPERVISE                        = 1 << 6,   /* send PF_Cmd_USER_CHANGED_PARAM */
    PF_ParamFlag_START_COLLAPSED                  = PF_ParamFlag_COLLAPSE_TWIRLY,
    PF_ParamFlag_USE_VALUE_FOR_OLD_PROJECTS       = 1 << 7,
    PF_ParamFlag_LAYER_PARAM_IS_TRACKMATTE        = 1 << 7,
    PF_ParamFlag_EXCLUDE_FROM_HAVE_INPUTS_CHANGED = 1 << 8,
    PF_ParamFlag_SKIP_REVEAL_WHEN_UNHIDDEN        = 1 << 9
};
typedef A_long PF_ParamFlags;

enum {
    PF_PUI_NONE               = 0,
    PF_PUI_TOPIC              = 1 << 0,
    PF_PUI_CONTROL            = 1 << 1,
    PF_PUI_STD_CONTROL_ONLY   = 1 << 2,
    PF_PUI_NO_ECW_UI          = 1 << 3,
    PF_PUI_ECW_SEPARATOR      = 1 << 4,
    PF_PUI_DISABLED           = 1 << 5,
    PF_PUI_DONT_ERASE_TOPIC   = 1 << 6,
    PF_PUI_DONT_ERASE_CONTROL = 1 << 7,
    PF_PUI_RADIO_BUTTON       = 1 << 8,
    PF_PUI_INVISIBLE          = 1 << 9
};
typedef A_long PF_ParamUIFlags;

enum {
    PF_ChangeFlag_NONE            = 0,
    PF_ChangeFlag_CHANGED_VALUE   = 1 << 0,
    PF_ChangeFlag_RESERVED        = 1 << 1,
    PF_ChangeFlag_SET_TO_VARY     = 1 << 2,
    PF_ChangeFlag_SET_TO_CONSTANT = 1 << 3
};
typedef A_long PF_ChangeFlags;

enum {
    PF_ValueDisplayFlag_NONE      = 0,
    PF_ValueDisplayFlag_PERCENT   = 1 << 0,
    PF_ValueDisplayFlag_PIXEL     = 1 << 1,
    PF_ValueDisplayFlag_RESERVED1 = 1 << 2,
    PF_ValueDisplayFlag_REVERSE   = 1 << 3
};
typedef A_short PF_ValueDisplayFlags;

enum {
    PF_FSliderFlag_NONE       = 0,
    PF_FSliderFlag_WANT_PHASE = 1 << 0
};
typedef A_u_long PF_FSliderFlags;

enum {
    PF_Precision_INTEGER,
    PF_Precision_TENTHS,
    PF_Precision_HUNDREDTHS,
    PF_Precision_THOUSANDTHS,
    PF_Precision_TEN_THOUSANDTHS
};

typedef struct {
    PF_ParamValue value;
    A_char        value_str[PF_MAX_PARAM_VALUE_LEN + 1];
    A_char        value_desc[PF_MAX_PARAM_DESCRIPTION_LEN + 1];
    PF_ParamValue valid_min, valid_max;
    PF_ParamValue slider_min, slider_max;
    PF_ParamValue dephault;
} PF_SliderDef;

typedef struct {
    PF_Fixed             value;
    A_char               value_str[PF_MAX_PARAM_VALUE_LEN + 1];
    A_char               value_desc[PF_MAX_PARAM_DESCRIPTION_LEN + 1];
    PF_Fixed             valid_min, valid_max;
    PF_Fixed             slider_min, slider_max;
    PF_Fixed             dephault;
    A_short              precision;
    PF_ValueDisplayFlags display_flags;
} PF_FixedSliderDef;

typedef struct {
    PF_FpLong            value;
    PF_FpLong            phase;      /* filled only with PF_FSliderFlag_WANT_PHASE */
    A_char               value_desc[PF_MAX_PARAM_DESCRIPTION_LEN + 1];
    PF_FpShort           valid_min, valid_max;
    PF_FpShort           slider_min, slider_max;
    PF_FpShort           dephault;
    A_short              precision;
    PF_ValueDisplayFlags display_flags;
    PF_FSliderFlags      fs_flags;
    PF_FpShort           curve_tolerance;
    PF_Boolean           useExponent;
    PF_FpShort           exponent;
} PF_FloatSliderDef;

typedef struct {
    PF_Fixed value;       /* degrees, 16.16 */
    PF_Fixed dephault;
    PF_Fixed valid_min, valid_max;
} PF_AngleDef;

typedef struct {
    PF_ParamValue value;
    PF_Boolean    dephault;
    A_char        reserved;
    A_short       reserved1;
    union {
        const A_char *nameptr;   /* label shown beside the box */
    } u;
} PF_CheckBoxDef;

typedef struct {
    PF_Pixel value;
    PF_Pixel dephault;
} PF_ColorDef;

typedef struct {
    PF_Fixed   x_value;
    PF_Fixed   y_value;
    A_char     reserved[3];
    PF_Boolean restrict_bounds;
    PF_Fixed   x_dephault;   /* percent of layer size, 16.16 */
    PF_Fixed   y_dephault;
} PF_PointDef;

typedef struct {
    PF_ParamValue value;         /* 1-based */
    A_short       num_choices;
    A_short       dephault;
    union {
        const A_char *namesptr;  /* "A|B|(-|C": '|' separates, "(-" is a divider */
    } u;
} PF_PopupDef;

typedef struct {
    A_short       id;
    A_short       pad;
    PF_ArbitraryH dephault;
    PF_ArbitraryH value;
    void         *refconPV;
} PF_ArbitraryDef;

typedef A_u_long PF_PathID;
#define PF_PathID_NONE 0
typedef struct PF_PathOutline *PF_PathOutlinePtr;   /* opaque, host-owned */
typedef struct PF_PathSegPrep *PF_PathSegPrepPtr;   /* opaque, host-owned */

typedef struct PF_PathDef {
    PF_PathID path_id;
    A_long    reserved0;
    A_long    dephault;    /* 1-based mask index, 0 for none */
} PF_PathDef;

typedef struct {
    PF_ParamValue value;
    union {
        const A_char *namesptr;   /* button label */
    } u;
} PF_ButtonDef;

typedef struct {
    PF_FpLong x_value, y_value, z_value;
    PF_FpLong x_dephault, y_dephault, z_dephault;
    char      reserved[16];
} PF_Point3DDef;

typedef union {
    PF_LayerDef       ld;
    PF_SliderDef      sd;
    PF_FixedSliderDef fd;
    PF_AngleDef       ad;
    PF_CheckBoxDef    bd;
    PF_ColorDef       cd;
    PF_PointDef       td;
    PF_PopupDef       pd;
    PF_FloatSliderDef fs_d;
    PF_ArbitraryDef   arb_d;
    PF_PathDef        path_d;
    PF_ButtonDef      button_d;
    PF_Point3DDef     point3d_d;
} PF_ParamDefUnion;

typedef struct PF_ParamDef {
    union {
        A_long         id;             /* stable id given at PARAMS_SETUP */
        PF_ChangeFlags change_flags;   /* set by the effect in USER_CHANGED_PARAM */
    } uu;
    PF_ParamUIFlags  ui_flags;
    A_short          ui_width;
    A_short          ui_height;
    PF_ParamType     param_type;
    A_char           name[PF_MAX_EFFECT_PARAM_NAME_LEN + 1];
    PF_ParamFlags    flags;
    A_long           unused;
    PF_ParamDefUnion u;
} PF_ParamDef, *PF_ParamDefPtr, **PF_ParamDefH;

typedef PF_ParamDef *PF_ParamList[];

/* ---------------------------------------------------------------------------
 * Audio.
 */
enum {
    PF_SIGNED_PCM = 0,
    PF_UNSIGNED_PCM,
    PF_SIGNED_FLOAT
};
typedef A_short PF_SoundFormat;

enum {
    PF_SSS_1 = 1,
    PF_SSS_2 = 2,
    PF_SSS_4 = 4
};
typedef A_short PF_SoundSampleSize;

enum {
    PF_Channels_MONO   = 1,
    PF_Channels_STEREO = 2
};
typedef A_short PF_SoundChannels;

typedef struct {
    PF_FpLong          rateF;
    PF_SoundChannels   num_channels;
    PF_SoundFormat     format;
    PF_SoundSampleSize sample_size;
} PF_SoundFormatInfo;

typedef struct {
    PF_SoundFormatInfo fi;
    A_long             num_samples;
    void              *dataP;
} PF_SoundWorld;

typedef struct _PF_LayerAudio *PF_LayerAudio;   /* opaque, host-owned */
typedef void *PF_SndSamplePtr;

/* ---------------------------------------------------------------------------
 * Per-call data blocks.
 */
struct _PF_CustomUIInfo;
typedef struct _PF_CustomUIInfo PF_CustomUIInfo;
struct _PF_UtilCallbacks;

typedef struct {
    PF_Err (*checkout_param)(PF_ProgPtr effect_ref, PF_ParamIndex index, A_long what_time,
                             A_long time_step, A_u_long time_scale, PF_ParamDef *param);
    PF_Err (*checkin_param)(PF_ProgPtr effect_ref, PF_ParamDef *param);
    PF_Err (*add_param)(PF_ProgPtr effect_ref, PF_ParamIndex index, PF_ParamDefPtr def);
    PF_Err (*abort)(PF_ProgPtr effect_ref);
    PF_Err (*progress)(PF_ProgPtr effect_ref, A_long current, A_long total);
    PF_Err (*register_ui)(PF_ProgPtr effect_ref, PF_CustomUIInfo *cust_info);
    PF_Err (*checkout_layer_audio)(PF_ProgPtr effect_ref, PF_ParamIndex index, A_long start_time,
                                   A_long duration, A_u_long time_scale, PF_UFixed rate,
                                   A_long bytes_per_sample, A_long num_channels, A_long fmt_signed,
                                   PF_LayerAudio *audio);
    PF_Err (*checkin_layer_audio)(PF_ProgPtr effect_ref, PF_LayerAudio audio);
    PF_Err (*get_audio_data)(PF_ProgPtr effect_ref, PF_LayerAudio audio, PF_SndSamplePtr *data0,
                             A_long *num_samples0, PF_UFixed *rate0, A_long *bytes_per_sample0,
                             A_long *num_channels0, A_long *fmt_signed0);
    void *reserved_str[3];
    void *reserved[10];
} PF_InteractCallbacks;

/* Shorthands for the interaction callbacks above. */
#define PF_CHECKOUT_PARAM(IN_DATA, INDEX, TIME, STEP, SCALE, PARAM) \
    (*(IN_DATA)->inter.checkout_param)((IN_DATA)->effect_ref, (INDEX), (TIME), (STEP), (SCALE), (PARAM))
#define PF_CHECKIN_PARAM(IN_DATA, PARAM) \
    (*(IN_DATA)->inter.checkin_param)((IN_DATA)->effect_ref, (PARAM))
#define PF_ADD_PARAM(IN_DATA, INDEX, DEF) \
    (*(IN_DATA)->inter.add_param)((IN_DATA)->effect_ref, (INDEX), (DEF))
#define PF_ABORT(IN_DATA) \
    (*(IN_DATA)->inter.abort)((IN_DATA)->effect_ref)
#define PF_PROGRESS(IN_DATA, CURRENT, TOTAL) \
    (*(IN_DATA)->inter.progress)((IN_DATA)->effect_ref, (CURRENT), (TOTAL))

typedef struct PF_InData {
    PF_InteractCallbacks      inter;
    struct _PF_UtilCallbacks *utils;
    PF_ProgPtr                effect_ref;
    PF_Quality                quality;
    PF_SpecVersion            version;
    A_long                    serial_num;
    A_long                    appl_id;        /* 'FXTC' in the host */
    A_long                    num_params;
    A_long                    reserved;
    A_long                    what_cpu;
    A_long                    what_fpu;
    A_long                    current_time;
    A_long                    time_step;
    A_long                    total_time;
    A_long                    local_time_step;
    A_u_long                  time_scale;
    PF_Field                  field;
    PF_Fixed                  shutter_angle;
    A_long                    width;
    A_long                    height;
    PF_LRect                  extent_hint;
    A_long                    output_origin_x;
    A_long                    output_origin_y;
    PF_RationalScale          downsample_x;
    PF_RationalScale          downsample_y;
    PF_RationalScale          pixel_aspect_ratio;
    PF_InFlags                in_flags;
    PF_Handle                 global_data;
    PF_Handle                 sequence_data;
    PF_Handle                 frame_data;
    A_long                    start_sampL;
    A_long                    dur_sampL;
    A_long                    total_sampL;
    PF_SoundWorld             src_snd;
    struct SPBasicSuite      *pica_basicP;
    A_long                    pre_effect_source_origin_x;
    A_long                    pre_effect_source_origin_y;
    PF_Fixed                  shutter_phase;
} PF_InData;

typedef struct {
    A_u_long      my_version;      /* PF_VERSION(...) */
    A_char        name[PF_MAX_EFFECT_NAME_LEN + 1];
    PF_Handle     global_data;
    A_long        num_params;      /* including the input layer */
    PF_Handle     sequence_data;
    A_long        flat_sdata_size;
    PF_Handle     frame_data;
    A_long        width;
    A_long        height;
    PF_Point      origin;
    PF_OutFlags   out_flags;
    A_char        return_msg[PF_MAX_EFFECT_MSG_LEN + 1];
    A_long        start_sampL;
    A_long        dur_sampL;
    PF_SoundWorld dest_snd;
    PF_OutFlags2  out_flags2;
} PF_OutData;

/* ---------------------------------------------------------------------------
 * SmartFX: PF_Cmd_SMART_PRE_RENDER / PF_Cmd_SMART_RENDER extras.
 */
enum {
    PF_ChannelMask_ALPHA = 0x1,
    PF_ChannelMask_RED   = 0x2,
    PF_ChannelMask_GREEN = 0x4,
    PF_ChannelMask_BLUE  = 0x8,
    PF_ChannelMask_ARGB  = 0xF
};
typedef A_long PF_ChannelMask;

typedef struct {
    PF_LRect       rect;
    PF_Field       field;
    PF_ChannelMask channel_mask;
    PF_Boolean     preserve_rgb_of_zero_alpha;
    char           unused[3];
    A_long         reserved[4];
} PF_RenderRequest;

typedef struct {
    PF_RenderRequest output_request;
    short            bitdepth;        /* 8, 16 or 32 bits per channel */
} PF_PreRenderInput;

typedef void (*PF_DeletePreRenderDataFunc)(void *pre_render_data);

enum {
    PF_RenderOutputFlag_RETURNS_EXTRA_PIXELS = 0x1,
    PF_RenderOutputFlag_GPU_RENDER_POSSIBLE  = 0x2
};
typedef short PF_RenderOutputFlags;

typedef struct {
    PF_LRect                   result_rect;
    PF_LRect                   max_result_rect;
    PF_Boolean                 solid;
    PF_Boolean                 reserved;
    PF_RenderOutputFlags       flags;
    void                      *pre_render_data;
    PF_DeletePreRenderDataFunc delete_pre_render_data_func;
} PF_PreRenderOutput;

typedef struct {
    PF_LRect         result_rect;
    PF_LRect         max_result_rect;
    PF_RationalScale par;
    PF_Boolean       solid;
    PF_Boolean       reservedB[3];
    A_long           ref_width;
    A_long           ref_height;
    A_long           reserved[6];
} PF_CheckoutResult;

typedef struct {
    PF_Err (*checkout_layer)(PF_ProgPtr effect_ref, PF_ParamIndex index, A_long checkout_idL,
                             const PF_RenderRequest *req, A_long what_time, A_long time_step,
                             A_u_long time_scale, PF_CheckoutResult *checkout_result);
} PF_PreRenderCallbacks;

typedef struct {
    PF_PreRenderInput     *input;
    PF_PreRenderOutput    *output;
    PF_PreRenderCallbacks *cb;
} PF_PreRenderExtra;

typedef struct {
    PF_RenderRequest output_request;
    short            bitdepth;
    void            *pre_render_data;
} PF_SmartRenderInput;

typedef struct {
    PF_Err (*checkout_layer_pixels)(PF_ProgPtr effect_ref, A_long checkout_idL, PF_EffectWorld **pixels);
    PF_Err (*checkin_layer_pixels)(PF_ProgPtr effect_ref, A_long checkout_idL);
    PF_Err (*checkout_output)(PF_ProgPtr effect_ref, PF_EffectWorld **output);
} PF_SmartRenderCallbacks;

typedef struct {
    PF_SmartRenderInput     *input;
    PF_SmartRenderCallbacks *cb;
} PF_SmartRenderExtra;

#ifdef __cplusplus
}
#endif

#endif /* _H_AE_EFFECT */
