// 32-bit frames as OpenEXR: a frame the plug-in renders through the host, written in full and
// in half float, read back with OpenEXR and compared with the rendered pixels, premultiplied.
#include <ImfChannelList.h>
#include <ImfFrameBuffer.h>
#include <ImfHeader.h>
#include <ImfInputFile.h>
#include <Imath/half.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "ExrOutput.h"
#include "PluginSession.h"
#include "SceneParser.h"
#include "SceneSetup.h"

namespace {

using inkline_cli::ExrPrecision;

// RGBA as stored, read back as floats.
std::vector<float> readRgba(const std::filesystem::path& file, int& width, int& height, Imf::PixelType& type) {
  Imf::InputFile in(file.c_str());
  const Imath::Box2i window = in.header().dataWindow();
  width = window.max.x - window.min.x + 1;
  height = window.max.y - window.min.y + 1;
  type = in.header().channels().findChannel("R")->type;
  std::vector<float> pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4);
  Imf::FrameBuffer frame;
  const char* names[] = {"R", "G", "B", "A"};
  for (std::size_t c = 0; c < 4; ++c) {
    frame.insert(names[c], Imf::Slice(Imf::FLOAT, reinterpret_cast<char*>(pixels.data() + c), 4 * sizeof(float),
                                      4 * sizeof(float) * static_cast<std::size_t>(width)));
  }
  in.setFrameBuffer(frame);
  in.readPixels(window.min.y, window.max.y);
  return pixels;
}

TEST(ExrFrames, RoundTripOfARenderedFloatFrame) {
  const inkline_cli::Scene scene = inkline_cli::parseScene(R"({
      "layer": { "width": 80, "height": 48, "background": [40, 90, 200, 160] },
      "render": { "depth": 32 },
      "masks": [ "M 4 40 C 20 0 60 0 76 40" ],
      "params": { "Thickness": 9, "Enable Gradation Stroke": true, "Opacity": 70 } })",
                                                           "scene.json", ".");
  inkline_cli::PluginSession session(INKLINE_MODULE_PATH, inkline_cli::compositionFor(scene));
  inkline_cli::applySceneLayer(scene, session.effect());
  session.setUpGlobal();
  inkline_cli::applySceneParams(scene, session.effect());
  session.setUpSequence();
  aehost::RenderRequest request = aehost::RenderRequest::atFrame(0, 32);
  const aehost::RenderResult result = session.effect().renderFrame(request);
  ASSERT_TRUE(result.ok()) << result.message;
  const aehost::Image& image = result.image;
  ASSERT_EQ(image.format(), PF_PixelFormat_ARGB128);

  const std::filesystem::path folder = std::filesystem::temp_directory_path() / ("inkline-exr-" + std::to_string(getpid()));
  std::filesystem::create_directories(folder);
  for (const ExrPrecision precision : {ExrPrecision::Float, ExrPrecision::Half}) {
    const std::filesystem::path file = folder / (precision == ExrPrecision::Float ? "full.exr" : "half.exr");
    inkline_cli::writeExr(image, file, precision, false);
    int width = 0, height = 0;
    Imf::PixelType type{};
    const std::vector<float> stored = readRgba(file, width, height, type);
    ASSERT_EQ(width, image.width());
    ASSERT_EQ(height, image.height());
    EXPECT_EQ(type, precision == ExrPrecision::Float ? Imf::FLOAT : Imf::HALF);
    std::size_t i = 0, partlyCovered = 0;
    for (A_long y = 0; y < height; ++y) {
      for (A_long x = 0; x < width; ++x, i += 4) {
        const PF_PixelFloat p = image.pixelFloat(x, y);
        const float expected[4] = {p.red * p.alpha, p.green * p.alpha, p.blue * p.alpha, p.alpha};
        partlyCovered += p.alpha > 0.0f && p.alpha < 1.0f ? 1 : 0;
        for (int c = 0; c < 4; ++c) {
          if (precision == ExrPrecision::Float) {
            ASSERT_EQ(stored[i + static_cast<std::size_t>(c)], expected[c]) << x << ", " << y << " channel " << c;
          } else {
            // Half keeps 11 significant bits: within half a unit in the last place.
            EXPECT_NEAR(stored[i + static_cast<std::size_t>(c)], expected[c], std::abs(expected[c]) / 2048.0f + 1e-7f)
                << x << ", " << y << " channel " << c;
          }
        }
      }
    }
    EXPECT_GT(partlyCovered, 100u) << "premultiplying has something to do";
  }
  std::filesystem::remove_all(folder);
  EXPECT_TRUE(session.finish().empty());
}

}  // namespace
