// Row bounds of a large disc's interior, gathered while its rim is traced: per row, the
// innermost rim column on the left and on the right. The rows between become plain spans.
#pragma once

#include <climits>
#include <cstdint>
#include <vector>

struct SpanBuffer {
  static constexpr int kNoLeftBound = INT_MIN;
  static constexpr int kNoRightBound = INT_MAX;

  std::vector<int> leftBounds;   // first interior column of the row, relative to the centre cell
  std::vector<int> rightBounds;  // last interior column of the row, relative to the centre cell
  int rowsInUse = 0;             // size of both vectors; grows, never shrinks
  int rowOffset = 0;             // row of entry 0, relative to the centre cell
  int splitColumn = 0;           // rim columns up to here bound the left side, beyond it the right
  int rowsInDisc = 0;            // entries the current disc uses (the first ones)
  int firstLive = 0;             // entries kept for this disc: firstLive … lastLive
  int lastLive = -1;

  // Prepares the rows of a disc of radius r around sub-pixel centre (xs, ys) of the centre cell.
  // Needs 0 < r ≤ kMaxDiscRadiusPx. Grows the vectors only when a larger disc needs more rows.
  void reset(double radius, double xs, double ys);
  // The same, keeping only rows firstRow … lastRow (relative to the centre cell): a disc far
  // larger than the canvas clears and fills only the rows it can draw.
  void reset(double radius, double xs, double ys, std::int64_t firstRow, std::int64_t lastRow);

  // Narrows the bounds of the rim pixel's row so the fill stays strictly inside the rim.
  // Rows outside the kept ones are ignored.
  void narrow(int column, int row) {
    const int entry = row - rowOffset;
    if (entry < firstLive || entry > lastLive) return;
    if (column <= splitColumn) {
      if (column + 1 > leftBounds[entry]) leftBounds[entry] = column + 1;
    } else {
      if (column - 1 < rightBounds[entry]) rightBounds[entry] = column - 1;
    }
  }
};
