#include "stroke/StrokeLayout.h"

#include "stroke/StrokeInterrupt.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "colour/ColourShift.h"
#include "colour/Fold.h"
#include "geometry/PathMeasure.h"
#include "geometry/RandomTransform.h"
#include "random/RandomStream.h"
#include "stroke/StrokeInterrupt.h"
#include "stroke/StrokeRecord.h"
#include "taper/TaperProfile.h"
#include "wave/WavePath.h"
#include "wave/WaveSettings.h"

namespace {

constexpr double kInitialProfileSamples = 100.0;
constexpr A_long kProgressScale = 1024;

// A rotation or scale randomness other than 0 (NaN included) moves the strokes.
bool transformsStrokes(const RenderSettings& s) {
  return !(s.rotationRandom == 0.0) || !(s.scaleXRandom == 0.0) || !(s.scaleYRandom == 0.0);
}

TransformRandomness transformRandomnessOf(const RenderSettings& s) {
  return TransformRandomness{.rotation = s.rotationRandom, .scaleX = s.scaleXRandom, .scaleY = s.scaleYRandom};
}

WaveSettings waveSettingsOf(const RenderSettings& s) {
  return WaveSettings{.enabled = s.enableWave,
                      .amount = s.waveAmount,
                      .length = s.waveLength,
                      .phase = s.wavePhase,
                      .tangentLength = s.waveTangentLength,
                      .amountRandom = s.waveAmountRandom,
                      .lengthRandom = s.waveLengthRandom,
                      .alternate = s.alternateWave,
                      .roundCorners = s.roundCorners,
                      .loopBuffer = s.loopBuffer};
}

struct Displacement {
  double x = 0.0;
  double y = 0.0;
};

// Copies are spread evenly around the path: three sit at −d, 0, +d, two at −d/2, +d/2.
Displacement firstCopyDisplacement(A_long copies, double offsetX, double offsetY) {
  const A_long half = copies / 2;
  const bool even = copies % 2 == 0;
  return Displacement{-(half * offsetX - (even ? offsetX / 2 : 0.0)), -(half * offsetY - (even ? offsetY / 2 : 0.0))};
}

// n = |base + trunc(copy random · signed draw)|, at least 1; the base alone without copies.
A_long copyCount(const RenderSettings& s, double signedDraw) {
  if (!s.enableCopy) return s.strokesPerPath;
  const double spread = std::trunc(static_cast<double>(s.copyRandom) * signedDraw);
  const auto count = static_cast<std::int64_t>(s.strokesPerPath) + static_cast<std::int64_t>(spread);
  const std::int64_t magnitude = count < 0 ? -count : count;
  return magnitude == 0 ? 1 : static_cast<A_long>(magnitude);
}

std::int32_t wrappingProduct(std::int64_t a, std::int32_t b) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) * static_cast<std::uint32_t>(b));
}

// The ten random values of one stroke, always all drawn, always in this order.
struct StrokeDraws {
  std::int32_t waveSeed;
  std::int32_t transformSeed;
  ColourShift colourShift;
  double thicknessDraw;  // unit
  double lengthDraw, offsetDraw, offsetYDraw, offsetXDraw;  // signed
};


// The state one loop call carries from stroke to stroke, and what every stroke shares.
class StrokeLayout {
public:
  StrokeLayout(StrokePainter& painter, const RenderSettings& settings)
      : painter_(painter), settings_(settings), wave_(waveSettingsOf(settings)),
        transformRandomness_(transformRandomnessOf(settings)), transforms_(transformsStrokes(settings)) {
    StrokeRecord& r = record_;
    r.canvasWidth = painter_.canvasWidth();
    r.canvasHeight = painter_.canvasHeight();
    r.opacity = settings_.opacity;
    r.inOut = settings_.enableInOut;
    r.fixedEnds = settings_.fixedEndsShape;
    r.opacityProfile = settings_.useStartEndOpacity;
    r.startOpacity = settings_.opacity * settings_.startOpacity;
    r.endOpacity = settings_.opacity * settings_.endOpacity;
    r.opacityCentreInStroke = settings_.opacityCentre;
    r.gradation = settings_.enableGradation;
    profileError_ = buildTaperProfile(r.startProfile, settings_.startBias, kInitialProfileSamples);
    if (profileError_ == PF_Err_NONE) {
      profileError_ = buildTaperProfile(r.endProfile, settings_.endBias, kInitialProfileSamples);
      r.endProfile.sortDescending();
    }
  }

  bool transforms() const { return transforms_; }

  // A copy's stroke path from the acquired one: waved (or copied).
  Path wavedPath(const Path& acquired, std::int32_t waveSeed) const {
    Path stroke;
    ApplyWave(wave_, stroke, acquired, waveSeed);
    return stroke;
  }

  // Random rotation and scale about the pivot, where the settings ask for them.
  template <class Paths>
  void transformStrokes(Paths& paths, PathPoint pivot, std::int32_t transformSeed) const {
    if (transforms_) randomTransform(transformRandomness_, paths, pivot, transformSeed);
  }
  // A taper profile that could not be built fails the render once its strokes are done.
  PF_Err profileError() const { return profileError_; }

  StrokeDraws draw(RandomStream& stream) const {
    StrokeDraws d{};
    d.waveSeed = stream.drawPercent();
    d.transformSeed = stream.drawPercent();
    d.colourShift.hue = stream.drawSigned() * settings_.hueRandom;
    d.colourShift.saturation = stream.drawSigned() * settings_.saturationRandom;
    d.colourShift.value = stream.drawSigned() * settings_.valueRandom;
    d.thicknessDraw = stream.draw();
    d.lengthDraw = stream.drawSigned();
    d.offsetDraw = stream.drawSigned();
    d.offsetYDraw = stream.drawSigned();
    d.offsetXDraw = stream.drawSigned();
    return d;
  }

  // Everything about one stroke that does not depend on its segments: extent, colours,
  // thickness, the loop wrap. `pathLengthPx` is λ (separately) or Λ (sequentially).
  void layOutStroke(const StrokeDraws& d, double pathLengthPx) {
    const RenderSettings& s = settings_;
    StrokeRecord& r = record_;
    r.segment.setUp(0, 0, 0, 0, 0, 0, 0, 0);
    r.segmentStartPosition = 0.0;
    r.positionStep = 1.0 / pathLengthPx;
    painter_.beginStroke(d.colourShift);

    // Ti = T − r · random · T;  Li = fold(L + v · random);  O0 = D + v · random
    const double T = s.thickness;
    thicknessPx_ = T - d.thicknessDraw * s.thicknessRandom * T;
    length_ = fold(s.length + d.lengthDraw * s.lengthRandom);
    const double rawOffset = s.drawingOffset + d.offsetDraw * s.drawingOffsetRandom;

    // The varied stroke is centred on the nominal one; a negative length lies behind the offset.
    double start = !s.reverse ? rawOffset + (s.length - length_) / 2
                              : rawOffset - (length_ + (s.length - length_) / 2);
    if (s.loop) {
      period_ = 1.0 + s.loopInterval;
      const bool negative = start < 0;
      start = start - std::trunc(start / period_) * period_;
      if (negative) start += period_;
    }
    start_ = start;

    r.thicknessPx = thicknessPx_;
    r.lengthPosition = length_;
    r.startTipThicknessPx = thicknessPx_ * s.startThickness;
    r.endTipThicknessPx = thicknessPx_ * s.endThickness;
    r.startTaper.begin = start_;
    r.endTaper.end = start_ + length_;
    if (s.enableGradation) r.gradationCentrePosition = start_ + length_ * s.centrePosition;
  }

  // Taper lengths, separately: fractions of the path, scaled by Li / L when the length is
  // randomised, never shorter than the inhibition in stroke thicknesses.
  //   m = Ti · inhibition / λ;  start = max(m, Li · SL / max(0.0001, L)), end likewise
  PF_Err layOutTapers(double pathLengthPx) {
    const RenderSettings& s = settings_;
    const double minimum = thicknessPx_ * s.lengthInhibition / pathLengthPx;
    const double nominal = std::max(0.0001, s.length);
    return setTapers(std::max(minimum, length_ * s.startLength / nominal),
                     std::max(minimum, length_ * s.endLength / nominal), pathLengthPx);
  }

  // Sequentially, per path k of the chain: fractions of that path's own length.
  //   m = Ti · inhibition / Λ;  start_k = max(m, Li · SL · λk / (max(0.0001, L) · Λ)), end_k likewise
  PF_Err layOutChainTapers(double pathLengthPx, double chainLengthPx) {
    const RenderSettings& s = settings_;
    const double minimum = thicknessPx_ * s.lengthInhibition / chainLengthPx;
    const double nominal = std::max(0.0001, s.length) * chainLengthPx;
    return setTapers(std::max(minimum, length_ * s.startLength * pathLengthPx / nominal),
                     std::max(minimum, length_ * s.endLength * pathLengthPx / nominal), chainLengthPx);
  }

  bool twoPasses() const { return settings_.loop && start_ != 0.0; }

  double period() const { return period_; }

  // Pins the tapers to the ends of one path of the current pass.
  void pinFixedEnds(double pathBegin, double pathShare) {
    if (!(settings_.enableInOut && settings_.fixedEndsShape)) return;
    StrokeRecord& r = record_;
    r.fixedStart = PositionRange{pathBegin, pathBegin + startTaper_};
    r.fixedEnd.end = pathBegin + pathShare;
    r.fixedEnd.begin = r.fixedEnd.end - endTaper_;
  }
  double fixedEndEnd() const { return record_.fixedEnd.end; }

  // Sets up segment j of a stroke path, displaced, and hands it to the painter.
  // `segmentStart` is its position; the length just set up comes back for the next one.
  PF_Err drawSegment(const PathVertex& from, const PathVertex& to, double segmentStart, double& segmentLengthPx) {
    StrokeRecord& r = record_;
    const double dx = displacement_.x + offset_.x;
    const double dy = displacement_.y + offset_.y;
    r.segmentStartPosition = segmentStart;
    r.segment.setUp(from.x + dx, from.y + dy, from.outTangentX + dx, from.outTangentY + dy, to.inTangentX + dx,
                    to.inTangentY + dy, to.x + dx, to.y + dy);
    segmentLengthPx = r.segment.totalLength();
    // A segment of no finite length cannot be walked.
    const double reciprocal = 1.0 / std::max(0.01, segmentLengthPx);
    if (!(reciprocal > 0.0) || !std::isfinite(segmentLengthPx)) return PF_Err_BAD_CALLBACK_PARAM;
    r.segment.beginWalk(segmentLengthPx * reciprocal, false);
    if (segmentOffCanvas()) return PF_Err_NONE;
    painter_.paintSegment(r);
    return r.interrupt != nullptr ? r.interrupt->error() : PF_Err_NONE;
  }

  void setInterrupt(StrokeInterrupt* interrupt) { record_.interrupt = interrupt; }

  void setDisplacement(Displacement d) { displacement_ = d; }
  void advanceDisplacement() {
    displacement_.x += settings_.copyOffsetX;
    displacement_.y += settings_.copyOffsetY;
  }
  void setRandomOffset(const StrokeDraws& d) {
    offset_ = Displacement{d.offsetXDraw * settings_.offsetXRandom, d.offsetYDraw * settings_.offsetYRandom};
  }

private:
  PF_Err setTapers(double startTaper, double endTaper, double unitLengthPx) {
    startTaper_ = startTaper;
    endTaper_ = endTaper;
    record_.startTaper.end = start_ + startTaper_;
    record_.endTaper.begin = start_ + length_ - endTaper_;
    return ensureProfiles(startTaper_ * unitLengthPx, endTaper_ * unitLengthPx);
  }

  // Rebuilds a profile when a taper is longer, in pixels, than any before in this call.
  PF_Err ensureProfiles(double startPx, double endPx) {
    StrokeRecord& r = record_;
    if (startPx > startSamples_ && startSamples_ < kMaxTaperProfileSamples) {
      startSamples_ = std::min(startPx, kMaxTaperProfileSamples);
      r.startProfile.clear();
      const PF_Err err = buildTaperProfile(r.startProfile, settings_.startBias, std::max(1.0, startSamples_));
      if (err != PF_Err_NONE) return err;
    }
    if (endPx > endSamples_ && endSamples_ < kMaxTaperProfileSamples) {
      endSamples_ = std::min(endPx, kMaxTaperProfileSamples);
      r.endProfile.clear();
      const PF_Err err = buildTaperProfile(r.endProfile, settings_.endBias, std::max(1.0, endSamples_));
      if (err != PF_Err_NONE) return err;
      r.endProfile.sortDescending();
    }
    return PF_Err_NONE;
  }

  // No disc of the segment can reach the canvas: the curve stays inside the box of its
  // control points, and no disc is wider than the stroke.
  bool segmentOffCanvas() const {
    const CubicCoefficients& x = record_.segment.xCoefficients;
    const CubicCoefficients& y = record_.segment.yCoefficients;
    // Control points back from the coefficients: P0 = d, P1 = d + c/3, P2 = P1 + (b + c)/3, P3 = a + b + c + d.
    const double px[4] = {x.d, x.d + x.c / 3, x.d + x.c / 3 + (x.b + x.c) / 3, x.a + x.b + x.c + x.d};
    const double py[4] = {y.d, y.d + y.c / 3, y.d + y.c / 3 + (y.b + y.c) / 3, y.a + y.b + y.c + y.d};
    const double reach =
        std::max({thicknessPx_, record_.startTipThicknessPx, record_.endTipThicknessPx}) / 2 + 1.0;
    const double minX = *std::min_element(px, px + 4), maxX = *std::max_element(px, px + 4);
    const double minY = *std::min_element(py, py + 4), maxY = *std::max_element(py, py + 4);
    return minX - reach > painter_.canvasWidth() || minY - reach > painter_.canvasHeight() || maxX + reach < 0 ||
           maxY + reach < 0;
  }

  StrokePainter& painter_;
  const RenderSettings& settings_;
  const WaveSettings wave_;
  const TransformRandomness transformRandomness_;
  const bool transforms_;
  StrokeRecord record_;
  PF_Err profileError_ = PF_Err_NONE;
  double startSamples_ = kInitialProfileSamples;
  double endSamples_ = kInitialProfileSamples;

  double thicknessPx_ = 0.0;  // Ti
  double length_ = 0.0;       // Li [position]
  double start_ = 0.0;        // O [position]
  double period_ = 1.0;       // P [position]
  double startTaper_ = 0.0;   // [position]
  double endTaper_ = 0.0;     // [position]
  Displacement displacement_;  // of the current copy [px]
  Displacement offset_;        // random offset of the current stroke [px]
};

}  // namespace

PF_Err strokePathsSeparately(const PathList& paths, const RenderSettings& s, StrokePainter& painter,
                             StrokeOutput& output) {
  StrokeLayout layout(painter, s);
  StrokeInterrupt interrupt(output);
  layout.setInterrupt(&interrupt);
  // Without a seed of their own, paths are seeded by position, so appending a path never
  // changes the strokes of the paths before it.
  RandomStream chain = RandomStream{twoStepJump(static_cast<std::uint32_t>(s.effectiveSeed))};
  const auto pathCount = static_cast<std::int64_t>(paths.size());

  for (std::int64_t k = 0; k < pathCount; ++k) {
    const Path& acquired = paths[static_cast<std::size_t>(k)];
    std::uint32_t pathSeed;
    if (s.randomSeed != 0) {
      chain.step();
      pathSeed = chain.output();
    } else {
      pathSeed = static_cast<std::uint32_t>(200 * k) + static_cast<std::uint32_t>(s.effectiveSeed);
    }
    RandomStream stream = RandomStream::afterThreeSteps(pathSeed);
    const A_long copies = copyCount(s, 2.0 * stream.unitValue() - 1.0);
    layout.setDisplacement(firstCopyDisplacement(copies, s.copyOffsetX, s.copyOffsetY));
    const PathPoint pivot = layout.transforms() ? boundingBoxCentre(acquired) : PathPoint{};

    for (A_long copy = 0; copy < copies; ++copy) {
      const StrokeDraws d = layout.draw(stream);
      Path stroke = layout.wavedPath(acquired, d.waveSeed);
      layout.transformStrokes(stroke, pivot, d.transformSeed);
      const double lambda = std::max(0.01, pathLength(stroke));

      layout.layOutStroke(d, lambda);
      PF_Err err = layout.layOutTapers(lambda);
      layout.setRandomOffset(d);
      if (err == PF_Err_NONE) err = layout.profileError();
      if (err == PF_Err_NONE) err = output.clearWorkWorld();
      if (err != PF_Err_NONE) return err;

      for (int pass = 0; pass < (layout.twoPasses() ? 2 : 1); ++pass) {
        double segmentStart = 0.0;
        double lastLength = 0.0;  // the reset segment has length 0
        for (std::size_t j = 0; j + 1 < stroke.size(); ++j) {
          segmentStart = (pass == 1 && j == 0) ? layout.period() : segmentStart + lastLength / lambda;
          if (j == 0) layout.pinFixedEnds(pass == 0 ? 0.0 : layout.period(), 1.0);
          err = layout.drawSegment(stroke[j], stroke[j + 1], segmentStart, lastLength);
          if (err != PF_Err_NONE) return err;
        }
      }
      layout.advanceDisplacement();
      painter.endStroke();
      err = output.compositeWorkWorld();
      if (err != PF_Err_NONE) return err;
    }
    const PF_Err err = output.reportProgress(static_cast<A_long>(((k + 1) * kProgressScale) / pathCount), kProgressScale);
    if (err != PF_Err_NONE) return err;
  }
  return layout.profileError();
}

PF_Err strokePathsSequentially(const PathList& paths, const RenderSettings& s, StrokePainter& painter,
                               StrokeOutput& output) {
  StrokeLayout layout(painter, s);
  StrokeInterrupt interrupt(output);
  layout.setInterrupt(&interrupt);
  RandomStream stream = RandomStream::afterTwoSteps(static_cast<std::uint32_t>(s.effectiveSeed));
  if (s.randomSeed != 0) {
    stream.step();
    stream = RandomStream::afterTwoSteps(stream.output());
  }
  const A_long copies = copyCount(s, stream.drawSigned());
  layout.setDisplacement(firstCopyDisplacement(copies, s.copyOffsetX, s.copyOffsetY));
  const PathPoint pivot = layout.transforms() ? boundingBoxCentre(paths) : PathPoint{};

  for (A_long copy = 0; copy < copies; ++copy) {
    const StrokeDraws d = layout.draw(stream);
    PathList strokes;
    strokes.reserve(paths.size());
    for (std::size_t k = 0; k < paths.size(); ++k) {
      strokes.push_back(layout.wavedPath(paths[k], wrappingProduct(static_cast<std::int64_t>(k) + 1, d.waveSeed)));
    }
    layout.transformStrokes(strokes, pivot, d.transformSeed);
    std::vector<double> lengths;
    lengths.reserve(strokes.size());
    double total = 0.0;
    for (const Path& stroke : strokes) {
      lengths.push_back(pathLength(stroke));
      total += lengths.back();
    }
    const double chainLength = std::max(0.01, total);

    layout.layOutStroke(d, chainLength);
    layout.setRandomOffset(d);
    PF_Err err = layout.profileError();
    if (err == PF_Err_NONE) err = output.clearWorkWorld();
    if (err != PF_Err_NONE) return err;

    // One running position per copy. A pass begins with its first segment, whichever path
    // holds it: a path of a single point draws nothing and must not move the second pass's
    // restart at P, nor leave the next path's fixed start to a previous copy or pass.
    double segmentStart = 0.0;
    double lastLength = 0.0;
    for (int pass = 0; pass < (layout.twoPasses() ? 2 : 1); ++pass) {
      bool passBegun = false;
      for (std::size_t k = 0; k < strokes.size(); ++k) {
        const Path& stroke = strokes[k];
        if (stroke.size() >= 2) {
          err = layout.layOutChainTapers(lengths[k], chainLength);
          if (err != PF_Err_NONE) return err;
        }
        for (std::size_t j = 0; j + 1 < stroke.size(); ++j) {
          const bool chainStart = pass == 1 && !passBegun;
          segmentStart = chainStart ? layout.period() : segmentStart + lastLength / chainLength;
          if (j == 0) {
            const double pathBegin = !passBegun ? (pass == 0 ? 0.0 : layout.period()) : layout.fixedEndEnd();
            layout.pinFixedEnds(pathBegin, lengths[k] / chainLength);
          }
          passBegun = true;
          err = layout.drawSegment(stroke[j], stroke[j + 1], segmentStart, lastLength);
          if (err != PF_Err_NONE) return err;
        }
      }
    }
    layout.advanceDisplacement();
    painter.endStroke();
    err = output.compositeWorkWorld();
    if (err == PF_Err_NONE) {
      err = output.reportProgress(static_cast<A_long>((std::int64_t{copy + 1} * kProgressScale) / copies), kProgressScale);
    }
    if (err != PF_Err_NONE) return err;
  }
  return layout.profileError();
}
