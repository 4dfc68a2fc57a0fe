/* SPBasic.h — the basic suite: acquiring/releasing other suites and raw
 * memory blocks. Every other host service is reached through it.
 *
 * Stand-in for the host SDK header of the same name, binary compatible with
 * the host's 64-bit Windows build.
 */
#ifndef __SPBasic__
#define __SPBasic__

#include "SPTypes.h"

#ifdef __cplusplus
extern "C" {
#endif

#define kSPBasicSuite         "SP Basic Suite"
#define kSPBasicSuiteVersion  4

typedef struct SPBasicSuite {
    /* Looks up suite `name` at `version`; on success *suite points at its
     * function table until the matching ReleaseSuite. */
    SPAPI SPErr (*AcquireSuite)(const char *name, int version, const void **suite);
    SPAPI SPErr (*ReleaseSuite)(const char *name, int version);
    SPAPI SPBoolean (*IsEqual)(const char *token1, const char *token2);
    SPAPI SPErr (*AllocateBlock)(size_t size, void **block);
    SPAPI SPErr (*FreeBlock)(void *block);
    SPAPI SPErr (*ReallocateBlock)(void *block, size_t newSize, void **newblock);
    SPAPI SPErr (*Undefined)(void);
} SPBasicSuite;

#ifdef __cplusplus
}
#endif

#endif /* __SPBasic__ */
