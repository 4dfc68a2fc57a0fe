#include "ContactSheet.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <type_traits>

#include "TinyDigits.h"
#include "aehost/Channels.h"
#include "aehost/PixelFormats.h"

namespace inkline_cli {

namespace {

// Thumbnails up to 240 pixels, smaller for long renders so the sheet stays a sensible size.
constexpr double kLargestThumbnail = 240;
constexpr double kSmallestThumbnail = 64;
constexpr double kFramesAtLargest = 64;
constexpr A_long kMargin = 12;
constexpr A_long kGap = 8;
constexpr int kLabelScale = 2;
constexpr A_long kLabelHeight = kDigitHeight * kLabelScale + 6;
constexpr A_long kCheckerSize = 8;
constexpr PF_Pixel8 kBackground{255, 30, 30, 32};
constexpr PF_Pixel8 kLabelColor{255, 170, 170, 175};

A_u_char toByte(double v) { return static_cast<A_u_char>(std::lround(std::clamp(v, 0.0, 1.0) * 255.0)); }

}  // namespace

ContactSheet::ContactSheet(A_long frameWidth, A_long frameHeight, std::vector<A_long> frameNumbers)
    : frameNumbers_(std::move(frameNumbers)) {
  const double frames = static_cast<double>(std::max<std::size_t>(1, frameNumbers_.size()));
  const double side =
      std::clamp(kLargestThumbnail * std::sqrt(kFramesAtLargest / frames), kSmallestThumbnail, kLargestThumbnail);
  const double scale = std::min({1.0, side / frameWidth, side / frameHeight});
  thumbWidth_ = std::max<A_long>(1, std::lround(frameWidth * scale));
  thumbHeight_ = std::max<A_long>(1, std::lround(frameHeight * scale));
  // Roughly a 16:10 sheet.
  const double cellAspect = static_cast<double>(thumbHeight_ + kLabelHeight + kGap) / (thumbWidth_ + kGap);
  columns_ =
      std::clamp(static_cast<int>(std::lround(std::sqrt(frames * 1.6 * cellAspect))), 1, static_cast<int>(frames));
  rows_ = static_cast<int>(std::ceil(frames / columns_));
  const A_long width = 2 * kMargin + columns_ * thumbWidth_ + (columns_ - 1) * kGap;
  const A_long height = 2 * kMargin + rows_ * (thumbHeight_ + kLabelHeight) + (rows_ - 1) * kGap;
  sheet_ = aehost::Image::filled(width, height, kBackground);
}

void ContactSheet::cellOrigin(std::size_t slot, A_long& x, A_long& y) const {
  const A_long column = static_cast<A_long>(slot % static_cast<std::size_t>(columns_));
  const A_long row = static_cast<A_long>(slot / static_cast<std::size_t>(columns_));
  x = kMargin + column * (thumbWidth_ + kGap);
  y = kMargin + row * (thumbHeight_ + kLabelHeight + kGap);
}

A_long ContactSheet::rowsFinalAfter(int complete) const {
  if (complete >= rows_) return sheet_.height();
  if (complete <= 0) return 0;
  // A cell's label lies within its own rows, so everything above the next row's cells is final.
  A_long x = 0;
  A_long y = 0;
  cellOrigin(static_cast<std::size_t>(complete) * static_cast<std::size_t>(columns_), x, y);
  return y;
}

void ContactSheet::place(std::size_t slot, const aehost::Image& frame) {
  if (slot >= frameNumbers_.size() || frame.empty()) return;
  A_long originX = 0;
  A_long originY = 0;
  cellOrigin(slot, originX, originY);
  const A_long w = frame.width();
  const A_long h = frame.height();
  // Every pixel is read once, in the frame's own depth and converted as it is read (a converted
  // copy of the frame, read a checked pixel at a time, made the sheet a quarter of a demo
  // render's time).
  aehost::withPixelType(frame.format(), [&](auto source) {
    using Source = decltype(source);
    const auto* pixels = reinterpret_cast<const Source*>(frame.bytes().data());
    // A channel as the average takes it: converted to float, clamped to 0 … 1, as a double.
    // An 8-bit channel has 256 values: looked up, not converted for every pixel (which took 9 %
    // of a demo render, the effect 13 %).
    std::array<double, 256> unit8{};
    if constexpr (std::is_same_v<Source, PF_Pixel8>) {
      for (std::size_t v = 0; v < unit8.size(); ++v) {
        unit8[v] = std::clamp<double>(aehost::convertChannel<PF_PixelFloat>(static_cast<A_u_char>(v)), 0.0, 1.0);
      }
    }
    const auto unit = [&](auto channel) -> double {
      if constexpr (std::is_same_v<Source, PF_Pixel8>) {
        return unit8[channel];
      } else {
        return std::clamp<double>(aehost::convertChannel<PF_PixelFloat>(channel), 0.0, 1.0);
      }
    };
    for (A_long ty = 0; ty < thumbHeight_; ++ty) {
      const A_long y0 = ty * h / thumbHeight_;
      const A_long y1 = std::max(y0 + 1, (ty + 1) * h / thumbHeight_);
      for (A_long tx = 0; tx < thumbWidth_; ++tx) {
        const A_long x0 = tx * w / thumbWidth_;
        const A_long x1 = std::max(x0 + 1, (tx + 1) * w / thumbWidth_);
        // Average with premultiplied colours, so transparent pixels add no colour.
        double a = 0, r = 0, g = 0, b = 0;
        for (A_long y = y0; y < y1; ++y) {
          const Source* row = pixels + static_cast<std::size_t>(y) * static_cast<std::size_t>(w);
          for (A_long x = x0; x < x1; ++x) {
            const Source& p = row[x];
            const double alpha = unit(p.alpha);
            a += alpha;
            r += unit(p.red) * alpha;
            g += unit(p.green) * alpha;
            b += unit(p.blue) * alpha;
          }
        }
        const double n = static_cast<double>((y1 - y0) * (x1 - x0));
        const bool light = ((tx / kCheckerSize) + (ty / kCheckerSize)) % 2 == 0;
        const double checker = light ? 1.0 : 0.8;
        const double under = checker * (1.0 - a / n);
        sheet_.set(originX + tx, originY + ty,
                   PF_Pixel8{255, toByte(r / n + under), toByte(g / n + under), toByte(b / n + under)});
      }
    }
  });
  drawLabel(originX, originY + thumbHeight_ + 3, frameNumbers_[slot]);
}

void ContactSheet::drawLabel(A_long x, A_long y, A_long number) {
  const std::string digits = std::to_string(number);
  for (std::size_t i = 0; i < digits.size(); ++i) {
    const A_long left = x + static_cast<A_long>(i) * (kDigitWidth + 1) * kLabelScale;
    for (int gy = 0; gy < kDigitHeight * kLabelScale; ++gy) {
      for (int gx = 0; gx < kDigitWidth * kLabelScale; ++gx) {
        if (left + gx >= sheet_.width() || y + gy >= sheet_.height()) continue;
        if (digitPixel(digits[i] - '0', gx / kLabelScale, gy / kLabelScale)) sheet_.set(left + gx, y + gy, kLabelColor);
      }
    }
  }
}

}  // namespace inkline_cli
