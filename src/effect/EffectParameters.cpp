// The effect's parameter panel, in the order the host shows it.
#include <memory>

#include "effect/ParamIds.h"
#include "effect/ParamRecord.h"
#include "framework/EffectHooks.h"
#include "params/GroupScope.h"
#include "params/ParamAdd.h"
#include "params/ParamRegistry.h"
#include "params/RecordField.h"

namespace {

// Every group starts collapsed; the hold parameters change in steps between keyframes.
PF_ParamDef definitionTemplate(PF_ParamFlags extraFlags) {
  PF_ParamDef def{};
  def.flags = PF_ParamFlag_COLLAPSE_TWIRLY | extraFlags;
  return def;
}
const PF_ParamDef kTemplate = definitionTemplate(0);
const PF_ParamDef kHoldTemplate = definitionTemplate(PF_ParamFlag_CANNOT_INTERP);

// Each helper takes the record member of its kind's value type; a member of another type
// does not compile.
template <typename Param>
using MemberOf = typename Param::Value ParamRecord::*;

template <typename Param>
Param& append(A_long id, std::unique_ptr<Param> param) {
  param->id = id;
  Param& added = *param;
  ParamRegistry::instance().append(std::move(param));
  return added;
}

template <typename Param>
Param& add(A_long id, MemberOf<Param> field, const char* name, const PF_ParamDef& tmpl = kTemplate) {
  return append(id, std::make_unique<Param>(recordField(field), name, &tmpl));
}

void checkbox(A_long id, MemberOf<ParamAddCheckbox> field, const char* name, bool on) {
  add<ParamAddCheckbox>(id, field, name).defaultValue = on ? 1 : 0;
}

enum class Display : A_short { Plain = PF_ValueDisplayFlag_NONE, Percent = PF_ValueDisplayFlag_PERCENT };

void floatSlider(A_long id, MemberOf<ParamAddFloatSlider> field, const char* name, float defaultValue,
                 float validMin, float validMax, float sliderMin, float sliderMax, Display display) {
  auto& p = add<ParamAddFloatSlider>(id, field, name);
  p.defaultValue = defaultValue;
  p.validMin = validMin;
  p.validMax = validMax;
  p.sliderMin = sliderMin;
  p.sliderMax = sliderMax;
  p.precision = 1;
  p.displayFlags = static_cast<A_short>(display);
  p.wantPhase = 0;
}

void percentSlider(A_long id, MemberOf<ParamAddFloatSlider> field, const char* name, float defaultValue,
                   float min = 0, float max = 100) {
  floatSlider(id, field, name, defaultValue, min, max, min, max, Display::Percent);
}

void slider(A_long id, MemberOf<ParamAddSlider> field, const char* name, A_long defaultValue, A_long validMin,
            A_long validMax, A_long sliderMin, A_long sliderMax, const PF_ParamDef& tmpl = kTemplate) {
  auto& p = add<ParamAddSlider>(id, field, name, tmpl);
  p.defaultValue = defaultValue;
  p.validMin = validMin;
  p.validMax = validMax;
  p.sliderMin = sliderMin;
  p.sliderMax = sliderMax;
}

void angle(A_long id, MemberOf<ParamAddAngle> field, const char* name) {
  add<ParamAddAngle>(id, field, name).defaultValue = 0;
}

void color(A_long id, MemberOf<ParamAddColor> field, const char* name, A_u_char r, A_u_char g, A_u_char b) {
  add<ParamAddColor>(id, field, name).defaultColor = PF_Pixel{255, r, g, b};
}

void topic(A_long id, const char* name) { append(id, std::make_unique<ParamAddTopic>(name, &kTemplate)); }

}  // namespace

void buildEffectParameters() {
  ParamRegistry& registry = ParamRegistry::instance();
  registry.clear();

  checkbox(ParamId::UseAllPaths, &ParamRecord::useAllPaths, "Use All Paths", true);
  add<ParamAddPath>(ParamId::TargetPath, &ParamRecord::targetPath, "Target Path").defaultPath = 0;
  checkbox(ParamId::StrokeSequentially, &ParamRecord::strokeSequentially, "Stroke Sequentially", false);
  percentSlider(ParamId::Opacity, &ParamRecord::opacity, "Opacity", 100);
  color(ParamId::Color, &ParamRecord::color, "Color", 0, 0, 0);
  floatSlider(ParamId::Thickness, &ParamRecord::thickness, "Thickness", 5, 0, 1000, 0, 50, Display::Plain);
  percentSlider(ParamId::Length, &ParamRecord::length, "Length", 100, -100, 100);
  floatSlider(ParamId::DrawingOffset, &ParamRecord::drawingOffset, "Drawing Offset", 0, -2000, 2000, 0, 100,
              Display::Plain);
  checkbox(ParamId::Loop, &ParamRecord::loop, "Loop", true);
  floatSlider(ParamId::LoopInterval, &ParamRecord::loopInterval, "Loop Interval", 0, 0, 1000, 0, 100,
              Display::Percent);
  slider(ParamId::RandomInterval, &ParamRecord::randomInterval, "Random Interval", 0, 0, 1000, 0, 60, kHoldTemplate);
  slider(ParamId::RandomArray, &ParamRecord::randomArray, "Random Array", 0, 0, 10, 0, 10, kHoldTemplate);
  slider(ParamId::RandomSeed, &ParamRecord::randomSeed, "Random Seed", 0, 0, 10000, 0, 100, kHoldTemplate);
  checkbox(ParamId::ClearBackground, &ParamRecord::clearBackground, "Clear Background", true);

  topic(ParamId::InOutGroup, "In/Out");
  {
    GroupScope group(ParamId::InOutGroupEnd);
    checkbox(ParamId::EnableInOut, &ParamRecord::enableInOut, "Enable In/Out", true);
    percentSlider(ParamId::StartThickness, &ParamRecord::startThickness, "Start Thickness", 0);
    percentSlider(ParamId::StartLength, &ParamRecord::startLength, "Start Length", 20);
    percentSlider(ParamId::StartBias, &ParamRecord::startBias, "Start Bias", 15, -100, 100);
    percentSlider(ParamId::EndThickness, &ParamRecord::endThickness, "End Thickness", 0);
    percentSlider(ParamId::EndLength, &ParamRecord::endLength, "End Length", 20);
    percentSlider(ParamId::EndBias, &ParamRecord::endBias, "End Bias", 15, -100, 100);
    floatSlider(ParamId::LengthInhibition, &ParamRecord::lengthInhibition, "S/E Length Inhibition", 0, 0, 10, 0, 10,
                Display::Plain);
    checkbox(ParamId::FixedEndsShape, &ParamRecord::fixedEndsShape, "Fixed Ends Shape", true);
    checkbox(ParamId::UseStartEndOpacity, &ParamRecord::useStartEndOpacity, "Use Start/End Opacity", false);
    percentSlider(ParamId::StartOpacity, &ParamRecord::startOpacity, "Start Opacity", 0);
    percentSlider(ParamId::EndOpacity, &ParamRecord::endOpacity, "End Opacity", 0);
    percentSlider(ParamId::OpacityCenterPosition, &ParamRecord::opacityCenterPosition, "Opacity Center Position", 50);
  }

  topic(ParamId::CopyStrokeGroup, "Copy Stroke");
  {
    GroupScope group(ParamId::CopyStrokeGroupEnd);
    checkbox(ParamId::EnableCopyStroke, &ParamRecord::enableCopyStroke, "Enable Copy Stroke", false);
    slider(ParamId::CopyNumber, &ParamRecord::copyNumber, "Copy Number", 0, 0, 100, 0, 20);
    slider(ParamId::CopyRandom, &ParamRecord::copyRandom, "Copy Random", 0, 0, 100, 0, 20);
    floatSlider(ParamId::CopyOffsetX, &ParamRecord::copyOffsetX, "Copy Offset X", 0, -1000, 1000, -50, 50,
                Display::Plain);
    floatSlider(ParamId::CopyOffsetY, &ParamRecord::copyOffsetY, "Copy Offset Y", 0, -1000, 1000, -50, 50,
                Display::Plain);
  }

  topic(ParamId::RandomizeGroup, "Randomize");
  {
    GroupScope group(ParamId::RandomizeGroupEnd);
    percentSlider(ParamId::ThicknessRandom, &ParamRecord::thicknessRandom, "Thickness Random", 0);
    percentSlider(ParamId::LengthRandom, &ParamRecord::lengthRandom, "Length Random", 0);
    percentSlider(ParamId::DrawingOffsetRandom, &ParamRecord::drawingOffsetRandom, "Drawing Offset Random", 0);
    topic(ParamId::ColorRandomGroup, "Color Random");
    {
      GroupScope colorGroup(ParamId::ColorRandomGroupEnd);
      angle(ParamId::HueRandom, &ParamRecord::hueRandom, "H");
      percentSlider(ParamId::SaturationRandom, &ParamRecord::saturationRandom, "S", 0);
      percentSlider(ParamId::ValueRandom, &ParamRecord::valueRandom, "V", 0);
    }
    floatSlider(ParamId::OffsetXRandom, &ParamRecord::offsetXRandom, "Offset X Random", 0, 0, 1000, 0, 50,
                Display::Plain);
    floatSlider(ParamId::OffsetYRandom, &ParamRecord::offsetYRandom, "Offset Y Random", 0, 0, 1000, 0, 50,
                Display::Plain);
    angle(ParamId::RotationRandom, &ParamRecord::rotationRandom, "Rotation Random");
    floatSlider(ParamId::ScaleXRandom, &ParamRecord::scaleXRandom, "Scale X Random", 0, 0, 100, 0, 100,
                Display::Plain);
    floatSlider(ParamId::ScaleYRandom, &ParamRecord::scaleYRandom, "Scale Y Random", 0, 0, 100, 0, 100,
                Display::Plain);
  }

  topic(ParamId::WaveGroup, "Wave");
  {
    GroupScope group(ParamId::WaveGroupEnd);
    checkbox(ParamId::EnableWave, &ParamRecord::enableWave, "Enable Wave", false);
    floatSlider(ParamId::WaveAmount, &ParamRecord::waveAmount, "Wave Amount", 0, -1000, 1000, 0, 10, Display::Plain);
    percentSlider(ParamId::WaveLength, &ParamRecord::waveLength, "Wave Length", 10, 1, 100);
    floatSlider(ParamId::WavePhase, &ParamRecord::wavePhase, "Wave Phase", 0, -10000, 10000, 0, 100, Display::Plain);
    percentSlider(ParamId::WaveTangentLength, &ParamRecord::waveTangentLength, "Wave Tangent Length", 50);
    percentSlider(ParamId::WaveAmountRandom, &ParamRecord::waveAmountRandom, "Wave Amount Random", 100);
    percentSlider(ParamId::WaveLengthRandom, &ParamRecord::waveLengthRandom, "Wave Length Random", 0);
    checkbox(ParamId::AlternateWave, &ParamRecord::alternateWave, "Alternate Wave", true);
    floatSlider(ParamId::RoundCorners, &ParamRecord::roundCorners, "Round Corners", 0, 0, 200, 0, 100,
                Display::Percent);
    slider(ParamId::LoopBuffer, &ParamRecord::loopBuffer, "Loop Buffer", 100, 2, 1000, 2, 100);
  }

  topic(ParamId::GradationGroup, "Gradation Stroke");
  {
    GroupScope group(ParamId::GradationGroupEnd);
    checkbox(ParamId::EnableGradation, &ParamRecord::enableGradation, "Enable Gradation Stroke", false);
    color(ParamId::StartColor, &ParamRecord::startColor, "Start Color", 255, 0, 0);
    color(ParamId::EndColor, &ParamRecord::endColor, "End Color", 255, 255, 255);
    percentSlider(ParamId::CenterPosition, &ParamRecord::centerPosition, "Center Position", 50);
    checkbox(ParamId::UseCenterColor, &ParamRecord::useCenterColor, "Use Center Color", true);
  }

  registry.complete();
}
