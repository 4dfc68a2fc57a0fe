// SVG files read as a viewer renders them: each feature in a small file of its own, the
// outlines compared with vertices worked out by hand.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "ExitCodes.h"
#include "SvgFileMasks.h"
#include "aehost/Png.h"

namespace {

using aehost::MaskPoint;
using inkline_cli::MaskOutline;
using inkline_cli::readSvgFileShapes;
using inkline_cli::SvgFileShapes;
using ::testing::HasSubstr;

constexpr double kLayerWidth = 200;
constexpr double kLayerHeight = 100;

SvgFileShapes readSvg(const std::string& body, const std::string& rootAttributes = "") {
  static int serial = 0;
  const std::filesystem::path file = std::filesystem::temp_directory_path() /
                                     ("inkline-svg-test-" + std::to_string(getpid()) + "-" + std::to_string(serial++) + ".svg");
  {
    std::ofstream out(file);
    out << R"(<svg xmlns="http://www.w3.org/2000/svg" xmlns:xlink="http://www.w3.org/1999/xlink" )"
        << R"(xmlns:inkscape="http://www.inkscape.org/namespaces/inkscape" )" << rootAttributes << ">\n"
        << body << "\n</svg>\n";
  }
  struct Remove {
    std::filesystem::path file;
    ~Remove() { std::filesystem::remove(file); }
  } remove{file};
  return readSvgFileShapes(file, kLayerWidth, kLayerHeight);
}

std::vector<MaskPoint> positions(const MaskOutline& outline) {
  std::vector<MaskPoint> points;
  for (const aehost::MaskVertex& v : outline.vertices) points.push_back(v.position);
  return points;
}

void expectPoints(const std::vector<MaskPoint>& actual, const std::vector<MaskPoint>& expected, const std::string& what) {
  ASSERT_EQ(actual.size(), expected.size()) << what;
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_NEAR(actual[i].x, expected[i].x, 1e-9) << what << ", vertex " << i;
    EXPECT_NEAR(actual[i].y, expected[i].y, 1e-9) << what << ", vertex " << i;
  }
}

// The single outline of a file with one shape.
MaskOutline onlyOutline(const std::string& body, const std::string& rootAttributes = "") {
  const SvgFileShapes read = readSvg(body, rootAttributes);
  EXPECT_EQ(read.shapes.size(), 1u) << body;
  if (read.shapes.size() != 1 || read.shapes[0].outlines.size() != 1) return {};
  return read.shapes[0].outlines[0];
}

// Every cubic of the outline sampled (vertices included).
void forEachCurvePoint(const MaskOutline& o, const std::function<void(MaskPoint)>& visit, int perSegment = 32) {
  const std::size_t n = o.vertices.size();
  for (std::size_t i = 0; i + (o.closed ? 0 : 1) < n; ++i) {
    const aehost::MaskVertex& from = o.vertices[i];
    const aehost::MaskVertex& to = o.vertices[(i + 1) % n];
    for (int k = 0; k <= perSegment; ++k) {
      const double t = static_cast<double>(k) / perSegment, u = 1 - t;
      const double a = u * u * u, b = 3 * u * u * t, c = 3 * u * t * t, d = t * t * t;
      visit({a * from.position.x + b * from.outTangent.x + c * to.inTangent.x + d * to.position.x,
             a * from.position.y + b * from.outTangent.y + c * to.inTangent.y + d * to.position.y});
    }
  }
}

// ---- Shapes ----

TEST(SvgFile, ShapesAsTheirOutlines) {
  struct Case {
    const char* element;
    bool closed;
    std::vector<MaskPoint> vertices;
  };
  const Case cases[] = {
      {R"svg(<rect x="10" y="20" width="30" height="40"/>)svg", true, {{10, 20}, {40, 20}, {40, 60}, {10, 60}}},
      {R"svg(<rect width="50%" height="50%"/>)svg", true, {{0, 0}, {100, 0}, {100, 50}, {0, 50}}},  // of the 200 x 100 layer
      {R"svg(<line x1="1" y1="2" x2="3" y2="4"/>)svg", false, {{1, 2}, {3, 4}}},
      {R"svg(<polyline points="0,0 10,0 10,10"/>)svg", false, {{0, 0}, {10, 0}, {10, 10}}},
      {R"svg(<polygon points="0 0 10 0 10 10"/>)svg", true, {{0, 0}, {10, 0}, {10, 10}}},
      {R"svg(<path d="M 0 0 L 5 5"/>)svg", false, {{0, 0}, {5, 5}}},
  };
  for (const Case& c : cases) {
    const MaskOutline o = onlyOutline(c.element);
    EXPECT_EQ(o.closed, c.closed) << c.element;
    expectPoints(positions(o), c.vertices, c.element);
  }
}

TEST(SvgFile, RoundedRectanglesCirclesAndEllipsesFollowTheirCurves) {
  // Rounded corners: straight sides between the corner arcs, rx alone sets ry too.
  const MaskOutline rounded = onlyOutline(R"svg(<rect x="0" y="0" width="100" height="50" rx="10"/>)svg");
  EXPECT_TRUE(rounded.closed);
  std::vector<MaskPoint> onSides;
  for (const MaskPoint& p : positions(rounded)) {
    if (p.x == 0 || p.x == 100 || p.y == 0 || p.y == 50) onSides.push_back(p);
  }
  expectPoints(onSides, {{10, 0}, {90, 0}, {100, 10}, {100, 40}, {90, 50}, {10, 50}, {0, 40}, {0, 10}}, "rounded rect");
  forEachCurvePoint(rounded, [&](MaskPoint p) {
    // Every point lies on a side or within 0.01 of its corner's circle.
    const double cx = std::clamp(p.x, 10.0, 90.0), cy = std::clamp(p.y, 10.0, 40.0);
    const double off = (cx == p.x || cy == p.y) ? std::min({std::abs(p.x), std::abs(p.x - 100), std::abs(p.y), std::abs(p.y - 50)})
                                                : std::abs(std::hypot(p.x - cx, p.y - cy) - 10);
    EXPECT_LE(off, 0.01) << p.x << ", " << p.y;
  });

  struct Round {
    const char* element;
    MaskPoint centre;
    double rx, ry;
  };
  for (const Round& c : {Round{R"svg(<circle cx="50" cy="40" r="30"/>)svg", {50, 40}, 30, 30},
                         Round{R"svg(<ellipse cx="100" cy="50" rx="90" ry="20"/>)svg", {100, 50}, 90, 20},
                         Round{R"svg(<ellipse cx="10" cy="10" rx="5"/>)svg", {10, 10}, 5, 5}}) {  // ry "auto": rx
    const MaskOutline o = onlyOutline(c.element);
    EXPECT_TRUE(o.closed) << c.element;
    // Starts at the rightmost point, then goes clockwise on the screen (y down).
    EXPECT_NEAR(o.vertices[0].position.x, c.centre.x + c.rx, 1e-9) << c.element;
    EXPECT_NEAR(o.vertices[0].position.y, c.centre.y, 1e-9) << c.element;
    EXPECT_GT(o.vertices[1].position.y, c.centre.y) << c.element;
    forEachCurvePoint(o, [&](MaskPoint p) {
      const double off = std::abs(std::hypot((p.x - c.centre.x) / c.rx, (p.y - c.centre.y) / c.ry) - 1) * std::max(c.rx, c.ry);
      EXPECT_LE(off, 0.01) << c.element;
    });
  }
  // Zero sizes are not rendered.
  EXPECT_THROW(readSvg(R"svg(<rect width="0" height="5"/><circle r="0"/><ellipse rx="0" ry="3"/>)svg"), inkline_cli::InputError);
}

TEST(SvgFile, EverySubpathIsAnOutline) {
  const SvgFileShapes read = readSvg(R"svg(<path id="two" d="M 0 0 L 5 5 Z M 10 10 L 20 10"/>)svg");
  ASSERT_EQ(read.shapes.size(), 1u);
  ASSERT_EQ(read.shapes[0].outlines.size(), 2u);
  EXPECT_TRUE(read.shapes[0].outlines[0].closed);
  EXPECT_FALSE(read.shapes[0].outlines[1].closed);
}

// ---- Transforms ----

TEST(SvgFile, TransformsApplyToVerticesAndTangents) {
  struct Case {
    const char* body;
    std::vector<MaskPoint> vertices;
  };
  const Case cases[] = {
      {R"svg(<line transform="translate(5)" x1="0" y1="0" x2="1" y2="2"/>)svg", {{5, 0}, {6, 2}}},
      {R"svg(<line transform="translate(5, -3)" x1="0" y1="0" x2="1" y2="2"/>)svg", {{5, -3}, {6, -1}}},
      {R"svg(<line transform="scale(2)" x1="1" y1="2" x2="3" y2="4"/>)svg", {{2, 4}, {6, 8}}},
      {R"svg(<line transform="scale(2 -1)" x1="1" y1="2" x2="3" y2="4"/>)svg", {{2, -2}, {6, -4}}},
      // 90 degrees about the origin: (x, y) -> (-y, x); about (10, 10): (20, 10) -> (10, 20).
      {R"svg(<line transform="rotate(90)" x1="1" y1="0" x2="0" y2="2"/>)svg", {{0, 1}, {-2, 0}}},
      {R"svg(<line transform="rotate(90 10 10)" x1="20" y1="10" x2="10" y2="10"/>)svg", {{10, 20}, {10, 10}}},
      // skewX(45): x + y; skewY(45): y + x.
      {R"svg(<line transform="skewX(45)" x1="0" y1="10" x2="3" y2="0"/>)svg", {{10, 10}, {3, 0}}},
      {R"svg(<line transform="skewY(45)" x1="10" y1="0" x2="0" y2="3"/>)svg", {{10, 10}, {0, 3}}},
      {R"svg(<line transform="matrix(1 2 3 4 5 6)" x1="1" y1="1" x2="0" y2="0"/>)svg", {{9, 12}, {5, 6}}},
      // Numbers as in path data: run together, signs as separators, too small for a double.
      {R"svg(<line transform="translate(.5.5)scale(+2-1e-400)" x1="1" y1="1" x2="0" y2="0"/>)svg", {{2.5, 0.5}, {0.5, 0.5}}},
      // A list applies right to left; groups apply outside their children.
      {R"svg(<line transform="translate(10 0) scale(2)" x1="1" y1="1" x2="0" y2="0"/>)svg", {{12, 2}, {10, 0}}},
      {R"svg(<g transform="translate(100 0)"><g transform="scale(2)"><line transform="translate(1 1)" x1="0" y1="0" x2="1" y2="0"/></g></g>)svg",
       {{102, 2}, {104, 2}}},
  };
  for (const Case& c : cases) expectPoints(positions(onlyOutline(c.body)), c.vertices, c.body);

  // Tangents go through the same transform as the points.
  const MaskOutline curve = onlyOutline(R"svg(<path transform="translate(10 20) scale(3)" d="M 0 0 C 1 0 2 1 2 2"/>)svg");
  ASSERT_EQ(curve.vertices.size(), 2u);
  EXPECT_EQ(curve.vertices[0].outTangent, (MaskPoint{13, 20}));
  EXPECT_EQ(curve.vertices[1].inTangent, (MaskPoint{16, 23}));
  EXPECT_EQ(curve.vertices[1].position, (MaskPoint{16, 26}));
}

// ---- Viewports, units, nested <svg>, <use> ----

TEST(SvgFile, TheRootViewportMapsTheDocumentOntoTheLayer) {
  const std::string line = R"svg(<line x1="0" y1="0" x2="10" y2="10"/>)svg";
  struct Case {
    const char* root;
    std::vector<MaskPoint> vertices;
  };
  const double mm = 96 / 25.4;
  const Case cases[] = {
      {"", {{0, 0}, {10, 10}}},                                                       // px on px
      {R"svg(width="200" height="100" viewBox="0 0 10 10")svg", {{50, 0}, {150, 100}}},     // xMidYMid meet: x 10, centred
      {R"svg(width="200" height="100" viewBox="0 0 10 10" preserveAspectRatio="xMinYMin")svg", {{0, 0}, {100, 100}}},
      {R"svg(width="200" height="100" viewBox="0 0 10 10" preserveAspectRatio="xMaxYMax meet")svg", {{100, 0}, {200, 100}}},
      {R"svg(width="200" height="100" viewBox="0 0 10 10" preserveAspectRatio="none")svg", {{0, 0}, {200, 100}}},
      {R"svg(width="200" height="100" viewBox="0 0 10 10" preserveAspectRatio="xMidYMax slice")svg", {{0, -100}, {200, 100}}},
      {R"svg(viewBox="-10 -10 20 10")svg", {{100, 100}, {200, 200}}},  // 100 % of the layer: x 10
      {R"svg(width="210mm" height="297mm" viewBox="0 0 210 297")svg", {{0, 0}, {10 * mm, 10 * mm}}},
      {R"svg(width="1in" height="1in" viewBox="0 0 96 96")svg", {{0, 0}, {10, 10}}},
      {R"svg(width="72pt" height="6pc" viewBox="0 0 48 48")svg", {{0, 0}, {20, 20}}},
      {R"svg(width="2.54cm" height="50%" viewBox="0 0 96 50")svg", {{0, 0}, {10, 10}}},
  };
  for (const Case& c : cases) expectPoints(positions(onlyOutline(line, c.root)), c.vertices, c.root);
}

TEST(SvgFile, NestedViewportsAndUse) {
  // A nested <svg> at (10, 20), 100 x 100, showing 0 0 10 10: x 10.
  expectPoints(positions(onlyOutline(
                   R"svg(<svg x="10" y="20" width="100" height="100" viewBox="0 0 10 10"><line x1="0" y1="0" x2="10" y2="10"/></svg>)svg")),
               {{10, 20}, {110, 120}}, "nested svg");

  // <use>: x and y after its transform; href and xlink:href; the original in <defs> is not drawn.
  const SvgFileShapes used = readSvg(R"svg(
      <defs><line id="l" x1="0" y1="0" x2="1" y2="0"/></defs>
      <use href="#l" x="5" y="6"/>
      <use xlink:href="#l" transform="scale(2)" x="1"/>)svg");
  ASSERT_EQ(used.shapes.size(), 2u);
  expectPoints(positions(used.shapes[0].outlines[0]), {{5, 6}, {6, 6}}, "use x y");
  expectPoints(positions(used.shapes[1].outlines[0]), {{2, 0}, {4, 0}}, "use transform, then x");

  // A symbol is drawn only through <use>, in a viewport of the use's size with its viewBox.
  expectPoints(positions(onlyOutline(R"svg(
      <symbol id="s" viewBox="0 0 1 1"><line x1="0" y1="0" x2="1" y2="1"/></symbol>
      <use href="#s" x="10" y="10" width="20" height="20"/>)svg")),
               {{10, 10}, {30, 30}}, "symbol");

  // A group through <use>, twice: each a mask.
  EXPECT_EQ(readSvg(R"svg(<g id="g"><line x2="1"/><line y2="1"/></g><use href="#g" x="3"/>)svg").shapes.size(), 4u);
}

// ---- What is not rendered ----

TEST(SvgFile, ContentThatIsNotRenderedGivesNoMask) {
  const SvgFileShapes read = readSvg(R"svg(
      <defs><path id="inDefs" d="M 0 0 L 1 1"/></defs>
      <clipPath id="clip"><rect id="inClip" width="5" height="5"/></clipPath>
      <mask id="m"><rect id="inMask" width="5" height="5"/></mask>
      <marker id="mk"><path id="inMarker" d="M 0 0 L 1 1"/></marker>
      <pattern id="pt"><path id="inPattern" d="M 0 0 L 1 1"/></pattern>
      <symbol id="sy"><path id="inSymbol" d="M 0 0 L 1 1"/></symbol>
      <g display="none"><path id="displayNone" d="M 0 0 L 1 1"/></g>
      <g style="fill: red; display : none"><g><path id="styleDisplayNone" d="M 0 0 L 1 1"/></g></g>
      <g visibility="hidden">
        <path id="hidden" d="M 0 0 L 1 1"/>
        <path id="shownAgain" visibility="visible" d="M 0 0 L 1 1"/>
      </g>
      <path id="collapsed" style="visibility:collapse" d="M 0 0 L 1 1"/>
      <path id="drawn" d="M 0 0 L 1 1"/>
      <path id="noData"/>
      <sodipodi:namedview xmlns:sodipodi="http://sodipodi.sourceforge.net/DTD/sodipodi-0.dtd"><path id="foreign" d="M 0 0 L 1 1"/></sodipodi:namedview>)svg");
  std::vector<std::string> names;
  for (const auto& shape : read.shapes) names.push_back(shape.name);
  EXPECT_EQ(names, (std::vector<std::string>{"shownAgain", "drawn"}));
  EXPECT_TRUE(read.ignored.empty()) << read.ignored;
}

TEST(SvgFile, NamesAndWhatAStrokeCannotUse) {
  const SvgFileShapes read = readSvg(R"svg(
      <g inkscape:label="Layer 1">
        <path id="path12" inkscape:label="Outline" d="M 0 0 L 1 1"/>
        <path id="frame" data-name="Frame" d="M 0 0 L 1 1"/>
        <path id="rim" d="M 0 0 L 1 1"/>
        <path d="M 0 0 L 1 1"/>
      </g>
      <text>Title</text><text>Subtitle</text><image href="photo.png"/>
      <defs><linearGradient id="fade"/><filter id="blur"/></defs>)svg");
  std::vector<std::string> names;
  for (const auto& shape : read.shapes) names.push_back(shape.name);
  EXPECT_EQ(names, (std::vector<std::string>{"Outline", "Frame", "rim", ""}));
  EXPECT_EQ(read.ignored, "2 <text>, 1 <image>, 1 <linearGradient>, 1 <filter>");
  EXPECT_THAT(read.shapes[1].place, HasSubstr("line 5: <path> (id \"frame\")"));
}

TEST(SvgFile, HostileNestingAndRepetitionAreRefused) {
  std::string deep;
  for (int i = 0; i < 300; ++i) deep += "<g>";
  deep += R"svg(<path d="M 0 0 L 1 1"/>)svg";
  for (int i = 0; i < 300; ++i) deep += "</g>";
  try {
    readSvg(deep);
    FAIL() << "nesting";
  } catch (const inkline_cli::InputError& e) {
    EXPECT_THAT(e.what(), HasSubstr("nested more than 256 deep"));
  }
  // Each level uses the one below ten times: 10^7 lines.
  std::string uses = R"svg(<defs><line id="l0" x2="1"/>)svg";
  for (int level = 1; level <= 7; ++level) {
    uses += "<g id=\"l" + std::to_string(level) + "\">";
    for (int k = 0; k < 10; ++k) uses += "<use href=\"#l" + std::to_string(level - 1) + "\"/>";
    uses += "</g>";
  }
  uses += R"svg(</defs><use href="#l7"/>)svg";
  try {
    readSvg(uses);
    FAIL() << "repetition";
  } catch (const inkline_cli::InputError& e) {
    EXPECT_THAT(e.what(), HasSubstr("more than"));
  }
}

// ---- Against an independent renderer ----

// The editor-style example (mm units, layers with transforms, a rounded rect, a circle, arcs,
// a skewed curve, a hidden guide layer) where librsvg draws it: every point of our outlines
// lies on its ink, and all of its ink on our outlines.
TEST(SvgFile, TheEditorExampleLiesWhereAnotherRendererDrawsIt) {
  const std::filesystem::path svg = std::filesystem::path(INKLINE_SOURCE_DIR) / "examples" / "editor-export.svg";
  const std::filesystem::path png =
      std::filesystem::temp_directory_path() / ("inkline-svg-test-" + std::to_string(getpid()) + "-rsvg.png");
  const std::string command = "rsvg-convert '" + svg.string() + "' -o '" + png.string() + "'";
  ASSERT_EQ(std::system(command.c_str()), 0) << command << " (Debian's librsvg2-bin)";
  const aehost::Image ink = aehost::readPng(png);
  std::filesystem::remove(png);
  ASSERT_EQ(ink.width(), 605);  // 160 mm at 96 px to the inch

  const SvgFileShapes read = readSvgFileShapes(svg, 605, 340);
  std::vector<std::string> names;
  std::vector<MaskPoint> samples;
  for (const auto& shape : read.shapes) {
    names.push_back(shape.name);
    for (const MaskOutline& outline : shape.outlines) {
      forEachCurvePoint(outline, [&](MaskPoint p) { samples.push_back(p); }, 1024);
    }
  }
  EXPECT_EQ(names, (std::vector<std::string>{"Card", "Sun", "Hills", "Swoosh"}));

  const auto alphaAt = [&](long x, long y) {
    if (x < 0 || y < 0 || x >= ink.width() || y >= ink.height()) return 0;
    return static_cast<int>(ink.pixel8(static_cast<A_long>(x), static_cast<A_long>(y)).alpha);
  };
  std::size_t offInk = 0;
  for (const MaskPoint& p : samples) {
    int most = 0;
    for (long dy = -1; dy <= 1; ++dy) {
      for (long dx = -1; dx <= 1; ++dx) most = std::max(most, alphaAt(std::lround(std::floor(p.x)) + dx, std::lround(std::floor(p.y)) + dy));
    }
    if (most < 64) ++offInk;
  }
  EXPECT_EQ(offInk, 0u) << "of " << samples.size() << " points on the outlines";

  // Pixels whose centre lies within 2 px of a point of the outlines (the ink is 0.6 mm, 2.3
  // px, wide: half of it, plus half a pixel's diagonal).
  std::vector<char> nearOutline(static_cast<std::size_t>(ink.width()) * static_cast<std::size_t>(ink.height()), 0);
  for (const MaskPoint& p : samples) {
    for (long y = std::lround(std::floor(p.y)) - 3; y <= std::lround(std::floor(p.y)) + 3; ++y) {
      for (long x = std::lround(std::floor(p.x)) - 3; x <= std::lround(std::floor(p.x)) + 3; ++x) {
        if (x < 0 || y < 0 || x >= ink.width() || y >= ink.height()) continue;
        if (std::hypot(p.x - (x + 0.5), p.y - (y + 0.5)) <= 2.0) nearOutline[static_cast<std::size_t>(y * ink.width() + x)] = 1;
      }
    }
  }
  std::size_t inked = 0, offOutline = 0;
  for (A_long y = 0; y < ink.height(); ++y) {
    for (A_long x = 0; x < ink.width(); ++x) {
      if (alphaAt(x, y) < 128) continue;
      ++inked;
      if (!nearOutline[static_cast<std::size_t>(y * ink.width() + x)]) ++offOutline;
    }
  }
  EXPECT_GT(inked, 1000u);
  EXPECT_EQ(offOutline, 0u) << "of " << inked << " inked pixels";
}

}  // namespace
