#include "AEUtil/AEWorldSuite.h"

#include "AE_EffectCBSuites.h"
#include "framework/ScopedSuite.h"

namespace AEUtil {

PF_Err getPixelFormat(PF_InData* in_data, const PF_EffectWorld* world, PF_PixelFormat& format) {
  ScopedSuite<PF_WorldSuite2> suite(in_data->pica_basicP, kPFWorldSuite, kPFWorldSuiteVersion2);
  if (suite) return suite->PF_GetPixelFormat(world, &format);
  format = (world->world_flags & PF_WorldFlag_DEEP) != 0 ? PF_PixelFormat_ARGB64 : PF_PixelFormat_ARGB32;
  return PF_Err_NONE;
}

}  // namespace AEUtil
