// Scene keyframes through the host: parameter and mask keyframes read from a scene, applied
// to the plug-in's panel and layer, and their values asked of the host at times between.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "ExitCodes.h"
#include "PluginSession.h"
#include "SceneParser.h"
#include "SceneSetup.h"

namespace {

using inkline_cli::InputError;
using inkline_cli::parseScene;
using inkline_cli::PluginSession;
using inkline_cli::Scene;
using ::testing::HasSubstr;

constexpr A_long kSecond = 24000;  // ticks of a 24 fps scene's time base

// The scene applied to a freshly set up plug-in, as the renderer does before rendering.
class SceneOnHost {
 public:
  explicit SceneOnHost(const std::string& rest)
      : scene_(parseScene(R"({ "layer": { "width": 64, "height": 64 }, "frame_rate": 24, )" + rest + "}", "scene.json", ".")),
        session_(INKLINE_MODULE_PATH, inkline_cli::compositionFor(scene_)) {
    inkline_cli::applySceneLayer(scene_, session_.effect());
    session_.setUpGlobal();
    inkline_cli::applySceneParams(scene_, session_.effect());
  }

  double floatAt(const std::string& name, A_long ticks) {
    return std::get<aehost::FloatSliderValue>(params().valueAt(index(name), ticks)).value;
  }
  aehost::ParamValue valueAt(const std::string& name, A_long ticks) { return params().valueAt(index(name), ticks); }
  aehost::Layer& layer() { return session_.effect().layer(); }
  const Scene& scene() const { return scene_; }

 private:
  aehost::Parameters& params() { return session_.effect().parameters(); }
  PF_ParamIndex index(const std::string& name) { return *params().find(name); }

  Scene scene_;
  PluginSession session_;
};

std::string lengthKeys(const std::string& first, const std::string& second) {
  return R"("params": { "Length": [ { "time": 0, "value": 0)" + first + R"( }, { "time": 1, "value": 100)" + second + " } ] }";
}

TEST(SceneKeyframes, EaseIsHalfWayAtTheMiddleAndStillAtBothEnds) {
  SceneOnHost on(lengthKeys(R"(, "interpolation": "ease")", R"(, "interpolation": "ease")"));
  EXPECT_NEAR(on.floatAt("Length", kSecond / 2), 50.0, 1e-9);
  // Slopes over the first and last 1 % of the second, against the straight line's 100 a second.
  const double h = kSecond / 100;
  const double startSlope = (on.floatAt("Length", h) - on.floatAt("Length", 0)) / 0.01;
  const double endSlope = (on.floatAt("Length", kSecond) - on.floatAt("Length", kSecond - h)) / 0.01;
  EXPECT_LT(startSlope, 5.0);
  EXPECT_LT(endSlope, 5.0);
  EXPECT_GT(on.floatAt("Length", kSecond / 4), 0.0);
  EXPECT_LT(on.floatAt("Length", kSecond / 4), 25.0);  // slower than the line in the first half
}

TEST(SceneKeyframes, EachInterpolation) {
  const double h = kSecond / 100;
  const auto slopes = [&](SceneOnHost& on) {
    return std::pair{(on.floatAt("Length", h) - on.floatAt("Length", 0)) / 0.01,
                     (on.floatAt("Length", kSecond) - on.floatAt("Length", kSecond - h)) / 0.01};
  };
  {
    SceneOnHost on(lengthKeys("", ""));  // linear, as before
    EXPECT_EQ(on.floatAt("Length", kSecond / 4), 25.0);
    EXPECT_EQ(on.floatAt("Length", kSecond * 3 / 4), 75.0);
  }
  {
    SceneOnHost on(lengthKeys(R"(, "interpolation": "hold")", ""));
    EXPECT_EQ(on.floatAt("Length", kSecond - 1), 0.0);
    EXPECT_EQ(on.floatAt("Length", kSecond), 100.0);
  }
  {
    // Ease in: the side arriving at a keyframe; the first key's leaving side stays straight.
    SceneOnHost on(lengthKeys(R"(, "interpolation": "ease-in")", R"(, "interpolation": "ease-in")"));
    const auto [start, end] = slopes(on);
    EXPECT_GT(start, 50.0);
    EXPECT_LT(end, 5.0);
  }
  {
    SceneOnHost on(lengthKeys(R"(, "interpolation": "ease-out")", R"(, "interpolation": "ease-out")"));
    const auto [start, end] = slopes(on);
    EXPECT_LT(start, 5.0);
    EXPECT_GT(end, 50.0);
  }
  {
    // CSS's "ease", cubic-bezier(0.25, 0.1, 0.25, 1): at s = 1/2 the curve is at time
    // 3/8 * 0.25 * 2 + 1/8 = 0.3125 and progress 3/8 * (0.1 + 1) + 1/8 = 0.5375.
    SceneOnHost on(lengthKeys(R"(, "interpolation": [0.25, 0.1, 0.25, 1])", R"(, "interpolation": [0.25, 0.1, 0.25, 1])"));
    EXPECT_NEAR(on.floatAt("Length", kSecond * 5 / 16), 53.75, 1e-9);
  }
  {
    // Frames instead of seconds: frame 12 of 24 fps is half a second.
    SceneOnHost on(R"("params": { "Length": [ { "frame": 0, "value": 0 }, { "frame": 12, "value": 100 } ] })");
    EXPECT_EQ(on.floatAt("Length", kSecond / 4), 50.0);
    EXPECT_EQ(on.floatAt("Length", kSecond / 2), 100.0);
  }
}

TEST(SceneKeyframes, ColoursMoveByChannelCheckboxesHold) {
  SceneOnHost on(R"("params": { "Color": [ { "time": 0, "value": "#000000" }, { "time": 1, "value": "#ff8040" } ],
                                "Loop": [ { "time": 0, "value": false }, { "time": 1, "value": true } ] })");
  const auto colour = std::get<aehost::ColorValue>(on.valueAt("Color", kSecond / 2));
  EXPECT_EQ(colour.red, 128);  // 127.5 rounded
  EXPECT_EQ(colour.green, 64);
  EXPECT_EQ(colour.blue, 32);
  EXPECT_EQ(std::get<aehost::CheckboxValue>(on.valueAt("Loop", kSecond - 1)).checked, false);
  EXPECT_EQ(std::get<aehost::CheckboxValue>(on.valueAt("Loop", kSecond)).checked, true);
}

TEST(SceneKeyframes, MasksMoveBetweenKeyframedShapes) {
  SceneOnHost on(R"("masks": [ { "name": "Swing", "path": [
      { "time": 0, "path": "M 0 0 C 10 0 20 10 20 20" },
      { "frame": 24, "path": "M 10 0 C 20 0 40 10 40 40", "interpolation": "ease" } ] } ])");
  const auto ids = on.layer().maskIds();
  ASSERT_EQ(ids.size(), 1u);
  const aehost::Mask mask = *on.layer().findMask(ids[0]);
  EXPECT_EQ(mask.name, "Swing");
  EXPECT_FALSE(mask.closed);
  const auto half = mask.shapeAt(kSecond / 2);
  ASSERT_EQ(half.size(), 2u);
  // Linear leaving the first key, easing into the second: at half time the curve
  // (0,0) (1/3,1/3) (2/3,1) (1,1) is at s = 1/2, progress 3/8 * (1/3 + 1) + 1/8 = 0.625.
  EXPECT_NEAR(half[0].position.x, 6.25, 1e-9);
  EXPECT_NEAR(half[1].position.y, 20 + 20 * 0.625, 1e-9);
  EXPECT_NEAR(half[1].inTangent.x, 20 + 20 * 0.625, 1e-9);
  EXPECT_NEAR(half[0].outTangent.x, 10 + 10 * 0.625, 1e-9);
  EXPECT_EQ(mask.shapeAt(kSecond)[1].position.x, 40.0);
}

TEST(SceneKeyframes, MalformedKeyframesNameTheirPlace) {
  const std::pair<const char*, const char*> cases[] = {
      {R"("params": { "Length": [ { "time": 0, "frame": 0, "value": 1 } ] })", "params.Length[0]: a keyframe has a \"time\""},
      {R"("params": { "Length": [ { "value": 1 } ] })", "params.Length[0]: a keyframe has a \"time\""},
      {R"("params": { "Length": [ { "time": 0, "value": 1, "interpolation": "bounce" } ] })",
       "params.Length[0].interpolation: expected \"linear\", \"hold\", \"ease\""},
      {R"("params": { "Length": [ { "time": 0, "value": 1, "interpolation": [1.5, 0, 0.5, 1] } ] })",
       "params.Length[0].interpolation: x1 and x2 of a timing curve lie from 0 to 1"},
      {R"("params": { "Length": [ { "frame": 2.5, "value": 1 } ] })", "params.Length[0].frame"},
      {R"("masks": [ { "path": [ { "time": 0, "path": "M 0 0 L 1 1" }, { "time": 1, "path": "M 0 0 L 1 1 L 2 2" } ] } ])",
       "masks[0].path[1].path: subpath 1 has 3 vertices, open, where keyframe 0 has 2, open"},
      {R"("masks": [ { "path": [ { "time": 0, "path": "M 0 0 L 1 1" }, { "time": 1, "path": "M 0 0 L 1 1 Z" } ] } ])",
       "masks[0].path[1].path: subpath 1 has 2 vertices, closed, where keyframe 0 has 2, open"},
      {R"("masks": [ { "path": [ { "time": 0, "path": "M 0 0 L 1 1" }, { "frame": 0, "path": "M 0 0 L 1 1" } ] } ])",
       "masks[0].path: keyframes 0 and 1 are at the same time"},
      {R"("masks": [ { "path": [] } ])", "masks[0].path: a keyframe list needs at least one keyframe"},
  };
  for (const auto& [rest, problem] : cases) {
    try {
      SceneOnHost on(rest);
      ADD_FAILURE() << "accepted: " << rest;
    } catch (const InputError& e) {
      EXPECT_THAT(e.what(), HasSubstr(problem)) << rest;
    }
  }
}

}  // namespace
