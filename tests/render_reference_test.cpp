// Small named scenes compared bit for bit with reviewed PNGs in tests/reference/. Each name
// says what the scene guards. After an intended change, regenerate with
// INKLINE_UPDATE_REFERENCES=1, look at every image, and commit them with the change.
#include <cstdlib>
#include <filesystem>
#include <functional>

#include "aehost/Png.h"
#include "support/RenderFixture.h"

namespace {

struct Scene {
  const char* name;
  std::function<void(InklineScene&)> build;
  A_long frame;
  int bitDepth = 8;
  aehost::RenderPath path = aehost::RenderPath::Automatic;
};

// Thick, translucent strokes over each other: discs of every size overlap hundreds of times,
// the interior is blended rather than filled, and strokes cross one another.
void buildThickTranslucentScene(InklineScene& s) {
  s.addCurve(5, 80, 80, -40, 155, 80);
  s.addPolyline({{10, 15}, {150, 70}});
  s.setFloat("Thickness", 36);
  s.setFloat("Opacity", 70);
  s.setFloat("Start Thickness", 30);
  s.setCheckbox("Use Start/End Opacity", true);
  s.setFloat("End Opacity", 40);
  s.setCheckbox("Enable Copy Stroke", true);
  s.setSlider("Copy Number", 1);
  s.setFloat("Copy Offset X", 9);
  s.setCheckbox("Clear Background", true);
}

const Scene kScenes[] = {
    {"tapered_stroke_on_a_curve",
     [](InklineScene& s) {
       s.addCurve(10, 75, 80, -30, 150, 75);
       s.setFloat("Thickness", 12);
       s.setFloat("Start Thickness", 10);
     },
     0},
    {"loop_pass_two_wraps_to_start",
     [](InklineScene& s) {
       s.addPolyline({{15, 20}, {145, 20}, {145, 70}, {15, 70}}, true);
       s.setFloat("Thickness", 6);
       s.setFloat("Length", 50);
       s.setFloat("Drawing Offset", 80);
       s.setFloat("Loop Interval", 20);
     },
     0},
    {"copies_with_colour_and_offset_randomness",
     [](InklineScene& s) {
       s.addCurve(10, 45, 80, 5, 150, 45);
       s.setFloat("Thickness", 5);
       s.setCheckbox("Enable Copy Stroke", true);
       s.setSlider("Copy Number", 4);
       s.setFloat("Copy Offset Y", 8);
       s.setAngle("H", 180);
       s.setFloat("S", 60);
       s.setFloat("V", 60);
       s.setFloat("Thickness Random", 50);
       s.setFloat("Offset X Random", 6);
       s.setSlider("Random Seed", 3);
     },
     0},
    {"wave_after_round_corners",
     [](InklineScene& s) {
       s.addPolyline({{15, 80}, {40, 15}, {80, 70}, {120, 15}, {145, 80}});
       s.setFloat("Thickness", 3);
       s.setCheckbox("Enable Wave", true);
       s.setFloat("Wave Amount", 5);
       s.setFloat("Wave Length", 5);
       s.setFloat("Round Corners", 80);
       s.setCheckbox("Enable In/Out", false);
     },
     0},
    {"gradation_along_a_sequential_chain",
     [](InklineScene& s) {
       s.addPolyline({{10, 25}, {150, 25}});
       s.addPolyline({{150, 65}, {10, 65}});
       s.setCheckbox("Stroke Sequentially", true);
       s.setFloat("Thickness", 14);
       s.setCheckbox("Enable Gradation Stroke", true);
       s.setCheckbox("Use Center Color", false);
       s.setCheckbox("Use Start/End Opacity", true);
       s.setFloat("Start Opacity", 10);
       s.setFloat("End Opacity", 100);
     },
     0},
    // Every depth on both render paths (float has only SmartFX); float frames are kept as
    // 16-bit PNGs and compared at that precision.
    {"busy_scene_8bit_classic", [](InklineScene& s) { s.buildBusyScene(); }, 3, 8, aehost::RenderPath::Classic},
    {"busy_scene_16bit_smart", [](InklineScene& s) { s.buildBusyScene(); }, 3, 16, aehost::RenderPath::Smart},
    {"busy_scene_16bit_classic", [](InklineScene& s) { s.buildBusyScene(); }, 3, 16, aehost::RenderPath::Classic},
    {"busy_scene_float_smart", [](InklineScene& s) { s.buildBusyScene(); }, 3, 32, aehost::RenderPath::Smart},
    {"thick_translucent_8bit_smart", buildThickTranslucentScene, 0, 8, aehost::RenderPath::Smart},
    {"thick_translucent_16bit_classic", buildThickTranslucentScene, 0, 16, aehost::RenderPath::Classic},
    {"thick_translucent_float_smart", buildThickTranslucentScene, 0, 32, aehost::RenderPath::Smart},
};

class ReferenceFrames : public RenderTest, public ::testing::WithParamInterface<Scene> {};

TEST_P(ReferenceFrames, MatchTheReviewedImage) {
  GetParam().build(*this);
  aehost::RenderRequest request = aehost::RenderRequest::atFrame(GetParam().frame, GetParam().bitDepth);
  request.path = GetParam().path;
  aehost::RenderResult result = effect.renderFrame(request);
  ASSERT_TRUE(result.ok()) << result.message;
  if (GetParam().bitDepth == 32) result.image = result.image.converted(PF_PixelFormat_ARGB64);

  const std::filesystem::path file =
      std::filesystem::path(INKLINE_SOURCE_DIR) / "tests" / "reference" / (std::string(GetParam().name) + ".png");
  if (std::getenv("INKLINE_UPDATE_REFERENCES") != nullptr) {
    std::filesystem::create_directories(file.parent_path());
    aehost::writePng(result.image, file);
  }
  ASSERT_TRUE(std::filesystem::exists(file)) << file;
  const aehost::Image expected = aehost::readPng(file);
  const aehost::ImageDifference difference = aehost::compareImages(result.image, expected);
  EXPECT_EQ(difference.differingPixels, 0u)
      << "first difference at " << aehost::describePixel(result.image, difference.firstX, difference.firstY)
      << " (reference " << aehost::describePixel(expected, difference.firstX, difference.firstY) << ")";
}

INSTANTIATE_TEST_SUITE_P(Scenes, ReferenceFrames, ::testing::ValuesIn(kScenes),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
