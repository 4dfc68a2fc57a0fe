// Inkline applied to a layer with masks, ready to render frames through the simulated host.
#pragma once

#include <string>
#include <vector>

#include "aehost/ImageCompare.h"
#include "aehost/Mask.h"
#include "aehost/RenderRequest.h"
#include "aehost/RenderResult.h"
#include "support/InklineFixture.h"

// The effect on a 160 x 90 opaque layer, its parameters registered, and ways to set it up.
class InklineScene {
public:
  static constexpr A_long kWidth = 160;
  static constexpr A_long kHeight = 90;

  // The instance the methods below set up and render: `effect` unless another is chosen.
  void setActive(aehost::EffectInstance& instance) { active_ = &instance; }

  // Global and parameter set-up; false when either fails.
  bool prepare() {
    if (active_->globalSetup().err != PF_Err_NONE || active_->paramsSetup().err != PF_Err_NONE) return false;
    active_->layer().setPixels(aehost::Image::filled(kWidth, kHeight, PF_Pixel8{255, 200, 190, 180}));
    return true;
  }

  aehost::Parameters& params() { return active_->parameters(); }
  PF_ParamIndex idx(const char* name) { return params().indexOf(name); }
  void setFloat(const char* name, double v) { params().setFloat(idx(name), v); }
  void setSlider(const char* name, A_long v) { params().setSlider(idx(name), v); }
  void setCheckbox(const char* name, bool v) { params().setCheckbox(idx(name), v); }
  void setAngle(const char* name, double degrees) { params().setAngleDegrees(idx(name), degrees); }

  // An open mask through the points, corners only.
  PF_PathID addPolyline(std::vector<std::pair<double, double>> points, bool closed = false) {
    aehost::Mask mask;
    mask.closed = closed;
    for (auto [x, y] : points) mask.vertices.push_back(aehost::MaskVertex::corner(x, y));
    return active_->layer().addMask(mask);
  }

  // A smooth open curve: tangent points a third of the way to the neighbours.
  PF_PathID addCurve(double x0, double y0, double cx, double cy, double x1, double y1) {
    aehost::Mask mask;
    mask.closed = false;
    mask.vertices.push_back({{x0, y0}, {x0, y0}, {cx, cy}});
    mask.vertices.push_back({{x1, y1}, {cx, cy}, {x1, y1}});
    return active_->layer().addMask(mask);
  }

  aehost::RenderResult render(A_long frame = 0, int depth = 8,
                              aehost::RenderPath path = aehost::RenderPath::Smart) {
    aehost::RenderRequest request = aehost::RenderRequest::atFrame(frame, depth);
    request.path = path;
    return active_->renderFrame(request);
  }

  // A scene that uses most of the effect: several masks, copies, randomness, tapers, wave and
  // gradation.
  void buildBusyScene() {
    addCurve(10, 70, 80, -20, 150, 70);
    addPolyline({{20, 20}, {70, 40}, {40, 80}, {130, 60}});
    addPolyline({{30, 10}, {140, 10}, {140, 85}, {30, 85}}, true);
    setFloat("Thickness", 7);
    setFloat("Length", 80);
    setFloat("Drawing Offset", 10);
    setCheckbox("Enable Copy Stroke", true);
    setSlider("Copy Number", 2);
    setSlider("Copy Random", 1);
    setFloat("Copy Offset X", 4);
    setFloat("Copy Offset Y", -3);
    setFloat("Thickness Random", 40);
    setFloat("Length Random", 20);
    setFloat("Drawing Offset Random", 10);
    setAngle("H", 40);
    setFloat("S", 20);
    setFloat("V", 20);
    setFloat("Offset X Random", 3);
    setAngle("Rotation Random", 5);
    setFloat("Scale X Random", 5);
    setCheckbox("Enable Wave", true);
    setFloat("Wave Amount", 4);
    setFloat("Round Corners", 50);
    setCheckbox("Enable Gradation Stroke", true);
    setCheckbox("Use Start/End Opacity", true);
    setFloat("Start Opacity", 20);
    setSlider("Random Seed", 7);
  }

  TempAppData appData;
  aehost::Host host;
  aehost::PluginModule module{INKLINE_MODULE_PATH};
  aehost::EffectInstance effect{host, module};

private:
  aehost::EffectInstance* active_ = &effect;
};

// One scene per test; anything the effect left unreleased fails the test.
class RenderTest : public ::testing::Test, public InklineScene {
protected:
  void SetUp() override { ASSERT_TRUE(prepare()); }
  void TearDown() override { EXPECT_THAT(host.problems(), ::testing::IsEmpty()); }
};
