// The wave path modifier: corner rounding, the random cycle, the phase walk and the emitted
// nodes, including the inputs that used to make the node walk run forever.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <future>
#include <limits>
#include <string>
#include <vector>

#include "geometry/BezierSegment.h"
#include "wave/RoundPathCorners.h"
#include "wave/WaveLoopBuffer.h"
#include "wave/WavePath.h"

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// Seeds found by inverting the generator: the first draw of the stream started at seed (or
// seed + 1) has output 65535, i.e. a draw of exactly 1.0.
constexpr std::int32_t kSeedSpacingDrawOne = 1967;    // first draw of the spacing stream
constexpr std::int32_t kSeedAmplitudeDrawOne = 1966;  // first draw of the amplitude stream
constexpr std::int32_t kSeedTwoSpacingDrawsOne = 1656600221;  // first two spacing draws

// The generator written out again, independently of the renderer's stream type.
std::uint32_t lcgStep(std::uint32_t s) { return s * 214013u + 2531011u; }
std::uint32_t firstOutputOfWaveStream(std::uint32_t initial) {
  return lcgStep(lcgStep(lcgStep(initial))) >> 16;  // two steps before the first draw, one for it
}

// A wave stage that must finish; a hang aborts the run with a message instead of stalling it.
template <class F>
void finishesWithin(std::chrono::seconds limit, const char* what, F&& f) {
  auto done = std::async(std::launch::async, std::forward<F>(f));
  if (done.wait_for(limit) != std::future_status::ready) {
    std::fprintf(stderr, "wave stage did not finish within %lld s: %s\n", static_cast<long long>(limit.count()), what);
    std::fflush(stderr);
    std::abort();
  }
  done.get();
}
constexpr std::chrono::seconds kDeadline{60};

PathVertex corner(double x, double y) { return PathVertex{x, y, x, y, x, y}; }

// Straight segments: every handle on its vertex.
Path polyline(std::initializer_list<PathPoint> points) {
  Path path;
  for (const PathPoint& p : points) path.push_back(corner(p.x, p.y));
  return path;
}

WaveSettings waveOn() {
  WaveSettings s;
  s.enabled = true;
  s.amount = 0.0;
  s.length = 0.25;
  s.phase = 0.0;
  s.tangentLength = 0.5;
  s.amountRandom = 0.0;
  s.lengthRandom = 0.0;
  s.alternate = true;
  s.roundCorners = 0.0;
  s.loopBuffer = 4;
  return s;
}

WaveLoopBuffer cycleOf(std::initializer_list<WaveLoopEntry> entries) {
  return WaveLoopBuffer{std::vector<WaveLoopEntry>(entries)};
}

bool identical(const PathVertex& a, const PathVertex& b) {
  return a.x == b.x && a.y == b.y && a.inTangentX == b.inTangentX && a.inTangentY == b.inTangentY &&
         a.outTangentX == b.outTangentX && a.outTangentY == b.outTangentY;
}

void expectIdenticalPaths(const Path& expected, const Path& actual) {
  ASSERT_EQ(expected.size(), actual.size());
  for (std::size_t i = 0; i < expected.size(); ++i) EXPECT_TRUE(identical(expected[i], actual[i])) << "vertex " << i;
}

void expectPoint(PathPoint expected, double x, double y, double tolerance, const std::string& what) {
  EXPECT_NEAR(expected.x, x, tolerance) << what;
  EXPECT_NEAR(expected.y, y, tolerance) << what;
}

Path wave(const WaveSettings& s, const Path& in, std::int32_t seed = 0) {
  Path out;
  ApplyWave(s, out, in, seed);
  return out;
}

Path waveWith(const WaveSettings& s, const WaveLoopBuffer& buffer, const Path& in) {
  Path out;
  applyWaveWithBuffer(s, buffer, out, in);
  return out;
}

// ---------------------------------------------------------------------------------------------
// Wave off, short lists

TEST(ApplyWave, WaveOffAppendsTheInputUnchangedAndIgnoresRoundCorners) {
  // A closed square with one curved side: rounding would change its sharp corners.
  Path in = polyline({{0, 0}, {100, 0}, {100, 100}, {0, 100}, {0, 0}});
  in[1].outTangentX = 120.0;
  in[1].outTangentY = 30.0;
  WaveSettings s = waveOn();
  s.enabled = false;
  s.amount = 12.0;
  s.roundCorners = 1.0;

  Path out{corner(-7, -7)};  // appended to, not replaced
  ApplyWave(s, out, in, 42);
  ASSERT_EQ(out.size(), in.size() + 1);
  EXPECT_TRUE(identical(out[0], corner(-7, -7)));
  for (std::size_t i = 0; i < in.size(); ++i) EXPECT_TRUE(identical(out[i + 1], in[i])) << "vertex " << i;
}

TEST(ApplyWave, FewerThanTwoVerticesAppendNothingWhetherOnOrOff) {
  for (const bool enabled : {false, true}) {
    for (const Path& in : {Path{}, Path{corner(3, 4)}}) {
      WaveSettings s = waveOn();
      s.enabled = enabled;
      s.amount = 5.0;
      s.roundCorners = 1.0;
      Path out{corner(1, 1)};
      ApplyWave(s, out, in, 9);
      EXPECT_EQ(out.size(), 1u) << "enabled " << enabled << ", vertices " << in.size();
    }
  }
}

// ---------------------------------------------------------------------------------------------
// Nodes on the path

TEST(ApplyWave, ZeroAmountPutsNodesOnAStraightPathWithHandlesAlongIt) {
  // 500 px along (3, 4) / 5; nodes every 20 % of the length.
  const Path in = polyline({{10, 20}, {310, 420}});
  WaveSettings s = waveOn();
  s.length = 0.2;
  s.tangentLength = 0.5;
  const Path out = wave(s, in);
  ASSERT_EQ(out.size(), 6u);

  const double ux = 0.6;
  const double uy = 0.8;
  for (std::size_t i = 0; i < out.size(); ++i) {
    const PathVertex& v = out[i];
    const double along = (v.x - 10.0) * ux + (v.y - 20.0) * uy;
    const double across = (v.x - 10.0) * uy - (v.y - 20.0) * ux;
    EXPECT_NEAR(across, 0.0, 1e-9) << "node " << i;
    EXPECT_NEAR(along, 100.0 * static_cast<double>(i), 0.05) << "node " << i;
    if (i + 1 < out.size()) {
      // Out-handle forward along the path, TL × the chord to the next node.
      const double hx = v.outTangentX - v.x;
      const double hy = v.outTangentY - v.y;
      EXPECT_NEAR(hx * uy - hy * ux, 0.0, 1e-9) << "node " << i;
      EXPECT_NEAR(hx * ux + hy * uy, 50.0, 0.1) << "node " << i;
    }
    if (i > 0) {
      const double hx = v.inTangentX - v.x;
      const double hy = v.inTangentY - v.y;
      EXPECT_NEAR(hx * uy - hy * ux, 0.0, 1e-9) << "node " << i;
      EXPECT_NEAR(hx * ux + hy * uy, -50.0, 0.1) << "node " << i;
    }
  }
  // The start keeps the path start as its in-tangent, the end the path end as its out-tangent.
  EXPECT_EQ(out.front().inTangentX, 10.0);
  EXPECT_EQ(out.front().inTangentY, 20.0);
  EXPECT_EQ(out.back().outTangentX, 310.0);
  EXPECT_EQ(out.back().outTangentY, 420.0);
}

TEST(ApplyWave, ZeroAmountPutsNodesOnACurveWithHandlesTangentToIt) {
  // A quarter circle of radius 100 about the origin (the usual 0.5523 handle factor): within
  // 0.03 px of the circle, so a node on the curve lies on the circle and its handles are
  // perpendicular to the radius.
  const double k = 55.22847498;
  Path in{PathVertex{100, 0, 100, 0, 100, k}, PathVertex{0, 100, k, 100, 0, 100}};
  WaveSettings s = waveOn();
  s.length = 0.125;
  const Path out = wave(s, in);
  ASSERT_EQ(out.size(), 9u);
  for (std::size_t i = 0; i < out.size(); ++i) {
    const PathVertex& v = out[i];
    const double radius = std::sqrt(v.x * v.x + v.y * v.y);
    EXPECT_NEAR(radius, 100.0, 0.05) << "node " << i;
    const PathPoint handle = i + 1 < out.size() ? PathPoint{v.outTangentX - v.x, v.outTangentY - v.y}
                                                : PathPoint{v.x - v.inTangentX, v.y - v.inTangentY};
    const double handleLength = std::sqrt(handle.x * handle.x + handle.y * handle.y);
    ASSERT_GT(handleLength, 1.0) << "node " << i;
    EXPECT_NEAR((handle.x * v.x + handle.y * v.y) / (handleLength * radius), 0.0, 2e-3) << "node " << i;
    EXPECT_GT(handle.x * -v.y + handle.y * v.x, 0.0) << "node " << i << " handle points backward";
  }
}

TEST(ApplyWave, AlternateWaveAlternatesFullAmountFromTheStart) {
  // A horizontal path: direction 0 everywhere, so the normal is +y and y is the amplitude.
  const Path in = polyline({{0, 0}, {200, 0}});
  for (const std::int32_t loopBuffer : {2, 4, 6}) {
    for (const std::int32_t seed : {0, 7, 123456}) {
      WaveSettings s = waveOn();
      s.amount = 8.0;
      s.amountRandom = 0.0;
      s.lengthRandom = 0.0;
      s.phase = 0.0;
      s.length = 0.25;
      s.loopBuffer = loopBuffer;
      const Path out = wave(s, in, seed);
      ASSERT_EQ(out.size(), 5u);
      for (std::size_t i = 0; i < out.size(); ++i) {
        EXPECT_EQ(out[i].y, i % 2 == 0 ? 8.0 : -8.0) << "node " << i << ", N " << loopBuffer << ", seed " << seed;
        EXPECT_NEAR(out[i].x, 50.0 * static_cast<double>(i), 0.05) << "node " << i;
      }
      // Only the nodes move: the outer handles stay at the undisplaced path ends.
      EXPECT_EQ(out.front().inTangentY, 0.0);
      EXPECT_EQ(out.back().outTangentY, 0.0);
    }
  }
}

TEST(ApplyWave, NegativeAmountFlipsTheSide) {
  const Path in = polyline({{0, 0}, {200, 0}});
  WaveSettings s = waveOn();
  s.amount = -8.0;
  const Path out = wave(s, in);
  ASSERT_EQ(out.size(), 5u);
  EXPECT_EQ(out[0].y, -8.0);
  EXPECT_EQ(out[1].y, 8.0);
}

TEST(ApplyWave, NodeOnAJointOfStraightSegmentsIsDisplacedAlongPlusY) {
  // Up along +y, then left along −x: neither side's normal is +y. The two sides have exactly
  // equal table lengths, so the middle node falls on the joint at t = 1, where the tangent
  // vanishes; away from the path ends that gives direction 0.
  const Path in = polyline({{0, 0}, {0, 100}, {-100, 100}});
  WaveSettings s = waveOn();
  s.length = 0.5;
  s.loopBuffer = 2;
  s.amount = -6.0;  // the node at 0.5 has index 1: amplitude +6
  const Path out = wave(s, in);
  ASSERT_EQ(out.size(), 3u);
  const PathVertex& node = out[1];
  EXPECT_NEAR(node.x, 0.0, 1e-12);
  EXPECT_EQ(node.y, 106.0);
  // Handles along direction 0 as well.
  EXPECT_EQ(node.outTangentY, node.y);
  EXPECT_GT(node.outTangentX, node.x);
  EXPECT_EQ(node.inTangentY, node.y);
  EXPECT_LT(node.inTangentX, node.x);
}

TEST(ApplyWave, PathEndsWithoutTangentTakeTheirDirectionFromNearbyPoints) {
  // Handles on the vertices: no tangent at either end. The ends look 1 % into their segment.
  const Path in = polyline({{0, 0}, {0, -100}});  // straight up the screen (−y)
  WaveSettings s = waveOn();
  s.amount = 5.0;
  s.length = 1.0;
  s.loopBuffer = 2;
  const Path out = wave(s, in);
  ASSERT_EQ(out.size(), 2u);
  // Direction −π/2; the normal (cos 0, sin 0) = +x. Start +5, end −5 (index 1).
  EXPECT_NEAR(out[0].x, 5.0, 1e-12);
  EXPECT_NEAR(out[0].y, 0.0, 1e-12);
  EXPECT_NEAR(out[1].x, -5.0, 1e-12);
  EXPECT_NEAR(out[1].y, -100.0, 1e-12);
}

TEST(ApplyWave, FirstIntervalBeyondThePathGivesOneIterationOfTwoVertices) {
  WaveSettings s = waveOn();
  s.length = 1.0;
  s.lengthRandom = 1.0;
  s.amount = 10.0;
  s.loopBuffer = 2;
  const std::int32_t seed = 1;  // first spacing draw 6334 / 65535: spacing ≈ 1.81
  const WaveLoopBuffer buffer = buildWaveLoopBuffer(s, seed);
  ASSERT_GT(buffer.entries[0].spacing, 1.0);

  const Path out = wave(s, polyline({{0, 0}, {300, 0}}), seed);
  ASSERT_EQ(out.size(), 2u);
  EXPECT_NEAR(out[0].x, 0.0, 1e-12);
  EXPECT_EQ(out[0].y, 10.0);
  EXPECT_NEAR(out[1].x, 300.0, 1e-12);
  // The end amplitude goes the path's share of the way toward the next node's: 1 / d0.
  EXPECT_NEAR(out[1].y, 10.0 - 20.0 / buffer.entries[0].spacing, 1e-12);
  // Handles: TL × the one chord.
  EXPECT_NEAR(out[0].outTangentX - out[0].x, 150.0, 1e-9);
  EXPECT_NEAR(out[1].x - out[1].inTangentX, 150.0, 1e-9);
}

TEST(ApplyWave, PathOfLengthZeroPutsEveryNodeOnItsPoint) {
  for (const double roundCorners : {0.0, 1.0}) {
    const Path in = polyline({{5, 5}, {5, 5}, {5, 5}});
    WaveSettings s = waveOn();
    s.amount = 3.0;
    s.loopBuffer = 2;
    s.roundCorners = roundCorners;
    const Path out = wave(s, in);
    ASSERT_EQ(out.size(), 5u) << "RC " << roundCorners;
    for (std::size_t i = 0; i < out.size(); ++i) {
      // Direction atan2(0, 0) = 0: displaced along +y, handles of length 0.
      EXPECT_NEAR(out[i].x, 5.0, 1e-12) << "node " << i;
      EXPECT_EQ(out[i].y, i % 2 == 0 ? 8.0 : 2.0) << "node " << i;
      if (i + 1 < out.size()) {
        EXPECT_EQ(out[i].outTangentX, out[i].x) << "node " << i;
        EXPECT_EQ(out[i].outTangentY, out[i].y) << "node " << i;
      } else {
        // The end keeps the undisplaced path end as its out-tangent.
        EXPECT_EQ(out[i].inTangentY, out[i].y);
        EXPECT_EQ(out[i].outTangentY, 5.0);
      }
    }
  }
}

// ---------------------------------------------------------------------------------------------
// Round corners

struct CornerCase {
  double rc;
  PathPoint a, aOut, b, bIn;
};

TEST(RoundPathCorners, RightAngleCornerAtEachStageOfRounding) {
  // (0, 0) → (100, 0) → (100, 40): sides of 100 and 40, corner at (100, 0).
  const Path in = polyline({{0, 0}, {100, 0}, {100, 40}});
  const CornerCase cases[] = {
      {0.5, {75, 0}, {100, 0}, {100, 10}, {100, 0}},   // a quarter of each side, handles at the corner
      {1.0, {50, 0}, {100, 0}, {100, 20}, {100, 0}},   // cut to the middles
      {1.5, {50, 0}, {75, 0}, {100, 20}, {100, 10}},   // handles halfway back
      {2.0, {50, 0}, {50, 0}, {100, 20}, {100, 20}},   // straight chamfer
  };
  for (const CornerCase& c : cases) {
    const std::string what = "RC " + std::to_string(c.rc);
    Path out;
    RoundPathCorners(c.rc, out, in);
    ASSERT_EQ(out.size(), 4u) << what;
    EXPECT_TRUE(identical(out[0], in[0])) << what;
    EXPECT_TRUE(identical(out[3], in[2])) << what;
    const PathVertex& a = out[1];
    const PathVertex& b = out[2];
    expectPoint(c.a, a.x, a.y, 1e-12, what + " A");
    EXPECT_EQ(a.inTangentX, a.x) << what;
    EXPECT_EQ(a.inTangentY, a.y) << what;
    expectPoint(c.aOut, a.outTangentX, a.outTangentY, 1e-12, what + " A out");
    expectPoint(c.b, b.x, b.y, 1e-12, what + " B");
    expectPoint(c.bIn, b.inTangentX, b.inTangentY, 1e-12, what + " B in");
    EXPECT_EQ(b.outTangentX, b.x) << what;
    EXPECT_EQ(b.outTangentY, b.y) << what;
  }
}

TEST(RoundPathCorners, LeavesCurvedCornersShortPathsAndZeroRoundingAlone) {
  Path curved = polyline({{0, 0}, {100, 0}, {100, 40}, {0, 40}});
  curved[1].inTangentX = 80.0;  // the corner at (100, 0) has an in-handle; (100, 40) stays sharp
  Path out;
  RoundPathCorners(1.0, out, curved);
  ASSERT_EQ(out.size(), 5u);
  EXPECT_TRUE(identical(out[1], curved[1]));
  expectPoint({100, 20}, out[2].x, out[2].y, 1e-12, "cut of the sharp corner");

  for (const double rc : {0.0, -1.0, kNaN}) {
    Path copy;
    RoundPathCorners(rc, copy, curved);
    expectIdenticalPaths(curved, copy);
  }
  const Path two = polyline({{0, 0}, {10, 0}});
  Path copy;
  RoundPathCorners(1.0, copy, two);
  expectIdenticalPaths(two, copy);
}

TEST(RoundPathCorners, ClosedPathStartsAndEndsInTheMiddleOfTheClosingCorner) {
  // Closing corner at (0, 0) between the side from (0, 100) (d1 = 100) and the side to
  // (200, 0) (d2 = 200): M divides the rounded corner's arc in the ratio 1 : 2.
  const Path in = polyline({{0, 0}, {200, 0}, {200, 100}, {0, 100}, {0, 0}});
  Path w;
  RoundPathCorners(1.0, w, in);
  ASSERT_EQ(w.size(), 10u);  // M and B, A and B for each of the three inner corners, A and M

  const PathVertex& m = w.front();
  EXPECT_EQ(m.x, w.back().x);
  EXPECT_EQ(m.y, w.back().y);
  EXPECT_EQ(m.inTangentX, m.x);  // no in-handle at the start, no out-handle at the end
  EXPECT_EQ(m.inTangentY, m.y);
  EXPECT_EQ(w.back().outTangentX, m.x);
  EXPECT_EQ(w.back().outTangentY, m.y);
  expectPoint({100, 0}, w[1].x, w[1].y, 1e-12, "B");
  expectPoint({0, 50}, w[w.size() - 2].x, w[w.size() - 2].y, 1e-12, "A");

  // The two parts of the corner curve, A → M and M → B, measure 1 : 2.
  BezierSegment left;
  const PathVertex& a = w[w.size() - 2];
  left.setUp(a.x, a.y, a.outTangentX, a.outTangentY, w.back().inTangentX, w.back().inTangentY, m.x, m.y);
  BezierSegment right;
  right.setUp(m.x, m.y, m.outTangentX, m.outTangentY, w[1].inTangentX, w[1].inTangentY, w[1].x, w[1].y);
  const double total = left.totalLength() + right.totalLength();
  EXPECT_NEAR(left.totalLength() / total, 1.0 / 3.0, 1e-3);
}

TEST(ApplyWave, ClosedPathWithRoundedClosingCornerStartsAndEndsAtItsMiddle) {
  const Path square = polyline({{0, 0}, {100, 0}, {100, 100}, {0, 100}, {0, 0}});
  WaveSettings s = waveOn();
  s.roundCorners = 1.0;
  s.length = 0.1;
  const Path out = wave(s, square);
  ASSERT_GE(out.size(), 2u);
  // The closing corner from (0, 50) over (0, 0) to (50, 0), split in half: (6.25, 6.25).
  expectPoint({6.25, 6.25}, out.front().x, out.front().y, 1e-6, "start");
  expectPoint({6.25, 6.25}, out.back().x, out.back().y, 1e-6, "end");

  // Without rounding it starts at the square's corner.
  s.roundCorners = 0.0;
  const Path sharp = wave(s, square);
  EXPECT_EQ(sharp.front().x, 0.0);
  EXPECT_EQ(sharp.front().y, 0.0);
}

// ---------------------------------------------------------------------------------------------
// The random cycle

TEST(WaveLoopBuffer, ValuesOfAKnownSeedFollowTheGenerator) {
  // Seed 7: the streams start at 7, 8 and 9, each moved on two steps before its first draw.
  // Their outputs, worked out by hand from state · 214013 + 2531011:
  //   spacing stream   47983, 7040, 48289
  //   amplitude stream   311, 63871, 58603
  //   sign stream      18175 (< half: −), 55166 (+), 3382 (−)
  ASSERT_EQ(firstOutputOfWaveStream(7), 47983u);
  ASSERT_EQ(firstOutputOfWaveStream(8), 311u);
  ASSERT_EQ(firstOutputOfWaveStream(9), 18175u);
  const double spacingOutputs[] = {47983, 7040, 48289};
  const double amplitudeOutputs[] = {311, 63871, 58603};
  const double signs[] = {-1, 1, -1};

  WaveSettings s = waveOn();
  s.alternate = false;
  s.length = 0.2;
  s.lengthRandom = 0.5;
  s.amount = 10.0;
  s.amountRandom = 0.25;
  s.loopBuffer = 3;
  const WaveLoopBuffer buffer = buildWaveLoopBuffer(s, 7);
  ASSERT_EQ(buffer.size(), 3u);
  for (std::size_t j = 0; j < 3; ++j) {
    const double r1 = spacingOutputs[j] / 65535.0;
    const double r2 = amplitudeOutputs[j] / 65535.0;
    EXPECT_NEAR(buffer.entries[j].spacing, 0.2 - (2 * r1 - 1) * 0.5 * 0.2, 1e-15) << "entry " << j;
    EXPECT_NEAR(buffer.entries[j].amplitude, signs[j] * 10 * (1 - 0.25 * r2), 1e-13) << "entry " << j;
  }

  // Alternate Wave only replaces the signs: the other two streams are unaffected.
  s.alternate = true;
  const WaveLoopBuffer alternating = buildWaveLoopBuffer(s, 7);
  for (std::size_t j = 0; j < 3; ++j) {
    EXPECT_EQ(alternating.entries[j].spacing, buffer.entries[j].spacing) << "entry " << j;
    EXPECT_EQ(alternating.entries[j].amplitude, (j % 2 == 0 ? 1 : -1) * std::fabs(buffer.entries[j].amplitude))
        << "entry " << j;
  }
}

TEST(WaveLoopBuffer, DrawOfOneWithFullRandomnessGivesZero) {
  ASSERT_EQ(firstOutputOfWaveStream(kSeedSpacingDrawOne), 65535u);
  ASSERT_EQ(firstOutputOfWaveStream(kSeedAmplitudeDrawOne + 1), 65535u);
  WaveSettings s = waveOn();
  s.amount = 7.0;
  s.amountRandom = 1.0;
  s.lengthRandom = 1.0;
  s.length = 0.2;
  EXPECT_EQ(buildWaveLoopBuffer(s, kSeedSpacingDrawOne).entries[0].spacing, 0.0);
  EXPECT_EQ(buildWaveLoopBuffer(s, kSeedAmplitudeDrawOne).entries[0].amplitude, 0.0);
}

TEST(ApplyWave, DrawOfOneForAmountGivesANodeOnThePath) {
  WaveSettings s = waveOn();
  s.amount = 7.0;
  s.amountRandom = 1.0;
  const Path out = wave(s, polyline({{0, 0}, {200, 0}}), kSeedAmplitudeDrawOne);
  ASSERT_EQ(out.size(), 5u);
  EXPECT_EQ(out[0].y, 0.0);
  EXPECT_NE(out[1].y, 0.0);
}

TEST(ApplyWave, DrawOfOneForLengthGivesTwoNodesAtTheSamePlace) {
  // Spacings (0, s1): after the start (which is node 1) come node 0 at s1 and node 1 at s1 + 0.
  WaveSettings s = waveOn();
  s.length = 0.2;
  s.lengthRandom = 1.0;
  s.loopBuffer = 2;
  const WaveLoopBuffer buffer = buildWaveLoopBuffer(s, kSeedSpacingDrawOne);
  ASSERT_EQ(buffer.entries[0].spacing, 0.0);
  ASSERT_GT(buffer.entries[1].spacing, 0.0);
  ASSERT_LT(buffer.entries[1].spacing, 0.5);

  const Path out = wave(s, polyline({{0, 0}, {100, 0}}), kSeedSpacingDrawOne);
  ASSERT_GE(out.size(), 4u);
  EXPECT_EQ(out[1].x, out[2].x);
  EXPECT_EQ(out[1].y, out[2].y);
  EXPECT_NEAR(out[1].x, 100.0 * buffer.entries[1].spacing, 0.05);
}

TEST(WaveLoopBuffer, LoopBufferOutsideTheSliderIsTakenAsTheNearestEnd) {
  WaveSettings s = waveOn();
  for (const auto& [requested, expected] : {std::pair<std::int32_t, std::size_t>{std::numeric_limits<std::int32_t>::min(), 2},
                                            {0, 2},
                                            {1, 2},
                                            {2, 2},
                                            {1000, 1000},
                                            {std::numeric_limits<std::int32_t>::max(), 1000}}) {
    s.loopBuffer = requested;
    EXPECT_EQ(buildWaveLoopBuffer(s, 3).size(), expected) << requested;
  }
}

TEST(WaveLoopBuffer, LargestSeedWrapsInsteadOfOverflowing) {
  WaveSettings s = waveOn();
  s.alternate = false;
  s.loopBuffer = 2;
  s.amount = 1.0;
  // Streams at 2^31 − 1, 2^31 and 2^31 + 1 (unsigned): no signed overflow (UBSan would stop here).
  const WaveLoopBuffer buffer = buildWaveLoopBuffer(s, std::numeric_limits<std::int32_t>::max());
  EXPECT_EQ(buffer.size(), 2u);
}

// ---------------------------------------------------------------------------------------------
// The phase

// Spacings and amplitudes that are exact in binary, so every position below is exact too.
const WaveLoopBuffer kQuarterHalf = cycleOf({{0.25, 4.0}, {0.5, -2.0}});  // cycle 0.75

struct PhaseCase {
  double phase;
  std::size_t index;
  double amplitude;
  double interval;
};

TEST(WavePhase, LocatesThePhaseForwardAndBackward) {
  const PhaseCase cases[] = {
      {0.0, 0, 4.0, 0.25},
      {0.125, 0, 1.0, 0.125},    // halfway from node 0 (4) to node 1 (−2)
      {0.25, 1, -2.0, 0.5},      // exactly on node 1
      {0.875, 0, 1.0, 0.125},    // one cycle on
      {15.125, 0, 1.0, 0.125},   // twenty cycles on
      {-0.625, 0, 1.0, 0.125},   // backward: past node 1 at −0.5 to node 0 at −0.75
      {-0.5, 1, -2.0, 0.5},      // backward onto node 1 itself
      {-0.1, 1, 2.8, 0.1},       // 80 % of the way from node 1 at −0.5 to node 0 at 0
      {-2.125, 0, 1.0, 0.125},   // three cycles back
      {-2.25, 0, 4.0, 0.25},     // exactly three cycles back: node 0
  };
  for (const PhaseCase& c : cases) {
    const WaveStart start = locateWaveStart(kQuarterHalf, c.phase);
    EXPECT_TRUE(start.cycleAdvances) << "phase " << c.phase;
    EXPECT_EQ(start.index, c.index) << "phase " << c.phase;
    EXPECT_NEAR(start.amplitude, c.amplitude, 1e-12) << "phase " << c.phase;
    EXPECT_NEAR(start.interval, c.interval, 1e-12) << "phase " << c.phase;
  }
}

TEST(ApplyWave, PhasesAWholeCycleApartGiveTheSameWave) {
  const Path in = polyline({{0, 0}, {120, 0}, {120, 90}});
  WaveSettings s = waveOn();
  s.phase = 0.125;
  const Path reference = waveWith(s, kQuarterHalf, in);
  ASSERT_GE(reference.size(), 3u);
  EXPECT_NEAR(reference[0].y, 1.0, 1e-12);  // amp0 halfway between 4 and −2
  for (const double phase : {-0.625, 0.875, -2.125, 15.125}) {
    s.phase = phase;
    const Path shifted = waveWith(s, kQuarterHalf, in);
    ASSERT_EQ(shifted.size(), reference.size()) << "phase " << phase;
    for (std::size_t i = 0; i < reference.size(); ++i) {
      EXPECT_TRUE(identical(shifted[i], reference[i])) << "phase " << phase << ", vertex " << i;
    }
  }
}

TEST(WavePhase, PhaseOfTenThousandPathLengthsOverTinySpacingsIsQuick) {
  // 2^-20 and 2^-19: 10000 path lengths are 3.5e9 cycles. 10000 = whole cycles + 2^-20, which
  // is exactly node 1; −10000 lies halfway between node 1 and the next node 0.
  const WaveLoopBuffer tiny = cycleOf({{std::ldexp(1.0, -20), 3.0}, {std::ldexp(1.0, -19), -1.0}});
  finishesWithin(std::chrono::seconds{10}, "phase 1e4 over tiny spacings", [&] {
    const WaveStart ahead = locateWaveStart(tiny, 1e4);
    EXPECT_EQ(ahead.index, 1u);
    EXPECT_EQ(ahead.amplitude, -1.0);
    EXPECT_EQ(ahead.interval, std::ldexp(1.0, -19));
    const WaveStart behind = locateWaveStart(tiny, -1e4);
    EXPECT_EQ(behind.index, 1u);
    EXPECT_EQ(behind.amplitude, 1.0);
    EXPECT_EQ(behind.interval, std::ldexp(1.0, -20));
    for (const double phase : {1e300, -1e300, std::numeric_limits<double>::max(), -std::numeric_limits<double>::max()}) {
      const WaveStart far = locateWaveStart(tiny, phase);
      EXPECT_TRUE(far.cycleAdvances) << phase;
      EXPECT_LT(far.index, 2u) << phase;
      EXPECT_GT(far.interval, 0.0) << phase;
    }
  });

  // And the whole modifier, with its own random cycle of spacings near 0.00001.
  WaveSettings s = waveOn();
  s.alternate = false;
  s.amount = 2.0;
  s.length = 0.01;
  s.lengthRandom = 0.999;
  s.phase = 1e4;
  finishesWithin(kDeadline, "ApplyWave with phase 1e4", [&] {
    const Path out = wave(s, polyline({{0, 0}, {100, 0}}), 11);
    EXPECT_GE(out.size(), 2u);
  });
}

// ---------------------------------------------------------------------------------------------
// Cycles that never move on, non-finite input

TEST(WavePhase, CycleOfZeroTotalSpacingIsOneIntervalOverThePath) {
  const WaveLoopBuffer cycles[] = {
      cycleOf({{0.0, 5.0}, {0.0, -5.0}}),        // draws of 1.0 at 100 % length randomness
      cycleOf({{1e-300, 5.0}, {0.0, -5.0}}),     // moves nothing at position 1.0
      cycleOf({{-0.1, 5.0}, {0.05, -5.0}}),      // moves backward
      cycleOf({{kNaN, 5.0}, {0.5, -5.0}}),
      cycleOf({{kInf, 5.0}, {0.5, -5.0}}),
      cycleOf({{kInf, 5.0}, {-kInf, -5.0}}),
  };
  for (const WaveLoopBuffer& cycle : cycles) {
    for (const double phase : {0.0, 0.3, -2.2, 1e300, kNaN}) {
      const std::string what = "spacing " + std::to_string(cycle.entries[0].spacing) + ", phase " + std::to_string(phase);
      finishesWithin(kDeadline, what.c_str(), [&] {
        const WaveStart start = locateWaveStart(cycle, phase);
        EXPECT_FALSE(start.cycleAdvances) << what;
        EXPECT_EQ(start.index, 0u) << what;
        EXPECT_EQ(start.amplitude, 5.0) << what;
        EXPECT_EQ(start.interval, 1.0) << what;

        // Start at node 0's amplitude, end at node 1's, nothing in between.
        const Path out = waveWith(waveOn(), cycle, polyline({{0, 0}, {100, 0}}));
        ASSERT_EQ(out.size(), 2u) << what;
        EXPECT_EQ(out[0].y, 5.0) << what;
        EXPECT_EQ(out[1].y, -5.0) << what;
      });
    }
  }
}

TEST(ApplyWave, SeedWhoseWholeCycleHasSpacingZeroStillEnds) {
  // Both spacing draws of this seed are 1.0: with "Wave Length Random" 100 % and a loop buffer
  // of 2 every spacing is 0, and the node walk used to run forever.
  WaveSettings s = waveOn();
  s.amount = 5.0;
  s.length = 0.3;
  s.lengthRandom = 1.0;
  s.loopBuffer = 2;
  const WaveLoopBuffer buffer = buildWaveLoopBuffer(s, kSeedTwoSpacingDrawsOne);
  ASSERT_EQ(buffer.entries[0].spacing, 0.0);
  ASSERT_EQ(buffer.entries[1].spacing, 0.0);

  for (const double phase : {0.0, 0.4, -0.4}) {
    s.phase = phase;
    finishesWithin(kDeadline, "all-zero spacing", [&] {
      const Path out = wave(s, polyline({{0, 0}, {100, 0}}), kSeedTwoSpacingDrawsOne);
      ASSERT_EQ(out.size(), 2u);
      EXPECT_EQ(out[0].y, 5.0);
      EXPECT_EQ(out[1].y, -5.0);
      EXPECT_NEAR(out[1].x, 100.0, 1e-12);
    });
  }
}

TEST(ApplyWave, TooManyIntervalsEndWithOneReachingThePathEnd) {
  // A spacing far below the slider's 1 % would give 2.5e8 nodes; the last allowed interval runs
  // to the path end instead.
  WaveSettings s = waveOn();
  s.length = 4e-9;
  finishesWithin(kDeadline, "interval cap", [&] {
    const Path out = wave(s, polyline({{0, 0}, {100, 0}}));
    ASSERT_EQ(out.size(), kMaxWaveIntervals + 1);
    EXPECT_NEAR(out.back().x, 100.0, 1e-12);
  });
}

TEST(ApplyWave, NonFinitePhaseCountsAsZero) {
  const Path in = polyline({{0, 0}, {100, 0}, {100, 50}});
  WaveSettings s = waveOn();
  s.amount = 3.0;
  const Path reference = wave(s, in, 4);
  for (const double phase : {kNaN, kInf, -kInf}) {
    s.phase = phase;
    expectIdenticalPaths(reference, wave(s, in, 4));
  }
}

TEST(ApplyWave, NonFiniteSettingsAndVerticesNeverHangOrCrash) {
  using Field = double WaveSettings::*;
  const Field fields[] = {&WaveSettings::amount,       &WaveSettings::length,       &WaveSettings::phase,
                          &WaveSettings::tangentLength, &WaveSettings::amountRandom, &WaveSettings::lengthRandom,
                          &WaveSettings::roundCorners};
  const Path square = polyline({{0, 0}, {100, 0}, {100, 100}, {0, 100}, {0, 0}});
  for (const Field field : fields) {
    for (const double value : {kNaN, kInf, -kInf, -1.0, 0.0, 1e300, -1e300}) {
      WaveSettings s = waveOn();
      s.alternate = false;
      s.amount = 4.0;
      s.amountRandom = 0.5;
      s.lengthRandom = 0.5;
      s.roundCorners = 0.5;
      s.*field = value;
      finishesWithin(kDeadline, "non-finite setting", [&] {
        const Path out = wave(s, square, 21);
        EXPECT_GE(out.size(), 2u);
        EXPECT_LE(out.size(), kMaxWaveIntervals + 1);
      });
    }
  }

  for (const double bad : {kNaN, kInf, -kInf}) {
    for (std::size_t coordinate = 0; coordinate < 6; ++coordinate) {
      Path in = square;
      double* fieldsOfVertex[] = {&in[2].x, &in[2].y, &in[2].inTangentX, &in[2].inTangentY, &in[2].outTangentX,
                                  &in[2].outTangentY};
      *fieldsOfVertex[coordinate] = bad;
      WaveSettings s = waveOn();
      s.amount = 4.0;
      s.roundCorners = 1.0;
      finishesWithin(kDeadline, "non-finite vertex", [&] {
        const Path out = wave(s, in, 21);
        EXPECT_GE(out.size(), 2u);
        EXPECT_LE(out.size(), kMaxWaveIntervals + 1);
      });
    }
  }
}

}  // namespace
