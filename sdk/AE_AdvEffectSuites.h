/* AE_AdvEffectSuites.h — application-level services for effects: UI colours,
 * fonts, cursor, colour picker, and whether the host is a render engine.
 *
 * Stand-in for the host SDK header of the same name; the table layout matches
 * the host's 64-bit Windows build (checked in src/framework/SdkLayoutChecks.cpp).
 */
#ifndef _H_AE_AdvEffectSuites
#define _H_AE_AdvEffectSuites

#include "A.h"
#include "AE_Effect.h"
#include "SPBasic.h"

#ifdef __cplusplus
extern "C" {
#endif

/* The suite's version numbers ran ahead of its table names: table
 * PFAppSuite5 is served as version 7. */
#define kPFAppSuite          "PF AE App Suite"
#define kPFAppSuiteVersion5  7

/* 16-bit-per-channel UI colour. */
typedef struct {
    A_u_short red;
    A_u_short green;
    A_u_short blue;
} PF_App_Color;

enum {
    PF_App_Color_NONE = -1,
    PF_App_Color_FRAME,
    PF_App_Color_FILL,
    PF_App_Color_EDGE_LIGHT,
    PF_App_Color_EDGE_DARK,
    PF_App_Color_SHADOW,
    PF_App_Color_HILITE,
    PF_App_Color_TEXT
};
typedef A_long PF_App_ColorType;

#define PF_APP_MAX_PERS_LEN  63

typedef struct {
    A_char name[PF_APP_MAX_PERS_LEN + 1];
    A_char org[PF_APP_MAX_PERS_LEN + 1];
    A_char serial_str[PF_APP_MAX_PERS_LEN + 1];
} PF_AppPersonalTextInfo;

enum {
    PF_FontStyle_NONE = -1,
    PF_FontStyle_SYS = 0,
    PF_FontStyle_SMALL,
    PF_FontStyle_SMALL_BOLD,
    PF_FontStyle_SMALL_ITALIC,
    PF_FontStyle_MED,
    PF_FontStyle_MED_BOLD,
    PF_FontStyle_APP,
    PF_FontStyle_APP_BOLD,
    PF_FontStyle_APP_ITALIC
};
typedef A_long PF_FontStyleSheet;

#define PF_FONT_NAME_LEN  255

typedef struct {
    A_char font_nameAC[PF_FONT_NAME_LEN + 1];
} PF_FontName;

enum {
    PF_Cursor_NONE = 0,
    PF_Cursor_CUSTOM,
    PF_Cursor_ARROW
};
typedef A_long PF_CursorType;

enum {
    PF_EyeDropperSampleMode_DEFAULT,
    PF_EyeDropperSampleMode_STRAIGHT,
    PF_EyeDropperSampleMode_PREMUL
};
typedef A_long PF_EyeDropperSampleMode;

/* Drawing context of a custom UI event; opaque to effects. */
typedef struct _PF_Context *PF_ContextH;

typedef struct PFAppSuite5 {
    SPAPI PF_Err (*PF_AppGetBgColor)(PF_App_Color *bg_colorP);
    SPAPI PF_Err (*PF_AppGetColor)(PF_App_ColorType color_type, PF_App_Color *app_colorP);
    SPAPI PF_Err (*PF_AppGetLanguage)(A_char *lang_tagZ);
    SPAPI PF_Err (*PF_GetPersonalInfo)(PF_AppPersonalTextInfo *ptiP);
    SPAPI PF_Err (*PF_GetFontStyleSheet)(PF_FontStyleSheet sheet, PF_FontName *font_nameP0,
                                         A_short *font_numPS0, A_short *sizePS0, A_short *stylePS0);
    SPAPI PF_Err (*PF_SetCursor)(PF_CursorType cursor);
    /* True when running headless (no UI): skip anything interactive. */
    SPAPI PF_Err (*PF_IsRenderEngine)(PF_Boolean *render_enginePB);
    SPAPI PF_Err (*PF_AppColorPickerDialog)(const A_char *dialog_titleZ0,
                                            const PF_PixelFloat *sample_colorP,
                                            PF_Boolean use_ws_to_monitor_xformB,
                                            PF_PixelFloat *result_colorP);
    SPAPI PF_Err (*PF_GetMouse)(PF_Point *pointP);
    SPAPI PF_Err (*PF_InvalidateRect)(const PF_ContextH contextH, const PF_Rect *rectP0);
    SPAPI PF_Err (*PF_ConvertLocalToGlobal)(const PF_Point *localP, PF_Point *globalP);
    SPAPI PF_Err (*PF_GetColorAtGlobalPoint)(const PF_Point *pointP, A_short radiusS,
                                             PF_EyeDropperSampleMode mode,
                                             PF_PixelFloat *sample_colorP);
} PFAppSuite5;

#ifdef __cplusplus
}
#endif

#endif /* _H_AE_AdvEffectSuites */
