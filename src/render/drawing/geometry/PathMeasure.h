// Measuring mask paths: length by the segment tables, and the centre of their bounding box
// (the pivot of random rotation and scale).
#pragma once

#include "geometry/PathVertex.h"

// Sum of the segments' chord-table lengths; 0 for fewer than two vertices.
double pathLength(const Path& path);

// Centre of the axis-aligned box around every position and both tangent points of every
// vertex. A path (or list) without a vertex has no box; its centre is taken as (0, 0).
PathPoint boundingBoxCentre(const Path& path);
PathPoint boundingBoxCentre(const PathList& paths);
