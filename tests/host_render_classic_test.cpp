#include <gtest/gtest.h>

#include "aehost_testing/ParamDefs.h"
#include "aehost_testing/PixelEquality.h"
#include "aehost_testing/ProbeInstance.h"
#include "support/ProbeFixture.h"

namespace {

using aehost::Image;
using aehost::RenderRequest;

class HostClassicRender : public ProbeRenderTest {
 protected:
  Image layer = Image::filled(12, 6, PF_Pixel8{255, 10, 20, 30});

  void SetUp() override {
    instance.layer().setPixels(layer);
    probe.paramsToAdd[0] = aehost::testing::sliderDef("Amount", 5, 1);
    probe.paramsToAddCount = 1;
    setUp();
  }
};

TEST_F(HostClassicRender, ParamsZeroIsTheInputLayerAndTheOutputComesBack) {
  probe.drawMark = false;
  instance.parameters().setKeyframe(1, 0, aehost::SliderValue{0});
  instance.parameters().setKeyframe(1, 10, aehost::SliderValue{100});
  const auto result = instance.renderFrame(classic(4));
  ASSERT_EQ(result.err, PF_Err_NONE) << result.message;
  EXPECT_FALSE(result.smart);
  EXPECT_EQ(probe.lastCommand, PF_Cmd_FRAME_SETDOWN);
  EXPECT_EQ(probe.renderCommands, 1);
  EXPECT_EQ(probe.seenLayerParam.param_type, PF_Param_LAYER);
  EXPECT_EQ(probe.seenLayerParam.u.ld.width, 12);
  EXPECT_EQ(probe.seenLayerParam.u.ld.height, 6);
  EXPECT_NE(probe.seenLayerParam.u.ld.data, nullptr);
  EXPECT_EQ(probe.seenOutput.width, 12);
  EXPECT_EQ(probe.seenParams[1].u.sd.value, 40);  // params[] at the frame's time
  EXPECT_EQ(result.image, layer);
  EXPECT_EQ(result.outputRect.right, 12);
  expectClean();
}

TEST_F(HostClassicRender, FrameDataGoesFromSetupToRenderAndSetdown) {
  probe.frameDataAtSetup = true;
  const auto result = instance.renderFrame(classic(0));
  EXPECT_EQ(result.err, PF_Err_NONE);
  EXPECT_TRUE(probe.sawFrameData);
  expectClean();  // the probe disposed it at FRAME_SETDOWN
}

TEST_F(HostClassicRender, DeepRenderConvertsTheLayer) {
  probe.drawMark = false;
  const auto result = instance.renderFrame(classic(0, 16));
  ASSERT_EQ(result.err, PF_Err_NONE);
  EXPECT_EQ(probe.seenInputFormat, PF_PixelFormat_ARGB64);
  EXPECT_EQ(result.image.pixel16(0, 0), (PF_Pixel16{32768, 1285, 2570, 3855}));  // v * 32768 / 255 rounded
  expectClean();
}

TEST_F(HostClassicRender, InDataCarriesTimeAndDownsampling) {
  RenderRequest request = classic(9);
  request.downsampleX = {1, 3};
  request.downsampleY = {1, 2};
  const auto result = instance.renderFrame(request);
  ASSERT_EQ(result.err, PF_Err_NONE);
  EXPECT_EQ(probe.renderIn.current_time, 9);
  EXPECT_EQ(probe.renderIn.downsample_x.den, 3u);
  EXPECT_EQ(probe.renderIn.width, 12);  // the layer's full size
  EXPECT_EQ(probe.renderIn.extent_hint.right, 4);
  EXPECT_EQ(probe.renderIn.extent_hint.bottom, 3);
  EXPECT_EQ(result.image.width(), 4);
  EXPECT_EQ(result.image.height(), 3);
  expectClean();
}

TEST_F(HostClassicRender, FloatNeedsSmartFx) {
  EXPECT_THROW(instance.renderFrame(classic(0, 32)), std::invalid_argument);
  expectClean();
}

TEST_F(HostClassicRender, RenderErrorIsReturnedAndEverythingReleased) {
  probe.renderErr = PF_Err_OUT_OF_MEMORY;
  probe.frameDataAtSetup = true;
  const auto result = instance.renderFrame(classic(0));
  EXPECT_EQ(result.err, PF_Err_OUT_OF_MEMORY);
  EXPECT_EQ(probe.lastCommand, PF_Cmd_FRAME_SETDOWN);
  EXPECT_TRUE(host.worlds().liveWorlds().empty());
  expectClean();
}

}  // namespace
