// The parameter panel as the host receives it. Saved projects refer to these ids, and users
// see these names, ranges and defaults: any change here is a compatibility break.
#include <cstring>
#include <string>

#include "support/InklineFixture.h"

namespace {

enum class Kind { Checkbox, Path, FloatSlider, Slider, HoldSlider, Color, Angle, GroupStart, GroupEnd };

struct ParamRow {
  int index;
  const char* name;
  Kind kind;
  A_long id;
  double defaultValue;  // checkbox 0/1; colour: unused
  double validMin, validMax, sliderMin, sliderMax;
  bool percent;
  PF_Pixel color;
};

constexpr bool P = true;   // percent display
constexpr bool N = false;  // plain display

// clang-format off
const ParamRow kPanel[] = {
    {1, "Use All Paths", Kind::Checkbox, 1, 1, 0, 0, 0, 0, N, {}},
    {2, "Target Path", Kind::Path, 2, 0, 0, 0, 0, 0, N, {}},
    {3, "Stroke Sequentially", Kind::Checkbox, 3, 0, 0, 0, 0, 0, N, {}},
    {4, "Opacity", Kind::FloatSlider, 6, 100, 0, 100, 0, 100, P, {}},
    {5, "Color", Kind::Color, 4, 0, 0, 0, 0, 0, N, {255, 0, 0, 0}},
    {6, "Thickness", Kind::FloatSlider, 5, 5, 0, 1000, 0, 50, N, {}},
    {7, "Length", Kind::FloatSlider, 7, 100, -100, 100, -100, 100, P, {}},
    {8, "Drawing Offset", Kind::FloatSlider, 8, 0, -2000, 2000, 0, 100, N, {}},
    {9, "Loop", Kind::Checkbox, 9, 1, 0, 0, 0, 0, N, {}},
    {10, "Loop Interval", Kind::FloatSlider, 10, 0, 0, 1000, 0, 100, P, {}},
    {11, "Random Interval", Kind::HoldSlider, 13, 0, 0, 1000, 0, 60, N, {}},
    {12, "Random Array", Kind::HoldSlider, 71, 0, 0, 10, 0, 10, N, {}},
    {13, "Random Seed", Kind::HoldSlider, 14, 0, 0, 10000, 0, 100, N, {}},
    {14, "Clear Background", Kind::Checkbox, 62, 1, 0, 0, 0, 0, N, {}},
    {15, "In/Out", Kind::GroupStart, 15, 0, 0, 0, 0, 0, N, {}},
    {16, "Enable In/Out", Kind::Checkbox, 16, 1, 0, 0, 0, 0, N, {}},
    {17, "Start Thickness", Kind::FloatSlider, 17, 0, 0, 100, 0, 100, P, {}},
    {18, "Start Length", Kind::FloatSlider, 19, 20, 0, 100, 0, 100, P, {}},
    {19, "Start Bias", Kind::FloatSlider, 21, 15, -100, 100, -100, 100, P, {}},
    {20, "End Thickness", Kind::FloatSlider, 18, 0, 0, 100, 0, 100, P, {}},
    {21, "End Length", Kind::FloatSlider, 20, 20, 0, 100, 0, 100, P, {}},
    {22, "End Bias", Kind::FloatSlider, 22, 15, -100, 100, -100, 100, P, {}},
    {23, "S/E Length Inhibition", Kind::FloatSlider, 61, 0, 0, 10, 0, 10, N, {}},
    {24, "Fixed Ends Shape", Kind::Checkbox, 25, 1, 0, 0, 0, 0, N, {}},
    {25, "Use Start/End Opacity", Kind::Checkbox, 69, 0, 0, 0, 0, 0, N, {}},
    {26, "Start Opacity", Kind::FloatSlider, 23, 0, 0, 100, 0, 100, P, {}},
    {27, "End Opacity", Kind::FloatSlider, 24, 0, 0, 100, 0, 100, P, {}},
    {28, "Opacity Center Position", Kind::FloatSlider, 70, 50, 0, 100, 0, 100, P, {}},
    {29, "", Kind::GroupEnd, 26, 0, 0, 0, 0, 0, N, {}},
    {30, "Copy Stroke", Kind::GroupStart, 27, 0, 0, 0, 0, 0, N, {}},
    {31, "Enable Copy Stroke", Kind::Checkbox, 28, 0, 0, 0, 0, 0, N, {}},
    {32, "Copy Number", Kind::Slider, 29, 0, 0, 100, 0, 20, N, {}},
    {33, "Copy Random", Kind::Slider, 30, 0, 0, 100, 0, 20, N, {}},
    {34, "Copy Offset X", Kind::FloatSlider, 31, 0, -1000, 1000, -50, 50, N, {}},
    {35, "Copy Offset Y", Kind::FloatSlider, 32, 0, -1000, 1000, -50, 50, N, {}},
    {36, "", Kind::GroupEnd, 33, 0, 0, 0, 0, 0, N, {}},
    {37, "Randomize", Kind::GroupStart, 34, 0, 0, 0, 0, 0, N, {}},
    {38, "Thickness Random", Kind::FloatSlider, 37, 0, 0, 100, 0, 100, P, {}},
    {39, "Length Random", Kind::FloatSlider, 36, 0, 0, 100, 0, 100, P, {}},
    {40, "Drawing Offset Random", Kind::FloatSlider, 67, 0, 0, 100, 0, 100, P, {}},
    {41, "Color Random", Kind::GroupStart, 38, 0, 0, 0, 0, 0, N, {}},
    {42, "H", Kind::Angle, 39, 0, 0, 0, 0, 0, N, {}},
    {43, "S", Kind::FloatSlider, 40, 0, 0, 100, 0, 100, P, {}},
    {44, "V", Kind::FloatSlider, 41, 0, 0, 100, 0, 100, P, {}},
    {45, "", Kind::GroupEnd, 42, 0, 0, 0, 0, 0, N, {}},
    {46, "Offset X Random", Kind::FloatSlider, 43, 0, 0, 1000, 0, 50, N, {}},
    {47, "Offset Y Random", Kind::FloatSlider, 44, 0, 0, 1000, 0, 50, N, {}},
    {48, "Rotation Random", Kind::Angle, 50, 0, 0, 0, 0, 0, N, {}},
    {49, "Scale X Random", Kind::FloatSlider, 51, 0, 0, 100, 0, 100, N, {}},
    {50, "Scale Y Random", Kind::FloatSlider, 52, 0, 0, 100, 0, 100, N, {}},
    {51, "", Kind::GroupEnd, 53, 0, 0, 0, 0, 0, N, {}},
    {52, "Wave", Kind::GroupStart, 74, 0, 0, 0, 0, 0, N, {}},
    {53, "Enable Wave", Kind::Checkbox, 63, 0, 0, 0, 0, 0, N, {}},
    {54, "Wave Amount", Kind::FloatSlider, 45, 0, -1000, 1000, 0, 10, N, {}},
    {55, "Wave Length", Kind::FloatSlider, 46, 10, 1, 100, 1, 100, P, {}},
    {56, "Wave Phase", Kind::FloatSlider, 64, 0, -10000, 10000, 0, 100, N, {}},
    {57, "Wave Tangent Length", Kind::FloatSlider, 47, 50, 0, 100, 0, 100, P, {}},
    {58, "Wave Amount Random", Kind::FloatSlider, 48, 100, 0, 100, 0, 100, P, {}},
    {59, "Wave Length Random", Kind::FloatSlider, 49, 0, 0, 100, 0, 100, P, {}},
    {60, "Alternate Wave", Kind::Checkbox, 76, 1, 0, 0, 0, 0, N, {}},
    {61, "Round Corners", Kind::FloatSlider, 73, 0, 0, 200, 0, 100, P, {}},
    {62, "Loop Buffer", Kind::Slider, 65, 100, 2, 1000, 2, 100, N, {}},
    {63, "", Kind::GroupEnd, 75, 0, 0, 0, 0, 0, N, {}},
    {64, "Gradation Stroke", Kind::GroupStart, 54, 0, 0, 0, 0, 0, N, {}},
    {65, "Enable Gradation Stroke", Kind::Checkbox, 55, 0, 0, 0, 0, 0, N, {}},
    {66, "Start Color", Kind::Color, 57, 0, 0, 0, 0, 0, N, {255, 255, 0, 0}},
    {67, "End Color", Kind::Color, 58, 0, 0, 0, 0, 0, N, {255, 255, 255, 255}},
    {68, "Center Position", Kind::FloatSlider, 59, 50, 0, 100, 0, 100, P, {}},
    {69, "Use Center Color", Kind::Checkbox, 56, 1, 0, 0, 0, 0, N, {}},
    {70, "", Kind::GroupEnd, 60, 0, 0, 0, 0, 0, N, {}},
};
// clang-format on

PF_ParamType typeOf(Kind kind) {
  switch (kind) {
    case Kind::Checkbox: return PF_Param_CHECKBOX;
    case Kind::Path: return PF_Param_PATH;
    case Kind::FloatSlider: return PF_Param_FLOAT_SLIDER;
    case Kind::Slider:
    case Kind::HoldSlider: return PF_Param_SLIDER;
    case Kind::Color: return PF_Param_COLOR;
    case Kind::Angle: return PF_Param_ANGLE;
    case Kind::GroupStart: return PF_Param_GROUP_START;
    case Kind::GroupEnd: return PF_Param_GROUP_END;
  }
  return PF_Param_RESERVED;
}

void expectDefinition(const ParamRow& row, const PF_ParamDef& def) {
  SCOPED_TRACE(std::string("index ") + std::to_string(row.index) + " \"" + row.name + "\"");
  EXPECT_EQ(def.param_type, typeOf(row.kind));
  EXPECT_STREQ(def.name, row.name);
  EXPECT_EQ(def.uu.id, row.id);
  EXPECT_EQ(def.ui_flags, 0);
  // Every entry but a group end starts from the collapsed template; holds add CANNOT_INTERP.
  PF_ParamFlags flags = row.kind == Kind::GroupEnd ? 0 : PF_ParamFlag_COLLAPSE_TWIRLY;
  if (row.kind == Kind::HoldSlider) flags |= PF_ParamFlag_CANNOT_INTERP;
  EXPECT_EQ(def.flags, flags);
  switch (row.kind) {
    case Kind::Checkbox:
      EXPECT_EQ(def.u.bd.value, row.defaultValue);
      EXPECT_EQ(def.u.bd.dephault, row.defaultValue);
      break;
    case Kind::Path: EXPECT_EQ(def.u.path_d.dephault, 0); break;
    case Kind::FloatSlider: {
      const PF_FloatSliderDef& fs = def.u.fs_d;
      EXPECT_EQ(fs.value, row.defaultValue);
      EXPECT_EQ(fs.dephault, row.defaultValue);
      EXPECT_EQ(fs.valid_min, row.validMin);
      EXPECT_EQ(fs.valid_max, row.validMax);
      EXPECT_EQ(fs.slider_min, row.sliderMin);
      EXPECT_EQ(fs.slider_max, row.sliderMax);
      EXPECT_EQ(fs.precision, 1);
      EXPECT_EQ(fs.display_flags, row.percent ? PF_ValueDisplayFlag_PERCENT : PF_ValueDisplayFlag_NONE);
      EXPECT_EQ(fs.fs_flags, 0);
      EXPECT_EQ(fs.curve_tolerance, 0.05f);
      break;
    }
    case Kind::Slider:
    case Kind::HoldSlider: {
      const PF_SliderDef& sd = def.u.sd;
      EXPECT_EQ(sd.value, row.defaultValue);
      EXPECT_EQ(sd.dephault, row.defaultValue);
      EXPECT_EQ(sd.valid_min, row.validMin);
      EXPECT_EQ(sd.valid_max, row.validMax);
      EXPECT_EQ(sd.slider_min, row.sliderMin);
      EXPECT_EQ(sd.slider_max, row.sliderMax);
      break;
    }
    case Kind::Color:
      EXPECT_EQ(std::memcmp(&def.u.cd.value, &row.color, sizeof row.color), 0);
      EXPECT_EQ(std::memcmp(&def.u.cd.dephault, &row.color, sizeof row.color), 0);
      break;
    case Kind::Angle:
      EXPECT_EQ(def.u.ad.value, 0);
      EXPECT_EQ(def.u.ad.dephault, 0);
      break;
    case Kind::GroupStart:
    case Kind::GroupEnd: break;
  }
}

class ParameterListTest : public InklineTest {
protected:
  void SetUp() override { ASSERT_EQ(effect.globalSetup().err, PF_Err_NONE); }
};

TEST_F(ParameterListTest, TheHostReceivesThePanelExactly) {
  const aehost::CommandResult result = effect.paramsSetup();
  ASSERT_EQ(result.err, PF_Err_NONE);
  EXPECT_EQ(result.out.num_params, 71);
  const std::vector<aehost::RegisteredParam> added = effect.parameters().added();
  ASSERT_EQ(added.size(), std::size(kPanel));
  for (const ParamRow& row : kPanel) {
    const aehost::RegisteredParam& param = added[static_cast<std::size_t>(row.index) - 1];
    ASSERT_EQ(param.index, row.index);
    expectDefinition(row, param.def);
  }
}

TEST_F(ParameterListTest, AFailingAddStopsRegistrationButCountsEverything) {
  effect.parameters().failNthAddParam(5, PF_Err_OUT_OF_MEMORY);
  const aehost::CommandResult result = effect.paramsSetup();
  EXPECT_EQ(result.err, PF_Err_OUT_OF_MEMORY);
  EXPECT_EQ(result.out.num_params, 71);
  EXPECT_EQ(effect.parameters().added().size(), 4u);
}

}  // namespace
