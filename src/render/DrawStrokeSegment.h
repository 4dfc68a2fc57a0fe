// The stamp loop: one disc per pixel of arc length along one cubic segment of a stroke, with
// the stroke's tapers, opacity profile and gradation applied per sample.
#pragma once

#include "render/StrokeCanvas.h"
#include "render/StrokeRecord.h"

// A segment walk longer than this (in samples) is taken for a corrupt record and draws nothing.
inline constexpr double kMaxSamplesPerSegment = 1.0e8;

// Draws the record's segment into the canvas's work world. Reads the record and changes only its
// walker; always returns 0. A walk that could not end (a step not above 0 over a non-empty
// segment) or would take more than kMaxSamplesPerSegment samples draws nothing.
template <class Pixel>
int DrawStrokeSegment(StrokeCanvas& canvas, StrokeRecord<Pixel>& record);
