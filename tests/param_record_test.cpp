// Parameter values reach the renderer as the host holds them: checked out at the frame's time,
// copied into the record field by field without conversion.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <type_traits>
#include <vector>

#include "aehost/HostScope.h"
#include "effect/ParamRecord.h"
#include "framework/EffectHooks.h"
#include "params/BaseParam.h"
#include "params/ParamAdd.h"
#include "params/ParamGetter.h"
#include "params/ParamRegistry.h"
#include "support/InklineFixture.h"

namespace {

using aehost::ColorValue;
using aehost::FloatSliderValue;
using aehost::SliderValue;

// A kind binds only to a record field of the type its value has in the host's value union.
template <typename Param, typename Field>
constexpr bool kBinds = std::is_constructible_v<Param, RecordField<Field>, const char*, const PF_ParamDef*>;
static_assert(kBinds<ParamAddSlider, A_long> && !kBinds<ParamAddSlider, PF_FpLong>);
static_assert(kBinds<ParamAddFloatSlider, PF_FpLong> && !kBinds<ParamAddFloatSlider, A_u_char>);
static_assert(kBinds<ParamAddAngle, PF_Fixed> && !kBinds<ParamAddAngle, PF_FpLong>);
static_assert(kBinds<ParamAddCheckbox, A_u_char> && !kBinds<ParamAddCheckbox, A_long>);
static_assert(kBinds<ParamAddColor, PF_Pixel> && !kBinds<ParamAddColor, A_long>);
static_assert(kBinds<ParamAddPath, PF_PathID> && !kBinds<ParamAddPath, PF_FpLong>);

class ParamRecordTest : public InklineTest {
protected:
  void SetUp() override {
    ASSERT_EQ(effect.globalSetup().err, PF_Err_NONE);
    ASSERT_EQ(effect.paramsSetup().err, PF_Err_NONE);
    // The same list in this process, to read through the host's callbacks directly.
    buildEffectParameters();
  }
  PF_ParamIndex idx(const char* name) { return effect.parameters().indexOf(name); }
};

TEST_F(ParamRecordTest, CheckoutAtTheFrameTimeFillsEveryField) {
  aehost::Parameters& p = effect.parameters();
  p.setKeyframes(idx("Thickness"), {{0, FloatSliderValue{10}}, {24, FloatSliderValue{20}}});
  p.setKeyframes(idx("Random Seed"), {{0, SliderValue{1}}, {24, SliderValue{9}}});  // holds
  p.setKeyframes(idx("Wave Phase"), {{0, FloatSliderValue{0}}, {24, FloatSliderValue{-48}}});
  p.setColor(idx("Start Color"), ColorValue{255, 1, 2, 3});
  p.setCheckbox(idx("Loop"), false);
  p.setAngleDegrees(idx("H"), 45);
  p.setPathId(idx("Target Path"), 7);
  p.setSlider(idx("Loop Buffer"), 12);
  effect.setCurrentTime(12);
  ASSERT_EQ(effect.about().err, PF_Err_NONE);  // any command: in_data at the current time
  PF_InData in = effect.lastInData();

  ParamRecord record;
  std::memset(&record, 0xEE, sizeof record);
  std::size_t read = 0;
  {
    aehost::HostScope scope(host, "test", in.effect_ref);
    GetParamByCheckout getter(&in, nullptr, true);
    ASSERT_EQ(ParamRegistry::instance().readAll(&record, getter, read), PF_Err_NONE);
  }
  EXPECT_EQ(read, 70u);
  EXPECT_EQ(record.useAllPaths, 1);
  EXPECT_EQ(record.targetPath, 7u);
  EXPECT_EQ(record.opacity, 100.0);
  EXPECT_EQ(record.thickness, 15.0);
  EXPECT_EQ(record.randomSeed, 1);
  EXPECT_EQ(record.loop, 0);
  EXPECT_EQ(record.hueRandom, 45 << 16);
  EXPECT_EQ(record.wavePhase, -24.0);
  EXPECT_EQ(record.waveLength, 10.0);  // the record's wave fields are not in panel order
  EXPECT_EQ(record.loopBuffer, 12);
  EXPECT_EQ(record.startColor.red, 1);
  EXPECT_EQ(record.startColor.blue, 3);
  EXPECT_EQ(record.endColor.green, 255);
  EXPECT_EQ(record.centerPosition, 50.0);
  // Every private copy went back to the host (the audit in TearDown would say otherwise).
  EXPECT_THAT(p.outstandingCheckouts(), ::testing::IsEmpty());
}

TEST(RecordFieldTest, AMemberGivesTheOffsetAndSizeOfItsField) {
  const RecordField<PF_FpLong> thickness = recordField(&ParamRecord::thickness);
  EXPECT_EQ(thickness.offset, static_cast<std::int32_t>(offsetof(ParamRecord, thickness)));
  EXPECT_EQ(thickness.size, 8);
  const RecordField<PF_Pixel> endColor = recordField(&ParamRecord::endColor);
  EXPECT_EQ(endColor.offset, static_cast<std::int32_t>(offsetof(ParamRecord, endColor)));
  EXPECT_EQ(endColor.size, 4);
  const RecordField<A_u_char> useAllPaths = recordField(&ParamRecord::useAllPaths);
  EXPECT_EQ(useAllPaths.offset, 0);
  EXPECT_EQ(useAllPaths.size, 1);
}

TEST_F(ParamRecordTest, ACheckboxKeepsTheLowByteOfItsValue) {
  std::vector<PF_ParamDef> defs;
  for (PF_ParamIndex i = 0; i < effect.parameters().count(); ++i) defs.push_back(effect.parameters().definitionAt(i, 0));
  defs[static_cast<std::size_t>(idx("Loop"))].u.bd.value = 0x100;
  defs[static_cast<std::size_t>(idx("Use All Paths"))].u.bd.value = 0x201;
  std::vector<PF_ParamDef*> params;
  for (PF_ParamDef& def : defs) params.push_back(&def);

  ParamRecord record;
  std::memset(&record, 0xEE, sizeof record);
  GetParamFromArray getter(params.data());
  std::size_t read = 0;
  ASSERT_EQ(ParamRegistry::instance().readAll(&record, getter, read), PF_Err_NONE);
  EXPECT_EQ(record.loop, 0);
  EXPECT_EQ(record.useAllPaths, 1);
}

TEST_F(ParamRecordTest, LookupByIdFindsHostIndices) {
  const ParamRegistry& registry = ParamRegistry::instance();
  EXPECT_EQ(registry.indexOfId(1), 1);    // "Use All Paths"
  EXPECT_EQ(registry.indexOfId(13), 11);  // "Random Interval"
  EXPECT_EQ(registry.indexOfId(71), 12);  // "Random Array"
  EXPECT_EQ(registry.indexOfId(60), 70);  // the last group end
  for (A_long unused : {0, 11, 12, 35, 66, 68, 72, 77}) EXPECT_EQ(registry.indexOfId(unused), 0) << unused;
  EXPECT_EQ(registry.paramCount(), 71);
}

TEST_F(ParamRecordTest, TheOptionsPathFillsOnlyTheDefinitions) {
  effect.parameters().setFloat(idx("Thickness"), 12.5);
  std::vector<PF_ParamDef> defs;
  for (PF_ParamIndex i = 0; i < effect.parameters().count(); ++i) defs.push_back(effect.parameters().definitionAt(i, 0));
  std::vector<PF_ParamDef*> params;
  for (PF_ParamDef& def : defs) params.push_back(&def);

  GetParamFromArray getter(params.data());
  std::size_t read = 0;
  ASSERT_EQ(ParamRegistry::instance().readAll(nullptr, getter, read), PF_Err_NONE);
  ParamRegistry& registry = ParamRegistry::instance();
  EXPECT_EQ(registry.atIndex(idx("Thickness"))->def.u.fs_d.value, 12.5);
  EXPECT_EQ(registry.atIndex(idx("Use All Paths"))->def.u.bd.value, 1);
}

}  // namespace
