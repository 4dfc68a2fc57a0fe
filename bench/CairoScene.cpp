#include "CairoScene.h"

#include <stdexcept>
#include <string>
#include <utility>

namespace inkline_bench {

namespace {

double unit(A_u_char channel) { return channel / 255.0; }

}  // namespace

CairoScene::CairoScene(BenchScene bench)
    : bench_(std::move(bench)),
      surface_(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, kLayerWidth, kLayerHeight)),
      cr_(cairo_create(surface_.get())) {
  if (cairo_status(cr_.get()) != CAIRO_STATUS_SUCCESS) {
    throw std::runtime_error(std::string("cairo: ") + cairo_status_to_string(cairo_status(cr_.get())));
  }
  // The effect centres pixel (x, y) on the mask coordinate (x, y); Cairo puts that coordinate on
  // the pixel's top-left corner. Half a pixel over, both draw on the same pixels.
  cairo_translate(cr_.get(), 0.5, 0.5);
  cairo_set_line_width(cr_.get(), bench_.thickness);
  cairo_set_line_cap(cr_.get(), CAIRO_LINE_CAP_ROUND);
  cairo_set_line_join(cr_.get(), CAIRO_LINE_JOIN_ROUND);
}

void CairoScene::appendPath(const aehost::Mask& mask) {
  cairo_t* cr = cr_.get();
  const std::vector<aehost::MaskVertex>& v = mask.vertices;
  if (v.empty()) return;
  cairo_move_to(cr, v[0].position.x, v[0].position.y);
  // Segment i runs from vertex i along its out tangent and the next vertex's in tangent; a
  // closed mask has one more, back to the first vertex.
  const std::size_t segments = static_cast<std::size_t>(aehost::Mask::segmentCount(mask.closed, v.size()));
  for (std::size_t i = 0; i < segments; ++i) {
    const aehost::MaskVertex& from = v[i];
    const aehost::MaskVertex& to = v[(i + 1) % v.size()];
    cairo_curve_to(cr, from.outTangent.x, from.outTangent.y, to.inTangent.x, to.inTangent.y, to.position.x,
                   to.position.y);
  }
  if (mask.closed) cairo_close_path(cr);
}

void CairoScene::draw() {
  cairo_t* cr = cr_.get();
  // SOURCE replaces every pixel, as the effect's cleared or filled output does.
  cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
  if (bench_.clearBackground) {
    cairo_set_source_rgba(cr, 0, 0, 0, 0);
  } else {
    const PF_Pixel8& b = bench_.background;
    cairo_set_source_rgba(cr, unit(b.red), unit(b.green), unit(b.blue), unit(b.alpha));
  }
  cairo_paint(cr);

  cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
  const PF_Pixel8& c = bench_.strokeColour;
  cairo_set_source_rgba(cr, unit(c.red), unit(c.green), unit(c.blue), bench_.opacityPercent / 100.0);
  // One stroke per mask and copy: where two cross, the later lands on the earlier, as the
  // effect's strokes do.
  for (const aehost::Mask& mask : bench_.masks) {
    for (const aehost::MaskPoint& d : bench_.copyDisplacements) {
      cairo_save(cr);
      cairo_translate(cr, d.x, d.y);
      cairo_new_path(cr);
      appendPath(mask);
      cairo_stroke(cr);
      cairo_restore(cr);
    }
  }
  cairo_surface_flush(surface_.get());
}

void CairoScene::writePng(const std::filesystem::path& file) const {
  const cairo_status_t status = cairo_surface_write_to_png(surface_.get(), file.c_str());
  if (status != CAIRO_STATUS_SUCCESS) {
    throw std::runtime_error(file.string() + ": " + cairo_status_to_string(status));
  }
}

}  // namespace inkline_bench
