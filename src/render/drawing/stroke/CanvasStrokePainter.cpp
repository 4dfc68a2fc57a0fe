#include "stroke/CanvasStrokePainter.h"

#include "raster/StampDisc.h"
#include "stroke/DrawStrokeSegment.h"

template <class Pixel>
void CanvasStrokePainter<Pixel>::beginStroke(const ColourShift& shift) {
  strokeColours_ = varyStrokeColours(renderColours_, shift, gradation_, useCentreColour_);
}

template <class Pixel>
void CanvasStrokePainter<Pixel>::paintSegment(StrokeRecord& record) {
  CanvasDiscSink<Pixel> sink(canvas_);
  DrawStrokeSegment(record, strokeColours_, sink);
}

template class CanvasStrokePainter<PF_Pixel8>;
template class CanvasStrokePainter<PF_Pixel16>;
template class CanvasStrokePainter<PF_PixelFloat>;
