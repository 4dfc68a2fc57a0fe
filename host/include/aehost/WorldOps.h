#pragma once

#include "AE_Effect.h"
#include "AE_EffectPixelFormat.h"
#include "aehost/Image.h"

namespace aehost {

// Pixel operations on worlds whose format the caller knows (the suites look it up in the
// WorldRegistry first). Rectangles are in the world's own pixel coordinates, left/top
// inclusive, right/bottom exclusive; origin_x/origin_y play no part. Everything is clipped to
// the worlds, so no call reads or writes outside them.

PF_LRect worldBounds(const PF_EffectWorld& world);
PF_LRect intersectRects(const PF_LRect& a, const PF_LRect& b);
bool rectIsEmpty(const PF_LRect& rect);

// The colour, converted to the world's depth (Channels.h), over the rect (nullptr: the whole
// world).
template <typename Pixel>
void fillWorld(const PF_EffectWorld& world, PF_PixelFormat format, const PF_LRect* rect, const Pixel& color);

// Source rect of src to dest rect of dst (nullptr source rect: the whole source; nullptr dest
// rect: the source rect, same place and size). Equal sizes copy pixel for pixel. Different
// sizes scale nearest-neighbour by pixel centres: dest pixel x of a dest rect w wide takes
// source column src.left + floor((2 * (x - dst.left) + 1) * srcWidth / (2 * w)), rows alike.
// Dest pixels outside dst, and those whose source pixel lies outside src, are left alone.
// Channels are converted when the formats differ. src and dst may be the same world.
void copyWorld(const PF_EffectWorld& src, PF_PixelFormat srcFormat, const PF_EffectWorld& dst, PF_PixelFormat dstFormat,
               const PF_LRect* srcRect, const PF_LRect* dstRect);

enum class TransferMode { Copy, InFront };

// transfer_rect on straight-alpha worlds: source pixel (x, y) of srcRect (nullptr: all of src)
// lands on (destX + x - srcRect.left, destY + y - srcRect.top) of dst; both ends are clipped.
// The source is first converted to the destination's depth (Channels.h).
//
// With channels normalised to 0..1 (8-bit v/255, 16-bit v/32768, float as is with its alpha
// clamped to 0..1) and o the opacity in 0..1:
//   Copy:    out = the source pixel with its alpha multiplied by o; colours unchanged.
//   InFront: "src over dst" on straight colours:
//              sa = source alpha * o,  da = destination alpha
//              outA = sa + da * (1 - sa)
//              outC = (sc * sa + dc * da * (1 - sa)) / outA    for each of red, green, blue
//              outC = 0 when outA is 0
// computed in double precision, then stored: 8-bit floor(v * 255 + 0.5) and 16-bit
// floor(v * 32768 + 0.5), each clamped to 0..255 / 0..32768; float the nearest float to v,
// unclamped. Copy at o = 1 stores the source exactly. InFront between worlds of one format
// computes the same stored values faster (integers for 8 and 16 bits at o = 1, transparent
// source pixels passed over, opaque float ones copied; see host/src/Compositing_p.h).
void transferWorld(const PF_EffectWorld& src, PF_PixelFormat srcFormat, const PF_LRect* srcRect, const PF_EffectWorld& dst,
                   PF_PixelFormat dstFormat, A_long destX, A_long destY, TransferMode mode, double opacity);

// A copy of the world's pixels (in memory from `pool` when given), and back (sizes and formats
// must match: std::invalid_argument).
Image imageFromWorld(const PF_EffectWorld& world, PF_PixelFormat format, std::shared_ptr<ImageMemoryPool> pool = nullptr);
void imageToWorld(const Image& image, const PF_EffectWorld& world, PF_PixelFormat format);

}  // namespace aehost
