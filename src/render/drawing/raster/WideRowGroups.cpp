#include "raster/WideRowGroups.h"

#include <cstring>

namespace raster {

#if defined(INKLINE_WIDE_ROW_GROUPS)

__attribute__((target("avx2"))) std::int64_t mergeJoiningSpans(const int* spanLefts, const int* spanRights,
                                                               int* interiorLeft, int* interiorRight, int cellX,
                                                               int lastColumn, std::int64_t top, std::int64_t first,
                                                               std::int64_t endK) {
  using Rows = std::int32_t __attribute__((vector_size(32)));
  Rows cell, one, last;
  for (int lane = 0; lane < 8; ++lane) {
    cell[lane] = cellX;
    one[lane] = 1;
    last[lane] = lastColumn;
  }
  const Rows zero{};
  const Rows lanes{0, 1, 2, 3, 4, 5, 6, 7};
  for (std::int64_t k = first; k < endK; k += 8) {
    Rows from, to, left, right, before;
    int* const runLeft = interiorLeft + (top + k);
    int* const runRight = interiorRight + (top + k);
    std::memcpy(&from, spanLefts + k, sizeof from);
    std::memcpy(&to, spanRights + k, sizeof to);
    std::memcpy(&left, runLeft, sizeof left);
    std::memcpy(&right, runRight, sizeof right);
    for (int lane = 0; lane < 8; ++lane) before[lane] = static_cast<int>(endK - k);
    from += cell;
    to += cell;
    from = from > zero ? from : zero;
    to = to < last ? to : last;
    const Rows spans = (from <= to) & (lanes < before);
    const Rows joins = (left <= right) & (from <= right + one) & (to >= left - one);
    const Rows alone = spans & ~joins;
    std::uint64_t words[4];
    std::memcpy(words, &alone, sizeof words);
    if ((words[0] | words[1] | words[2] | words[3]) != 0) return k;
    const Rows mergedLeft = spans ? (left < from ? left : from) : left;
    const Rows mergedRight = spans ? (right > to ? right : to) : right;
    std::memcpy(runLeft, &mergedLeft, sizeof mergedLeft);
    std::memcpy(runRight, &mergedRight, sizeof mergedRight);
  }
  return endK;
}

#endif

}  // namespace raster
