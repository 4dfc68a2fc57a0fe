#include "SvgFileMasks.h"

#include <pugixml.hpp>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <string_view>
#include <utility>

#include "ExitCodes.h"
#include "SvgNumber.h"
#include "SvgTransform.h"

namespace inkline_cli {

namespace {

using aehost::MaskPoint;

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }

std::string_view trimmed(std::string_view text) {
  while (!text.empty() && isSpace(text.front())) text.remove_prefix(1);
  while (!text.empty() && isSpace(text.back())) text.remove_suffix(1);
  return text;
}

// Numbers written into generated path data: the shortest text that reads back as the same
// double, so a shape's path is exactly the shape.
void appendNumber(std::string& out, double value) {
  std::array<char, 32> buffer{};
  const auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
  out.append(buffer.data(), ec == std::errc{} ? end : buffer.data());
  out += ' ';
}

// Percentages of lengths resolve against the nearest viewport: its width for x, its height
// for y, and sqrt((w² + h²) / 2) for other lengths (radii).
enum class Axis { X, Y, Other };

struct Viewport {
  double width = 0;
  double height = 0;
  double along(Axis axis) const {
    return axis == Axis::X ? width : axis == Axis::Y ? height : std::sqrt((width * width + height * height) / 2.0);
  }
};

// What an element inherits: its user space in layer pixels, the viewport of its percentages,
// and whether it is hidden (visibility is inherited and a child may show itself again).
struct Context {
  Affine toLayer;
  Viewport viewport;
  bool hidden = false;
};

// Elements that are never drawn themselves, nor their content, unless through <use>.
constexpr std::array kNotRendered{"defs", "clipPath", "mask", "marker", "pattern", "symbol", "title", "desc",
                                  "metadata", "style", "script"};
// What the format has that a stroke of a path cannot use.
constexpr std::array kUnusable{"text", "image", "foreignObject", "linearGradient", "radialGradient", "filter"};
constexpr std::array kShapes{"path", "rect", "circle", "ellipse", "line", "polyline", "polygon"};

template <std::size_t N>
bool among(const std::array<const char*, N>& names, std::string_view name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

class Reader {
 public:
  Reader(const std::filesystem::path& file, const std::string& text) : file_(file) {
    for (std::size_t i = 0; i < text.size(); ++i) {
      if (text[i] == '\n') lineStarts_.push_back(i + 1);
    }
  }

  SvgFileShapes read(const pugi::xml_document& document, double layerWidth, double layerHeight) {
    const pugi::xml_node root = document.document_element();
    if (!root || localName(root) != "svg") fail(root, "the file's root element is not <svg>");
    survey(root);
    const Viewport layer{layerWidth, layerHeight};
    const Context outer{Affine{}, layer, false};
    if (!displayed(root)) fail(root, "the whole document is display:none: nothing to stroke");
    // The root viewport sits at the layer's top-left corner, whatever its x and y.
    const double width = length(root, "width", Axis::X, outer, layer.width);
    const double height = length(root, "height", Axis::Y, outer, layer.height);
    if (const std::optional<Context> inside = viewportContext(root, outer, 0, 0, width, height)) {
      walkChildren(root, *inside, 1);
    }
    if (result_.shapes.empty()) {
      throw InputError(file_.string() + ": no shape to stroke (path, rect, circle, ellipse, line, polyline or polygon)" +
                       (ignored_.empty() ? std::string{} : "; the file has only " + ignoredText()));
    }
    result_.ignored = ignoredText();
    return std::move(result_);
  }

 private:
  // ---- Names, places and attributes ----

  // The element's name without the SVG prefix; empty for another vocabulary's elements (an
  // editor's own, such as sodipodi:namedview).
  static std::string_view localName(pugi::xml_node node) {
    const std::string_view name = node.name();
    const std::size_t colon = name.find(':');
    if (colon == std::string_view::npos) return name;
    return name.substr(0, colon) == "svg" ? name.substr(colon + 1) : std::string_view{};
  }

  std::size_t lineOf(pugi::xml_node node) const {
    const auto offset = static_cast<std::size_t>(std::max<std::ptrdiff_t>(node.offset_debug(), 0));
    return 1 + static_cast<std::size_t>(std::upper_bound(lineStarts_.begin(), lineStarts_.end(), offset) -
                                        lineStarts_.begin());
  }

  std::string place(pugi::xml_node node) const {
    std::string text = "line " + std::to_string(lineOf(node)) + ": <" + std::string(node.name()) + ">";
    if (const char* id = node.attribute("id").value(); *id != '\0') text += " (id \"" + std::string(id) + "\")";
    return text;
  }

  [[noreturn]] void fail(pugi::xml_node node, const std::string& problem) const {
    throw InputError(file_.string() + ": " + (node ? place(node) + ": " : std::string{}) + problem);
  }

  static std::optional<std::string_view> attribute(pugi::xml_node node, const char* name) {
    const pugi::xml_attribute found = node.attribute(name);
    if (!found) return std::nullopt;
    return std::string_view(found.value());
  }

  // A presentation property: the style attribute's declaration wins over the attribute.
  static std::optional<std::string_view> property(pugi::xml_node node, std::string_view name) {
    if (const std::optional<std::string_view> style = attribute(node, "style")) {
      std::string_view rest = *style;
      while (!rest.empty()) {
        const std::size_t end = rest.find(';');
        const std::string_view declaration = rest.substr(0, end);
        rest = end == std::string_view::npos ? std::string_view{} : rest.substr(end + 1);
        const std::size_t colon = declaration.find(':');
        if (colon == std::string_view::npos || trimmed(declaration.substr(0, colon)) != name) continue;
        std::string_view value = trimmed(declaration.substr(colon + 1));
        if (const std::size_t bang = value.find('!'); bang != std::string_view::npos) value = trimmed(value.substr(0, bang));
        return value;
      }
    }
    const std::string attributeName(name);
    if (const std::optional<std::string_view> value = attribute(node, attributeName.c_str())) return trimmed(*value);
    return std::nullopt;
  }

  static bool displayed(pugi::xml_node node) { return property(node, "display") != std::string_view("none"); }

  static bool hiddenUnder(pugi::xml_node node, bool inherited) {
    const std::optional<std::string_view> visibility = property(node, "visibility");
    if (!visibility || *visibility == "inherit") return inherited;
    return *visibility == "hidden" || *visibility == "collapse";
  }

  // Every element's id, and the count of every kind a stroke cannot use, wherever it is.
  void survey(pugi::xml_node root) {
    std::vector<pugi::xml_node> stack{root};
    while (!stack.empty()) {
      const pugi::xml_node node = stack.back();
      stack.pop_back();
      if (const char* id = node.attribute("id").value(); *id != '\0') ids_.emplace(id, node);
      if (among(kUnusable, localName(node))) noteIgnored(localName(node));
      for (pugi::xml_node child = node.last_child(); child; child = child.previous_sibling()) {
        if (child.type() == pugi::node_element) stack.push_back(child);
      }
    }
  }

  // ---- Numbers and lengths ----

  double number(pugi::xml_node node, const char* name, std::string_view text) const {
    text = trimmed(text);
    const SvgNumber read = readSvgNumber(text);
    if (read.problem != SvgNumber::Problem::None || read.length != text.size()) {
      fail(node, std::string(name) + ": \"" + std::string(text) + "\" is not a number");
    }
    return read.value;
  }

  // A length in user units: px (or none), in, cm, mm, pt, pc at 96 px to the inch, em and ex
  // at 16 and 8 px (a browser's default font), or a percentage of the viewport.
  double length(pugi::xml_node node, const char* name, Axis axis, const Context& context, double fallback) const {
    const std::optional<std::string_view> written = attribute(node, name);
    if (!written || trimmed(*written).empty() || trimmed(*written) == "auto") return fallback;
    const std::string_view text = trimmed(*written);
    std::size_t unitStart = text.size();
    while (unitStart > 0 && (std::isalpha(static_cast<unsigned char>(text[unitStart - 1])) || text[unitStart - 1] == '%')) {
      --unitStart;
    }
    // An exponent ("1e3") is part of the number, not a unit.
    if (unitStart < text.size() && (text[unitStart] == 'e' || text[unitStart] == 'E') && unitStart + 1 < text.size() &&
        std::isdigit(static_cast<unsigned char>(text[unitStart + 1]))) {
      unitStart = text.size();
    }
    const std::string_view unit = text.substr(unitStart);
    const double value = number(node, name, text.substr(0, unitStart));
    static const std::map<std::string_view, double> kPixelsPer{
        {"", 1.0},         {"px", 1.0},  {"in", 96.0},        {"cm", 96.0 / 2.54}, {"mm", 96.0 / 25.4},
        {"pt", 96.0 / 72}, {"pc", 16.0}, {"em", 16.0},        {"ex", 8.0}};
    if (unit == "%") return value / 100.0 * context.viewport.along(axis);
    const auto found = kPixelsPer.find(unit);
    if (found == kPixelsPer.end()) fail(node, std::string(name) + ": unknown unit \"" + std::string(unit) + "\"");
    return value * found->second;
  }

  // ---- Viewports ----

  // The user space inside a viewport at (x, y) of size width x height in the outer user
  // space, from the element's viewBox and preserveAspectRatio; nothing when it shows nothing
  // (a size or viewBox size of zero).
  std::optional<Context> viewportContext(pugi::xml_node node, const Context& outer, double x, double y, double width,
                                         double height, pugi::xml_node viewBoxFrom = {}) const {
    if (!viewBoxFrom) viewBoxFrom = node;
    if (!(width > 0) || !(height > 0)) return std::nullopt;
    Context inside = outer;
    inside.hidden = hiddenUnder(node, outer.hidden);
    const std::optional<std::string_view> viewBox = attribute(viewBoxFrom, "viewBox");
    if (!viewBox) {
      inside.toLayer = outer.toLayer * Affine::translate(x, y);
      inside.viewport = {width, height};
      return inside;
    }
    std::array<double, 4> box{};
    std::string_view rest = trimmed(*viewBox);
    for (std::size_t i = 0; i < box.size(); ++i) {
      const std::size_t end = std::min(rest.find_first_of(" \t\r\n,"), rest.size());
      if (rest.empty()) fail(viewBoxFrom, "viewBox: needs four numbers, min-x min-y width height");
      box[i] = number(viewBoxFrom, "viewBox", rest.substr(0, end));
      rest = rest.substr(end);
      while (!rest.empty() && (isSpace(rest.front()) || rest.front() == ',')) rest.remove_prefix(1);
    }
    if (!rest.empty()) fail(viewBoxFrom, "viewBox: needs four numbers, min-x min-y width height");
    if (!(box[2] > 0) || !(box[3] > 0)) return std::nullopt;

    // preserveAspectRatio: [defer] <align> [meet | slice]; xMidYMid meet unless written.
    std::string align = "xMidYMid";
    bool slice = false;
    if (const std::optional<std::string_view> written = attribute(viewBoxFrom, "preserveAspectRatio")) {
      std::istringstream words{std::string(*written)};
      std::string word;
      words >> word;
      if (word == "defer") words >> word;
      align = word;
      if (words >> word) {
        if (word != "meet" && word != "slice") fail(viewBoxFrom, "preserveAspectRatio: \"" + word + "\" is neither meet nor slice");
        slice = word == "slice";
      }
      static const std::array<const char*, 10> kAligns{"none",     "xMinYMin", "xMidYMin", "xMaxYMin", "xMinYMid",
                                                       "xMidYMid", "xMaxYMid", "xMinYMax", "xMidYMax", "xMaxYMax"};
      if (std::find(kAligns.begin(), kAligns.end(), align) == kAligns.end()) {
        fail(viewBoxFrom, "preserveAspectRatio: unknown alignment \"" + align + "\"");
      }
    }
    double scaleX = width / box[2];
    double scaleY = height / box[3];
    double shiftX = 0;
    double shiftY = 0;
    if (align != "none") {
      scaleX = scaleY = slice ? std::max(scaleX, scaleY) : std::min(scaleX, scaleY);
      const double spareX = width - box[2] * scaleX;
      const double spareY = height - box[3] * scaleY;
      const std::string_view alignX = std::string_view(align).substr(1, 3);
      const std::string_view alignY = std::string_view(align).substr(5, 3);
      shiftX = alignX == "Mid" ? spareX / 2 : alignX == "Max" ? spareX : 0.0;
      shiftY = alignY == "Mid" ? spareY / 2 : alignY == "Max" ? spareY : 0.0;
    }
    inside.toLayer = outer.toLayer * Affine::translate(x + shiftX - box[0] * scaleX, y + shiftY - box[1] * scaleY) *
                     Affine::scale(scaleX, scaleY);
    inside.viewport = {box[2], box[3]};
    return inside;
  }

  // ---- The tree ----

  void walkChildren(pugi::xml_node parent, const Context& context, int depth) {
    for (pugi::xml_node child = parent.first_child(); child; child = child.next_sibling()) {
      if (child.type() == pugi::node_element) walk(child, context, depth);
    }
  }

  // The element's own transform attribute applied inside the context.
  Context transformed(pugi::xml_node node, const Context& context) const {
    Context inner = context;
    if (const std::optional<std::string_view> transform = attribute(node, "transform")) {
      try {
        inner.toLayer = context.toLayer * parseTransformList(*transform);
      } catch (const TransformError& e) {
        fail(node, std::string("transform: ") + e.what());
      }
    }
    return inner;
  }

  // Hostile files stay bounded: elements nested deeper than any drawing needs, or <use>
  // elements multiplying each other's content beyond any drawing's size, are refused.
  static constexpr int kDeepest = 256;
  static constexpr std::size_t kMostVisits = 1'000'000;
  static constexpr std::size_t kMostOutlines = 100'000;

  void walk(pugi::xml_node node, const Context& context, int depth) {
    const std::string_view kind = localName(node);
    if (kind.empty() || among(kUnusable, kind) || among(kNotRendered, kind) || !displayed(node)) return;
    if (depth > kDeepest) fail(node, "elements nested more than " + std::to_string(kDeepest) + " deep");
    if (++visits_ > kMostVisits) {
      fail(node, "more than " + std::to_string(kMostVisits) + " elements to draw (<use> elements repeating each other?)");
    }
    Context here = transformed(node, context);
    if (kind == "svg") {
      const double x = length(node, "x", Axis::X, context, 0);
      const double y = length(node, "y", Axis::Y, context, 0);
      const double width = length(node, "width", Axis::X, context, context.viewport.width);
      const double height = length(node, "height", Axis::Y, context, context.viewport.height);
      if (const std::optional<Context> inside = viewportContext(node, here, x, y, width, height)) {
        walkChildren(node, *inside, depth + 1);
      }
      return;
    }
    here.hidden = hiddenUnder(node, context.hidden);
    if (kind == "g" || kind == "a") {
      walkChildren(node, here, depth + 1);
    } else if (kind == "switch") {
      // A viewer draws the first child whose conditions hold; none are evaluated here.
      for (pugi::xml_node child = node.first_child(); child; child = child.next_sibling()) {
        if (child.type() == pugi::node_element && !localName(child).empty()) {
          walk(child, here, depth + 1);
          break;
        }
      }
    } else if (kind == "use") {
      use(node, context, here, depth);
    } else if (among(kShapes, kind)) {
      if (!here.hidden) shape(node, kind, here);
    }
  }

  void use(pugi::xml_node node, const Context& outer, const Context& here, int depth) {
    std::optional<std::string_view> href = attribute(node, "href");
    if (!href) href = attribute(node, "xlink:href");
    if (!href || href->empty() || href->front() != '#') return;  // nothing, or another file: not drawn
    const auto target = ids_.find(std::string(href->substr(1)));
    if (target == ids_.end()) fail(node, "refers to \"" + std::string(*href) + "\", which the file does not have");
    const pugi::xml_node referenced = target->second;
    for (pugi::xml_node n = node; n; n = n.parent()) {
      if (n == referenced) fail(node, "refers to an element that holds it");
    }
    if (std::find(useChain_.begin(), useChain_.end(), referenced) != useChain_.end()) {
      fail(node, "refers, through other <use> elements, back to itself");
    }
    const double x = length(node, "x", Axis::X, outer, 0);
    const double y = length(node, "y", Axis::Y, outer, 0);
    Context placed = here;
    placed.toLayer = here.toLayer * Affine::translate(x, y);
    useChain_.push_back(referenced);
    const std::string_view kind = localName(referenced);
    if ((kind == "symbol" || kind == "svg") && displayed(referenced)) {
      // A viewport of the <use>'s width and height (100 % unless given), the symbol's viewBox.
      const Context symbolSpace = transformed(referenced, placed);
      const double width = length(node, "width", Axis::X, outer,
                                  length(referenced, "width", Axis::X, outer, outer.viewport.width));
      const double height = length(node, "height", Axis::Y, outer,
                                   length(referenced, "height", Axis::Y, outer, outer.viewport.height));
      if (const std::optional<Context> inside = viewportContext(referenced, symbolSpace, 0, 0, width, height)) {
        walkChildren(referenced, *inside, depth + 1);
      }
    } else {
      walk(referenced, placed, depth + 1);
    }
    useChain_.pop_back();
  }

  void shape(pugi::xml_node node, std::string_view kind, const Context& context) {
    std::string data;
    const auto len = [&](const char* name, Axis axis, double fallback = 0) {
      return length(node, name, axis, context, fallback);
    };
    const auto moveTo = [&](double x, double y) { data += "M "; appendNumber(data, x); appendNumber(data, y); };
    const auto lineTo = [&](double x, double y) { data += "L "; appendNumber(data, x); appendNumber(data, y); };
    const auto arcTo = [&](double rx, double ry, double x, double y) {
      data += "A ";
      appendNumber(data, rx);
      appendNumber(data, ry);
      data += "0 0 1 ";
      appendNumber(data, x);
      appendNumber(data, y);
    };
    // An ellipse from its rightmost point, clockwise on the screen, in four quarter arcs.
    const auto ellipse = [&](double cx, double cy, double rx, double ry) {
      moveTo(cx + rx, cy);
      arcTo(rx, ry, cx, cy + ry);
      arcTo(rx, ry, cx - rx, cy);
      arcTo(rx, ry, cx, cy - ry);
      arcTo(rx, ry, cx + rx, cy);
      data += "Z";
    };
    if (kind == "path") {
      const std::optional<std::string_view> d = attribute(node, "d");
      if (!d || trimmed(*d).empty()) return;  // a path without data is not drawn
      data = std::string(*d);
    } else if (kind == "rect") {
      const double x = len("x", Axis::X), y = len("y", Axis::Y);
      const double width = len("width", Axis::X), height = len("height", Axis::Y);
      if (!(width > 0) || !(height > 0)) return;
      double rx = len("rx", Axis::X, -1), ry = len("ry", Axis::Y, -1);
      if (rx < 0 && ry < 0) rx = ry = 0;  // neither given (or negative): square corners
      if (rx < 0) rx = ry;                // one given: the other the same
      if (ry < 0) ry = rx;
      rx = std::min(rx, width / 2);
      ry = std::min(ry, height / 2);
      if (rx > 0 && ry > 0) {
        moveTo(x + rx, y);
        lineTo(x + width - rx, y);
        arcTo(rx, ry, x + width, y + ry);
        lineTo(x + width, y + height - ry);
        arcTo(rx, ry, x + width - rx, y + height);
        lineTo(x + rx, y + height);
        arcTo(rx, ry, x, y + height - ry);
        lineTo(x, y + ry);
        arcTo(rx, ry, x + rx, y);
        data += "Z";
      } else {
        moveTo(x, y);
        lineTo(x + width, y);
        lineTo(x + width, y + height);
        lineTo(x, y + height);
        data += "Z";
      }
    } else if (kind == "circle") {
      const double r = len("r", Axis::Other);
      if (!(r > 0)) return;
      ellipse(len("cx", Axis::X), len("cy", Axis::Y), r, r);
    } else if (kind == "ellipse") {
      double rx = len("rx", Axis::X, -1), ry = len("ry", Axis::Y, -1);
      if (rx < 0) rx = ry;  // "auto": the other radius
      if (ry < 0) ry = rx;
      if (!(rx > 0) || !(ry > 0)) return;
      ellipse(len("cx", Axis::X), len("cy", Axis::Y), rx, ry);
    } else if (kind == "line") {
      moveTo(len("x1", Axis::X), len("y1", Axis::Y));
      lineTo(len("x2", Axis::X), len("y2", Axis::Y));
    } else {  // polyline, polygon
      const std::optional<std::string_view> points = attribute(node, "points");
      if (!points || trimmed(*points).empty()) return;
      data = "M " + std::string(*points) + (kind == "polygon" ? " Z" : "");
    }

    std::vector<MaskOutline> outlines;
    try {
      outlines = parseSvgPathData(data, context.toLayer.largestScale());
    } catch (const PathDataError& e) {
      if (kind == "polyline" || kind == "polygon") fail(node, "points: not a list of coordinate pairs");
      if (kind != "path") fail(node, std::string("makes no outline: ") + e.what());
      // Path data that draws nothing is no mask; malformed data is an error.
      if (std::string_view(e.what()).starts_with("the path data draws nothing")) return;
      fail(node, describePathDataError(data, e));
    }
    for (MaskOutline& outline : outlines) {
      for (aehost::MaskVertex& vertex : outline.vertices) {
        vertex.position = context.toLayer.apply(vertex.position);
        vertex.inTangent = context.toLayer.apply(vertex.inTangent);
        vertex.outTangent = context.toLayer.apply(vertex.outTangent);
      }
    }
    SvgShape found;
    for (const char* label : {"inkscape:label", "data-name", "id"}) {
      if (const char* value = node.attribute(label).value(); *value != '\0') {
        found.name = value;
        break;
      }
    }
    found.place = place(node);
    outlineCount_ += outlines.size();
    if (outlineCount_ > kMostOutlines) fail(node, "more than " + std::to_string(kMostOutlines) + " outlines");
    found.outlines = std::move(outlines);
    result_.shapes.push_back(std::move(found));
  }

  void noteIgnored(std::string_view kind) {
    const auto counted = std::find_if(ignored_.begin(), ignored_.end(), [&](const auto& k) { return k.first == kind; });
    if (counted == ignored_.end()) {
      ignored_.emplace_back(std::string(kind), 1);
    } else {
      ++counted->second;
    }
  }

  std::string ignoredText() const {
    std::string text;
    for (const auto& [kind, count] : ignored_) {
      text += (text.empty() ? "" : ", ") + std::to_string(count) + " <" + kind + ">";
    }
    return text;
  }

  std::filesystem::path file_;
  std::vector<std::size_t> lineStarts_;  // byte offset of the start of each line after the first
  std::map<std::string, pugi::xml_node> ids_;
  std::vector<pugi::xml_node> useChain_;  // elements being drawn through <use>, innermost last
  std::size_t visits_ = 0;
  std::size_t outlineCount_ = 0;
  std::vector<std::pair<std::string, int>> ignored_;
  SvgFileShapes result_;
};

}  // namespace

SvgFileShapes readSvgFileShapes(const std::filesystem::path& file, double layerWidth, double layerHeight) {
  std::ifstream stream(file, std::ios::binary);
  std::error_code ec;
  if (!stream || std::filesystem::is_directory(file, ec)) throw InputError(file.string() + ": cannot read the SVG file");
  std::ostringstream contents;
  contents << stream.rdbuf();
  const std::string text = contents.str();
  pugi::xml_document document;
  const pugi::xml_parse_result parsed = document.load_buffer(text.data(), text.size());
  if (!parsed) {
    throw InputError(file.string() + ": at byte " + std::to_string(parsed.offset) + ": not valid XML: " +
                     parsed.description());
  }
  return Reader(file, text).read(document, layerWidth, layerHeight);
}

}  // namespace inkline_cli
