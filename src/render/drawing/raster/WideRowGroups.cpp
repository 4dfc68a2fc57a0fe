#include "raster/WideRowGroups.h"

namespace raster {

#if defined(INKLINE_WIDE_ROW_GROUPS)

__attribute__((target("avx2"))) std::int64_t mergeJoiningSpansWide(const int* spanLefts, const int* spanRights,
                                                                   int* interiorLeft, int* interiorRight, int cellX,
                                                                   int lastColumn, std::int64_t top, std::int64_t first,
                                                                   std::int64_t endK) {
  return mergeJoiningSpans<WideRowGroup>(spanLefts, spanRights, interiorLeft, interiorRight, cellX, lastColumn, top, first, endK);
}

#endif

}  // namespace raster
