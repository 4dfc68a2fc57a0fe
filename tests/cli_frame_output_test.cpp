#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <random>
#include <string>
#include <unistd.h>

#include "FrameOutput.h"
#include "aehost/Png.h"

namespace {

using aehost::Image;

// A plain layer with a stroke across it, as most rendered frames are.
Image strokeOverPlainLayer(PF_PixelFormat format) {
  Image image = Image::filled(64, 32, PF_Pixel8{255, 244, 239, 228});
  for (A_long x = 4; x < 60; ++x) {
    for (A_long y = 14; y < 18; ++y) image.set(x, y, PF_Pixel8{255, 20, static_cast<A_u_char>(x), 90});
  }
  return image.converted(format);
}

// A photograph-like layer: every pixel differs from its neighbour.
Image noise() {
  Image image(64, 32, PF_PixelFormat_ARGB32);
  std::mt19937 random(7);
  for (A_long y = 0; y < image.height(); ++y) {
    for (A_long x = 0; x < image.width(); ++x) {
      const auto v = static_cast<A_u_char>(random());
      image.set(x, y, PF_Pixel8{255, v, static_cast<A_u_char>(v ^ 0x5A), static_cast<A_u_char>(x + y)});
    }
  }
  return image;
}

// Columns alternate between a repeated colour and noise: exactly half the pixels repeat the one
// left of them, which is not most.
Image halfRuns() {
  Image image = noise();
  for (A_long y = 0; y < image.height(); ++y) {
    for (A_long x = 1; x < image.width(); x += 2) image.set(x, y, image.pixel8(x - 1, y));
  }
  return image;
}

TEST(FrameOutput, FramesOfRunsAreWrittenUnfilteredOthersFilteredTheSamePixels) {
  const struct {
    const char* name;
    Image image;
    bool filtered;
  } cases[] = {
      {"stroke over a plain layer, 8-bit", strokeOverPlainLayer(PF_PixelFormat_ARGB32), false},
      {"stroke over a plain layer, 16-bit", strokeOverPlainLayer(PF_PixelFormat_ARGB64), false},
      {"stroke over a plain layer, float", strokeOverPlainLayer(PF_PixelFormat_ARGB128), false},
      {"noise", noise(), true},
      {"half the pixels repeat", halfRuns(), true},
  };
  const std::filesystem::path file =
      std::filesystem::path(::testing::TempDir()) / ("frame_output_" + std::to_string(::getpid()) + ".png");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(inkline_cli::frameWriteOptions(c.image, false).filterRows, c.filtered);
    EXPECT_TRUE(inkline_cli::frameWriteOptions(c.image, true).syncToDisk);
    inkline_cli::writeFrame(c.image, file, false);
    const Image back = aehost::readPng(file);
    const Image expected = c.image.bitDepth() == 8 ? c.image : c.image.converted(PF_PixelFormat_ARGB64);
    ASSERT_EQ(back.bytes().size(), expected.bytes().size());
    EXPECT_EQ(std::memcmp(back.bytes().data(), expected.bytes().data(), expected.bytes().size()), 0);
  }
  std::filesystem::remove(file);
}

}  // namespace
