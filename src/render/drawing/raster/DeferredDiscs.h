// Drawing discs out of order where no pixel can tell. While every stamp since the work world
// was cleared has had one red, green and blue, every pixel is transparent black or of that
// colour, and a blend of such a stamp only raises a pixel's alpha to the stamp's scaled alpha
// (or sets the colour with it on a transparent pixel): the blends of a stroke commute. Its discs
// can then be drawn interior first and rim second; the interiors of the discs ahead settle most
// of each rim, which is then passed over instead of being blended two or three times as the
// stroke's front moves on. The interiors themselves are gathered per row and each row's run
// is blended once: a full stamp blended twice on a pixel is the same as once.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "raster/DiscRegions.h"
#include "raster/DiscShape.h"

// Whether all stamps since the last clear had one colour (red, green, blue, bit for bit).
class StampColours {
public:
  template <class Pixel>
  void note(const Pixel& stamp) {
    if (state_ == State::Several) return;
    unsigned char rgb[sizeof(rgb_)];
    const std::size_t bytes = colourBytes(stamp, rgb);
    if (state_ == State::None) {
      std::memcpy(rgb_, rgb, bytes);
      bytes_ = bytes;
      state_ = State::One;
    } else if (state_ == State::One && (bytes != bytes_ || std::memcmp(rgb, rgb_, bytes) != 0)) {
      state_ = State::Several;
    }
  }

  template <class Pixel>
  bool onlyColourIs(const Pixel& stamp) const {
    if (state_ != State::One) return false;
    unsigned char rgb[sizeof(rgb_)];
    const std::size_t bytes = colourBytes(stamp, rgb);
    return state_ == State::One && bytes == bytes_ && std::memcmp(rgb, rgb_, bytes) == 0;
  }

  void forget() { state_ = State::None; }

private:
  template <class Pixel>
  static std::size_t colourBytes(const Pixel& stamp, unsigned char* out) {
    constexpr std::size_t channel = sizeof(stamp.red);
    static_assert(3 * channel <= sizeof(rgb_));
    std::memcpy(out, &stamp.red, channel);
    std::memcpy(out + channel, &stamp.green, channel);
    std::memcpy(out + 2 * channel, &stamp.blue, channel);
    return 3 * channel;
  }

  enum class State { None, One, Several };
  State state_ = State::None;
  unsigned char rgb_[12] = {};
  std::size_t bytes_ = 0;
};

// Recorded discs of one stamp and radius waiting to be drawn.
struct DeferredDiscs {
  struct Disc {
    const raster::DiscShape* shape;
    std::int64_t cellX;
    std::int64_t cellY;
    std::size_t runIndex;  // in `run`
  };
  std::vector<Disc> discs;
  // Rows of the waiting discs' shapes; the queue is drawn once it holds this many (the stroke
  // loop asks whether to stop every 65,536 units of sample and disc-row work).
  static constexpr std::int64_t kMostRowsQueued = 16384;
  std::int64_t rowsQueued = 0;
  // The canvas rows the waiting discs' shapes span (none: first > last), unclipped.
  std::int64_t firstRow = INT64_MAX;
  std::int64_t lastRow = INT64_MIN;

  void add(const raster::RunDisc& disc) {
    run.push_back(disc);
    queue(Disc{disc.shape, disc.cellX, disc.cellY, run.size() - 1});
  }
  // The queue emptied; the run goes on.
  void drawn() {
    discs.clear();
    rowsQueued = 0;
    firstRow = INT64_MAX;
    lastRow = INT64_MIN;
  }
  // A disc queued again: drawn with the queue after it (a drawn queue of a run that goes on
  // keeps its last disc, whose region needs the disc after it).
  void requeue(const Disc& disc) { queue(disc); }
  void clear() {
    drawn();
    run.clear();
    marks.clear();
  }
  double radius = 0.0;
  unsigned char stamp[16] = {};

  // Every disc queued since the run of this stamp and radius began, in stroke order (see
  // DiscRegions.h), the support of its radius (kept while the radius is the same), and the
  // pixels whose nearest disc passed them by, to be settled when the run ends.
  std::vector<raster::RunDisc> run;
  raster::SupportWidths support;  // of the run's radius
  double supportRadius = -1.0;
  struct Mark {
    int x;
    int y;
    std::size_t owner;  // in `run`
  };
  std::vector<Mark> marks;

  // Scratch of the drawing: per canvas row the interiors gathered so far, as one run of
  // columns (empty: left > right), and the rows that have one.
  std::vector<int> interiorLeft;
  std::vector<int> interiorRight;
  std::vector<int> rowsWithInterior;

  // Scratch of the rim pass: per canvas row its settled run as the pass starts.
  std::vector<int> settledLeft;
  std::vector<int> settledRight;

private:
  void queue(const Disc& disc) {
    discs.push_back(disc);
    const auto rows = static_cast<std::int64_t>(disc.shape->rows.size());
    rowsQueued += rows;
    firstRow = std::min(firstRow, disc.cellY + disc.shape->firstRow);
    lastRow = std::max(lastRow, disc.cellY + disc.shape->firstRow + rows - 1);
  }
};
