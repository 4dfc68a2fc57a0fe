// Four consecutive canvas rows at a time, for the passes over queued discs that ask one
// question per disc and row (does this span join its row's run, does this rim lie inside its
// row's settled run). Nearly every group answers the same for all four rows, and one group
// costs about what one row did. GCC and Clang vector extensions; elsewhere the passes go row
// by row.
#pragma once

#include <cstdint>
#include <cstring>

namespace raster {

// Row arrays read in groups of rows (four, or eight: WideRowGroups.h) hold this many rows past
// their last real one.
inline constexpr int kRowGroupPadding = 7;

#if defined(__GNUC__)
#define INKLINE_ROW_GROUPS 1

using RowGroup = std::int32_t __attribute__((vector_size(16)));

inline RowGroup loadRows(const int* rows) {
  RowGroup v;
  std::memcpy(&v, rows, sizeof v);
  return v;
}
inline void storeRows(int* rows, RowGroup v) { std::memcpy(rows, &v, sizeof v); }
inline RowGroup allRows(int v) { return RowGroup{v, v, v, v}; }
// Lanes of `mask` (all bits set or none) from a, the others from b.
inline RowGroup pick(RowGroup mask, RowGroup a, RowGroup b) { return (a & mask) | (b & ~mask); }
inline RowGroup smaller(RowGroup a, RowGroup b) { return pick(a < b, a, b); }
inline RowGroup larger(RowGroup a, RowGroup b) { return pick(a > b, a, b); }
inline bool anyRow(RowGroup mask) {
  std::uint64_t half[2];
  std::memcpy(half, &mask, sizeof half);
  return (half[0] | half[1]) != 0;
}
// Lanes whose row k + lane comes before endK.
inline RowGroup rowsBefore(std::int64_t k, std::int64_t endK) {
  const int left = static_cast<int>(endK - k);
  return RowGroup{0, 1, 2, 3} < allRows(left);
}

// Eight rows (for AVX2 alone: WideRowGroups.h).
using WideRowGroup = std::int32_t __attribute__((vector_size(32)));

// Interiors, a group of rows at a time (Rows: RowGroup or WideRowGroup): the spans of a shape's
// rows k (first, one group on, … before endK; columns relative to cellX, on canvas row top + k)
// merged into their rows' runs (interiorLeft/Right, by canvas row; empty: left > right),
// clipped to columns 0 … lastColumn, while every span of the group overlaps or touches its
// row's run. Returns the k of the first
// group that does not (to be taken row by row), endK when none. Eight rows are built for AVX2
// alone (WideRowGroups.h); written out here, with no helper passing a vector by value, so that
// the one body serves both widths.
template <class Rows>
#if defined(__GNUC__)
__attribute__((always_inline))
#endif
inline std::int64_t mergeJoiningSpans(const int* spanLefts, const int* spanRights, int* interiorLeft,
                                      int* interiorRight, int cellX, int lastColumn, std::int64_t top,
                                      std::int64_t first, std::int64_t endK) {
  constexpr int kRows = static_cast<int>(sizeof(Rows) / sizeof(std::int32_t));
  Rows lanes;
  for (int lane = 0; lane < kRows; ++lane) lanes[lane] = lane;
  const Rows zero{};
  const Rows cell = zero + cellX;  // a scalar operand stands for every lane
  const Rows last = zero + lastColumn;
  for (std::int64_t k = first; k < endK; k += kRows) {
    Rows from, to, left, right;
    int* const runLeft = interiorLeft + (top + k);
    int* const runRight = interiorRight + (top + k);
    std::memcpy(&from, spanLefts + k, sizeof from);
    std::memcpy(&to, spanRights + k, sizeof to);
    std::memcpy(&left, runLeft, sizeof left);
    std::memcpy(&right, runRight, sizeof right);
    const Rows before = zero + static_cast<int>(endK - k);
    from += cell;
    to += cell;
    from = from > zero ? from : zero;
    to = to < last ? to : last;
    const Rows spans = (from <= to) & (lanes < before);
    const Rows joins = (left <= right) & (from <= right + 1) & (to >= left - 1);
    const Rows alone = spans & ~joins;
    std::uint64_t words[kRows / 2];
    std::memcpy(words, &alone, sizeof words);
    std::uint64_t any = 0;
    for (const std::uint64_t word : words) any |= word;
    if (any != 0) return k;
    const Rows mergedLeft = spans ? (left < from ? left : from) : left;
    const Rows mergedRight = spans ? (right > to ? right : to) : right;
    std::memcpy(runLeft, &mergedLeft, sizeof mergedLeft);
    std::memcpy(runRight, &mergedRight, sizeof mergedRight);
  }
  return endK;
}
#endif

}  // namespace raster
