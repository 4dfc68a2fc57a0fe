#include "SvgTransform.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <initializer_list>
#include <numbers>
#include <string>
#include <vector>

#include "SvgNumber.h"

namespace inkline_cli {

double Affine::largestScale() const {
  // The singular values of [a c; b d] are sqrt((S ± sqrt(S² - 4D²)) / 2), S the sum of squares.
  const double s = a * a + b * b + c * c + d * d;
  const double det = a * d - b * c;
  return std::sqrt((s + std::sqrt(std::max(0.0, s * s - 4.0 * det * det))) / 2.0);
}

Affine operator*(const Affine& m, const Affine& n) {
  return {m.a * n.a + m.c * n.b, m.b * n.a + m.d * n.b, m.a * n.c + m.c * n.d,
          m.b * n.c + m.d * n.d, m.a * n.e + m.c * n.f + m.e, m.b * n.e + m.d * n.f + m.f};
}

namespace {

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }

class TransformScanner {
 public:
  explicit TransformScanner(std::string_view text) : text_(text) {}

  void skipSpaces() {
    while (at_ < text_.size() && isSpace(text_[at_])) ++at_;
  }
  void skipSeparators() {
    skipSpaces();
    if (at_ < text_.size() && text_[at_] == ',') ++at_;
    skipSpaces();
  }
  bool atEnd() const { return at_ >= text_.size(); }
  bool take(char c) {
    if (at_ < text_.size() && text_[at_] == c) {
      ++at_;
      return true;
    }
    return false;
  }
  std::string name() {
    const std::size_t start = at_;
    while (at_ < text_.size() && std::isalpha(static_cast<unsigned char>(text_[at_]))) ++at_;
    return std::string(text_.substr(start, at_ - start));
  }
  bool numberAhead() const {
    if (atEnd()) return false;
    const char c = text_[at_];
    return std::isdigit(static_cast<unsigned char>(c)) || c == '.' || c == '-' || c == '+';
  }
  double number() {
    const SvgNumber read = readSvgNumber(text_.substr(at_));
    if (read.problem != SvgNumber::Problem::None) fail("expected a number");
    at_ += read.length;
    return read.value;
  }
  [[noreturn]] void fail(const std::string& problem) const {
    const std::string found = atEnd() ? "the end" : "\"" + std::string(text_.substr(at_, 12)) + "\"";
    throw TransformError(problem + " at character " + std::to_string(at_ + 1) + ", found " + found);
  }

 private:
  std::string_view text_;
  std::size_t at_ = 0;
};

double radians(double degrees) { return degrees * std::numbers::pi / 180.0; }

}  // namespace

Affine parseTransformList(std::string_view text) {
  TransformScanner scan(text);
  Affine result;
  scan.skipSpaces();
  while (!scan.atEnd()) {
    const std::string kind = scan.name();
    if (kind.empty()) scan.fail("expected matrix, translate, scale, rotate, skewX or skewY");
    scan.skipSpaces();
    if (!scan.take('(')) scan.fail("expected \"(\" after " + kind);
    std::vector<double> args;
    scan.skipSpaces();
    while (scan.numberAhead()) {
      args.push_back(scan.number());
      scan.skipSeparators();
    }
    if (!scan.take(')')) scan.fail("expected a number or \")\" in " + kind);
    const auto needs = [&](std::initializer_list<std::size_t> counts) {
      for (const std::size_t n : counts) {
        if (args.size() == n) return;
      }
      std::string allowed;
      for (const std::size_t n : counts) allowed += (allowed.empty() ? "" : " or ") + std::to_string(n);
      throw TransformError(kind + " takes " + allowed + " numbers, found " + std::to_string(args.size()));
    };
    Affine step;
    if (kind == "matrix") {
      needs({6});
      step = {args[0], args[1], args[2], args[3], args[4], args[5]};
    } else if (kind == "translate") {
      needs({1, 2});
      step = Affine::translate(args[0], args.size() == 2 ? args[1] : 0.0);
    } else if (kind == "scale") {
      needs({1, 2});
      step = Affine::scale(args[0], args.size() == 2 ? args[1] : args[0]);
    } else if (kind == "rotate") {
      needs({1, 3});
      const double angle = radians(args[0]);
      const Affine turn{std::cos(angle), std::sin(angle), -std::sin(angle), std::cos(angle), 0, 0};
      step = args.size() == 3 ? Affine::translate(args[1], args[2]) * turn * Affine::translate(-args[1], -args[2]) : turn;
    } else if (kind == "skewX") {
      needs({1});
      step = {1, 0, std::tan(radians(args[0])), 1, 0, 0};
    } else if (kind == "skewY") {
      needs({1});
      step = {1, std::tan(radians(args[0])), 0, 1, 0, 0};
    } else {
      throw TransformError("unknown transform \"" + kind + "\"");
    }
    result = result * step;
    scan.skipSeparators();
  }
  return result;
}

}  // namespace inkline_cli
