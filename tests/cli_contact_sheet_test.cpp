// The contact sheet's thumbnails, from frames of every depth: each thumbnail pixel is the
// average of the frame pixels it covers, over a checkerboard where they are transparent.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "ContactSheet.h"
#include "aehost/Channels.h"
#include "aehost/Image.h"

namespace {

using inkline_cli::ContactSheet;

// A 64 x 40 frame (thumbnails keep it at full size): the left half opaque red 200, green 100,
// blue 50 (in 8 bits), the right half transparent; one column of the left half at half alpha.
template <typename Pixel>
aehost::Image testFrame() {
  const Pixel opaque = aehost::convertPixel<Pixel, PF_Pixel8>(PF_Pixel8{255, 200, 100, 50});
  const Pixel half = aehost::convertPixel<Pixel, PF_Pixel8>(PF_Pixel8{128, 200, 100, 50});
  aehost::Image frame = aehost::Image::filled(64, 40, Pixel{});
  for (A_long y = 0; y < 40; ++y) {
    for (A_long x = 0; x < 32; ++x) frame.set(x, y, x == 10 ? half : opaque);
  }
  return frame;
}

template <typename Pixel>
void expectThumbnail(const char* depth) {
  ContactSheet sheet(64, 40, {7, 8});
  ASSERT_EQ(sheet.thumbnailWidth(), 64);
  ASSERT_EQ(sheet.thumbnailHeight(), 40);
  sheet.place(1, testFrame<Pixel>());
  A_long left = 0;
  A_long top = 0;
  sheet.cellOrigin(1, left, top);
  const aehost::Image& image = sheet.image();
  for (A_long y = 0; y < 40; ++y) {
    for (A_long x = 0; x < 64; ++x) {
      const PF_Pixel8 got = image.pixel8(left + x, top + y);
      const double checker = ((x / 8) + (y / 8)) % 2 == 0 ? 1.0 : 0.8;
      PF_Pixel8 expected{255, 200, 100, 50};
      if (x >= 32) {
        const auto grey = static_cast<A_u_char>(std::lround(checker * 255.0));
        expected = PF_Pixel8{255, grey, grey, grey};
      } else if (x == 10) {
        const double alpha = 128.0 / 255.0;
        const auto mix = [&](double c) { return static_cast<A_u_char>(std::lround((c * alpha + checker * (1 - alpha)) * 255.0)); };
        expected = PF_Pixel8{255, mix(200.0 / 255.0), mix(100.0 / 255.0), mix(50.0 / 255.0)};
      }
      ASSERT_TRUE(got.alpha == expected.alpha && std::abs(got.red - expected.red) <= 1 &&
                  std::abs(got.green - expected.green) <= 1 && std::abs(got.blue - expected.blue) <= 1)
          << depth << " frame, thumbnail pixel " << x << ", " << y << ": " << +got.red << "," << +got.green << ","
          << +got.blue << " where " << +expected.red << "," << +expected.green << "," << +expected.blue;
    }
  }
}

TEST(ContactSheet, ThumbnailsAverageTheFrameOverACheckerboard) {
  expectThumbnail<PF_Pixel8>("8-bit");
  expectThumbnail<PF_Pixel16>("16-bit");
  expectThumbnail<PF_PixelFloat>("float");
}

}  // namespace
