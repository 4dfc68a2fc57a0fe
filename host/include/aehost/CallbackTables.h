#pragma once

// The tables of plain functions handed to an effect. They find their host through the
// current HostScope and fail safely (error, NULL, no effect) when there is none, so tests can
// call them in-process exactly as an effect would.

#include "AE_AdvEffectSuites.h"
#include "AE_Effect.h"
#include "AE_EffectCB.h"
#include "AE_EffectCBSuites.h"
#include "AE_EffectSuites.h"
#include "SPBasic.h"

namespace aehost {

SPBasicSuite makeBasicSuite();
const PFAppSuite5& appSuite();
PF_UtilCallbacks makeUtilCallbacks();
PF_InteractCallbacks makeInteractCallbacks();
// "PF Param Utils Suite" version 3, and version 2 with the older PF_ParamUtilsSuite1 table.
const PF_ParamUtilsSuite3& paramUtilsSuite3();
const PF_ParamUtilsSuite1& paramUtilsSuite1();
// "PF World Suite" versions 2 and 1.
const PF_WorldSuite2& worldSuite2();
const PF_WorldSuite1& worldSuite1();
// "PF Fill Matte Suite" version 2, "PF World Transform Suite" version 1.
const PF_FillMatteSuite2& fillMatteSuite2();
const PF_WorldTransformSuite1& worldTransformSuite1();
// "PF Path Query Suite" and "PF Path Data Suite", version 1.
const PF_PathQuerySuite1& pathQuerySuite1();
const PF_PathDataSuite1& pathDataSuite1();

}  // namespace aehost
