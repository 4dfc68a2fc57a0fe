// Parameter values over time: static values, keyframes and how each type interpolates.
#include <gtest/gtest.h>

#include <initializer_list>
#include <stdexcept>
#include <string>
#include <vector>

#include "aehost/EffectInstance.h"
#include "aehost/Host.h"
#include "aehost/ParamTrack.h"
#include "aehost/PluginModule.h"
#include "aehost_testing/ParamDefs.h"
#include "aehost_testing/ProbeModule.h"
#include "support/ProbeFixture.h"

namespace {

using namespace aehost;
using namespace aehost::testing;

TEST(ParamTrack, StaticValueWithoutKeyframes) {
  const ParamTrack track(FloatSliderValue{2.5}, Interpolation::Linear);
  EXPECT_EQ(track.valueAt(-100), ParamValue{FloatSliderValue{2.5}});
  EXPECT_EQ(track.valueAt(1e6), ParamValue{FloatSliderValue{2.5}});
}

TEST(ParamTrack, FirstValueBeforeAndLastValueAfterTheKeyframes) {
  ParamTrack track(FloatSliderValue{0}, Interpolation::Linear);
  track.setKeyframes({{10, FloatSliderValue{1}}, {20, FloatSliderValue{3}}});
  EXPECT_EQ(track.valueAt(0), ParamValue{FloatSliderValue{1}});
  EXPECT_EQ(track.valueAt(10), ParamValue{FloatSliderValue{1}});
  EXPECT_EQ(track.valueAt(15), ParamValue{FloatSliderValue{2}});
  EXPECT_EQ(track.valueAt(20), ParamValue{FloatSliderValue{3}});
  EXPECT_EQ(track.valueAt(500), ParamValue{FloatSliderValue{3}});
}

TEST(ParamTrack, KeyframesAreSortedAndOnePerTime) {
  ParamTrack track(SliderValue{0}, Interpolation::Linear);
  track.setKeyframe(20, SliderValue{20});
  track.setKeyframe(0, SliderValue{0});
  track.setKeyframe(20, SliderValue{40});
  ASSERT_EQ(track.keyframes().size(), 2u);
  EXPECT_EQ(track.keyframes()[0].time, 0);
  EXPECT_EQ(track.keyframes()[1].value, ParamValue{SliderValue{40}});
}

TEST(ParamTrack, HoldKeepsTheLastKeyframeAtOrBeforeTheTime) {
  ParamTrack track(PopupValue{1}, Interpolation::Hold);
  track.setKeyframes({{0, PopupValue{1}}, {10, PopupValue{3}}, {20, PopupValue{2}}});
  EXPECT_EQ(track.valueAt(9.99), ParamValue{PopupValue{1}});
  EXPECT_EQ(track.valueAt(10), ParamValue{PopupValue{3}});
  EXPECT_EQ(track.valueAt(19), ParamValue{PopupValue{3}});
  EXPECT_EQ(track.valueAt(25), ParamValue{PopupValue{2}});
}

TEST(ParamTrack, StaticValueReplacesTheKeyframesAndClearingReturnsToIt) {
  ParamTrack track(AngleValue{0}, Interpolation::Linear);
  track.setKeyframes({{0, AngleValue{10}}, {10, AngleValue{20}}});
  track.setStatic(AngleValue{90});
  EXPECT_TRUE(track.keyframes().empty());
  EXPECT_EQ(track.valueAt(5), ParamValue{AngleValue{90}});
  track.setKeyframe(0, AngleValue{1});
  track.clearKeyframes();
  EXPECT_EQ(track.valueAt(5), ParamValue{AngleValue{90}});
}

// The probe with one parameter of every kind the host gives a value.
class HostParamValues : public ProbeTest {
 protected:
  enum : PF_ParamIndex { kSlider = 1, kFixed, kFloat, kAngle, kCheckbox, kColor, kPoint, kPopup, kPath, kStepped, kConstant };

  void SetUp() override {
    script({
        sliderDef("Slider", 0, 1),
        fixedSliderDef("Fixed", 0, 2),
        floatSliderDef("Float", 0, 3),
        angleDef("Angle", 0, 4),
        checkboxDef("Checkbox", "on", false, 5),
        colorDef("Color", PF_Pixel{255, 0, 0, 0}, 6),
        pointDef("Point", 0, 0, 7),
        popupDef("Popup", "A|B|C", 3, 1, 8),
        pathDef("Path", 0, 9),
        floatSliderDef("Stepped", 0, 10, PF_ParamFlag_CANNOT_INTERP),
        floatSliderDef("Constant", 7, 11, PF_ParamFlag_CANNOT_TIME_VARY),
    });
    ASSERT_EQ(instance.paramsSetup().err, PF_Err_NONE);
    ASSERT_EQ(params.indexOf("Constant"), kConstant);
  }
};

TEST_F(HostParamValues, SliderIsLinearRoundedToTheNearestInteger) {
  params.setKeyframes(kSlider, {{0, SliderValue{0}}, {24, SliderValue{10}}});
  EXPECT_EQ(params.valueAt<SliderValue>(kSlider, 5).value, 2);  // 2.08
  EXPECT_EQ(params.valueAt<SliderValue>(kSlider, 7).value, 3);  // 2.92
  EXPECT_EQ(params.definitionAt(kSlider, 12).u.sd.value, 5);
}

TEST_F(HostParamValues, FixedSliderAndAngleAreLinearIn16Dot16) {
  params.setKeyframes(kFixed, {{0, FixedSliderValue{1}}, {10, FixedSliderValue{2}}});
  params.setKeyframes(kAngle, {{0, AngleValue{0}}, {10, AngleValue{90}}});
  EXPECT_EQ(params.definitionAt(kFixed, 5).u.fd.value, fixed(1.5));
  EXPECT_EQ(params.definitionAt(kAngle, 3).u.ad.value, fixed(27));
  EXPECT_DOUBLE_EQ(params.valueAt<AngleValue>(kAngle, 1).degrees, 9);
}

TEST_F(HostParamValues, FloatSliderIsLinear) {
  params.setKeyframes(kFloat, {{0, FloatSliderValue{-1}}, {4, FloatSliderValue{1}}});
  EXPECT_DOUBLE_EQ(params.definitionAt(kFloat, 1).u.fs_d.value, -0.5);
}

TEST_F(HostParamValues, ColorIsLinearPerChannelRounded) {
  params.setKeyframes(kColor, {{0, ColorValue{255, 0, 100, 255}}, {3, ColorValue{255, 255, 101, 0}}});
  const PF_Pixel c = params.definitionAt(kColor, 1).u.cd.value;
  EXPECT_EQ(c.alpha, 255);
  EXPECT_EQ(c.red, 85);
  EXPECT_EQ(c.green, 100);  // 100.33
  EXPECT_EQ(c.blue, 170);
}

TEST_F(HostParamValues, PointIsLinearInLayerPixels) {
  params.setKeyframes(kPoint, {{0, PointValue{0, 100}}, {8, PointValue{800, 0}}});
  const PF_ParamDef def = params.definitionAt(kPoint, 2);
  EXPECT_EQ(def.u.td.x_value, fixed(200));
  EXPECT_EQ(def.u.td.y_value, fixed(75));
}

TEST_F(HostParamValues, CheckboxPopupAndPathHold) {
  params.setKeyframes(kCheckbox, {{0, CheckboxValue{false}}, {10, CheckboxValue{true}}});
  params.setKeyframes(kPopup, {{0, PopupValue{1}}, {10, PopupValue{3}}});
  params.setKeyframes(kPath, {{0, PathValue{7}}, {10, PathValue{9}}});
  EXPECT_EQ(params.definitionAt(kCheckbox, 9).u.bd.value, 0);
  EXPECT_EQ(params.definitionAt(kCheckbox, 10).u.bd.value, 1);
  EXPECT_EQ(params.definitionAt(kPopup, 9).u.pd.value, 1);
  EXPECT_EQ(params.definitionAt(kPath, 9).u.path_d.path_id, 7u);
  EXPECT_EQ(params.definitionAt(kPath, 11).u.path_d.path_id, 9u);
}

TEST_F(HostParamValues, CannotInterpHolds) {
  params.setKeyframes(kStepped, {{0, FloatSliderValue{0}}, {10, FloatSliderValue{10}}});
  EXPECT_EQ(params.valueAt<FloatSliderValue>(kStepped, 9).value, 0);
  EXPECT_EQ(params.valueAt<FloatSliderValue>(kStepped, 10).value, 10);
}

TEST_F(HostParamValues, BeforeTheFirstAndAfterTheLastKeyframe) {
  params.setKeyframes(kFloat, {{10, FloatSliderValue{1}}, {20, FloatSliderValue{2}}});
  EXPECT_EQ(params.valueAt<FloatSliderValue>(kFloat, -5).value, 1);
  EXPECT_EQ(params.valueAt<FloatSliderValue>(kFloat, 1000).value, 2);
}

TEST_F(HostParamValues, TypedSettersSetStaticValues) {
  params.setSlider(kSlider, 42);
  params.setFixedSlider(kFixed, 1.25);
  params.setFloat(kFloat, 3.5);
  params.setAngleDegrees(kAngle, 45);
  params.setCheckbox(kCheckbox, true);
  params.setColor(kColor, ColorValue{255, 1, 2, 3});
  params.setPoint(kPoint, 10, 20);
  params.setPopup(kPopup, 3);
  params.setPathId(kPath, 77);
  const PF_ParamDef slider = params.definitionAt(kSlider, 100);
  EXPECT_EQ(slider.u.sd.value, 42);
  EXPECT_EQ(params.definitionAt(kFixed, 0).u.fd.value, fixed(1.25));
  EXPECT_EQ(params.definitionAt(kFloat, 0).u.fs_d.value, 3.5);
  EXPECT_EQ(params.definitionAt(kAngle, 0).u.ad.value, fixed(45));
  EXPECT_EQ(params.definitionAt(kCheckbox, 0).u.bd.value, 1);
  EXPECT_EQ(params.definitionAt(kColor, 0).u.cd.value.blue, 3);
  EXPECT_EQ(params.definitionAt(kPoint, 0).u.td.y_value, fixed(20));
  EXPECT_EQ(params.definitionAt(kPopup, 0).u.pd.value, 3);
  EXPECT_EQ(params.definitionAt(kPath, 0).u.path_d.path_id, 77u);
  EXPECT_EQ(params.currentValue(kConstant), ParamValue{FloatSliderValue{7}});
}

TEST_F(HostParamValues, ValueDependsOnlyOnTheTimeAskedFor) {
  params.setKeyframes(kFloat, {{0, FloatSliderValue{0}}, {10, FloatSliderValue{10}}});
  instance.setCurrentTime(10);
  EXPECT_EQ(params.valueAt<FloatSliderValue>(kFloat, 5).value, 5);
  EXPECT_EQ(params.currentValue(kFloat), ParamValue{FloatSliderValue{10}});
}

TEST_F(HostParamValues, MisuseByTheTestThrows) {
  EXPECT_THROW(params.setFloat(kSlider, 1.0), std::invalid_argument);
  EXPECT_THROW(params.setKeyframe(kPopup, 0, CheckboxValue{true}), std::invalid_argument);
  EXPECT_THROW(params.setKeyframe(kConstant, 0, FloatSliderValue{1}), std::invalid_argument);
  EXPECT_THROW(params.setSlider(99, 1), std::out_of_range);
  EXPECT_THROW(params.valueAt(-1, 0), std::out_of_range);
  params.setFloat(kConstant, 2);  // a static value is fine
  EXPECT_EQ(params.currentValue(kConstant), ParamValue{FloatSliderValue{2}});
}

}  // namespace
