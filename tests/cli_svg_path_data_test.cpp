// SVG path data as mask outlines: every command, absolute and relative, smooth reflections,
// quadratics raised to cubics, closing, and the positions of errors.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <numbers>

#include "SvgPathData.h"

namespace {

using aehost::MaskPoint;
using aehost::MaskVertex;
using inkline_cli::describePathDataError;
using inkline_cli::MaskOutline;
using inkline_cli::parseSvgPathData;
using inkline_cli::PathDataError;

MaskOutline single(const std::string& data, double scale = 1.0) {
  const auto outlines = parseSvgPathData(data, scale);
  EXPECT_EQ(outlines.size(), 1u) << data;
  return outlines.empty() ? MaskOutline{} : outlines[0];
}

std::size_t errorPosition(const std::string& data) {
  try {
    parseSvgPathData(data);
  } catch (const PathDataError& e) {
    return e.position();
  }
  ADD_FAILURE() << "no error for " << data;
  return 0;
}

TEST(SvgPathData, LinesAreCornersWithTangentsOnTheVertices) {
  const MaskOutline o = single("M 10 20 L 30 40 H 50 V 60");
  EXPECT_FALSE(o.closed);
  ASSERT_EQ(o.vertices.size(), 4u);
  EXPECT_EQ(o.vertices[0], MaskVertex::corner(10, 20));
  EXPECT_EQ(o.vertices[1], MaskVertex::corner(30, 40));
  EXPECT_EQ(o.vertices[2], MaskVertex::corner(50, 40));
  EXPECT_EQ(o.vertices[3], MaskVertex::corner(50, 60));
}

TEST(SvgPathData, RelativeCommandsAndImplicitLinetos) {
  // After m the extra pairs are relative linetos; h and v move from the current point.
  const MaskOutline o = single("m10,20 5,5 h10v-5l-1-1");
  ASSERT_EQ(o.vertices.size(), 5u);
  EXPECT_EQ(o.vertices[1].position, (MaskPoint{15, 25}));
  EXPECT_EQ(o.vertices[2].position, (MaskPoint{25, 25}));
  EXPECT_EQ(o.vertices[3].position, (MaskPoint{25, 20}));
  EXPECT_EQ(o.vertices[4].position, (MaskPoint{24, 19}));
}

TEST(SvgPathData, CubicsAndSmoothCubics) {
  const MaskOutline o = single("M 0 0 C 10 0 20 10 20 20 S 30 40 40 40 s 10 -10 10 -20");
  ASSERT_EQ(o.vertices.size(), 4u);
  EXPECT_EQ(o.vertices[0].outTangent, (MaskPoint{10, 0}));
  EXPECT_EQ(o.vertices[1].inTangent, (MaskPoint{20, 10}));
  EXPECT_EQ(o.vertices[1].outTangent, (MaskPoint{20, 30}));  // reflection of (20, 10) about (20, 20)
  EXPECT_EQ(o.vertices[2].inTangent, (MaskPoint{30, 40}));
  EXPECT_EQ(o.vertices[2].outTangent, (MaskPoint{50, 40}));  // reflection of (30, 40) about (40, 40)
  EXPECT_EQ(o.vertices[3].inTangent, (MaskPoint{50, 30}));
  EXPECT_EQ(o.vertices[3].position, (MaskPoint{50, 20}));
}

TEST(SvgPathData, SmoothCubicWithoutAPreviousCubicStartsAtTheCurrentPoint) {
  const MaskOutline o = single("M 0 0 L 10 0 S 20 10 30 0");
  EXPECT_EQ(o.vertices[1].outTangent, (MaskPoint{10, 0}));
}

TEST(SvgPathData, QuadraticsBecomeTheSameCurveAsCubics) {
  const MaskOutline o = single("M 0 0 Q 30 30 60 0 T 120 0");
  ASSERT_EQ(o.vertices.size(), 3u);
  EXPECT_EQ(o.vertices[0].outTangent, (MaskPoint{20, 20}));  // two thirds towards (30, 30)
  EXPECT_EQ(o.vertices[1].inTangent, (MaskPoint{40, 20}));
  // T reflects the control point to (90, -30).
  EXPECT_EQ(o.vertices[1].outTangent, (MaskPoint{80, -20}));
  EXPECT_EQ(o.vertices[2].inTangent, (MaskPoint{100, -20}));
  const MaskOutline relative = single("m 0 0 q 30 30 60 0 t 60 0");
  EXPECT_EQ(relative.vertices, o.vertices);
}

TEST(SvgPathData, ZClosesWithAStraightSegmentOrMergesAReturningCurve) {
  const MaskOutline triangle = single("M 0 0 L 10 0 L 0 10 Z");
  EXPECT_TRUE(triangle.closed);
  EXPECT_EQ(triangle.vertices.size(), 3u);
  EXPECT_EQ(triangle.vertices[0].inTangent, (MaskPoint{0, 0}));

  const MaskOutline drop = single("M 0 0 C 10 0 10 10 0 10 C -10 10 -10 0 0 0 Z");
  EXPECT_TRUE(drop.closed);
  ASSERT_EQ(drop.vertices.size(), 2u);  // the last vertex was the first one again
  EXPECT_EQ(drop.vertices[0].inTangent, (MaskPoint{-10, 0}));
  EXPECT_EQ(drop.vertices[1].outTangent, (MaskPoint{-10, 10}));
}

TEST(SvgPathData, EverySubpathIsAnOutline) {
  const auto outlines = parseSvgPathData("M 0 0 L 10 0 Z l 0 10 M 50 50 l 5 5 M 1 1");
  ASSERT_EQ(outlines.size(), 3u);  // the lone moveto at the end draws nothing
  EXPECT_TRUE(outlines[0].closed);
  // Drawing after Z starts at the closed subpath's start.
  EXPECT_EQ(outlines[1].vertices[0].position, (MaskPoint{0, 0}));
  EXPECT_EQ(outlines[1].vertices[1].position, (MaskPoint{0, 10}));
  EXPECT_EQ(outlines[2].vertices[1].position, (MaskPoint{55, 55}));
}

TEST(SvgPathData, CompactNumbers) {
  const MaskOutline o = single("M.5.5L1e1-2.5E0,+3 4");
  ASSERT_EQ(o.vertices.size(), 3u);
  EXPECT_EQ(o.vertices[0].position, (MaskPoint{0.5, 0.5}));
  EXPECT_EQ(o.vertices[1].position, (MaskPoint{10, -2.5}));
  EXPECT_EQ(o.vertices[2].position, (MaskPoint{3, 4}));
}

// Numbers too small for a double are 0; too large ones are refused where they start.
TEST(SvgPathData, UnderflowIsZeroOverflowAnError) {
  const MaskOutline o = single("M 1e-400 -1e-400 L 5 5");
  EXPECT_EQ(o.vertices[0].position, (MaskPoint{0, 0}));
  EXPECT_EQ(errorPosition("M 0 0 L 1e400 5"), 8u);
}

// ---- Elliptical arcs ----

// Every cubic of the outline sampled finely (vertices included).
void forEachCurvePoint(const MaskOutline& o, const std::function<void(MaskPoint)>& visit) {
  for (std::size_t i = 0; i + 1 < o.vertices.size(); ++i) {
    const MaskPoint p0 = o.vertices[i].position, p1 = o.vertices[i].outTangent;
    const MaskPoint p2 = o.vertices[i + 1].inTangent, p3 = o.vertices[i + 1].position;
    for (int k = 0; k <= 64; ++k) {
      const double t = k / 64.0, u = 1.0 - t;
      const double a = u * u * u, b = 3 * u * u * t, c = 3 * u * t * t, d = t * t * t;
      visit({a * p0.x + b * p1.x + c * p2.x + d * p3.x, a * p0.y + b * p1.y + c * p2.y + d * p3.y});
    }
  }
}

// The ellipse centred at c with radii rx, ry turned by phi degrees: how far a point lies off
// it, bounded from above by its normalised radius' distance from 1 times the larger radius.
double offEllipse(MaskPoint p, MaskPoint c, double rx, double ry, double phiDegrees) {
  const double phi = phiDegrees * std::numbers::pi / 180.0;
  const double dx = p.x - c.x, dy = p.y - c.y;
  const double u = std::cos(phi) * dx + std::sin(phi) * dy, v = -std::sin(phi) * dx + std::cos(phi) * dy;
  return std::abs(std::hypot(u / rx, v / ry) - 1.0) * std::max(rx, ry);
}

TEST(SvgPathData, ArcsFollowTheirCircleWithinAHundredthOfAPixel) {
  struct Case {
    const char* data;
    double scale;
    MaskPoint centre;
    double radius;
    double extremeY;  // the arc's top (negative) or bottom
  };
  const Case cases[] = {
      {"M 0 0 A 50 50 0 0 1 100 0", 1.0, {50, 0}, 50, -50},       // sweep 1: through the top, y down
      {"M 0 0 A 50 50 0 0 0 100 0", 1.0, {50, 0}, 50, 50},        // sweep 0: through the bottom
      {"M 0 0 A 1000 1000 0 0 1 2000 0", 1.0, {1000, 0}, 1000, -1000},
      {"M 0 0 A 1000 1000 0 0 1 2000 0", 8.0, {1000, 0}, 1000, -1000},  // drawn 8 times larger
      {"M 0 0 A 1 1 0 0 1 10 0", 1.0, {5, 0}, 5, -5},              // radius too small: scaled up to 5
      {"M0 0a5 5 0 1010 0", 1.0, {5, 0}, 5, 5},                    // flags need no separator
      {"M 100 50 A 50 50 0 1 1 50 0", 1.0, {50, 50}, 50, 100},     // three quarters
  };
  for (const Case& c : cases) {
    const MaskOutline o = single(c.data, c.scale);
    double worst = 0, extreme = 0;
    forEachCurvePoint(o, [&](MaskPoint p) {
      worst = std::max(worst, offEllipse(p, c.centre, c.radius, c.radius, 0));
      if (std::abs(p.y) > std::abs(extreme)) extreme = p.y;
    });
    EXPECT_LE(worst * c.scale, 0.01) << c.data << " at scale " << c.scale;
    EXPECT_NEAR(extreme, c.extremeY, 0.01 / c.scale) << c.data;
    EXPECT_EQ(o.vertices.front().position, o.vertices.front().inTangent) << "starts at a corner";
  }
  // The endpoint is the one written, exactly.
  EXPECT_EQ(single("M 0 0 A 7 3 10 0 1 13.25 -4.5").vertices.back().position, (MaskPoint{13.25, -4.5}));
}

TEST(SvgPathData, RotatedEllipticalArcBetweenTwoPointsOfTheEllipse) {
  // Points at parameters 0.3 and 2.0 of an ellipse (radii 40, 20, turned 30 degrees, centre
  // (100, 100)): the short arc with increasing parameter is sweep 1, small arc.
  const double phi = std::numbers::pi / 6;
  const auto at = [&](double t) {
    const double u = 40 * std::cos(t), v = 20 * std::sin(t);
    return MaskPoint{100 + std::cos(phi) * u - std::sin(phi) * v, 100 + std::sin(phi) * u + std::cos(phi) * v};
  };
  const MaskPoint from = at(0.3), to = at(2.0), middle = at(1.15);
  char data[200];
  std::snprintf(data, sizeof data, "M %.17g %.17g A 40 20 30 0 1 %.17g %.17g", from.x, from.y, to.x, to.y);
  const MaskOutline o = single(data);
  double worst = 0, nearestToMiddle = 1e9;
  forEachCurvePoint(o, [&](MaskPoint p) {
    worst = std::max(worst, offEllipse(p, {100, 100}, 40, 20, 30));
    nearestToMiddle = std::min(nearestToMiddle, std::hypot(p.x - middle.x, p.y - middle.y));
  });
  EXPECT_LE(worst, 0.01);
  EXPECT_LT(nearestToMiddle, 0.1) << "the arc runs through the ellipse's point between the two";
}

TEST(SvgPathData, DegenerateArcs) {
  // A zero radius is a straight line; an arc to its own start draws nothing.
  const MaskOutline line = single("M 0 0 A 0 5 0 0 1 10 0");
  ASSERT_EQ(line.vertices.size(), 2u);
  EXPECT_EQ(line.vertices[1], MaskVertex::corner(10, 0));
  EXPECT_EQ(single("M 0 0 A 5 5 0 0 1 0 0 L 3 0").vertices.size(), 2u);
}

TEST(SvgPathData, ErrorsPointAtTheOffendingCharacter) {
  EXPECT_EQ(errorPosition("M 0 0 L 5"), 9u);  // the end: a number is missing
  EXPECT_EQ(errorPosition("M 0 0 L 5 x"), 10u);
  EXPECT_EQ(errorPosition("  L 1 1"), 2u);           // must begin with a moveto
  EXPECT_EQ(errorPosition("M 0 0 L 1 1 Z 4"), 14u);  // Z takes no numbers
  EXPECT_EQ(errorPosition("M 0 0 a 1 1 0 2 1 2 2"), 14u);  // a flag is 0 or 1
  EXPECT_EQ(errorPosition("M 0 0 B 1 1"), 6u);
  EXPECT_EQ(errorPosition("M 0 0 L ."), 8u);
  EXPECT_EQ(errorPosition(""), 0u);
  EXPECT_EQ(errorPosition("M 3 3"), 0u);  // draws nothing
}

TEST(SvgPathData, DescribesTheErrorWithACaret) {
  const std::string data = "M 0 0 L 5 x";
  try {
    parseSvgPathData(data);
    FAIL();
  } catch (const PathDataError& e) {
    EXPECT_EQ(describePathDataError(data, e),
              "at character 11: expected a number for \"L\", found \"x\"\n    M 0 0 L 5 x\n              ^");
  }
}

}  // namespace
