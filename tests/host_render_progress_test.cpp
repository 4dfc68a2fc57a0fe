#include <gtest/gtest.h>

#include "aehost_testing/ProbeInstance.h"
#include "support/ProbeFixture.h"

namespace {

using aehost::ProgressCall;
using aehost::RenderRequest;

class HostRenderProgress : public ProbeRenderTest {
 protected:
  void SetUp() override {
    instance.layer().setPixels(aehost::Image(8, 8, PF_PixelFormat_ARGB32));
    setUp();
    probe.progressSteps = 4;
  }
};

TEST_F(HostRenderProgress, ListenersHearProgressWhileTheFrameRenders) {
  RenderRequest request = RenderRequest::atFrame(0);
  std::vector<ProgressCall> heard;
  request.onProgress = [&heard](A_long current, A_long total) { heard.push_back({current, total}); };
  const auto result = instance.renderFrame(request);
  EXPECT_EQ(result.err, PF_Err_NONE);
  EXPECT_EQ(heard, result.progress);
  expectClean();
}

TEST_F(HostRenderProgress, ProgressCallsAreRecordedPerRender) {
  const auto result = instance.renderFrame(RenderRequest::atFrame(0));
  EXPECT_EQ(result.err, PF_Err_NONE);
  EXPECT_EQ(result.progress, (std::vector<ProgressCall>{{1, 4}, {2, 4}, {3, 4}, {4, 4}}));
  const auto again = instance.renderFrame(RenderRequest::atFrame(1));
  EXPECT_EQ(again.progress.size(), 4u);
  expectClean();
}

TEST_F(HostRenderProgress, CancelAtTheNthProgressCall) {
  RenderRequest request = RenderRequest::atFrame(0);
  request.cancelAtProgressCall = 2;
  const auto result = instance.renderFrame(request);
  EXPECT_EQ(result.err, PF_Interrupt_CANCEL);
  EXPECT_EQ(probe.progressErr, PF_Interrupt_CANCEL);
  EXPECT_EQ(result.progress.size(), 2u);
  EXPECT_TRUE(result.preRenderDataDeleted);
  EXPECT_TRUE(host.worlds().liveWorlds().empty());
  expectClean();
}

TEST_F(HostRenderProgress, CancelWhenProgressReachesAValue) {
  RenderRequest request = classic(0);
  request.cancelWhenProgressReaches = 3;
  const auto result = instance.renderFrame(request);
  EXPECT_EQ(result.err, PF_Interrupt_CANCEL);
  EXPECT_EQ(result.progress, (std::vector<ProgressCall>{{1, 4}, {2, 4}, {3, 4}}));
  expectClean();
}

TEST_F(HostRenderProgress, AbortCancelsLikewise) {
  probe.progressSteps = 0;
  probe.abortChecks = 5;
  RenderRequest request = RenderRequest::atFrame(0);
  request.cancelAtAbortCall = 3;
  const auto result = instance.renderFrame(request);
  EXPECT_EQ(result.err, PF_Interrupt_CANCEL);
  EXPECT_EQ(result.abortCalls, 3);
  EXPECT_EQ(probe.abortErr, PF_Interrupt_CANCEL);
  const auto uncancelled = instance.renderFrame(RenderRequest::atFrame(0));
  EXPECT_EQ(uncancelled.err, PF_Err_NONE);
  EXPECT_EQ(uncancelled.abortCalls, 5);
  expectClean();
}

}  // namespace
