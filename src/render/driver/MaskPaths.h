// The layer's masks at the frame being rendered, read from the host into plain vertex lists,
// so that everything after this works on the effect's own data.
#pragma once

#include "AE_Effect.h"
#include "geometry/PathVertex.h"

class SuiteHandler;

// Appends the vertices of one mask to `path`: every vertex the host reports for its segments,
// a closed mask's repeated first vertex included. A mask the host answers with no outline
// leaves the path empty and is no error. The mask is always checked back in.
PF_Err collectMaskPath(PF_InData* in_data, SuiteHandler& suites, PF_PathID maskId, Path& path);

// Every mask in the host's order (useAllPaths), or just the one chosen. Each collected path is
// appended, empty ones too; the first error ends the collection.
PF_Err collectMaskPaths(PF_InData* in_data, SuiteHandler& suites, bool useAllPaths, PF_PathID targetPath,
                        A_long maskCount, PathList& paths);
