#include "render/driver/RenderSettingsBuilder.h"

#include <algorithm>
#include <cstdint>
#include <numbers>

namespace {

double ratio(const PF_RationalScale& scale) {
  return static_cast<double>(scale.num) / static_cast<double>(scale.den);
}

}  // namespace

DownsampleFactors downsampleFactors(const PF_InData& in_data) {
  return DownsampleFactors{ratio(in_data.downsample_x), ratio(in_data.downsample_y)};
}

void scaleForDownsampling(ParamRecord& params, DownsampleFactors factors) {
  const double smaller = std::min(factors.x, factors.y);
  params.thickness *= smaller;
  params.waveAmount *= smaller;
  params.copyOffsetX *= factors.x;
  params.offsetXRandom *= factors.x;
  params.copyOffsetY *= factors.y;
  params.offsetYRandom *= factors.y;
}

A_long effectiveSeed(A_long randomSeed, A_long randomInterval, A_long randomArray, A_long currentTime,
                     A_long timeStep) {
  if (randomInterval == 0 || timeStep == 0) return randomSeed;
  // frame = time / step, k = frame / interval: truncating divisions, as on 32-bit integers
  // (done in 64 bits so that the one overflowing case, INT_MIN / -1, wraps instead).
  const auto frame = static_cast<std::int32_t>(static_cast<std::uint32_t>(std::int64_t{currentTime} / timeStep));
  const auto k = static_cast<std::int32_t>(static_cast<std::uint32_t>(std::int64_t{frame} / randomInterval));
  const std::int64_t shift = randomArray != 0 ? std::int64_t{k} % randomArray : std::int64_t{k};
  return static_cast<A_long>(static_cast<std::uint32_t>(randomSeed) + static_cast<std::uint32_t>(shift));
}

RenderSettings buildRenderSettings(const ParamRecord& p, const PF_InData& in_data) {
  constexpr double percent = 0.01;
  constexpr double fixedToDegrees = 1.0 / 65536.0;
  RenderSettings s;
  s.strokeSequentially = p.strokeSequentially != 0;
  s.opacity = p.opacity * percent;
  s.thickness = p.thickness;
  s.length = (p.length < 0 ? -p.length : p.length) * percent;
  s.reverse = p.length < 0;
  s.drawingOffset = p.drawingOffset * percent;
  s.loop = p.loop != 0;
  s.loopInterval = p.loopInterval * percent;
  s.randomSeed = p.randomSeed;
  s.enableInOut = p.enableInOut != 0;
  s.startThickness = p.startThickness * percent;
  s.startLength = p.startLength * percent;
  s.startBias = p.startBias * percent;
  s.endThickness = p.endThickness * percent;
  s.endLength = p.endLength * percent;
  s.endBias = p.endBias * percent;
  // Start and end tapers together never exceed the stroke.
  if (s.startLength + s.endLength > 1.0) {
    const double sum = s.startLength + s.endLength;
    s.startLength /= sum;
    s.endLength /= sum;
  }
  s.lengthInhibition = p.lengthInhibition;
  s.fixedEndsShape = p.fixedEndsShape != 0;
  s.useStartEndOpacity = p.useStartEndOpacity != 0;
  s.startOpacity = p.startOpacity * percent;
  s.endOpacity = p.endOpacity * percent;
  s.opacityCentre = p.opacityCenterPosition * percent;
  s.enableCopy = p.enableCopyStroke != 0;
  s.copyRandom = p.copyRandom;
  s.copyOffsetX = p.copyOffsetX;
  s.copyOffsetY = p.copyOffsetY;
  s.thicknessRandom = p.thicknessRandom * percent;
  s.lengthRandom = p.lengthRandom * percent;
  s.drawingOffsetRandom = p.drawingOffsetRandom * percent;
  s.hueRandom = p.hueRandom * fixedToDegrees * (1.0 / 360.0);
  s.saturationRandom = p.saturationRandom * percent;
  s.valueRandom = p.valueRandom * percent;
  s.offsetXRandom = p.offsetXRandom;
  s.offsetYRandom = p.offsetYRandom;
  s.rotationRandom = p.rotationRandom * fixedToDegrees * (std::numbers::pi / 180.0);
  s.scaleXRandom = p.scaleXRandom * percent;
  s.scaleYRandom = p.scaleYRandom * percent;
  s.enableWave = p.enableWave != 0;
  s.waveAmount = p.waveAmount;
  s.waveLength = p.waveLength * percent;
  s.wavePhase = p.wavePhase * percent;
  s.waveTangentLength = p.waveTangentLength * percent;
  s.waveAmountRandom = p.waveAmountRandom * percent;
  s.waveLengthRandom = p.waveLengthRandom * percent;
  s.alternateWave = p.alternateWave != 0;
  s.roundCorners = p.roundCorners * percent;
  s.loopBuffer = p.loopBuffer;
  s.enableGradation = p.enableGradation != 0;
  s.useCentreColour = p.useCenterColor != 0;
  s.centrePosition = p.centerPosition * percent;
  s.effectiveSeed = effectiveSeed(p.randomSeed, p.randomInterval, p.randomArray, in_data.current_time,
                                  in_data.time_step);
  s.strokesPerPath = (s.enableCopy ? p.copyNumber : 0) + 1;
  return s;
}
