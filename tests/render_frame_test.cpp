// Whole frames through the simulated host: the render driver, mask reading and the stroke
// loops together, in every depth and on both render paths.
#include <cmath>
#include <cstring>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "AE_EffectCBSuites.h"
#include "effect/CustomFilter.h"
#include "framework/RenderData.h"
#include "support/RenderFixture.h"

namespace {

using aehost::Image;
using aehost::RenderPath;
using aehost::RenderResult;
using aehost::bytesPerPixel;

bool fullyTransparent(const Image& image) {
  for (A_long y = 0; y < image.height(); ++y) {
    for (A_long x = 0; x < image.width(); ++x) {
      if (image.pixel8(x, y).alpha != 0) return false;
    }
  }
  return true;
}

const std::byte* pixelAt(const Image& image, A_long x, A_long y) {
  return image.bytes().data() + (static_cast<std::size_t>(y) * image.width() + x) * bytesPerPixel(image.format());
}

// Rows of a column the (black, on a cleared frame) stroke covers by more than half.
int paintedRows(const Image& image, A_long column) {
  int rows = 0;
  for (A_long y = 0; y < image.height(); ++y) rows += image.pixel8(column, y).alpha > 128;
  return rows;
}

TEST_F(RenderTest, WithoutMasksTheFrameIsClearedOrTheLayer) {
  const RenderResult cleared = render();
  ASSERT_TRUE(cleared.ok()) << cleared.message;
  EXPECT_TRUE(fullyTransparent(cleared.image));
  EXPECT_TRUE(cleared.progress.empty());  // no stroke loop ran

  setCheckbox("Clear Background", false);
  const RenderResult layer = render();
  ASSERT_TRUE(layer.ok());
  EXPECT_EQ(layer.image, *effect.layer().pixels());
}

TEST_F(RenderTest, ZeroOpacityLooksLikeNoMasks) {
  setCheckbox("Clear Background", false);
  const RenderResult withoutMasks = render();
  addPolyline({{10, 45}, {150, 45}});
  setFloat("Opacity", 0);
  const RenderResult zeroOpacity = render();
  ASSERT_TRUE(zeroOpacity.ok());
  EXPECT_EQ(zeroOpacity.image, withoutMasks.image);
}

TEST_F(RenderTest, StrokesAreDrawnOverTheLayer) {
  setCheckbox("Clear Background", false);
  addPolyline({{10, 45}, {150, 45}});
  setFloat("Thickness", 10);
  setCheckbox("Enable In/Out", false);
  const RenderResult result = render();
  ASSERT_TRUE(result.ok()) << result.message;
  const PF_Pixel8 onStroke = result.image.pixel8(80, 45);
  EXPECT_EQ(onStroke.alpha, 255);
  EXPECT_EQ(onStroke.red, 0);  // black, the default colour
  const PF_Pixel8 offStroke = result.image.pixel8(80, 10);
  EXPECT_EQ(offStroke.red, 200);  // the layer
}

// Strokes touch only the pixels around them: elsewhere the output is the layer to the bit, on
// both paths and at every depth, even where the layer is transparent with colour left in it
// (which a composite over the whole frame would have set to zero).
TEST_F(RenderTest, PixelsAwayFromTheStrokesKeepTheLayerExactly) {
  effect.layer().setPixels(Image::filled(kWidth, kHeight, PF_Pixel8{0, 200, 100, 50}));
  setCheckbox("Clear Background", false);
  addPolyline({{10, 45}, {70, 45}});
  setFloat("Thickness", 10);
  for (const int depth : {8, 16, 32}) {
    for (const RenderPath path : {RenderPath::Smart, RenderPath::Classic}) {
      if (depth == 32 && path == RenderPath::Classic) continue;  // float needs SmartFX
      const RenderResult result = render(0, depth, path);
      ASSERT_TRUE(result.ok()) << result.message;
      const Image layer = effect.layer().pixels()->converted(result.image.format());
      const Image eightBit = result.image.converted(PF_PixelFormat_ARGB32);
      EXPECT_EQ(eightBit.pixel8(40, 45).alpha, 255) << depth;  // the stroke
      for (A_long y = 0; y < kHeight; ++y) {
        for (A_long x = 90; x < kWidth; ++x) {
          ASSERT_EQ(std::memcmp(pixelAt(result.image, x, y), pixelAt(layer, x, y), bytesPerPixel(layer.format())), 0)
              << "depth " << depth << " at " << x << ", " << y;
        }
      }
    }
  }
}

// A layer whose pixels differ everywhere, alpha 0 with colour left in it among them.
Image patternLayer(A_long width, A_long height) {
  Image layer(width, height, PF_PixelFormat_ARGB32);
  for (A_long y = 0; y < height; ++y) {
    for (A_long x = 0; x < width; ++x) {
      const auto channel = [&](int a, int b) { return static_cast<A_u_char>((a * x + b * y) % 256); };
      layer.set(x, y, PF_Pixel8{channel(7, 13), channel(31, 1), channel(3, 17), channel(11, 5)});
    }
  }
  return layer;
}

bool samePixels(const Image& a, A_long ax, const Image& b, A_long bx, A_long y, A_long count) {
  const std::size_t bytes = static_cast<std::size_t>(count) * bytesPerPixel(a.format());
  return std::memcmp(pixelAt(a, ax, y), pixelAt(b, bx, y), bytes) == 0;
}

// An output too large for the caches gets its background (the layer, or transparent black)
// row by row as the strokes come instead of whole up front: the strokes a frame of 200 x 120
// shows come out the same to the bit in the corner of one of over 20 MiB at every depth,
// and the rest of that frame is the background.
TEST_F(RenderTest, AFrameLargerThanTheCachesGetsTheStrokesASmallOneGets) {
  buildBusyScene();  // its strokes stay clear of the right and bottom edges of 200 x 120
  constexpr A_long kSmallWidth = 200, kSmallHeight = 120;
  struct Large {
    int depth;
    A_long width, height;  // over 20 MiB a frame
  };
  for (const Large large : {Large{8, 2560, 2100}, Large{16, 1920, 1400}, Large{32, 1920, 1080}}) {
    for (const bool clearBackground : {false, true}) {
      for (const RenderPath path : {RenderPath::Smart, RenderPath::Classic}) {
        if (large.depth == 32 && path == RenderPath::Classic) continue;  // float needs SmartFX
        const std::string scene = std::to_string(large.depth) + "-bit" + (clearBackground ? ", cleared" : "") +
                                  (path == RenderPath::Classic ? ", classic" : "");
        setCheckbox("Clear Background", clearBackground);
        effect.layer().setPixels(patternLayer(kSmallWidth, kSmallHeight));
        const RenderResult small = render(2, large.depth, path);
        ASSERT_TRUE(small.ok()) << scene << ": " << small.message;
        effect.layer().setPixels(patternLayer(large.width, large.height));
        const RenderResult big = render(2, large.depth, path);
        ASSERT_TRUE(big.ok()) << scene << ": " << big.message;
        ASSERT_EQ(big.image.width(), large.width);
        ASSERT_EQ(big.image.height(), large.height);

        const Image background = clearBackground ? Image(large.width, large.height, big.image.format())
                                                 : effect.layer().pixels()->converted(big.image.format());
        // The small frame differs from its background (there are strokes to compare).
        int strokedRows = 0;
        for (A_long y = 0; y < kSmallHeight; ++y) {
          strokedRows += !samePixels(small.image, 0, background, 0, y, kSmallWidth);
        }
        EXPECT_GT(strokedRows, 50) << scene;
        for (A_long y = 0; y < large.height; ++y) {
          if (y < kSmallHeight) {
            ASSERT_TRUE(samePixels(big.image, 0, small.image, 0, y, kSmallWidth)) << scene << ", row " << y;
            ASSERT_TRUE(samePixels(big.image, kSmallWidth, background, kSmallWidth, y, large.width - kSmallWidth))
                << scene << ", row " << y;
          } else {
            ASSERT_TRUE(samePixels(big.image, 0, background, 0, y, large.width)) << scene << ", row " << y;
          }
        }
      }
    }
  }
}

TEST_F(RenderTest, AMissingTargetMaskStillRunsTheLoopOnAnEmptyPath) {
  addPolyline({{10, 45}, {150, 45}});
  setCheckbox("Use All Paths", false);  // "Target Path" stays at no mask
  const RenderResult result = render();
  ASSERT_TRUE(result.ok()) << result.message;
  EXPECT_TRUE(fullyTransparent(result.image));
  EXPECT_EQ(result.progress, (std::vector<aehost::ProgressCall>{{1024, 1024}}));
}

TEST_F(RenderTest, OnlyTheTargetMaskIsStrokedWhenAllPathsIsOff) {
  addPolyline({{10, 20}, {150, 20}});
  const PF_PathID second = addPolyline({{10, 70}, {150, 70}});
  setCheckbox("Use All Paths", false);
  params().setPathId(idx("Target Path"), second);
  setCheckbox("Enable In/Out", false);
  const RenderResult result = render();
  ASSERT_TRUE(result.ok());
  EXPECT_EQ(result.image.pixel8(80, 20).alpha, 0);
  EXPECT_EQ(result.image.pixel8(80, 70).alpha, 255);
}

TEST_F(RenderTest, DownsamplingScalesSizesNotMasks) {
  addPolyline({{10, 40}, {150, 40}});
  setCheckbox("Enable In/Out", false);
  setFloat("Thickness", 5);
  const int fiveAtFullSize = paintedRows(render().image, 80);
  setFloat("Thickness", 10);
  aehost::RenderRequest half = aehost::RenderRequest::atFrame(0);
  half.downsampleX = {1, 2};
  half.downsampleY = {1, 2};
  const RenderResult result = effect.renderFrame(half);
  ASSERT_TRUE(result.ok()) << result.message;
  ASSERT_EQ(result.image.width(), kWidth / 2);
  EXPECT_EQ(result.image.pixel8(40, 20).alpha, 255);  // the mask line, delivered at half size
  EXPECT_EQ(paintedRows(result.image, 40), fiveAtFullSize);  // thickness 10 drawn as 5
}

TEST_F(RenderTest, CopyOffsetsFollowTheirAxisFactor) {
  addPolyline({{60, 40}, {100, 40}});
  setFloat("Thickness", 2);
  setCheckbox("Enable In/Out", false);
  setCheckbox("Enable Copy Stroke", true);
  setSlider("Copy Number", 1);
  setFloat("Copy Offset Y", 20);  // two copies, at -10 and +10 at full size
  aehost::RenderRequest request = aehost::RenderRequest::atFrame(0);
  request.downsampleX = {1, 2};
  request.downsampleY = {1, 3};
  const RenderResult result = effect.renderFrame(request);
  ASSERT_TRUE(result.ok());
  // Row 40 becomes 13.33 at a third; the copies sit 10/3 rows above and below it.
  EXPECT_GT(result.image.pixel8(40, 10).alpha, 0);
  EXPECT_GT(result.image.pixel8(40, 17).alpha, 0);
  EXPECT_EQ(result.image.pixel8(40, 13).alpha, 0);
}

TEST_F(RenderTest, RandomPatternsHoldForTheRandomInterval) {
  buildBusyScene();
  setSlider("Random Interval", 5);
  std::vector<Image> frames;
  for (A_long frame = 0; frame <= 10; ++frame) frames.push_back(render(frame).image);
  for (A_long frame = 1; frame < 5; ++frame) EXPECT_EQ(frames[frame], frames[0]) << frame;
  EXPECT_NE(frames[5], frames[0]);
  setSlider("Random Array", 2);  // only two patterns, alternating
  EXPECT_EQ(render(10).image, frames[0]);
  EXPECT_EQ(render(15).image, frames[5]);
}

TEST_F(RenderTest, QueryDynamicFlagsAsksForWideTimeOnlyWithARandomInterval) {
  EXPECT_EQ(effect.queryDynamicFlags().out.out_flags & PF_OutFlag_WIDE_TIME_INPUT, 0);
  setSlider("Random Interval", 3);
  EXPECT_NE(effect.queryDynamicFlags().out.out_flags & PF_OutFlag_WIDE_TIME_INPUT, 0);
}

TEST_F(RenderTest, ABusyFrameRendersIdenticallyEveryTime) {
  buildBusyScene();
  const RenderResult first = render(3);
  ASSERT_TRUE(first.ok()) << first.message;
  EXPECT_FALSE(fullyTransparent(first.image));
  EXPECT_EQ(render(3).image, first.image);
  // The classic path reads the same values into the same record.
  EXPECT_EQ(render(3, 8, RenderPath::Classic).image, first.image);
  EXPECT_EQ(render(3, 16, RenderPath::Classic).image, render(3, 16).image);
}

// The work world is made without clearing: whatever its memory held never reaches the output,
// in any depth or render path. Scenes from hairlines to discs that hold the whole layer.
TEST_F(RenderTest, WhatNewWorldsHeldNeverShows) {
  buildBusyScene();
  struct Case {
    int depth;
    RenderPath path;
  };
  const Case cases[] = {{8, RenderPath::Smart}, {16, RenderPath::Smart}, {32, RenderPath::Smart},
                        {8, RenderPath::Classic}, {16, RenderPath::Classic}};
  for (const double thickness : {1.0, 7.0, 400.0}) {
    setFloat("Thickness", thickness);
    std::vector<Image> expected;
    for (const Case& c : cases) expected.push_back(render(3, c.depth, c.path).image);
    for (const std::uint8_t fill : {0x00, 0xFF}) {
      aehost::HostOptions options;
      options.unclearedWorldFill = fill;
      aehost::Host otherHost(options);
      aehost::EffectInstance other(otherHost, module);
      setActive(other);
      ASSERT_TRUE(prepare());
      buildBusyScene();
      setFloat("Thickness", thickness);
      for (std::size_t k = 0; k < std::size(cases); ++k) {
        const RenderResult result = render(3, cases[k].depth, cases[k].path);
        ASSERT_TRUE(result.ok()) << result.message;
        EXPECT_EQ(result.image, expected[k]) << "thickness " << thickness << ", fill " << int{fill} << ", depth "
                                             << cases[k].depth;
      }
      setActive(effect);
      EXPECT_THAT(otherHost.problems(), ::testing::IsEmpty());
    }
  }
}

TEST_F(RenderTest, ThreadsRenderDifferentFramesAsASingleThreadWould) {
  buildBusyScene();
  setSlider("Random Interval", 2);
  setFloat("Drawing Offset", 0);
  params().setKeyframes(idx("Drawing Offset"), {{0, aehost::FloatSliderValue{0}}, {8, aehost::FloatSliderValue{60}}});
  std::vector<aehost::RenderRequest> requests;
  for (int depth : {8, 16, 32}) {
    for (A_long frame = 0; frame < 8; ++frame) requests.push_back(aehost::RenderRequest::atFrame(frame, depth));
  }
  const std::vector<RenderResult> serial = effect.renderFrames(requests, 1);
  const std::vector<RenderResult> threaded = effect.renderFrames(requests, 4);
  ASSERT_EQ(serial.size(), threaded.size());
  for (std::size_t i = 0; i < serial.size(); ++i) {
    ASSERT_TRUE(serial[i].ok()) << serial[i].message;
    EXPECT_EQ(threaded[i].image, serial[i].image) << "request " << i;
  }
}

// The deep renders use the same geometry; only blending rounds differently. In 8 bits the
// blend weight is divided by 256 instead of 255 and every stage truncates, so the deep
// results, brought to 8 bits, stay within 3 levels (of 255) of the 8-bit render; the busy
// scene reaches exactly 3.
constexpr double kDepthTolerance8Bit = 3.0;

TEST_F(RenderTest, DeepRendersAgreeWithTheEightBitRender) {
  buildBusyScene();
  setCheckbox("Clear Background", false);
  const Image eight = render(2, 8).image;
  for (int depth : {16, 32}) {
    const RenderResult deep = render(2, depth);
    ASSERT_TRUE(deep.ok()) << deep.message;
    const Image asEight = deep.image.converted(PF_PixelFormat_ARGB32);
    const aehost::ImageDifference difference = aehost::compareImages(asEight, eight, kDepthTolerance8Bit);
    EXPECT_EQ(difference.differingPixels, 0u)
        << depth << "-bit: max difference " << difference.maxChannelDifference << " first at "
        << aehost::describePixel(asEight, difference.firstX, difference.firstY) << " vs "
        << aehost::describePixel(eight, difference.firstX, difference.firstY);
  }
}

// Instances of one module share its code and globals: several rendering the same frame at
// once each get what one alone gets.
TEST_F(RenderTest, SeveralInstancesRenderTheSameFrameAtOnce) {
  buildBusyScene();
  const RenderResult alone = render(2, 16);
  ASSERT_TRUE(alone.ok()) << alone.message;
  std::vector<std::unique_ptr<aehost::EffectInstance>> instances;
  for (int i = 0; i < 3; ++i) {
    instances.push_back(std::make_unique<aehost::EffectInstance>(host, module));
    setActive(*instances.back());
    ASSERT_TRUE(prepare());
    buildBusyScene();
  }
  setActive(effect);
  std::vector<RenderResult> results(instances.size());
  std::vector<std::thread> threads;
  for (std::size_t i = 0; i < instances.size(); ++i) {
    threads.emplace_back([&, i] { results[i] = instances[i]->renderFrame(aehost::RenderRequest::atFrame(2, 16)); });
  }
  for (std::thread& thread : threads) thread.join();
  for (const RenderResult& result : results) {
    ASSERT_TRUE(result.ok()) << result.message;
    EXPECT_EQ(result.image, alone.image);
  }
}

TEST_F(RenderTest, ACancelledRenderReleasesEverything) {
  buildBusyScene();
  aehost::RenderRequest request = aehost::RenderRequest::atFrame(0);
  request.cancelAtProgressCall = 2;
  const RenderResult result = effect.renderFrame(request);
  EXPECT_EQ(result.err, PF_Interrupt_CANCEL);
  EXPECT_TRUE(result.preRenderDataDeleted);
  // The fixture's audit checks that every world, handle, suite and path went back.
}

// The host is asked whether to stop while a stroke is drawn, not only between strokes: one
// stroke zig-zagging a thousand times across the layer, and a run of huge discs, each stop at
// the host's first "cancel", on both render paths.
TEST_F(RenderTest, ALongStrokeStopsWhenTheHostCancels) {
  std::vector<std::pair<double, double>> zigzag;
  for (int i = 0; i < 1000; ++i) zigzag.push_back({i % 2 == 0 ? 5.0 : 155.0, 10.0 + (i % 70)});
  addPolyline(zigzag);
  for (const RenderPath path : {RenderPath::Smart, RenderPath::Classic}) {
    aehost::RenderRequest request = aehost::RenderRequest::atFrame(0);
    request.path = path;
    request.cancelAtAbortCall = 2;
    const RenderResult result = effect.renderFrame(request);
    EXPECT_EQ(result.err, PF_Interrupt_CANCEL);
    EXPECT_EQ(result.abortCalls, 2);  // not asked again once cancelled
  }
}

TEST_F(RenderTest, HugeDiscsStopWhenTheHostCancels) {
  addPolyline({{0, 0}, {160, 90}, {0, 90}, {160, 0}});
  setFloat("Thickness", 1000);
  setCheckbox("Enable Copy Stroke", true);
  setSlider("Copy Number", 100);
  aehost::RenderRequest request = aehost::RenderRequest::atFrame(0);
  request.cancelAtAbortCall = 1;
  const RenderResult result = effect.renderFrame(request);
  EXPECT_EQ(result.err, PF_Interrupt_CANCEL);
  EXPECT_EQ(result.abortCalls, 1);
  EXPECT_TRUE(result.progress.empty());  // stopped inside the first copy
}

// The host sends values outside a parameter's valid range only by mistake (a damaged project,
// another host); the render takes the nearest valid one, and a NaN as the default.
TEST_F(RenderTest, ValuesBeyondTheirRangeRenderAsTheNearestValidOne) {
  setCheckbox("Clear Background", false);
  addPolyline({{10, 45}, {150, 45}});
  setCheckbox("Enable Copy Stroke", true);
  setFloat("Copy Offset Y", 0.5);
  const struct {
    const char* name;
    double beyond, valid;
  } cases[] = {{"Copy Number", 2147483647.0, 100}, {"Opacity", 500, 100}, {"Thickness", std::nan(""), 5},
               {"Length", -1e300, -100}};
  for (const auto& c : cases) {
    const PF_ParamDef def = params().definition(idx(c.name));
    auto set = [&](double v) {
      if (def.param_type == PF_Param_SLIDER) {
        setSlider(c.name, static_cast<A_long>(v));
      } else {
        setFloat(c.name, v);
      }
    };
    set(c.valid);
    const RenderResult valid = render();
    set(c.beyond);
    const RenderResult beyond = render();
    ASSERT_TRUE(beyond.ok()) << c.name << ": " << beyond.message;
    EXPECT_EQ(beyond.image, valid.image) << c.name;
  }
}

// A segment ninety million pixels long, nearly all of it far off the canvas: the samples
// there are passed over, not walked, so the frame takes no longer than its short stroke's
// worth of stamps, and it is the frame the full walk draws (the part back on the canvas is
// stamped at the very same positions; render_stroke_skip_test.cpp compares with the walk).
TEST_F(RenderTest, AStrokeFarOffTheCanvasIsPassedOverNotWalked) {
  addPolyline({{10, 10}, {-90000000, 10}, {10, 10}});
  setCheckbox("Enable Copy Stroke", true);
  setSlider("Copy Number", 10);
  aehost::RenderRequest request = aehost::RenderRequest::atFrame(0);
  const RenderResult result = effect.renderFrame(request);
  ASSERT_TRUE(result.ok()) << result.message;
  // Asked about stopping every 65,536 samples, a walk would have asked thousands of times.
  EXPECT_LT(result.abortCalls, 20);
}

// Stroking sequentially, a first mask of a single point draws nothing and changes nothing:
// with fixed ends over several copies, and with a looped second pass that restarts at the
// loop interval, the frame is the one without that mask.
TEST_F(RenderTest, ASinglePointFirstMaskIsAsIfAbsentWhenStrokingSequentially) {
  setCheckbox("Stroke Sequentially", true);
  setFloat("Thickness", 6);
  setFloat("Length", 70);
  auto scene = [&](bool withPoint, bool loopCase) {
    effect.layer().clearMasks();
    if (withPoint) addPolyline({{30, 30}});
    addPolyline({{10, 60}, {80, 20}, {150, 70}});
    addCurve(20, 80, 80, 40, 140, 85);
    setCheckbox("Fixed Ends Shape", !loopCase);
    setCheckbox("Enable Copy Stroke", !loopCase);
    setSlider("Copy Number", loopCase ? 0 : 2);
    setFloat("Copy Offset Y", loopCase ? 0 : 4);
    setCheckbox("Loop", loopCase);
    setFloat("Loop Interval", loopCase ? 30 : 0);
    setFloat("Drawing Offset", loopCase ? 60 : 20);  // looped: the stroke runs past the end
    const RenderResult result = render();
    EXPECT_TRUE(result.ok()) << result.message;
    return result.image;
  };
  for (const bool loopCase : {false, true}) {
    const Image without = scene(false, loopCase);
    EXPECT_FALSE(fullyTransparent(without));
    EXPECT_EQ(scene(true, loopCase), without) << (loopCase ? "looped second pass" : "fixed ends over copies");
  }
}

TEST_F(RenderTest, AFailedWorkWorldReleasesEverything) {
  buildBusyScene();
  host.worlds().failNthAllocation(3, PF_Err_OUT_OF_MEMORY);  // input, output, then the work world
  const RenderResult result = render();
  EXPECT_EQ(result.err, PF_Err_OUT_OF_MEMORY);
  EXPECT_THAT(result.message, ::testing::HasSubstr("AEUtil::WorldSuite::newWorld"));
}

TEST_F(RenderTest, FailedMaskReadsEndTheRenderCleanly) {
  const PF_PathID mask = addPolyline({{10, 45}, {150, 45}});
  effect.layer().failVertexInfoOf(mask, PF_Err_INTERNAL_STRUCT_DAMAGED);
  EXPECT_EQ(render().err, PF_Err_INTERNAL_STRUCT_DAMAGED);
  effect.layer().clearMaskFaults();
  effect.layer().failCheckoutOf(mask, PF_Err_OUT_OF_MEMORY);
  EXPECT_EQ(render().err, PF_Err_OUT_OF_MEMORY);
}

TEST_F(RenderTest, HostsWithoutWorldSuiteTwoRenderEightBit) {
  addPolyline({{10, 45}, {150, 45}});
  host.suites().remove(kPFWorldSuite, 2);
  const RenderResult eight = render(0, 8);
  EXPECT_TRUE(eight.ok()) << eight.message;  // version 1 makes 8-bit work worlds
}

TEST_F(RenderTest, BadMasksNeitherCrashNorHang) {
  const double nan = std::nan("");
  const double inf = INFINITY;
  addPolyline({{nan, 10}, {50, nan}, {60, 60}});
  addPolyline({{-1e300, 20}, {1e300, 20}});
  addPolyline({{inf, 30}, {10, 30}});
  addPolyline({});
  addPolyline({{80, 80}});
  std::vector<std::pair<double, double>> many;
  for (int i = 0; i < 100000; ++i) many.emplace_back(10 + (i % 140), 10 + (i * 7 % 70));
  addPolyline(many);
  setFloat("Thickness", 1);
  const RenderResult result = render();
  EXPECT_TRUE(result.err == PF_Err_NONE || result.err == PF_Err_BAD_CALLBACK_PARAM) << result.err;
}

TEST_F(RenderTest, EveryParameterAtBothEndsOfItsRange) {
  addCurve(10, 70, 80, -20, 150, 70);
  addPolyline({{20, 20}, {70, 40}, {40, 80}}, true);
  for (bool high : {false, true}) {
    for (const aehost::RegisteredParam& p : params().added()) {
      const PF_ParamDef& def = p.def;
      switch (def.param_type) {
        case PF_Param_FLOAT_SLIDER:
          params().setFloat(p.index, high ? def.u.fs_d.valid_max : def.u.fs_d.valid_min);
          break;
        case PF_Param_SLIDER: params().setSlider(p.index, high ? def.u.sd.valid_max : def.u.sd.valid_min); break;
        case PF_Param_CHECKBOX: params().setCheckbox(p.index, high); break;
        case PF_Param_ANGLE: params().setAngleDegrees(p.index, high ? 3600 : -3600); break;
        default: break;
      }
    }
    // Extreme thickness and offsets make a slow frame: render it at a third of the size.
    aehost::RenderRequest request = aehost::RenderRequest::atFrame(1);
    request.downsampleX = request.downsampleY = {1, 3};
    const RenderResult result = effect.renderFrame(request);
    EXPECT_EQ(result.err, PF_Err_NONE) << (high ? "maxima" : "minima") << ": " << result.message;
  }
}

TEST(RenderEffect, AnUnknownPixelFormatIsRefused) {
  CustomFilter filter;
  RenderData data{};
  for (PF_PixelFormat format : {PF_PixelFormat{PF_PixelFormat_INVALID}, PF_PixelFormat{0}, PF_PixelFormat{0x34366561}}) {
    data.pixelFormat = format;
    EXPECT_EQ(filter.renderEffect(data), PF_Err_UNRECOGNIZED_PARAM_TYPE);
  }
}

TEST_F(RenderTest, ZeroSizeLayers) {
  effect.layer().setPixels(aehost::Image(0, 0, PF_PixelFormat_ARGB32));
  addPolyline({{0, 0}, {10, 10}});
  const RenderResult result = render();
  EXPECT_EQ(result.err, PF_Err_NONE) << result.message;
  EXPECT_TRUE(result.image.empty());
}

}  // namespace
