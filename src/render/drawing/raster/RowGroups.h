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
#endif

}  // namespace raster
