#include "raster/SpanBuffer.h"

#include <algorithm>
#include <cmath>

void SpanBuffer::reset(double radius, double xs, double ys) {
  // n = 2 · trunc(r + 5): the disc's rows with five to spare at each end.
  rowsInDisc = 2 * static_cast<int>(radius + 5.0);
  if (rowsInDisc > rowsInUse) {
    leftBounds.resize(static_cast<std::size_t>(rowsInDisc));
    rightBounds.resize(static_cast<std::size_t>(rowsInDisc));
    rowsInUse = rowsInDisc;
  }
  rowOffset = static_cast<int>(std::floor(ys - radius + 0.5)) - 5;
  splitColumn = static_cast<int>(xs);
  // Only this disc's rows are cleared; the fill never reads past them, so stale rows of an
  // earlier, larger disc cannot leak in.
  std::fill_n(leftBounds.begin(), rowsInDisc, kNoLeftBound);
  std::fill_n(rightBounds.begin(), rowsInDisc, kNoRightBound);
}
