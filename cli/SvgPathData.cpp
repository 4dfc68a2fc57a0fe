#include "SvgPathData.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <numbers>
#include <optional>

#include "SvgNumber.h"

namespace inkline_cli {

namespace {

using aehost::MaskPoint;
using aehost::MaskVertex;

MaskPoint operator+(MaskPoint a, MaskPoint b) { return {a.x + b.x, a.y + b.y}; }
MaskPoint operator-(MaskPoint a, MaskPoint b) { return {a.x - b.x, a.y - b.y}; }
MaskPoint operator*(double s, MaskPoint p) { return {s * p.x, s * p.y}; }
MaskPoint reflect(MaskPoint point, MaskPoint about) { return about + (about - point); }

bool isCommandLetter(char c) { return std::string_view("MmLlHhVvCcSsQqTtZzAa").find(c) != std::string_view::npos; }
bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }

// Splits the data into commands and numbers, tracking the offset of each for messages.
class Scanner {
 public:
  explicit Scanner(std::string_view data) : text_(data) {}

  void skipSeparators() {
    while (position_ < text_.size() && isSpace(text_[position_])) ++position_;
    if (position_ < text_.size() && text_[position_] == ',') {
      ++position_;
      while (position_ < text_.size() && isSpace(text_[position_])) ++position_;
    }
  }
  void skipSpaces() {
    while (position_ < text_.size() && isSpace(text_[position_])) ++position_;
  }
  bool atEnd() const { return position_ >= text_.size(); }
  std::size_t position() const { return position_; }
  char peek() const { return text_[position_]; }
  char take() { return text_[position_++]; }

  // A number starts here (after separators were skipped).
  bool numberAhead() const {
    if (atEnd()) return false;
    const char c = text_[position_];
    return std::isdigit(static_cast<unsigned char>(c)) || c == '.' || c == '-' || c == '+';
  }

  double number(char command) {
    const SvgNumber read = readSvgNumber(text_.substr(position_));
    if (read.problem == SvgNumber::Problem::NoDigits) throw PathDataError(position_, expectedNumber(command, position_));
    if (read.problem != SvgNumber::Problem::None) throw PathDataError(position_, "number out of range");
    position_ += read.length;
    return read.value;
  }

  // An arc flag: a single 0 or 1, which needs no separator after it ("a5 5 0 1010 10").
  bool flag(char command) {
    if (!atEnd() && (text_[position_] == '0' || text_[position_] == '1')) return text_[position_++] == '1';
    const std::string found = atEnd() ? "the end of the data" : "\"" + std::string(1, text_[position_]) + "\"";
    throw PathDataError(position_, std::string("expected a flag (0 or 1) for \"") + command + "\", found " + found);
  }

  std::string expectedNumber(char command, std::size_t at) const {
    const std::string found = at < text_.size() ? "\"" + std::string(1, text_[at]) + "\"" : "the end of the data";
    return std::string("expected a number for \"") + command + "\", found " + found;
  }

 private:
  std::string_view text_;
  std::size_t position_ = 0;
};

// Builds outlines segment by segment; every segment is a cubic from the current point.
class OutlineBuilder {
 public:
  void moveTo(MaskPoint p) {
    finishSubpath();
    subpathStart_ = current_ = p;
    subpathOpen_ = true;
    outline_.vertices.push_back(MaskVertex::corner(p.x, p.y));
  }
  void cubicTo(MaskPoint c1, MaskPoint c2, MaskPoint end) {
    if (!subpathOpen_) moveTo(current_);  // drawing after Z starts a new subpath at the start point
    outline_.vertices.back().outTangent = c1;
    outline_.vertices.push_back(MaskVertex{end, c2, end});
    current_ = end;
  }
  void lineTo(MaskPoint end) { cubicTo(current_, end, end); }
  void close() {
    if (!subpathOpen_) return;
    auto& vertices = outline_.vertices;
    // A subpath that came back to its start: the last vertex is the first one again, and its
    // incoming tangent belongs to the first.
    if (vertices.size() > 2 && vertices.back().position == vertices.front().position) {
      vertices.front().inTangent = vertices.back().inTangent;
      vertices.pop_back();
    }
    outline_.closed = true;
    finishSubpath();
    current_ = subpathStart_;
  }
  MaskPoint current() const { return current_; }
  std::vector<MaskOutline> finish() {
    finishSubpath();
    return std::move(outlines_);
  }

 private:
  void finishSubpath() {
    if (subpathOpen_ && outline_.vertices.size() >= 2) outlines_.push_back(std::move(outline_));
    outline_ = {};
    subpathOpen_ = false;
  }

  std::vector<MaskOutline> outlines_;
  MaskOutline outline_;
  bool subpathOpen_ = false;
  MaskPoint subpathStart_;
  MaskPoint current_;
};

// The largest distance between a circular arc of `angle` radians on the unit circle and the
// cubic with control points 4/3 tan(angle/4) along the end tangents: (2/27) sin^6(a/4) / cos^2(a/4).
double cubicArcError(double angle) {
  const double s = std::sin(angle / 4.0);
  const double c = std::cos(angle / 4.0);
  return 2.0 / 27.0 * std::pow(s, 6) / (c * c);
}

// An elliptical arc in SVG's endpoint form, from the builder's current point to `end`, as
// cubics: the centre form worked out as the SVG standard's implementation notes (appendix
// F.6) do (radii too small for the endpoints scaled up), then the sweep split into equal
// parts whose cubics stay within kArcTolerancePx of the ellipse once the data is drawn
// `scale` pixels to a unit. A zero radius draws a line; coinciding endpoints draw nothing.
void arcTo(OutlineBuilder& build, double rx, double ry, double rotationDegrees, bool largeArc, bool sweep,
           MaskPoint end, double scale) {
  constexpr double kArcTolerancePx = 0.005;
  constexpr int kMostParts = 256;
  const MaskPoint start = build.current();
  if (start.x == end.x && start.y == end.y) return;
  rx = std::abs(rx);
  ry = std::abs(ry);
  if (rx == 0.0 || ry == 0.0 || !std::isfinite(rx) || !std::isfinite(ry)) {
    build.lineTo(end);
    return;
  }
  const double phi = std::fmod(rotationDegrees, 360.0) * std::numbers::pi / 180.0;
  const double cosPhi = std::cos(phi);
  const double sinPhi = std::sin(phi);
  const double hx = (start.x - end.x) / 2.0;
  const double hy = (start.y - end.y) / 2.0;
  const double x1 = cosPhi * hx + sinPhi * hy;
  const double y1 = -sinPhi * hx + cosPhi * hy;
  const double lambda = (x1 * x1) / (rx * rx) + (y1 * y1) / (ry * ry);
  if (lambda > 1.0) {
    rx *= std::sqrt(lambda);
    ry *= std::sqrt(lambda);
  }
  const double numerator = rx * rx * ry * ry - rx * rx * y1 * y1 - ry * ry * x1 * x1;
  const double denominator = rx * rx * y1 * y1 + ry * ry * x1 * x1;
  const double root = std::sqrt(std::max(0.0, numerator / denominator)) * (largeArc == sweep ? -1.0 : 1.0);
  const double cx1 = root * rx * y1 / ry;
  const double cy1 = -root * ry * x1 / rx;
  const MaskPoint centre{cosPhi * cx1 - sinPhi * cy1 + (start.x + end.x) / 2.0,
                         sinPhi * cx1 + cosPhi * cy1 + (start.y + end.y) / 2.0};
  const double theta1 = std::atan2((y1 - cy1) / ry, (x1 - cx1) / rx);
  double delta = std::atan2((-y1 - cy1) / ry, (-x1 - cx1) / rx) - theta1;
  if (sweep && delta < 0.0) delta += 2.0 * std::numbers::pi;
  if (!sweep && delta > 0.0) delta -= 2.0 * std::numbers::pi;
  if (!std::isfinite(delta) || !std::isfinite(centre.x) || !std::isfinite(centre.y)) {
    build.lineTo(end);
    return;
  }

  // A unit-circle error grows with the ellipse's larger radius and the drawing's scale.
  const double reach = std::max(rx, ry) * std::max(scale, 0.0);
  int parts = std::max(1, static_cast<int>(std::ceil(std::abs(delta) / (std::numbers::pi / 2.0) - 1e-12)));
  while (parts < kMostParts && cubicArcError(std::abs(delta) / parts) * reach > kArcTolerancePx) ++parts;
  const auto onEllipse = [&](double u, double v) {
    return MaskPoint{centre.x + rx * cosPhi * u - ry * sinPhi * v, centre.y + rx * sinPhi * u + ry * cosPhi * v};
  };
  const double step = delta / parts;
  const double k = 4.0 / 3.0 * std::tan(step / 4.0);
  for (int i = 0; i < parts; ++i) {
    const double a = theta1 + step * i;
    const double b = i + 1 == parts ? theta1 + delta : theta1 + step * (i + 1);
    const double ca = std::cos(a), sa = std::sin(a), cb = std::cos(b), sb = std::sin(b);
    const MaskPoint to = i + 1 == parts ? end : onEllipse(cb, sb);
    build.cubicTo(onEllipse(ca - k * sa, sa + k * ca), onEllipse(cb + k * sb, sb - k * cb), to);
  }
}

}  // namespace

std::vector<MaskOutline> parseSvgPathData(std::string_view data, double scale) {
  Scanner scan(data);
  OutlineBuilder build;
  std::optional<MaskPoint> lastCubicControl;  // for S: the previous C or S's second control point
  std::optional<MaskPoint> lastQuadControl;   // for T: the previous Q or T's control point
  char command = 0;
  bool first = true;

  scan.skipSpaces();
  if (scan.atEnd()) throw PathDataError(0, "the path data is empty");
  while (true) {
    scan.skipSpaces();
    if (scan.atEnd()) break;
    const std::size_t at = scan.position();
    if (isCommandLetter(scan.peek())) {
      command = scan.take();
    } else if (!scan.numberAhead() || command == 0 || command == 'Z' || command == 'z') {
      const std::string found(1, scan.peek());
      throw PathDataError(at, command == 0
                                  ? "path data must begin with a moveto (\"M\" or \"m\"), found \"" + found + "\""
                                  : "expected a path command, found \"" + found + "\"");
    }
    // Otherwise the previous command repeats with new numbers.
    if (first && command != 'M' && command != 'm') {
      throw PathDataError(
          at, std::string("path data must begin with a moveto (\"M\" or \"m\"), found \"") + command + "\"");
    }
    first = false;

    const bool relative = std::islower(static_cast<unsigned char>(command)) != 0;
    const MaskPoint origin = relative ? build.current() : MaskPoint{};
    auto number = [&] {
      scan.skipSeparators();
      return scan.number(command);
    };
    auto point = [&] {
      const double x = number();
      const double y = number();
      return origin + MaskPoint{x, y};
    };
    std::optional<MaskPoint> cubicControl;
    std::optional<MaskPoint> quadControl;

    switch (std::toupper(static_cast<unsigned char>(command))) {
      case 'M':
        build.moveTo(point());
        command = relative ? 'l' : 'L';  // further pairs are implicit linetos
        break;
      case 'L':
        build.lineTo(point());
        break;
      case 'H':
        build.lineTo({number() + origin.x, build.current().y});
        break;
      case 'V':
        build.lineTo({build.current().x, number() + origin.y});
        break;
      case 'C': {
        const MaskPoint c1 = point();
        const MaskPoint c2 = point();
        build.cubicTo(c1, c2, point());
        cubicControl = c2;
        break;
      }
      case 'S': {
        const MaskPoint c1 = lastCubicControl ? reflect(*lastCubicControl, build.current()) : build.current();
        const MaskPoint c2 = point();
        build.cubicTo(c1, c2, point());
        cubicControl = c2;
        break;
      }
      case 'Q':
      case 'T': {
        const MaskPoint start = build.current();
        MaskPoint q;
        if (std::toupper(static_cast<unsigned char>(command)) == 'Q') {
          q = point();
        } else {
          q = lastQuadControl ? reflect(*lastQuadControl, start) : start;
        }
        const MaskPoint end = point();
        // The cubic through the same curve: control points two thirds of the way to q.
        build.cubicTo(start + (2.0 / 3.0) * (q - start), end + (2.0 / 3.0) * (q - end), end);
        quadControl = q;
        break;
      }
      case 'Z':
        build.close();
        break;
      case 'A': {
        const double rx = number();
        const double ry = number();
        const double rotation = number();
        scan.skipSeparators();
        const bool largeArc = scan.flag(command);
        scan.skipSeparators();
        const bool sweep = scan.flag(command);
        arcTo(build, rx, ry, rotation, largeArc, sweep, point(), scale);
        break;
      }
      default:
        break;
    }
    lastCubicControl = cubicControl;
    lastQuadControl = quadControl;
    scan.skipSeparators();
  }

  std::vector<MaskOutline> outlines = build.finish();
  if (outlines.empty()) throw PathDataError(0, "the path data draws nothing (no segment after a moveto)");
  return outlines;
}

std::string describePathDataError(std::string_view data, const PathDataError& error) {
  const std::size_t at = std::min(error.position(), data.size());
  // Show up to 30 characters either side, on one line.
  const std::size_t from = at > 30 ? at - 30 : 0;
  const std::size_t to = std::min(data.size(), at + 30);
  std::string excerpt(data.substr(from, to - from));
  for (char& c : excerpt) {
    if (isSpace(c)) c = ' ';
  }
  const std::string lead = from > 0 ? "..." : "";
  return "at character " + std::to_string(at + 1) + ": " + error.what() + "\n    " + lead + excerpt +
         (to < data.size() ? "..." : "") + "\n    " + std::string(lead.size() + (at - from), ' ') + "^";
}

}  // namespace inkline_cli
