#include "AEUtil/AEWorldSuite.h"

#include "AE_EffectCBSuites.h"
#include "AEUtil/AEException.h"
#include "framework/ScopedSuite.h"

namespace AEUtil {

namespace {
constexpr const char* kNewWorldSignature =
    "class AEUtil::EffectWorldPtr __cdecl AEUtil::WorldSuite::newWorld(PF_InData *,int,int,int,bool)";
}

PF_Err WorldSuite::getPixelFormat(PF_InData* in_data, const PF_EffectWorld* world, PF_PixelFormat& format,
                                  short smartRenderBitDepth) {
  ScopedSuite<PF_WorldSuite2> suite(in_data->pica_basicP, kPFWorldSuite, kPFWorldSuiteVersion2);
  if (suite) return suite->PF_GetPixelFormat(world, &format);
  switch (smartRenderBitDepth) {
    case 8: format = PF_PixelFormat_ARGB32; break;
    case 16: format = PF_PixelFormat_ARGB64; break;
    case 32: format = PF_PixelFormat_ARGB128; break;
    default:
      format = (world->world_flags & PF_WorldFlag_DEEP) != 0 ? PF_PixelFormat_ARGB64 : PF_PixelFormat_ARGB32;
  }
  return PF_Err_NONE;
}

EffectWorldPtr WorldSuite::newWorld(PF_InData* in_data, A_long width, A_long height, PF_PixelFormat format,
                                   bool clearPixels) {
  EffectWorldPtr holder(new EffectWorldPtr::controlBlock{in_data->pica_basicP, in_data->effect_ref, {}, 1});
  PF_Err err = PF_Err_NONE;
  {
    ScopedSuite<PF_WorldSuite2> suite2(in_data->pica_basicP, kPFWorldSuite, kPFWorldSuiteVersion2);
    if (suite2) {
      err = suite2->PF_NewWorld(in_data->effect_ref, width, height, clearPixels, format, holder.get());
    } else if (format == PF_PixelFormat_ARGB32 || format == PF_PixelFormat_ARGB64) {
      ScopedSuite<PF_WorldSuite1> suite1(in_data->pica_basicP, kPFWorldSuite, kPFWorldSuiteVersion1);
      if (!suite1) throw AEException(PF_Err_BAD_CALLBACK_PARAM, __LINE__, __FILE__, kNewWorldSignature);
      PF_NewWorldFlags flags = clearPixels ? PF_NewWorldFlag_CLEAR_PIXELS : PF_NewWorldFlag_NONE;
      if (format == PF_PixelFormat_ARGB64) flags |= PF_NewWorldFlag_DEEP_PIXELS;
      err = suite1->new_world(in_data->effect_ref, width, height, flags, holder.get());
    } else {
      err = PF_Err_BAD_CALLBACK_PARAM;
    }
  }
  if (err != PF_Err_NONE) {
    // Nothing was made: the holder must not hand an empty world back for disposal.
    delete holder.block_;
    holder.block_ = nullptr;
    holder.world_ = nullptr;
    throw AEException(err, __LINE__, __FILE__, kNewWorldSignature);
  }
  return holder;
}

}  // namespace AEUtil
