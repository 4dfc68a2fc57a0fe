#include "stroke/CanvasStrokePainter.h"

#include "stroke/DrawStrokeSegment.h"

template <class Pixel>
void CanvasStrokePainter<Pixel>::beginStroke(const ColourShift& shift) {
  sink_.reset();
  strokeColours_ = varyStrokeColours(renderColours_, shift, gradation_, useCentreColour_);
}

template <class Pixel>
void CanvasStrokePainter<Pixel>::paintSegment(StrokeRecord& record) {
  if (!sink_) sink_.emplace(canvas_);
  DrawStrokeSegment(record, strokeColours_, *sink_);
}

template class CanvasStrokePainter<PF_Pixel8>;
template class CanvasStrokePainter<PF_Pixel16>;
template class CanvasStrokePainter<PF_PixelFloat>;
