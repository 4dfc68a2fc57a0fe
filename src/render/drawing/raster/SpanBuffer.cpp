#include "raster/SpanBuffer.h"

#include <algorithm>
#include <cmath>

void SpanBuffer::reset(double radius, double xs, double ys) {
  reset(radius, xs, ys, INT64_MIN / 4, INT64_MAX / 4);
}

void SpanBuffer::reset(double radius, double xs, double ys, std::int64_t firstRow, std::int64_t lastRow) {
  // n = 2 · trunc(r + 5): the disc's rows with five to spare at each end.
  rowsInDisc = 2 * static_cast<int>(radius + 5.0);
  if (rowsInDisc > rowsInUse) {
    leftBounds.resize(static_cast<std::size_t>(rowsInDisc));
    rightBounds.resize(static_cast<std::size_t>(rowsInDisc));
    rowsInUse = rowsInDisc;
  }
  rowOffset = static_cast<int>(std::floor(ys - radius + 0.5)) - 5;
  splitColumn = static_cast<int>(xs);
  firstLive = static_cast<int>(std::clamp<std::int64_t>(firstRow - rowOffset, 0, rowsInDisc));
  lastLive = static_cast<int>(std::clamp<std::int64_t>(lastRow - rowOffset, -1, rowsInDisc - 1));
  // Only this disc's kept rows are cleared; the fill never reads past them, so stale rows of
  // an earlier, larger disc cannot leak in.
  if (firstLive <= lastLive) {
    std::fill(leftBounds.begin() + firstLive, leftBounds.begin() + lastLive + 1, kNoLeftBound);
    std::fill(rightBounds.begin() + firstLive, rightBounds.begin() + lastLive + 1, kNoRightBound);
  }
}
