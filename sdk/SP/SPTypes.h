/* SPTypes.h — basic types of the plug-in suite broker (PICA).
 *
 * Stand-in for the host SDK header of the same name, binary compatible with
 * the host's 64-bit Windows build.
 */
#ifndef __SPTypes__
#define __SPTypes__

#include <stddef.h>
#include <stdint.h>

/* Calling convention marker for suite functions; Win64 and the SysV ABI each
 * have a single convention, so it stays empty. */
#ifndef SPAPI
#define SPAPI
#endif

#ifdef __cplusplus
extern "C" {
#endif

typedef int32_t       SPErr;
typedef unsigned char SPBoolean;

#ifdef __cplusplus
}
#endif

/* Error codes. The host forms the four-character ones as multi-character
 * literals (first character in the highest byte); they are spelled in hex
 * here so this header stays free of multichar warnings. */
#define kSPNoError                        ((SPErr)0x00000000)
#define kSPUnimplementedError             ((SPErr)0x21494D50) /* '!IMP' */
#define kSPUserCanceledError              ((SPErr)0x73746F70) /* 'stop' */
#define kSPOperationInterrupted           ((SPErr)0x696E7472) /* 'intr' */
#define kSPLogicError                     ((SPErr)0x66626172) /* 'fbar' */
#define kSPBadParameterError              ((SPErr)0x7061726D) /* 'parm' */
#define kSPOutOfMemoryError               ((SPErr)-108)
#define kSPSuiteNotFoundError             ((SPErr)0x53214664) /* 'S!Fd' */
#define kSPSuiteAlreadyExistsError        ((SPErr)0x53756974) /* 'Suit' */
#define kSPSuiteAlreadyReleasedError      ((SPErr)0x5352656C) /* 'SRel' */
#define kSPBadSuiteListIDError            ((SPErr)0x534C7374) /* 'SLst' */
#define kSPBadSuiteInternalVersionError   ((SPErr)0x53695673) /* 'SiVs' */

#endif /* __SPTypes__ */
