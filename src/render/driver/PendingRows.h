// Which output rows still wait for their background (the layer, or transparent black), so
// that it can be laid down just before the first stroke is laid over a row and the rest once
// the strokes are done. A frame laid down whole up front has left the caches by the time the
// strokes come when it is larger than they are (a 1080p float frame is 33 MB), and laying a
// stroke over the output then waited for memory at every row; laid down just before, the row
// is still cached. Whole rows, not the stroke's columns only: a copy of short runs of many
// rows goes at a fraction of a row copy's speed.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

#include "AE_Effect.h"

class PendingRows {
public:
  // A `width` x `height` output, every row waiting.
  PendingRows(A_long width, A_long height)
      : width_(std::max<A_long>(width, 0)),
        height_(std::max<A_long>(height, 0)),
        waiting_(static_cast<std::size_t>(height_), 1) {}

  // Calls lay(rect) for the waiting rows among top … bottom − 1, neighbours as one rectangle
  // (whole rows, within the output); those rows wait no more. Stops at, and returns, the first
  // error lay returns (that rectangle's rows and those after it still wait).
  template <class Lay>
  PF_Err take(A_long top, A_long bottom, Lay&& lay) {
    top = std::max<A_long>(top, 0);
    bottom = std::min(bottom, height_);
    if (width_ == 0) return PF_Err_NONE;
    for (A_long y = top; y < bottom;) {
      if (waiting_[static_cast<std::size_t>(y)] == 0) {
        ++y;
        continue;
      }
      const A_long first = y;
      while (y < bottom && waiting_[static_cast<std::size_t>(y)] != 0) ++y;
      if (const PF_Err err = lay(PF_LRect{0, first, width_, y})) return err;
      std::fill(waiting_.begin() + first, waiting_.begin() + y, std::uint8_t{0});
    }
    return PF_Err_NONE;
  }

  // take() over the whole output: whatever still waits.
  template <class Lay>
  PF_Err takeAll(Lay&& lay) {
    return take(0, height_, lay);
  }

private:
  A_long width_;
  A_long height_;
  std::vector<std::uint8_t> waiting_;  // per row, top down: 1 while its background waits
};
