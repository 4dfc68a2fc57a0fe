#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "aehost/Channels.h"
#include "aehost/ImageCompare.h"
#include "aehost/Png.h"
#include "aehost_testing/PixelEquality.h"

namespace {

namespace fs = std::filesystem;
using aehost::Image;
using aehost::PngError;
using aehost::readPng;
using aehost::writePng;

// Small files made outside libpng's writer: grey 8-bit (0, 200); palette with tRNS (opaque
// red, blue at alpha 100); grey + alpha 16-bit (65535, alpha 32768).
const unsigned char kGrey8[] = {0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A, 0x00, 0x00, 0x00, 0x0D, 0x49, 0x48, 0x44, 0x52, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0x01, 0x08, 0x00, 0x00, 0x00, 0x00, 0xD1, 0x49, 0x20, 0x56, 0x00, 0x00, 0x00, 0x0B, 0x49, 0x44, 0x41, 0x54, 0x78, 0x9C, 0x63, 0x60, 0x38, 0x01, 0x00, 0x00, 0xCB, 0x00, 0xC9, 0x69, 0xC8, 0xC3, 0x6C, 0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4E, 0x44, 0xAE, 0x42, 0x60, 0x82};
const unsigned char kPalette[] = {0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A, 0x00, 0x00, 0x00, 0x0D, 0x49, 0x48, 0x44, 0x52, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0x01, 0x08, 0x03, 0x00, 0x00, 0x00, 0xC3, 0xFC, 0x8F, 0xB8, 0x00, 0x00, 0x00, 0x06, 0x50, 0x4C, 0x54, 0x45, 0xFF, 0x00, 0x00, 0x00, 0x00, 0xFF, 0x6C, 0xA1, 0xFD, 0x8E, 0x00, 0x00, 0x00, 0x02, 0x74, 0x52, 0x4E, 0x53, 0xFF, 0x64, 0xAF, 0x68, 0x95, 0x0B, 0x00, 0x00, 0x00, 0x0B, 0x49, 0x44, 0x41, 0x54, 0x78, 0x9C, 0x63, 0x60, 0x60, 0x04, 0x00, 0x00, 0x04, 0x00, 0x02, 0xBF, 0x7A, 0x3F, 0x4A, 0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4E, 0x44, 0xAE, 0x42, 0x60, 0x82};
const unsigned char kGreyAlpha16[] = {0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A, 0x00, 0x00, 0x00, 0x0D, 0x49, 0x48, 0x44, 0x52, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x01, 0x10, 0x04, 0x00, 0x00, 0x00, 0xE5, 0x8C, 0xD0, 0x41, 0x00, 0x00, 0x00, 0x0D, 0x49, 0x44, 0x41, 0x54, 0x78, 0x9C, 0x63, 0xF8, 0xFF, 0xBF, 0x81, 0x01, 0x00, 0x07, 0xFE, 0x02, 0x7F, 0x72, 0xDD, 0x80, 0x35, 0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4E, 0x44, 0xAE, 0x42, 0x60, 0x82};

class HostPng : public ::testing::Test {
 protected:
  fs::path dir = fs::temp_directory_path() / ("aehost_png_test_" + std::to_string(::getpid()));

  void SetUp() override { fs::create_directories(dir); }
  void TearDown() override { fs::remove_all(dir); }

  template <std::size_t N>
  fs::path file(const char* name, const unsigned char (&bytes)[N]) {
    const fs::path path = dir / name;
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes), N);
    return path;
  }
  std::size_t entries() const { return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir), fs::directory_iterator())); }
};

Image sample8() {
  Image image(5, 3, PF_PixelFormat_ARGB32);
  for (A_long y = 0; y < 3; ++y) {
    for (A_long x = 0; x < 5; ++x) {
      image.set(x, y, PF_Pixel8{static_cast<A_u_char>(50 * x), static_cast<A_u_char>(x * 60), static_cast<A_u_char>(y * 100), 7});
    }
  }
  return image;
}

TEST_F(HostPng, EightBitRoundTripIsExact) {
  const Image image = sample8();
  writePng(image, dir / "a.png");
  const Image back = readPng(dir / "a.png");
  EXPECT_EQ(back.format(), PF_PixelFormat_ARGB32);
  EXPECT_EQ(back, image);
  EXPECT_EQ(entries(), 1u);  // no temporary file left

  // The fastest settings (the contact sheet's) change the file, not the pixels.
  aehost::PngWriteOptions fastest;
  fastest.compressionLevel = 1;
  fastest.filterRows = false;
  writePng(image, dir / "fast.png", fastest);
  EXPECT_EQ(readPng(dir / "fast.png"), image);
}

TEST_F(HostPng, SixteenBitRoundTripIsExact) {
  Image image(3, 2, PF_PixelFormat_ARGB64);
  image.set(0, 0, PF_Pixel16{32768, 0, 1, 16384});
  image.set(1, 0, PF_Pixel16{1, 32767, 12345, 2});
  image.set(2, 1, PF_Pixel16{32768, 32768, 32768, 32768});
  writePng(image, dir / "b.png");
  EXPECT_EQ(readPng(dir / "b.png"), image);  // 32768 -> 65535 -> 32768 loses nothing
}

TEST_F(HostPng, SixteenBitSamplesAreScaledToTheFullRange) {
  Image image(1, 1, PF_PixelFormat_ARGB64);
  image.set(0, 0, PF_Pixel16{32768, 16384, 1, 0});
  writePng(image, dir / "c.png");
  // Read back as 8 bits through an 8-bit write of the same image: 16384 -> 128.
  writePng(image, dir / "c8.png", {8});
  EXPECT_EQ(readPng(dir / "c8.png").pixel8(0, 0), (PF_Pixel8{255, 128, 0, 0}));
  EXPECT_EQ(aehost::channel16ToPng(16384), 32768);  // 16384 * 65535 / 32768 = 32767.5 -> 32768
  EXPECT_EQ(aehost::channel16ToPng(1), 2);
  EXPECT_EQ(aehost::pngToChannel16(65535), 32768);
  EXPECT_EQ(aehost::pngToChannel16(1), 1);  // 0.5 -> 1
}

TEST_F(HostPng, FloatImagesWriteSixteenBitClamped) {
  Image image(2, 1, PF_PixelFormat_ARGB128);
  image.set(0, 0, PF_PixelFloat{1.0f, 0.5f, -1.0f, 2.0f});
  image.set(1, 0, PF_PixelFloat{0.25f, 0.0f, 1.0f, 0.75f});
  writePng(image, dir / "f.png");
  const Image back = readPng(dir / "f.png");
  ASSERT_EQ(back.format(), PF_PixelFormat_ARGB64);
  // 0.5 * 65535 = 32767.5 -> 32768 -> back to 16384; clamped ends exact.
  EXPECT_EQ(back.pixel16(0, 0), (PF_Pixel16{32768, 16384, 0, 32768}));
  EXPECT_EQ(back.pixel16(1, 0), (PF_Pixel16{8192, 0, 32768, 24576}));
}

// Every depth into either file depth: an 8-bit file holds the image converted to 8 bits, a
// 16-bit file an 8-bit image's v * 257.
TEST_F(HostPng, EveryDepthWritesEitherFileDepth) {
  const Image eight = sample8();
  for (const PF_PixelFormat format : {PF_PixelFormat_ARGB32, PF_PixelFormat_ARGB64, PF_PixelFormat_ARGB128}) {
    const Image image = eight.converted(format);
    for (const int bits : {8, 16}) {
      SCOPED_TRACE(std::to_string(image.bitDepth()) + "-bit image, " + std::to_string(bits) + "-bit file");
      aehost::PngWriteOptions options;
      options.bitsPerChannel = bits;
      writePng(image, dir / "d.png", options);
      const Image back = readPng(dir / "d.png");
      for (A_long y = 0; y < image.height(); ++y) {
        for (A_long x = 0; x < image.width(); ++x) {
          const PF_Pixel8 p = eight.pixel8(x, y);
          if (bits == 8) {
            EXPECT_EQ(back.pixel8(x, y), p);
          } else if (format == PF_PixelFormat_ARGB32) {
            const auto wide = [](A_u_char v) { return aehost::pngToChannel16(static_cast<A_u_short>(v * 257)); };
            EXPECT_EQ(back.pixel16(x, y), (PF_Pixel16{wide(p.alpha), wide(p.red), wide(p.green), wide(p.blue)}));
          } else {
            EXPECT_EQ(back.pixel16(x, y), image.converted(PF_PixelFormat_ARGB64).pixel16(x, y));
          }
        }
      }
    }
  }
}

TEST_F(HostPng, OtherColourTypesExpandToRgba) {
  const Image grey = readPng(file("grey.png", kGrey8));
  EXPECT_EQ(grey.format(), PF_PixelFormat_ARGB32);
  EXPECT_EQ(grey.pixel8(0, 0), (PF_Pixel8{255, 0, 0, 0}));
  EXPECT_EQ(grey.pixel8(1, 0), (PF_Pixel8{255, 200, 200, 200}));
  const Image palette = readPng(file("palette.png", kPalette));
  EXPECT_EQ(palette.pixel8(0, 0), (PF_Pixel8{255, 255, 0, 0}));
  EXPECT_EQ(palette.pixel8(1, 0), (PF_Pixel8{100, 0, 0, 255}));
  const Image greyAlpha = readPng(file("ga16.png", kGreyAlpha16));
  EXPECT_EQ(greyAlpha.format(), PF_PixelFormat_ARGB64);
  EXPECT_EQ(greyAlpha.pixel16(0, 0), (PF_Pixel16{16384, 32768, 32768, 32768}));  // 32768 * 32768 / 65535 = 16384.25
}

TEST_F(HostPng, AFailedWriteLeavesNoFileAndKeepsTheOldOne) {
  const Image image = sample8();
  EXPECT_THROW(writePng(image, dir / "new.png", {0, 1}), PngError);
  EXPECT_FALSE(fs::exists(dir / "new.png"));
  EXPECT_EQ(entries(), 0u);

  writePng(Image::filled(2, 2, PF_Pixel8{255, 1, 2, 3}), dir / "old.png");
  EXPECT_THROW(writePng(image, dir / "old.png", {0, 2}), PngError);
  EXPECT_EQ(readPng(dir / "old.png"), Image::filled(2, 2, PF_Pixel8{255, 1, 2, 3}));
  EXPECT_EQ(entries(), 1u);

  EXPECT_THROW(writePng(image, dir / "missing" / "x.png"), PngError);
  EXPECT_THROW(writePng(Image(), dir / "empty.png"), PngError);
}


// Rows handed over in bands, of every depth, make the file writePng makes of the whole image,
// byte for byte; the file is there only once finished.
TEST_F(HostPng, RowsWrittenInBandsMakeTheSameFile) {
  Image image(7, 9, PF_PixelFormat_ARGB32);
  for (A_long y = 0; y < image.height(); ++y) {
    for (A_long x = 0; x < image.width(); ++x) {
      image.set(x, y, PF_Pixel8{static_cast<A_u_char>(255 - 9 * y), static_cast<A_u_char>(31 * x), static_cast<A_u_char>(17 * y), static_cast<A_u_char>(x * y)});
    }
  }
  const auto bytesOf = [](const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  };
  for (const PF_PixelFormat format : {PF_PixelFormat_ARGB32, PF_PixelFormat_ARGB64, PF_PixelFormat_ARGB128}) {
    const Image source = image.converted(format);
    SCOPED_TRACE(source.bitDepth());
    writePng(source, dir / "whole.png");
    fs::remove(dir / "bands.png");
    {
      aehost::PngRowWriter writer(dir / "bands.png", source.width(), source.height(), format);
      writer.writeRows(source, 0);
      EXPECT_EQ(entries(), 1u) << "a file before the first row";
      writer.writeRows(source, 4);
      writer.writeRows(source, 2);  // rows written already: nothing
      EXPECT_EQ(writer.rowsWritten(), 4);
      writer.writeRows(source, 8);
      EXPECT_FALSE(fs::exists(dir / "bands.png"));
      writer.finish(source);
      EXPECT_THROW(writer.writeRows(source, 9), PngError);
    }
    EXPECT_EQ(bytesOf(dir / "bands.png"), bytesOf(dir / "whole.png"));
    EXPECT_EQ(entries(), 2u);
  }
}

TEST_F(HostPng, ARowWriterNotFinishedOrFailedLeavesNothing) {
  const Image image = sample8();
  {
    aehost::PngRowWriter writer(dir / "left.png", image.width(), image.height(), image.format());
    writer.writeRows(image, 2);
  }
  {
    aehost::PngWriteOptions failing;
    failing.failAfterRows = 1;
    aehost::PngRowWriter writer(dir / "failed.png", image.width(), image.height(), image.format(), failing);
    writer.writeRows(image, 1);
    EXPECT_THROW(writer.writeRows(image, 2), PngError);
    EXPECT_THROW(writer.finish(image), PngError);  // broken for good
  }
  EXPECT_EQ(entries(), 0u);
}
TEST_F(HostPng, ReadingSomethingElseThrows) {
  const unsigned char notPng[] = {'h', 'e', 'l', 'l', 'o'};
  EXPECT_THROW(readPng(file("text.png", notPng)), PngError);
  EXPECT_THROW(readPng(dir / "absent.png"), PngError);
}

TEST(HostImage, ConversionsBetweenDepths) {
  const Image eight = Image::filled(1, 1, PF_Pixel8{255, 128, 1, 0});
  EXPECT_EQ(eight.converted(PF_PixelFormat_ARGB64).pixel16(0, 0), (PF_Pixel16{32768, 16448, 129, 0}));
  EXPECT_EQ(eight.converted(PF_PixelFormat_ARGB128).pixelFloat(0, 0), (PF_PixelFloat{1.0f, 128 / 255.0f, 1 / 255.0f, 0.0f}));
  EXPECT_EQ(eight.converted(PF_PixelFormat_ARGB64).converted(PF_PixelFormat_ARGB32), eight);
  EXPECT_THROW(eight.pixel16(0, 0), std::invalid_argument);
  EXPECT_THROW(eight.pixel8(1, 0), std::out_of_range);
}

TEST(HostImage, DownsamplingKeepsTheTopLeftPixelOfEachBlock) {
  Image image(5, 5, PF_PixelFormat_ARGB32);
  for (A_long y = 0; y < 5; ++y) {
    for (A_long x = 0; x < 5; ++x) image.set(x, y, PF_Pixel8{255, static_cast<A_u_char>(x), static_cast<A_u_char>(y), 0});
  }
  const Image half = image.downsampled({1, 2}, {1, 3});
  EXPECT_EQ(half.width(), 3);   // ceil(5 / 2)
  EXPECT_EQ(half.height(), 2);  // ceil(5 / 3)
  EXPECT_EQ(half.pixel8(2, 1), (PF_Pixel8{255, 4, 3, 0}));
  EXPECT_EQ(image.downsampled({2, 3}, {1, 1}).width(), 4);  // ceil(10 / 3)
  EXPECT_EQ(image.downsampled({2, 3}, {1, 1}).pixel8(3, 0).red, 4);  // floor(3 * 3 / 2)
  EXPECT_EQ(aehost::downsampledSize(1, {1, 4}), 1);
}

TEST(HostImage, ComparisonCountsPixelsAndTheLargestGap) {
  Image a = Image::filled(3, 3, PF_Pixel8{255, 10, 10, 10});
  Image b = a;
  b.set(2, 1, PF_Pixel8{255, 13, 10, 10});
  b.set(0, 2, PF_Pixel8{250, 10, 10, 10});
  const auto d = aehost::compareImages(a, b);
  EXPECT_EQ(d.maxChannelDifference, 5);
  EXPECT_EQ(d.differingPixels, 2u);
  EXPECT_EQ(d.firstX, 2);
  EXPECT_EQ(d.firstY, 1);
  EXPECT_EQ(aehost::countDifferingPixels(a, b, 3), 1u);
  EXPECT_EQ(aehost::describePixel(b, 2, 1), "(2, 1) argb 255 13 10 10");
  EXPECT_THROW(aehost::compareImages(a, Image(3, 3, PF_PixelFormat_ARGB64)), std::invalid_argument);
}

}  // namespace
