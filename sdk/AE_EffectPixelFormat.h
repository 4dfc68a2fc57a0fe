/* AE_EffectPixelFormat.h — pixel format identifiers for effect worlds.
 *
 * Stand-in for the host SDK header of the same name. Formats are four-char
 * codes packed first character in the LOWEST byte, so the bytes in memory
 * read as the code ("argb", "ae16", ...).
 */
#ifndef _H_AE_EffectPixelFormat
#define _H_AE_EffectPixelFormat

#include "A.h"

#define MAKE_PIXEL_FORMAT_FOURCC(CH0, CH1, CH2, CH3)   \
    (  ((A_u_long)(A_u_char)(CH0))                     \
     | ((A_u_long)(A_u_char)(CH1) << 8)                \
     | ((A_u_long)(A_u_char)(CH2) << 16)               \
     | ((A_u_long)(A_u_char)(CH3) << 24) )

#ifdef __cplusplus
extern "C" {
#endif

enum {
    PF_PixelFormat_ARGB32         = MAKE_PIXEL_FORMAT_FOURCC('a', 'r', 'g', 'b'), /* 8 bpc  */
    PF_PixelFormat_ARGB64         = MAKE_PIXEL_FORMAT_FOURCC('a', 'e', '1', '6'), /* 16 bpc */
    PF_PixelFormat_ARGB128        = MAKE_PIXEL_FORMAT_FOURCC('a', 'e', '3', '2'), /* 32 bpc float */
    PF_PixelFormat_GPU_BGRA128    = MAKE_PIXEL_FORMAT_FOURCC('@', 'C', 'D', 'A'),
    PF_PixelFormat_BGRA32         = MAKE_PIXEL_FORMAT_FOURCC('b', 'g', 'r', 'a'),
    PF_PixelFormat_FORCE_LONG_INT = 0x7FFFFFFF,
    PF_PixelFormat_INVALID        = MAKE_PIXEL_FORMAT_FOURCC('b', 'a', 'd', 'f')
};
typedef A_long PF_PixelFormat;

#ifdef __cplusplus
}
#endif

#endif /* _H_AE_EffectPixelFormat */
