// Where the stroke layout's strokes meet a pixel depth. The layout, both stroke loops and the
// wave are written and compiled once, without a depth; a painter of the render's depth turns
// each segment they set up into stamps.
#pragma once

#include "colour/ColourShift.h"
#include "stroke/StrokeRecord.h"

class StrokePainter {
public:
  // The canvas size [px]: a segment none of whose discs can reach it is not walked.
  virtual int canvasWidth() const = 0;
  virtual int canvasHeight() const = 0;
  // A stroke begins: its colours are the render's, shifted.
  virtual void beginStroke(const ColourShift& shift) = 0;
  // Stamps the record's segment, its walk set up, in the current stroke's colours.
  virtual void paintSegment(StrokeRecord& record) = 0;
  // The stroke ends: all it stamped is in the canvas, to be laid over the output.
  virtual void endStroke() = 0;

protected:
  ~StrokePainter() = default;
};
