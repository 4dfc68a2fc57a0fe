// Eight rows at a time, on processors with AVX2: the interiors of queued discs gathered into
// their rows' runs (see RowGroups.h) in 32-byte vectors. The library is built for the SSE2
// baseline, where 32-byte vectors are split in two and ran slower than four rows at a time;
// this function alone (the four-row body, eight rows wide) is compiled for AVX2, in a file of
// its own, and called only where the processor has it (asked once per canvas). Integer
// arithmetic only: both widths give the same answers.
#pragma once

#include <cstdint>

#include "raster/RowGroups.h"

namespace raster {

#if defined(INKLINE_ROW_GROUPS) && (defined(__x86_64__) || defined(__i386__))
#define INKLINE_WIDE_ROW_GROUPS 1

inline bool processorRunsWideRowGroups() { return __builtin_cpu_supports("avx2"); }

// Row arrays read eight at a time hold kRowGroupPadding ≥ 7 rows past their last real one.
static_assert(kRowGroupPadding >= 7);

// mergeJoiningSpans<WideRowGroup> (RowGroups.h), built for AVX2.
std::int64_t mergeJoiningSpansWide(const int* spanLefts, const int* spanRights, int* interiorLeft, int* interiorRight,
                                   int cellX, int lastColumn, std::int64_t top, std::int64_t first, std::int64_t endK);

#else
inline bool processorRunsWideRowGroups() { return false; }
#endif

}  // namespace raster
