// Eight rows at a time, on processors with AVX2: the interiors of queued discs gathered into
// their rows' runs (see RowGroups.h) in 32-byte vectors. The library is built for the SSE2
// baseline, where 32-byte vectors are split in two and ran slower than four rows at a time;
// this function alone is compiled for AVX2, in a file of its own, and called only where the
// processor has it (asked once per canvas). Integer arithmetic only: both widths give the same
// answers.
#pragma once

#include <cstdint>

#include "raster/RowGroups.h"

namespace raster {

#if defined(INKLINE_ROW_GROUPS) && (defined(__x86_64__) || defined(__i386__))
#define INKLINE_WIDE_ROW_GROUPS 1

inline bool processorRunsWideRowGroups() { return __builtin_cpu_supports("avx2"); }

// Row arrays read eight at a time hold kRowGroupPadding ≥ 7 rows past their last real one.
static_assert(kRowGroupPadding >= 7);

// Interiors: the spans of a shape's rows k (first, first + 8, … before endK; columns relative to
// cellX, on canvas row top + k) merged into their rows' runs (interiorLeft/Right, by canvas row;
// empty: left > right), clipped to columns 0 … lastColumn, eight rows at a time while every
// span of the eight overlaps or touches its row's run. Returns the k of the first group that
// does not (to be taken row by row), endK when none.
std::int64_t mergeJoiningSpans(const int* spanLefts, const int* spanRights, int* interiorLeft, int* interiorRight,
                               int cellX, int lastColumn, std::int64_t top, std::int64_t first, std::int64_t endK);

#else
inline bool processorRunsWideRowGroups() { return false; }
#endif

}  // namespace raster
