// The pixels stamps may have changed since the work world was last cleared, kept as the tiles
// of a 16-pixel grid they fall in. Only these need clearing before the next stroke and laying
// over the output after it: elsewhere the work world is transparent, and a transparent pixel
// laid over the output leaves it as it was. A stroke winding across the frame, or round a
// closed shape, touches a small part of its bounding box; the tiles follow it.
//
// A work world made without clearing holds whatever its memory held. Its tiles are cleared
// one by one the first time a stamp touches them (most of a frame never is), and rectangles
// handed out never reach a tile not yet cleared.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "AE_Effect.h"

class TouchedArea {
public:
  static constexpr A_long kTile = 16;  // px
  // Runs of touched tiles in a tile row join across gaps of up to this many tiles: a host call
  // costs more than clearing or laying over that many transparent pixels.
  static constexpr A_long kJoinedGapTiles = 2;

  // A canvas of `width` x `height`; nothing touched; its pixels cleared or not.
  void reset(A_long width, A_long height, bool pixelsCleared) {
    width_ = std::max<A_long>(width, 0);
    height_ = std::max<A_long>(height, 0);
    columns_ = (width_ + kTile - 1) / kTile;
    const A_long tileRows = (height_ + kTile - 1) / kTile;
    tiles_.assign(static_cast<std::size_t>(columns_) * static_cast<std::size_t>(tileRows),
                  pixelsCleared ? kCleared : kUnknown);
    bounds_ = PF_LRect{0, 0, 0, 0};
    lastTiles_ = kNoTiles;
  }

  bool empty() const { return bounds_.left >= bounds_.right || bounds_.top >= bounds_.bottom; }
  // The bounding rectangle of everything added (right and bottom exclusive).
  PF_LRect bounds() const { return bounds_; }

  // The rectangles handed out were cleared: nothing touched any more; costs the tile rows
  // touched only.
  void forget() { forgetAs(kCleared); }

  // Nothing touched any more, and the touched tiles to be cleared when a stamp next touches
  // them, as in a world made without clearing: a stroke elsewhere never clears them at all.
  void forgetUncleared() { forgetAs(kUnknown); }

  // Adds a box already clipped to the canvas (right and bottom exclusive, not empty); its tiles
  // not cleared yet are handed to clearTiles(rect) first, neighbours in a tile row together.
  template <class ClearTiles>
  void add(const PF_LRect& box, ClearTiles&& clearTiles) {
    const PF_LRect tiles{box.left / kTile, box.top / kTile, (box.right - 1) / kTile, (box.bottom - 1) / kTile};
    // Consecutive discs lie a pixel apart: most fall in the tiles the box before did, every
    // one of them touched already.
    const bool inLastTiles = tiles.left >= lastTiles_.left && tiles.right <= lastTiles_.right &&
                             tiles.top >= lastTiles_.top && tiles.bottom <= lastTiles_.bottom;
    if (!inLastTiles) {
      touchTiles(tiles, clearTiles);
      lastTiles_ = tiles;
    }
    if (empty()) {
      bounds_ = box;
      return;
    }
    bounds_ = PF_LRect{std::min(bounds_.left, box.left), std::min(bounds_.top, box.top),
                       std::max(bounds_.right, box.right), std::max(bounds_.bottom, box.bottom)};
  }

  // Whether (x, y) lies in a touched tile (so a pixel stamps changed always does).
  bool contains(A_long x, A_long y) const {
    if (x < 0 || x >= width_ || y < 0 || y >= height_) return false;
    return tileRow(y / kTile)[x / kTile] == kTouched;
  }

  // Calls visit(rect) for disjoint rectangles that together hold every touched tile (clipped
  // to the canvas) and only cleared ones besides; stops at, and returns, the first error visit
  // returns. Each tile row's runs of touched tiles are rectangles; a run with the same columns
  // as one in the tile row above extends that rectangle down instead.
  template <class Visit>
  PF_Err forEachRect(Visit&& visit) const {
    if (empty()) return PF_Err_NONE;
    std::vector<PF_LRect> open;  // rectangles reaching the previous tile row, left to right
    std::vector<PF_LRect> next;
    for (A_long ty = bounds_.top / kTile; ty <= (bounds_.bottom - 1) / kTile; ++ty) {
      const std::uint8_t* row = tileRow(ty);
      const A_long top = ty * kTile;
      const A_long bottom = std::min(top + kTile, height_);
      next.clear();
      std::size_t above = 0;
      for (A_long tx = 0; tx < columns_;) {
        if (row[tx] != kTouched) {
          ++tx;
          continue;
        }
        const A_long first = tx;
        A_long last = tx;
        for (A_long gap = 0; ++tx < columns_ && gap <= kJoinedGapTiles && row[tx] != kUnknown;) {
          if (row[tx] == kTouched) {
            last = tx;
            gap = 0;
          } else {
            ++gap;
          }
        }
        tx = last + 1;
        const A_long left = first * kTile;
        const A_long right = std::min((last + 1) * kTile, width_);
        // Rectangles above that end left of this run are finished.
        while (above < open.size() && open[above].right <= left) {
          if (const PF_Err err = visit(open[above])) return err;
          ++above;
        }
        if (above < open.size() && open[above].left == left && open[above].right == right) {
          next.push_back(PF_LRect{left, open[above].top, right, bottom});
          ++above;
        } else {
          next.push_back(PF_LRect{left, top, right, bottom});
        }
      }
      for (; above < open.size(); ++above) {
        if (const PF_Err err = visit(open[above])) return err;
      }
      open.swap(next);
    }
    for (const PF_LRect& rect : open) {
      if (const PF_Err err = visit(rect)) return err;
    }
    return PF_Err_NONE;
  }

private:
  // Marks tiles tiles.left … tiles.right of tile rows tiles.top … tiles.bottom (inclusive)
  // touched, clearing those not cleared yet first.
  template <class ClearTiles>
  void touchTiles(const PF_LRect& tiles, ClearTiles&& clearTiles) {
    const auto columns = static_cast<std::size_t>(tiles.right - tiles.left + 1);
    for (A_long ty = tiles.top; ty <= tiles.bottom; ++ty) {
      std::uint8_t* row = tileRow(ty) + tiles.left;
      // Consecutive discs touch the same tiles again and again: look for uncleared ones first.
      if (std::memchr(row, kUnknown, columns) != nullptr) {
        // Neighbouring uncleared tiles are cleared as one rectangle.
        for (std::size_t k = 0; k < columns;) {
          if (row[k] != kUnknown) {
            ++k;
            continue;
          }
          const std::size_t first = k;
          while (k < columns && row[k] == kUnknown) ++k;
          const A_long left = (tiles.left + static_cast<A_long>(first)) * kTile;
          const A_long right = std::min((tiles.left + static_cast<A_long>(k)) * kTile, width_);
          clearTiles(PF_LRect{left, ty * kTile, right, std::min((ty + 1) * kTile, height_)});
        }
      }
      std::memset(row, kTouched, columns);
    }
  }

  void forgetAs(std::uint8_t state) {
    if (!empty()) {
      const auto first = tiles_.begin() + static_cast<std::ptrdiff_t>(bounds_.top / kTile) * columns_;
      const auto last = tiles_.begin() + static_cast<std::ptrdiff_t>((bounds_.bottom - 1) / kTile + 1) * columns_;
      std::replace(first, last, kTouched, state);
    }
    bounds_ = PF_LRect{0, 0, 0, 0};
    lastTiles_ = kNoTiles;
  }

  // A tile's state: its pixels as memory left them, cleared (transparent), or touched since.
  static constexpr std::uint8_t kUnknown = 0;
  static constexpr std::uint8_t kCleared = 1;
  static constexpr std::uint8_t kTouched = 2;

  std::uint8_t* tileRow(A_long ty) { return tiles_.data() + static_cast<std::size_t>(ty) * columns_; }
  const std::uint8_t* tileRow(A_long ty) const { return tiles_.data() + static_cast<std::size_t>(ty) * columns_; }

  A_long width_ = 0;
  A_long height_ = 0;
  A_long columns_ = 0;  // tiles per row
  std::vector<std::uint8_t> tiles_;  // kUnknown, kCleared or kTouched
  PF_LRect bounds_{0, 0, 0, 0};
  // The tiles (columns left … right, tile rows top … bottom) of the last box added, all
  // touched since; none after a reset or forget.
  static constexpr PF_LRect kNoTiles{0, 0, -1, -1};
  PF_LRect lastTiles_ = kNoTiles;
};
