#include <gtest/gtest.h>

#include <vector>

#include "aehost/Channels.h"
#include "aehost/ImageCompare.h"
#include "aehost/ImageMemory.h"
#include "aehost_testing/PixelEquality.h"
#include "aehost_testing/ProbeInstance.h"
#include "support/ProbeFixture.h"

namespace {

using aehost::Image;
using aehost::RenderRequest;
using aehost::testing::anyProblemContains;
using aehost::testing::joinedProblems;
using aehost::testing::probeMarkColor;

// A layer whose every pixel differs: red from x, green from y.
Image gradientLayer(A_long width, A_long height) {
  Image image(width, height, PF_PixelFormat_ARGB32);
  for (A_long y = 0; y < height; ++y) {
    for (A_long x = 0; x < width; ++x) {
      image.set(x, y, PF_Pixel8{255, static_cast<A_u_char>(x * 7), static_cast<A_u_char>(y * 11), 50});
    }
  }
  return image;
}

class HostSmartRender : public ProbeRenderTest {
 protected:
  void SetUp() override {
    instance.layer().setPixels(gradientLayer(20, 10));
    setUp();
  }
};

TEST_F(HostSmartRender, PreRenderAsksForTheWholeLayerAtTheRenderDepth) {
  const auto result = instance.renderFrame(smart(0, 16));
  ASSERT_EQ(result.err, PF_Err_NONE) << result.message;
  EXPECT_TRUE(result.smart);
  const PF_PreRenderInput& input = probe.seenPreRenderInput;
  EXPECT_EQ(input.bitdepth, 16);
  EXPECT_EQ(input.output_request.rect.left, 0);
  EXPECT_EQ(input.output_request.rect.top, 0);
  EXPECT_EQ(input.output_request.rect.right, 20);
  EXPECT_EQ(input.output_request.rect.bottom, 10);
  EXPECT_EQ(input.output_request.channel_mask, PF_ChannelMask_ARGB);
  EXPECT_EQ(probe.checkoutLayerErr, PF_Err_NONE);
  EXPECT_EQ(probe.seenCheckout.result_rect.right, 20);
  EXPECT_EQ(probe.seenCheckout.max_result_rect.bottom, 10);
  EXPECT_EQ(probe.seenCheckout.ref_width, 20);
  EXPECT_EQ(probe.seenCheckout.ref_height, 10);
  EXPECT_EQ(probe.seenCheckout.par.num, 1);
  EXPECT_EQ(probe.seenCheckout.par.den, 1u);
  expectClean();
}

TEST_F(HostSmartRender, RenderGetsInputAndOutputWorldsAndTheOutputComesBack) {
  probe.drawMark = false;
  const auto result = instance.renderFrame(smart(0));
  ASSERT_EQ(result.err, PF_Err_NONE) << result.message;
  EXPECT_EQ(probe.seenSmartBitDepth, 8);
  EXPECT_EQ(probe.pixelsErr, PF_Err_NONE);
  EXPECT_EQ(probe.outputErr, PF_Err_NONE);
  EXPECT_EQ(probe.seenInput.width, 20);
  EXPECT_EQ(probe.seenInput.height, 10);
  EXPECT_GT(probe.seenInput.rowbytes, 20 * 4);  // padded rows
  EXPECT_EQ(probe.seenOutput.width, 20);
  EXPECT_EQ(probe.seenInputFormat, PF_PixelFormat_ARGB32);
  EXPECT_EQ(probe.seenOutputFormat, PF_PixelFormat_ARGB32);
  EXPECT_EQ(result.image, gradientLayer(20, 10));
  EXPECT_EQ(result.outputRect.right, 20);
  EXPECT_TRUE(host.worlds().liveWorlds().empty());
  expectClean();
}

// The output world is not cleared: a pixel an effect leaves alone shows the pattern of
// uncleared worlds, in every depth.
TEST_F(HostSmartRender, AnOutputPixelTheEffectLeavesShowsThePatternOfUnclearedWorlds) {
  probe.copyInput = false;
  probe.drawMark = false;
  for (const int depth : {8, 16, 32}) {
    const auto result = instance.renderFrame(smart(0, depth));
    ASSERT_EQ(result.err, PF_Err_NONE) << result.message;
    ASSERT_EQ(result.image.width(), 20);
    for (const std::byte b : result.image.bytes()) ASSERT_EQ(b, std::byte{0xA5}) << "depth " << depth;
  }
  expectClean();
}

// Results of a large frame take their memory from the host's pool: a frame's result reuses
// the memory of one let go, results held at once never share it, and each holds its own frame.
TEST_F(HostSmartRender, LargeResultsReuseTheMemoryOfResultsLetGo) {
  instance.layer().setPixels(gradientLayer(512, 200));  // 1.6 MB in float
  probe.drawMark = false;
  const Image expected = gradientLayer(512, 200).converted(PF_PixelFormat_ARGB128);
  const std::byte* first = nullptr;
  {
    const auto result = instance.renderFrame(smart(0, 32));
    ASSERT_EQ(result.err, PF_Err_NONE) << result.message;
    first = result.image.bytes().data();
  }
  const auto again = instance.renderFrame(smart(0, 32));
  const auto held = instance.renderFrame(smart(1, 32));
  ASSERT_TRUE(again.ok() && held.ok());
  EXPECT_EQ(again.image.bytes().data(), first);
  EXPECT_NE(held.image.bytes().data(), first);
  EXPECT_EQ(again.image, expected);
  EXPECT_EQ(held.image, expected);
  Image copy = held.image;  // a copy has memory of its own
  EXPECT_NE(copy.bytes().data(), held.image.bytes().data());
  EXPECT_EQ(copy, expected);
  expectClean();
}

// With rows packed (the renderer's host), the output world's memory is the result: no copy of
// the frame, the same pixels on both render paths and in every depth, and a result let go
// lends its memory to the next frame's output world.
TEST_F(HostSmartRender, WithPackedRowsTheOutputWorldBecomesTheResult) {
  host.worlds().setRowPaddingBytes(0);
  instance.layer().setPixels(gradientLayer(640, 256));
  probe.drawMark = false;
  for (const int depth : {8, 16, 32}) {
    const Image expected = gradientLayer(640, 256).converted(aehost::formatForBitDepth(depth));
    for (const auto path : {aehost::RenderPath::Smart, aehost::RenderPath::Classic}) {
      if (path == aehost::RenderPath::Classic && depth == 32) continue;  // float renders are SmartFX only
      const void* output = nullptr;
      {
        const auto result = instance.renderFrame(renderRequest(0, depth, path));
        ASSERT_TRUE(result.ok()) << result.message;
        EXPECT_EQ(static_cast<const void*>(result.image.bytes().data()), probe.seenOutput.data);
        EXPECT_EQ(result.image, expected) << "depth " << depth;
        output = probe.seenOutput.data;
      }
      const auto next = instance.renderFrame(renderRequest(1, depth, path));
      ASSERT_TRUE(next.ok());
      if (depth > 8) {  // over a megabyte: pooled
        EXPECT_EQ(probe.seenOutput.data, output) << "depth " << depth;
      }
      EXPECT_EQ(next.image, expected);
    }
  }
  EXPECT_TRUE(host.worlds().liveWorlds().empty());
  expectClean();
}

TEST(ImageMemoryPool, KeepsAFewLargeBlocksBySize) {
  aehost::ImageMemoryPool pool;
  const std::size_t large = aehost::ImageMemoryPool::kSmallestKept;
  std::byte* block = pool.take(large);
  pool.give(block, large);
  EXPECT_EQ(pool.take(large), block);  // the same size gets it back
  pool.give(block, large);
  std::byte* other = pool.take(large + 16);
  EXPECT_NE(other, block);  // another size does not
  pool.give(other, large + 16);

  // Small blocks are not kept, and no more than kMaxKeptBlocks large ones.
  aehost::ImageMemoryPool fresh;
  fresh.give(fresh.take(large - 1), large - 1);
  EXPECT_EQ(fresh.keptBlocks(), 0u);
  std::vector<std::byte*> blocks;
  for (std::size_t k = 0; k < aehost::ImageMemoryPool::kMaxKeptBlocks + 1; ++k) blocks.push_back(fresh.take(large));
  for (std::byte* b : blocks) fresh.give(b, large);
  EXPECT_EQ(fresh.keptBlocks(), aehost::ImageMemoryPool::kMaxKeptBlocks);
}

TEST_F(HostSmartRender, PreRenderDataReachesTheRenderAndIsDeleted) {
  const auto result = instance.renderFrame(smart(5));
  ASSERT_EQ(result.err, PF_Err_NONE);
  EXPECT_EQ(probe.seenPreRenderFrame, 5);
  EXPECT_TRUE(result.preRenderDataDeleted);
  EXPECT_EQ(probe.preRenderDataDeletes, 1);
  expectClean();
}

TEST_F(HostSmartRender, PreRenderDataIsDeletedAlsoWhenACommandFails) {
  probe.preRenderErr = PF_Err_OUT_OF_MEMORY;
  auto result = instance.renderFrame(smart(0));
  EXPECT_EQ(result.err, PF_Err_OUT_OF_MEMORY);
  EXPECT_EQ(result.preRenderErr, PF_Err_OUT_OF_MEMORY);
  EXPECT_EQ(probe.renderCommands, 0);
  EXPECT_EQ(probe.preRenderDataDeletes, 1);

  probe.preRenderErr = PF_Err_NONE;
  probe.renderErr = PF_Err_INTERNAL_STRUCT_DAMAGED;
  result = instance.renderFrame(smart(0));
  EXPECT_EQ(result.err, PF_Err_INTERNAL_STRUCT_DAMAGED);
  EXPECT_EQ(probe.preRenderDataDeletes, 2);
  expectClean();
}

TEST_F(HostSmartRender, PreRenderDataWithoutDeleteFunctionLeaks) {
  probe.noDeleteFunc = true;
  const auto result = instance.renderFrame(smart(0));
  EXPECT_EQ(result.err, PF_Err_NONE);
  EXPECT_FALSE(result.preRenderDataDeleted);
  tearDown();
  EXPECT_TRUE(anyProblemContains(host.problems(), "leaked handle")) << joinedProblems(host.problems());
}

TEST_F(HostSmartRender, FrameMarkDependsOnTheFrame) {
  const auto result = instance.renderFrame(smart(2));
  ASSERT_EQ(result.err, PF_Err_NONE);
  const PF_Pixel mark = probeMarkColor(2);
  // A 4 px square at (2 * 3, 1).
  const PF_Pixel8 inside = result.image.pixel8(6, 1);
  EXPECT_EQ(inside.red, mark.red);
  EXPECT_EQ(inside.green, mark.green);
  EXPECT_EQ(inside.blue, mark.blue);
  EXPECT_EQ(result.image.pixel8(9, 4).green, mark.green);
  EXPECT_EQ(result.image.pixel8(10, 4), gradientLayer(20, 10).pixel8(10, 4));
  EXPECT_EQ(result.image.pixel8(5, 1), gradientLayer(20, 10).pixel8(5, 1));
  expectClean();
}

TEST_F(HostSmartRender, DeepRendersConvertTheLayer) {
  probe.drawMark = false;
  const auto deep = instance.renderFrame(smart(0, 16));
  ASSERT_EQ(deep.err, PF_Err_NONE);
  EXPECT_EQ(probe.seenInputFormat, PF_PixelFormat_ARGB64);
  EXPECT_NE(probe.seenInput.world_flags & PF_WorldFlag_DEEP, 0);
  EXPECT_EQ(deep.image.format(), PF_PixelFormat_ARGB64);
  const PF_Pixel16 p = deep.image.pixel16(3, 2);  // 8-bit (255, 21, 22, 50)
  EXPECT_EQ(p.alpha, 32768);
  EXPECT_EQ(p.red, 2699);   // round(21 * 32768 / 255) = round(2698.54)
  EXPECT_EQ(p.green, 2827);  // round(22 * 32768 / 255) = round(2827.04)
  EXPECT_EQ(p.blue, 6425);  // round(50 * 32768 / 255) = round(6425.10)

  const auto flt = instance.renderFrame(smart(0, 32));
  ASSERT_EQ(flt.err, PF_Err_NONE);
  EXPECT_EQ(probe.seenInputFormat, PF_PixelFormat_ARGB128);
  EXPECT_EQ(flt.image.format(), PF_PixelFormat_ARGB128);
  EXPECT_FLOAT_EQ(flt.image.pixelFloat(3, 2).red, 21.0f / 255.0f);
  EXPECT_FLOAT_EQ(flt.image.pixelFloat(3, 2).alpha, 1.0f);
  expectClean();
}

TEST_F(HostSmartRender, DownsamplingShrinksTheLayerAndTheRequest) {
  probe.drawMark = false;
  RenderRequest request = smart(0);
  request.downsampleX = {1, 2};
  request.downsampleY = {1, 3};
  const auto result = instance.renderFrame(request);
  ASSERT_EQ(result.err, PF_Err_NONE);
  EXPECT_EQ(probe.seenPreRenderInput.output_request.rect.right, 10);
  EXPECT_EQ(probe.seenPreRenderInput.output_request.rect.bottom, 4);  // ceil(10 / 3)
  EXPECT_EQ(probe.seenInput.width, 10);
  EXPECT_EQ(probe.seenInput.height, 4);
  EXPECT_EQ(probe.renderIn.downsample_x.num, 1);
  EXPECT_EQ(probe.renderIn.downsample_x.den, 2u);
  EXPECT_EQ(probe.renderIn.downsample_y.den, 3u);
  EXPECT_EQ(probe.seenCheckout.ref_width, 20);
  // Nearest neighbour: output (x, y) is layer (2x, 3y).
  EXPECT_EQ(result.image.pixel8(4, 2), gradientLayer(20, 10).pixel8(8, 6));
  expectClean();
}

TEST_F(HostSmartRender, TimeComesFromTheFrameAndTheFrameRate) {
  instance.renderFrame(smart(7));
  EXPECT_EQ(probe.renderIn.current_time, 7);
  EXPECT_EQ(probe.renderIn.time_step, 1);
  EXPECT_EQ(probe.renderIn.time_scale, 24u);

  instance.composition().timeScale = 30000;
  instance.composition().timeStep = 1001;  // 29.97 fps
  RenderRequest request = smart(3);
  request.quality = PF_Quality_LO;
  request.field = PF_Field_UPPER;
  instance.renderFrame(request);
  EXPECT_EQ(probe.renderIn.current_time, 3003);
  EXPECT_EQ(probe.renderIn.time_step, 1001);
  EXPECT_EQ(probe.renderIn.time_scale, 30000u);
  EXPECT_EQ(probe.renderIn.quality, PF_Quality_LO);
  EXPECT_EQ(probe.renderIn.field, PF_Field_UPPER);
  expectClean();
}

TEST_F(HostSmartRender, PixelsNotCheckedInAreAProblem) {
  probe.skipPixelCheckin = true;
  instance.renderFrame(smart(0));
  tearDown();
  EXPECT_TRUE(anyProblemContains(host.problems(), "checkout_layer_pixels of checkout id 0 was not checked in"))
      << joinedProblems(host.problems());
  EXPECT_TRUE(host.worlds().liveWorlds().empty());
}

TEST_F(HostSmartRender, EmptyResultRectSkipsTheRender) {
  probe.emptyResultRect = true;
  const auto result = instance.renderFrame(smart(0));
  EXPECT_EQ(result.err, PF_Err_NONE);
  EXPECT_EQ(probe.renderCommands, 0);
  EXPECT_TRUE(result.image.empty());
  EXPECT_TRUE(result.preRenderDataDeleted);
  expectClean();
}

TEST_F(HostSmartRender, DisposingTheHostsOutputWorldIsAProblem) {
  probe.disposeOutput = true;
  const auto result = instance.renderFrame(smart(0));
  EXPECT_EQ(result.err, PF_Err_NONE);
  EXPECT_FALSE(result.image.empty());  // the host still owned it
  tearDown();
  EXPECT_TRUE(anyProblemContains(host.problems(), "the host owns and disposes it")) << joinedProblems(host.problems());
}

TEST_F(HostSmartRender, ALeakedTemporaryWorldIsAProblem) {
  probe.leakTempWorld = true;
  instance.renderFrame(smart(0));
  tearDown();
  EXPECT_TRUE(anyProblemContains(host.problems(), "leaked world #")) << joinedProblems(host.problems());
}

TEST_F(HostSmartRender, OutputAllocationFaultReachesTheEffect) {
  host.worlds().failNthAllocation(2, PF_Err_OUT_OF_MEMORY);  // the input, then the output
  const auto result = instance.renderFrame(smart(0));
  EXPECT_EQ(probe.pixelsErr, PF_Err_NONE);
  EXPECT_EQ(probe.outputErr, PF_Err_OUT_OF_MEMORY);
  EXPECT_EQ(result.err, PF_Err_OUT_OF_MEMORY);
  EXPECT_TRUE(result.image.empty());
  expectClean();
}

TEST_F(HostSmartRender, LayerParameterCheckoutDuringARenderHasThePixels) {
  probe.checkoutLayerParam = true;
  probe.drawMark = false;
  RenderRequest request = smart(0, 16);
  request.downsampleX = {1, 2};
  instance.renderFrame(request);
  EXPECT_EQ(probe.layerParamErr, PF_Err_NONE);
  EXPECT_EQ(probe.seenLayerParam.param_type, PF_Param_LAYER);
  EXPECT_EQ(probe.seenLayerParam.u.ld.width, 10);
  EXPECT_EQ(probe.seenLayerParam.u.ld.height, 10);
  EXPECT_NE(probe.seenLayerParam.u.ld.data, nullptr);
  EXPECT_NE(probe.seenLayerParam.u.ld.world_flags & PF_WorldFlag_DEEP, 0);
  expectClean();
}

TEST_F(HostSmartRender, AutomaticPathFollowsThePipl) {
  EXPECT_TRUE(instance.supportsSmartRender());
  const auto result = instance.renderFrame(RenderRequest::atFrame(0));
  EXPECT_TRUE(result.smart);
  expectClean();
}

TEST_F(HostSmartRender, WorldSuiteVersion1WorksWhenVersion2IsGone) {
  host.suites().remove(kPFWorldSuite, kPFWorldSuiteVersion2);
  probe.worldSuiteVersion = 1;
  const auto result = instance.renderFrame(smart(1, 16));
  EXPECT_EQ(result.err, PF_Err_NONE) << joinedProblems(host.problems());
  EXPECT_EQ(probe.seenOutputFormat, PF_PixelFormat_ARGB64);  // from the deep flag

  probe.worldSuiteVersion = 2;
  const auto without = instance.renderFrame(smart(1));
  EXPECT_EQ(without.err, PF_Err_BAD_CALLBACK_PARAM);
  EXPECT_EQ(host.suites().failedAcquireCount(kPFWorldSuite, kPFWorldSuiteVersion2), 1);
  expectClean();
}

}  // namespace
