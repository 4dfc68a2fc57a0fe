/* A.h — basic scalar and geometry types shared by every host interface.
 *
 * Stand-in for the host SDK header of the same name: same type, constant and
 * struct names, same binary layout as the host's 64-bit Windows build.
 * A_long / A_u_long are fixed at 32 bits (they are `long` on Windows, where
 * long is 32-bit); using int32_t keeps the layout identical on Linux too.
 */
#ifndef _H_A
#define _H_A

#include <stddef.h>
#include <stdint.h>

#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif

#ifdef __cplusplus
extern "C" {
#endif

typedef int32_t         A_long;
typedef uint32_t        A_u_long;
typedef char            A_char;
typedef unsigned char   A_u_char;
typedef int16_t         A_short;
typedef uint16_t        A_u_short;
typedef unsigned char   A_Boolean;
typedef double          A_FpLong;
typedef float           A_FpShort;
typedef int64_t         A_longlong;
typedef uint64_t        A_u_longlong;
typedef intptr_t        A_intptr_t;
typedef A_long          A_Err;
typedef void          **A_Handle;
typedef A_u_longlong    A_HandleSize;
typedef A_long          A_Fixed;    /* 16.16 signed fixed point */
typedef A_u_long        A_UFixed;   /* 16.16 unsigned fixed point */

/* Error codes returned by host suites. */
enum {
    A_Err_NONE = 0,
    A_Err_GENERIC = 1,
    A_Err_STRUCT = 2,
    A_Err_PARAMETER = 3,
    A_Err_ALLOC = 4,
    A_Err_WRONG_THREAD = 5,
    A_Err_CONST_PROJECT_MODIFICATION = 6,
    A_Err_MISSING_SUITE = 13
};

/* A point in time: value / scale seconds. */
typedef struct {
    A_long   value;
    A_u_long scale;
} A_Time;

typedef struct {
    A_long   num;
    A_u_long den;
} A_Ratio;

typedef struct {
    A_FpLong x, y;
} A_FloatPoint;

typedef struct {
    A_FpLong x, y, z;
} A_FloatPoint3;

typedef struct {
    A_FpLong left, top, right, bottom;
} A_FloatRect;

typedef struct {
    A_long x, y;
} A_LPoint;

typedef struct {
    A_long left, top, right, bottom;
} A_LRect;

/* Legacy 16-bit rectangle, in the old Mac Rect member order. */
typedef struct {
    A_short top, left, bottom, right;
} A_Rect;

typedef struct {
    A_FpLong alpha, red, green, blue;
} A_Color;

typedef struct {
    A_FpLong mat[3][3];
} A_Matrix3;

typedef struct {
    A_FpLong mat[4][4];
} A_Matrix4;

#ifdef __cplusplus
}
#endif

#endif /* _H_A */
