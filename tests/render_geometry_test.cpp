// Path geometry: the segment tables and their walk, path length, bounding-box centre, the
// random transform and the taper profiles.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>

#include "geometry/BezierSegment.h"
#include "geometry/PathMeasure.h"
#include "random/RandomStream.h"
#include "geometry/RandomTransform.h"
#include "taper/TaperProfile.h"

namespace {

struct Point {
  double x;
  double y;
};

BezierSegment segmentThrough(Point p0, Point p1, Point p2, Point p3) {
  BezierSegment segment;
  segment.setUp(p0.x, p0.y, p1.x, p1.y, p2.x, p2.y, p3.x, p3.y);
  return segment;
}

std::vector<Point> walk(BezierSegment& segment, double step, bool endPending) {
  segment.beginWalk(step, endPending);
  std::vector<Point> points;
  while (segment.step()) points.push_back({segment.pointX, segment.pointY});
  return points;
}

PathVertex vertexAt(double x, double y) { return PathVertex{x, y, x, y, x, y}; }

TEST(BezierSegment, StraightSegmentHasAnExactTableAndEvenSamples) {
  // Handles a third of the way along: x(t) = 30 t.
  BezierSegment segment = segmentThrough({0, 0}, {10, 0}, {20, 0}, {30, 0});
  for (int i = 0; i <= 100; ++i) {
    EXPECT_EQ(segment.parameterTable[static_cast<std::size_t>(i)], i / 100.0);
    EXPECT_NEAR(segment.lengthTable[static_cast<std::size_t>(i)], 0.3 * i, 1e-12);
  }
  const std::vector<Point> points = walk(segment, 1.0, false);
  ASSERT_EQ(points.size(), 30u);
  for (std::size_t k = 0; k < points.size(); ++k) {
    EXPECT_NEAR(points[k].x, static_cast<double>(k), 1e-9);
    EXPECT_EQ(points[k].y, 0.0);
  }
}

// A 10-pixel segment walked 1 px at a time: 0 … 9 without the end, then P3 only on request.
TEST(BezierSegment, TenPixelWalkWithAndWithoutTheEnd) {
  BezierSegment segment = segmentThrough({5, 7}, {5, 7}, {15, 7}, {15, 7});
  ASSERT_EQ(segment.totalLength(), 10.0);

  segment.beginWalk(1.0, false);
  int count = 0;
  while (segment.step()) {
    EXPECT_EQ(segment.currentDistance, count);
    EXPECT_LT(segment.t, 1.0);
    ++count;
  }
  EXPECT_EQ(count, 10);

  const std::vector<Point> withEnd = walk(segment, 1.0, true);
  ASSERT_EQ(withEnd.size(), 11u);
  EXPECT_EQ(withEnd.back().x, 15.0);
  EXPECT_EQ(withEnd.back().y, 7.0);
  EXPECT_EQ(segment.t, 1.0);
}

TEST(BezierSegment, StepLongerThanTheSegmentGivesTheStartOnly) {
  BezierSegment segment = segmentThrough({5, 7}, {5, 7}, {15, 7}, {15, 7});
  const std::vector<Point> alone = walk(segment, 100.0, false);
  ASSERT_EQ(alone.size(), 1u);
  EXPECT_EQ(alone[0].x, 5.0);
  EXPECT_EQ(alone[0].y, 7.0);

  const std::vector<Point> withEnd = walk(segment, 100.0, true);
  ASSERT_EQ(withEnd.size(), 2u);
  EXPECT_EQ(withEnd[1].x, 15.0);
}

TEST(BezierSegment, ZeroLengthSegment) {
  BezierSegment segment = segmentThrough({3, 4}, {3, 4}, {3, 4}, {3, 4});
  EXPECT_EQ(segment.totalLength(), 0.0);
  EXPECT_TRUE(walk(segment, 1.0, false).empty());
  const std::vector<Point> once = walk(segment, 1.0, true);
  ASSERT_EQ(once.size(), 1u);
  EXPECT_EQ(once[0].x, 3.0);
  EXPECT_EQ(once[0].y, 4.0);
}

TEST(BezierSegment, FinishedWalkKeepsItsLastPoint) {
  BezierSegment segment = segmentThrough({0, 0}, {0, 0}, {10, 0}, {10, 0});
  segment.beginWalk(3.0, false);
  while (segment.step()) {
  }
  EXPECT_NEAR(segment.pointX, 9.0, 1e-3);
  EXPECT_FALSE(segment.step());
  EXPECT_NEAR(segment.pointX, 9.0, 1e-3);
}

TEST(BezierSegment, SetUpLeavesTheWalkAlone) {
  BezierSegment segment = segmentThrough({0, 0}, {0, 0}, {10, 0}, {10, 0});
  segment.beginWalk(0.5, true);
  segment.setUp(0, 0, 1, 1, 2, 2, 3, 3);
  EXPECT_EQ(segment.stepDistance, 0.5);
  EXPECT_TRUE(segment.endPending);
  EXPECT_EQ(segment.tableIndex, -1);
}

// The walk's table index only moves forward, incrementally. A direct search of the table for
// every distance must give the same interval, hence the same parameter, bit for bit; and the
// points must lie about a pixel apart.
TEST(BezierSegment, IncrementalWalkAgreesWithADirectTableSearch) {
  std::mt19937 random(7);
  std::uniform_real_distribution<double> coordinate(-300.0, 300.0);
  for (int n = 0; n < 60; ++n) {
    Point p0{coordinate(random), coordinate(random)};
    Point p1{coordinate(random), coordinate(random)};
    Point p2{coordinate(random), coordinate(random)};
    Point p3{coordinate(random), coordinate(random)};
    if (n == 0) {
      // x(t) = 300 t: table entries fall on whole pixels, so distances hit them exactly.
      p0 = {0, 0};
      p1 = {100, 0};
      p2 = {200, 0};
      p3 = {300, 0};
    }
    BezierSegment segment = segmentThrough(p0, p1, p2, p3);
    const double total = segment.totalLength();
    segment.beginWalk(1.0, false);
    int k = 0;
    double previousX = 0.0;
    double previousY = 0.0;
    while (segment.step()) {
      const double d = k;
      ASSERT_EQ(segment.currentDistance, d);
      // Direct: the last interval whose start is not above d.
      std::size_t i = 0;
      while (i + 1 < 100 && segment.lengthTable[i + 1] <= d) ++i;
      const double li = segment.lengthTable[i];
      const double lNext = segment.lengthTable[i + 1];
      const double ti = segment.parameterTable[i];
      const double t = li == lNext ? ti : ti + (d - li) / (lNext - li) * (segment.parameterTable[i + 1] - ti);
      ASSERT_EQ(segment.t, t) << "case " << n << ", sample " << k;
      if (k > 0) {
        const double chord = std::hypot(segment.pointX - previousX, segment.pointY - previousY);
        ASSERT_LE(chord, 1.5) << "case " << n << ", sample " << k;
        ASSERT_GE(chord, 0.25) << "case " << n << ", sample " << k;
      }
      previousX = segment.pointX;
      previousY = segment.pointY;
      ++k;
    }
    EXPECT_EQ(k, static_cast<int>(std::ceil(total))) << "case " << n << ", length " << total;
  }
}

TEST(PathMeasure, LengthOfShortPathsIsZero) {
  EXPECT_EQ(pathLength(Path{}), 0.0);
  EXPECT_EQ(pathLength(Path{vertexAt(4, 5)}), 0.0);
}

TEST(PathMeasure, SquareOfHundredMeasuresFourHundred) {
  const Path square{vertexAt(0, 0), vertexAt(100, 0), vertexAt(100, 100), vertexAt(0, 100), vertexAt(0, 0)};
  EXPECT_NEAR(pathLength(square), 400.0, 1e-9);
}

TEST(PathMeasure, LengthIsTheSumOfTheSegmentTables) {
  Path path{vertexAt(0, 0), vertexAt(50, 20), vertexAt(80, -30)};
  path[0].outTangentX = 30;
  path[1].inTangentY = 60;
  const double first = segmentThrough({0, 0}, {30, 0}, {50, 60}, {50, 20}).totalLength();
  const double second = segmentThrough({50, 20}, {50, 20}, {80, -30}, {80, -30}).totalLength();
  EXPECT_EQ(pathLength(path), first + second);
}

TEST(PathMeasure, BoundingBoxCentreAtNegativeCoordinates) {
  const Path path{vertexAt(-200, -100), vertexAt(-100, -200), vertexAt(-150, -150)};
  const PathPoint centre = boundingBoxCentre(path);
  EXPECT_EQ(centre.x, -150.0);
  EXPECT_EQ(centre.y, -150.0);
}

TEST(PathMeasure, BoundingBoxIncludesTangentPointsAndEveryPath) {
  PathVertex v = vertexAt(0, 0);
  v.outTangentX = 10;
  v.outTangentY = -20;
  const PathPoint one = boundingBoxCentre(Path{v});
  EXPECT_EQ(one.x, 5.0);
  EXPECT_EQ(one.y, -10.0);

  const PathList list{Path{vertexAt(0, 0)}, Path{}, Path{vertexAt(40, 60)}};
  const PathPoint both = boundingBoxCentre(list);
  EXPECT_EQ(both.x, 20.0);
  EXPECT_EQ(both.y, 30.0);

  const PathPoint none = boundingBoxCentre(PathList{});
  EXPECT_EQ(none.x, 0.0);
  EXPECT_EQ(none.y, 0.0);
}

Path arbitraryPath() {
  return Path{PathVertex{123.456, -78.9, 120.1, -80.3, 130.7, -70.01},
              PathVertex{0.1, 0.2, 0.3, 0.4, 0.5, 0.6},
              PathVertex{-1e4 / 3, 1e5 / 7, 17.17, 33.3, -0.001, 1.0 / 3}};
}

bool samePaths(const Path& a, const Path& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t k = 0; k < a.size(); ++k) {
    const PathVertex& u = a[k];
    const PathVertex& v = b[k];
    if (u.x != v.x || u.y != v.y || u.inTangentX != v.inTangentX || u.inTangentY != v.inTangentY ||
        u.outTangentX != v.outTangentX || u.outTangentY != v.outTangentY)
      return false;
  }
  return true;
}

TEST(RandomTransform, NoRandomnessLeavesEveryPointUnchanged) {
  Path path = arbitraryPath();
  randomTransform(TransformRandomness{}, path, PathPoint{50.3, -7.77}, 42);
  EXPECT_TRUE(samePaths(path, arbitraryPath()));
}

// The angle comes from the jumped state itself, the y scale from the next draw, the x scale from
// the one after: drawing before reading, or swapping the scales, moves every copied stroke.
TEST(RandomTransform, ValuesComeFromTheThreeStepJumpInOrder) {
  const std::int32_t seed = 77;
  RandomStream stream = RandomStream::afterThreeSteps(seed);
  const double r1 = stream.unitValue();
  const double r2 = stream.draw();
  const double r3 = stream.draw();
  const PathPoint pivot{10, 20};

  Path rotated{vertexAt(pivot.x + 100, pivot.y)};
  randomTransform(TransformRandomness{1.0, 0.0, 0.0}, rotated, pivot, seed);
  const double angle = (2.0 * r1 - 1.0) * 1.0;
  EXPECT_NEAR(rotated[0].x, pivot.x + 100 * std::cos(angle), 1e-9);
  EXPECT_NEAR(rotated[0].y, pivot.y + 100 * std::sin(angle), 1e-9);
  EXPECT_NEAR(rotated[0].outTangentY, rotated[0].y, 1e-12);

  Path scaled{vertexAt(pivot.x + 100, pivot.y + 100)};
  randomTransform(TransformRandomness{0.0, 0.5, 0.25}, scaled, pivot, seed);
  EXPECT_NEAR(scaled[0].x, pivot.x + 100 * (1.0 + (2.0 * r3 - 1.0) * 0.5), 1e-9);
  EXPECT_NEAR(scaled[0].y, pivot.y + 100 * (1.0 + (2.0 * r2 - 1.0) * 0.25), 1e-9);
}

TEST(RandomTransform, RotationKeepsDistancesToThePivot) {
  Path path = arbitraryPath();
  const PathPoint pivot{3, 4};
  randomTransform(TransformRandomness{2.5, 0.0, 0.0}, path, pivot, 5);
  const Path original = arbitraryPath();
  for (std::size_t k = 0; k < path.size(); ++k) {
    EXPECT_NEAR(std::hypot(path[k].x - pivot.x, path[k].y - pivot.y),
                std::hypot(original[k].x - pivot.x, original[k].y - pivot.y), 1e-9);
    EXPECT_NEAR(std::hypot(path[k].inTangentX - pivot.x, path[k].inTangentY - pivot.y),
                std::hypot(original[k].inTangentX - pivot.x, original[k].inTangentY - pivot.y), 1e-9);
  }
}

TEST(RandomTransform, OneMatrixForEveryPathOfAList) {
  const TransformRandomness randomness{0.7, 0.3, 0.4};
  const PathPoint pivot{-5, 8};
  PathList list{arbitraryPath(), Path{vertexAt(1, 2), vertexAt(3, 4)}};
  randomTransform(randomness, list, pivot, 9);
  Path first = arbitraryPath();
  Path second{vertexAt(1, 2), vertexAt(3, 4)};
  randomTransform(randomness, first, pivot, 9);
  randomTransform(randomness, second, pivot, 9);
  EXPECT_TRUE(samePaths(list[0], first));
  EXPECT_TRUE(samePaths(list[1], second));
}

TEST(TaperProfile, ControlPointsFollowTheBias) {
  const TaperCurve thin = taperCurve(-1.0);
  EXPECT_DOUBLE_EQ(thin.p1.x, 0.8);
  EXPECT_EQ(thin.p1.y, 0.0);
  EXPECT_DOUBLE_EQ(thin.p2.x, 0.8);
  EXPECT_EQ(thin.p2.y, 1.0);

  const TaperCurve even = taperCurve(0.0);
  EXPECT_DOUBLE_EQ(even.p1.x, 0.2 * std::cos(3.141592653589793 / 4));
  EXPECT_DOUBLE_EQ(even.p1.y, 0.2 * std::sin(3.141592653589793 / 4));
  EXPECT_DOUBLE_EQ(even.p2.x, 0.8);

  const TaperCurve fast = taperCurve(1.0);
  EXPECT_NEAR(fast.p1.x, 0.0, 1e-16);
  EXPECT_DOUBLE_EQ(fast.p1.y, 0.2);
  EXPECT_NEAR(fast.p2.x, 0.2, 1e-15);
  EXPECT_EQ(fast.p2.y, 1.0);

  for (const double bias : {-1.0, -0.3, 0.0, 0.6, 1.0}) {
    const TaperCurve curve = taperCurve(bias);
    EXPECT_EQ(curve.p0.x, 0.0);
    EXPECT_EQ(curve.p0.y, 0.0);
    EXPECT_EQ(curve.p3.x, 1.0);
    EXPECT_EQ(curve.p3.y, 1.0);
  }
}

TEST(TaperProfile, HundredSamplesGiveAboutHundredAndOnePointsToFullWidth) {
  for (const double bias : {-1.0, -0.5, 0.0, 0.5, 1.0}) {
    TaperProfile profile;
    ASSERT_EQ(buildTaperProfile(profile, bias, 100.0), PF_Err_NONE);
    EXPECT_GE(profile.size(), 100u) << "bias " << bias;
    EXPECT_LE(profile.size(), 102u) << "bias " << bias;
    EXPECT_EQ(profile.front().x, 0.0);
    EXPECT_EQ(profile.front().y, 0.0);
    EXPECT_EQ(profile.back().x, 1.0);
    EXPECT_EQ(profile.back().y, 1.0);
    for (std::size_t k = 1; k < profile.size(); ++k) {
      EXPECT_GE(profile[k].x, profile[k - 1].x) << "bias " << bias << ", point " << k;
      EXPECT_LE(profile[k].x, 1.0);
      EXPECT_LE(profile[k].y, 1.0);
      EXPECT_GE(profile[k].y, 0.0);
      EXPECT_EQ(profile[k].outTangentX, 0.0);
    }
  }
}

TEST(TaperProfile, AppendsToWhatIsThere) {
  TaperProfile profile{PathVertex{}};
  ASSERT_EQ(buildTaperProfile(profile, 0.0, 10.0), PF_Err_NONE);
  EXPECT_GE(profile.size(), 11u);
  EXPECT_LE(profile.size(), 13u);
}

TEST(TaperProfile, NonPositiveSampleCountIsRefusedAndAppendsNothing) {
  for (const double samples : {0.0, -1.0, -std::numeric_limits<double>::infinity(),
                               std::numeric_limits<double>::infinity(), std::numeric_limits<double>::quiet_NaN()}) {
    TaperProfile profile;
    EXPECT_EQ(buildTaperProfile(profile, 0.0, samples), PF_Err_BAD_CALLBACK_PARAM) << samples;
    EXPECT_TRUE(profile.empty());
  }
  EXPECT_EQ(PF_Err_BAD_CALLBACK_PARAM, 516);
}

TaperProfile profileAt(std::initializer_list<double> xs) {
  TaperProfile profile;
  for (const double x : xs) {
    PathVertex v;
    v.x = x;
    v.y = x * 10;
    profile.append(v);
  }
  return profile;
}

TEST(ProfileSearch, AscendingNearestSample) {
  const TaperProfile profile = profileAt({0.0, 0.25, 0.5, 0.75, 1.0});
  const struct {
    int hint;
    double t;
    int index;
  } cases[] = {
      {0, 0.0, 0},    {0, 0.1, 0},    {0, 0.125, 1},  // a tie goes to the later record
      {0, 0.2, 1},    {0, 0.375, 2},  {0, 0.9, 4}, {0, 1.0, 4},
      {2, 0.6, 2},    {3, 0.6, 2},    // the previous record brackets too
      {3, 0.1, 0},    // behind the hint: no match
      {5, 0.5, 0},    {99, 0.5, 0},   {-3, 0.3, 1},   {0, 1.5, 0}, {0, -0.1, 0},
      {0, std::numeric_limits<double>::quiet_NaN(), 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FindProfileIndexAscending(profile, c.hint, c.t), c.index) << "hint " << c.hint << ", t " << c.t;
  }
  EXPECT_EQ(FindProfileIndexAscending(TaperProfile{}, 0, 0.5), 0);
}

TEST(ProfileSearch, DescendingNearestSample) {
  const TaperProfile profile = profileAt({1.0, 0.75, 0.5, 0.25, 0.0});
  const struct {
    int hint;
    double t;
    int index;
  } cases[] = {
      {0, 1.0, 0}, {0, 0.9, 0}, {0, 0.875, 1}, {0, 0.6, 2}, {0, 0.1, 4}, {0, 0.0, 4},
      {2, 0.6, 2}, {3, 0.9, 0}, {0, 1.5, 0},   {7, 0.5, 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FindProfileIndexDescending(profile, c.hint, c.t), c.index) << "hint " << c.hint << ", t " << c.t;
  }
  EXPECT_EQ(FindProfileIndexDescending(TaperProfile{}, 0, 0.5), 0);
}

// The search as first written: a walk from the hint to the first record that brackets t.
int walkedProfileIndex(const TaperProfile& profile, int hint, double t, bool ascending) {
  const auto inOrder = [&](double a, double b) { return ascending ? a <= b : a >= b; };
  const int n = static_cast<int>(profile.size());
  const int first = std::max(hint, 0);
  if (first >= n) return 0;
  double previous = profile[static_cast<std::size_t>(std::max(first - 1, 0))].x;
  for (int i = first; i < n; ++i) {
    const double x = profile[static_cast<std::size_t>(i)].x;
    if (inOrder(previous, t) && inOrder(t, x)) return std::fabs(t - previous) >= std::fabs(t - x) ? i : i - 1;
    previous = x;
  }
  return 0;
}

// Built profiles of every size (bisected), profiles with runs of equal x (bisected) and with a
// record out of order or NaN (walked): the same index as the walk, for hints before, at and
// past the answer and t on records, between them and outside 0 … 1.
TEST(ProfileSearch, BisectingAgreesWithTheWalk) {
  std::mt19937 random(4242);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  int bisected = 0;
  int walked = 0;
  for (int round = 0; round < 400; ++round) {
    TaperProfile profile;
    const int kind = round % 4;
    if (kind == 0) {
      ASSERT_EQ(buildTaperProfile(profile, unit(random) * 2 - 1, std::exp(unit(random) * std::log(70000.0))),
                PF_Err_NONE);
    } else {
      const int n = std::uniform_int_distribution<int>(1, 60)(random);
      double x = 0.0;
      for (int k = 0; k < n; ++k) {
        if (random() % 3 != 0) x += unit(random) * 0.05;  // a third of the steps repeat x
        profile.append(PathVertex{x, x, 0, 0, 0, 0});
      }
    }
    const bool descending = round % 8 >= 4;
    if (descending) profile.sortDescending();
    if (kind == 3 && profile.size() > 2) {
      // The middle record out of order (steps are under 0.05) or NaN.
      TaperProfile spoilt;
      for (std::size_t k = 0; k < profile.size(); ++k) {
        PathVertex point = profile[k];
        if (k == profile.size() / 2) point.x = random() % 2 == 0 ? std::nan("") : point.x + (descending ? 0.1 : -0.1);
        spoilt.append(point);
      }
      profile = spoilt;
    }
    const bool inOrder = descending ? profile.descending() : profile.ascending();
    (inOrder ? bisected : walked) += 1;
    const int n = static_cast<int>(profile.size());
    for (int probe = 0; probe < 60; ++probe) {
      const int hint = std::uniform_int_distribution<int>(-2, n + 1)(random);
      const int on = std::uniform_int_distribution<int>(0, n - 1)(random);
      const double t = probe % 3 == 0 ? profile[static_cast<std::size_t>(on)].x : unit(random) * 1.4 - 0.2;
      const int got = descending ? FindProfileIndexDescending(profile, hint, t) : FindProfileIndexAscending(profile, hint, t);
      ASSERT_EQ(got, walkedProfileIndex(profile, hint, t, !descending))
          << "round " << round << ", " << n << " records, hint " << hint << ", t " << t;
    }
  }
  EXPECT_GT(bisected, 200);
  EXPECT_GT(walked, 20);
}

// The stamp loop walks a profile forward with the previous result as hint; that must agree with
// a search from the start at every step.
TEST(ProfileSearch, HintedWalkAgreesWithAFreshSearch) {
  TaperProfile profile;
  ASSERT_EQ(buildTaperProfile(profile, -0.4, 250.0), PF_Err_NONE);
  int hint = 0;
  for (int k = 0; k <= 1000; ++k) {
    const double u = k / 1000.0;
    hint = FindProfileIndexAscending(profile, hint, u);
    EXPECT_EQ(profile[static_cast<std::size_t>(hint)].y,
              profile[static_cast<std::size_t>(FindProfileIndexAscending(profile, 0, u))].y)
        << "u " << u;
  }
}

}  // namespace
