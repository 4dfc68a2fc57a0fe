// The effect's parameter panel, in the order the host shows it.
#include <cstddef>
#include <memory>

#include "effect/ParamIds.h"
#include "effect/ParamRecord.h"
#include "framework/EffectHooks.h"
#include "params/GroupScope.h"
#include "params/ParamAdd.h"
#include "params/ParamRegistry.h"

namespace {

// Every group starts collapsed; the hold parameters change in steps between keyframes.
PF_ParamDef definitionTemplate(PF_ParamFlags extraFlags) {
  PF_ParamDef def{};
  def.flags = PF_ParamFlag_COLLAPSE_TWIRLY | extraFlags;
  return def;
}
const PF_ParamDef kTemplate = definitionTemplate(0);
const PF_ParamDef kHoldTemplate = definitionTemplate(PF_ParamFlag_CANNOT_INTERP);

#define RECORD_FIELD(field) static_cast<std::int32_t>(offsetof(ParamRecord, field)), \
                            static_cast<std::int32_t>(sizeof(ParamRecord::field))

template <typename Param>
Param& add(A_long id, std::int32_t offset, std::int32_t size, const char* name, const PF_ParamDef& tmpl = kTemplate) {
  auto param = std::make_unique<Param>(offset, size, name, &tmpl);
  param->id = id;
  Param& added = *param;
  ParamRegistry::instance().append(std::move(param));
  return added;
}

void checkbox(A_long id, std::int32_t offset, std::int32_t size, const char* name, bool on) {
  add<ParamAddCheckbox>(id, offset, size, name).defaultValue = on ? 1 : 0;
}

enum class Display : A_short { Plain = PF_ValueDisplayFlag_NONE, Percent = PF_ValueDisplayFlag_PERCENT };

void floatSlider(A_long id, std::int32_t offset, std::int32_t size, const char* name, float defaultValue,
                 float validMin, float validMax, float sliderMin, float sliderMax, Display display) {
  auto& p = add<ParamAddFloatSlider>(id, offset, size, name);
  p.defaultValue = defaultValue;
  p.validMin = validMin;
  p.validMax = validMax;
  p.sliderMin = sliderMin;
  p.sliderMax = sliderMax;
  p.precision = 1;
  p.displayFlags = static_cast<A_short>(display);
  p.wantPhase = 0;
}

void percentSlider(A_long id, std::int32_t offset, std::int32_t size, const char* name, float defaultValue,
                   float min = 0, float max = 100) {
  floatSlider(id, offset, size, name, defaultValue, min, max, min, max, Display::Percent);
}

void slider(A_long id, std::int32_t offset, std::int32_t size, const char* name, A_long defaultValue, A_long validMin,
            A_long validMax, A_long sliderMin, A_long sliderMax, const PF_ParamDef& tmpl = kTemplate) {
  auto& p = add<ParamAddSlider>(id, offset, size, name, tmpl);
  p.defaultValue = defaultValue;
  p.validMin = validMin;
  p.validMax = validMax;
  p.sliderMin = sliderMin;
  p.sliderMax = sliderMax;
}

void angle(A_long id, std::int32_t offset, std::int32_t size, const char* name) {
  add<ParamAddAngle>(id, offset, size, name).defaultValue = 0;
}

void color(A_long id, std::int32_t offset, std::int32_t size, const char* name, A_u_char r, A_u_char g, A_u_char b) {
  add<ParamAddColor>(id, offset, size, name).defaultColor = PF_Pixel{255, r, g, b};
}

void topic(A_long id, const char* name) { add<ParamAddTopic>(id, 0, 0, name); }

}  // namespace

void buildEffectParameters() {
  ParamRegistry& registry = ParamRegistry::instance();
  registry.clear();

  checkbox(ParamId::UseAllPaths, RECORD_FIELD(useAllPaths), "Use All Paths", true);
  add<ParamAddPath>(ParamId::TargetPath, RECORD_FIELD(targetPath), "Target Path").defaultPath = 0;
  checkbox(ParamId::StrokeSequentially, RECORD_FIELD(strokeSequentially), "Stroke Sequentially", false);
  percentSlider(ParamId::Opacity, RECORD_FIELD(opacity), "Opacity", 100);
  color(ParamId::Color, RECORD_FIELD(color), "Color", 0, 0, 0);
  floatSlider(ParamId::Thickness, RECORD_FIELD(thickness), "Thickness", 5, 0, 1000, 0, 50, Display::Plain);
  percentSlider(ParamId::Length, RECORD_FIELD(length), "Length", 100, -100, 100);
  floatSlider(ParamId::DrawingOffset, RECORD_FIELD(drawingOffset), "Drawing Offset", 0, -2000, 2000, 0, 100,
              Display::Plain);
  checkbox(ParamId::Loop, RECORD_FIELD(loop), "Loop", true);
  floatSlider(ParamId::LoopInterval, RECORD_FIELD(loopInterval), "Loop Interval", 0, 0, 1000, 0, 100,
              Display::Percent);
  slider(ParamId::RandomInterval, RECORD_FIELD(randomInterval), "Random Interval", 0, 0, 1000, 0, 60, kHoldTemplate);
  slider(ParamId::RandomArray, RECORD_FIELD(randomArray), "Random Array", 0, 0, 10, 0, 10, kHoldTemplate);
  slider(ParamId::RandomSeed, RECORD_FIELD(randomSeed), "Random Seed", 0, 0, 10000, 0, 100, kHoldTemplate);
  checkbox(ParamId::ClearBackground, RECORD_FIELD(clearBackground), "Clear Background", true);

  topic(ParamId::InOutGroup, "In/Out");
  {
    GroupScope group(ParamId::InOutGroupEnd);
    checkbox(ParamId::EnableInOut, RECORD_FIELD(enableInOut), "Enable In/Out", true);
    percentSlider(ParamId::StartThickness, RECORD_FIELD(startThickness), "Start Thickness", 0);
    percentSlider(ParamId::StartLength, RECORD_FIELD(startLength), "Start Length", 20);
    percentSlider(ParamId::StartBias, RECORD_FIELD(startBias), "Start Bias", 15, -100, 100);
    percentSlider(ParamId::EndThickness, RECORD_FIELD(endThickness), "End Thickness", 0);
    percentSlider(ParamId::EndLength, RECORD_FIELD(endLength), "End Length", 20);
    percentSlider(ParamId::EndBias, RECORD_FIELD(endBias), "End Bias", 15, -100, 100);
    floatSlider(ParamId::LengthInhibition, RECORD_FIELD(lengthInhibition), "S/E Length Inhibition", 0, 0, 10, 0, 10,
                Display::Plain);
    checkbox(ParamId::FixedEndsShape, RECORD_FIELD(fixedEndsShape), "Fixed Ends Shape", true);
    checkbox(ParamId::UseStartEndOpacity, RECORD_FIELD(useStartEndOpacity), "Use Start/End Opacity", false);
    percentSlider(ParamId::StartOpacity, RECORD_FIELD(startOpacity), "Start Opacity", 0);
    percentSlider(ParamId::EndOpacity, RECORD_FIELD(endOpacity), "End Opacity", 0);
    percentSlider(ParamId::OpacityCenterPosition, RECORD_FIELD(opacityCenterPosition), "Opacity Center Position", 50);
  }

  topic(ParamId::CopyStrokeGroup, "Copy Stroke");
  {
    GroupScope group(ParamId::CopyStrokeGroupEnd);
    checkbox(ParamId::EnableCopyStroke, RECORD_FIELD(enableCopyStroke), "Enable Copy Stroke", false);
    slider(ParamId::CopyNumber, RECORD_FIELD(copyNumber), "Copy Number", 0, 0, 100, 0, 20);
    slider(ParamId::CopyRandom, RECORD_FIELD(copyRandom), "Copy Random", 0, 0, 100, 0, 20);
    floatSlider(ParamId::CopyOffsetX, RECORD_FIELD(copyOffsetX), "Copy Offset X", 0, -1000, 1000, -50, 50,
                Display::Plain);
    floatSlider(ParamId::CopyOffsetY, RECORD_FIELD(copyOffsetY), "Copy Offset Y", 0, -1000, 1000, -50, 50,
                Display::Plain);
  }

  topic(ParamId::RandomizeGroup, "Randomize");
  {
    GroupScope group(ParamId::RandomizeGroupEnd);
    percentSlider(ParamId::ThicknessRandom, RECORD_FIELD(thicknessRandom), "Thickness Random", 0);
    percentSlider(ParamId::LengthRandom, RECORD_FIELD(lengthRandom), "Length Random", 0);
    percentSlider(ParamId::DrawingOffsetRandom, RECORD_FIELD(drawingOffsetRandom), "Drawing Offset Random", 0);
    topic(ParamId::ColorRandomGroup, "Color Random");
    {
      GroupScope colorGroup(ParamId::ColorRandomGroupEnd);
      angle(ParamId::HueRandom, RECORD_FIELD(hueRandom), "H");
      percentSlider(ParamId::SaturationRandom, RECORD_FIELD(saturationRandom), "S", 0);
      percentSlider(ParamId::ValueRandom, RECORD_FIELD(valueRandom), "V", 0);
    }
    floatSlider(ParamId::OffsetXRandom, RECORD_FIELD(offsetXRandom), "Offset X Random", 0, 0, 1000, 0, 50,
                Display::Plain);
    floatSlider(ParamId::OffsetYRandom, RECORD_FIELD(offsetYRandom), "Offset Y Random", 0, 0, 1000, 0, 50,
                Display::Plain);
    angle(ParamId::RotationRandom, RECORD_FIELD(rotationRandom), "Rotation Random");
    floatSlider(ParamId::ScaleXRandom, RECORD_FIELD(scaleXRandom), "Scale X Random", 0, 0, 100, 0, 100,
                Display::Plain);
    floatSlider(ParamId::ScaleYRandom, RECORD_FIELD(scaleYRandom), "Scale Y Random", 0, 0, 100, 0, 100,
                Display::Plain);
  }

  topic(ParamId::WaveGroup, "Wave");
  {
    GroupScope group(ParamId::WaveGroupEnd);
    checkbox(ParamId::EnableWave, RECORD_FIELD(enableWave), "Enable Wave", false);
    floatSlider(ParamId::WaveAmount, RECORD_FIELD(waveAmount), "Wave Amount", 0, -1000, 1000, 0, 10, Display::Plain);
    percentSlider(ParamId::WaveLength, RECORD_FIELD(waveLength), "Wave Length", 10, 1, 100);
    floatSlider(ParamId::WavePhase, RECORD_FIELD(wavePhase), "Wave Phase", 0, -10000, 10000, 0, 100, Display::Plain);
    percentSlider(ParamId::WaveTangentLength, RECORD_FIELD(waveTangentLength), "Wave Tangent Length", 50);
    percentSlider(ParamId::WaveAmountRandom, RECORD_FIELD(waveAmountRandom), "Wave Amount Random", 100);
    percentSlider(ParamId::WaveLengthRandom, RECORD_FIELD(waveLengthRandom), "Wave Length Random", 0);
    checkbox(ParamId::AlternateWave, RECORD_FIELD(alternateWave), "Alternate Wave", true);
    floatSlider(ParamId::RoundCorners, RECORD_FIELD(roundCorners), "Round Corners", 0, 0, 200, 0, 100,
                Display::Percent);
    slider(ParamId::LoopBuffer, RECORD_FIELD(loopBuffer), "Loop Buffer", 100, 2, 1000, 2, 100);
  }

  topic(ParamId::GradationGroup, "Gradation Stroke");
  {
    GroupScope group(ParamId::GradationGroupEnd);
    checkbox(ParamId::EnableGradation, RECORD_FIELD(enableGradation), "Enable Gradation Stroke", false);
    color(ParamId::StartColor, RECORD_FIELD(startColor), "Start Color", 255, 0, 0);
    color(ParamId::EndColor, RECORD_FIELD(endColor), "End Color", 255, 255, 255);
    percentSlider(ParamId::CenterPosition, RECORD_FIELD(centerPosition), "Center Position", 50);
    checkbox(ParamId::UseCenterColor, RECORD_FIELD(useCenterColor), "Use Center Color", true);
  }

  registry.complete();
}
