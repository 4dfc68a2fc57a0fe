// Random scenes for the stroke loops: Bezier paths reaching over the canvas edges and render
// settings that switch on tapers, the opacity profile, copies, randomness, the wave and the
// gradation at random, with thicknesses spread evenly on a log scale.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>

#include "colour/StrokeColours.h"
#include "geometry/PathVertex.h"
#include "pixel/PixelTraits.h"
#include "stroke/RenderSettings.h"

// Two to five vertices within `margin` px of a width x height canvas, handles up to 25 px long.
inline Path randomPath(std::mt19937& random, int width, int height, double margin) {
  std::uniform_real_distribution<double> x(-margin, width + margin);
  std::uniform_real_distribution<double> y(-margin, height + margin);
  std::uniform_real_distribution<double> handle(-25.0, 25.0);
  Path path(std::uniform_int_distribution<int>(2, 5)(random));
  for (PathVertex& v : path) {
    v.x = x(random);
    v.y = y(random);
    v.inTangentX = v.x + handle(random);
    v.inTangentY = v.y + handle(random);
    v.outTangentX = v.x + handle(random);
    v.outTangentY = v.y + handle(random);
  }
  return path;
}

// A straight line across the canvas, level or at a gentle slope, its ends off the canvas: the
// discs along it come back to the same sub-pixel offsets again and again.
inline Path straightPath(std::mt19937& random, int width, int height, double margin) {
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  const double y0 = std::round(height * unit(random) * 4.0) / 4.0;
  const double slope = unit(random) < 0.5 ? 0.0 : 0.25 * (unit(random) - 0.5);
  const double x0 = -margin;
  const double x1 = width + margin;
  const double y1 = y0 + slope * (x1 - x0);
  return Path{PathVertex{x0, y0, x0, y0, x0, y0}, PathVertex{x1, y1, x1, y1, x1, y1}};
}

inline RenderSettings randomSettings(std::mt19937& random, double minThickness, double maxThickness) {
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  const auto chance = [&](double p) { return unit(random) < p; };
  RenderSettings s;
  s.strokeSequentially = chance(0.5);
  s.opacity = chance(0.3) ? 1.0 : 0.05 + 0.95 * unit(random);
  s.thickness = minThickness * std::pow(maxThickness / minThickness, unit(random));
  s.length = 0.3 + 0.7 * unit(random);
  s.drawingOffset = unit(random);
  s.enableInOut = chance(0.6);
  s.startThickness = unit(random);
  s.startLength = 0.4 * unit(random);
  s.startBias = 2.0 * unit(random) - 1.0;
  s.endThickness = unit(random);
  s.endLength = 0.4 * unit(random);
  s.endBias = 2.0 * unit(random) - 1.0;
  s.fixedEndsShape = chance(0.3);
  s.useStartEndOpacity = chance(0.5);
  s.startOpacity = unit(random);
  s.endOpacity = unit(random);
  s.opacityCentre = unit(random);
  s.enableCopy = chance(0.4);
  s.copyOffsetX = 20.0 * unit(random) - 10.0;
  s.copyOffsetY = 20.0 * unit(random) - 10.0;
  s.thicknessRandom = chance(0.5) ? unit(random) : 0.0;
  s.offsetXRandom = 10.0 * unit(random);
  s.hueRandom = chance(0.3) ? 0.5 * unit(random) : 0.0;
  s.saturationRandom = chance(0.3) ? unit(random) : 0.0;
  s.valueRandom = chance(0.3) ? unit(random) : 0.0;
  s.enableWave = chance(0.3);
  s.waveAmount = 6.0 * unit(random);
  s.waveLength = 5.0;
  s.loopBuffer = 100;
  s.enableGradation = chance(0.4);
  s.useCentreColour = chance(0.5);
  s.centrePosition = unit(random);
  s.effectiveSeed = static_cast<std::int32_t>(random() & 0xffff);
  s.strokesPerPath = s.enableCopy ? 3 : 1;
  return s;
}

// Opaque colours of random channels; fully saturated ones now and then.
template <class Pixel>
StrokeColours<Pixel> randomColours(std::mt19937& random) {
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  const auto colour = [&] {
    using Traits = PixelTraits<Pixel>;
    const auto channel = [&] { return Traits::fromUnit(unit(random) < 0.2 ? std::round(unit(random)) : unit(random)); };
    return Pixel{Traits::full, channel(), channel(), channel()};
  };
  StrokeColours<Pixel> colours{colour(), colour(), colour(), colour()};
  // Now and then a gradation between near colours: long runs of equal stamps, each over the
  // slightly different colour the run before it left.
  if (unit(random) < 0.3) {
    colours.end = colours.start;
    colours.end.red = PixelTraits<Pixel>::fromUnit(std::clamp(
        static_cast<double>(colours.start.red) / static_cast<double>(PixelTraits<Pixel>::full) + 0.03, 0.0, 1.0));
  }
  return colours;
}
