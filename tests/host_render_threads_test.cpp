#include <gtest/gtest.h>

#include "aehost/ImageCompare.h"
#include "aehost_testing/ProbeInstance.h"
#include "support/ProbeFixture.h"

namespace {

using aehost::RenderRequest;
using aehost::RenderResult;
using aehost::testing::joinedProblems;

// Renders of different frames on several threads must give exactly what one thread gives:
// every render has its own in_data, worlds and records, and what they share is locked.
class HostRenderThreads : public ProbeRenderTest {
 protected:
  void SetUp() override {
    aehost::Image layer(48, 24, PF_PixelFormat_ARGB32);
    for (A_long y = 0; y < 24; ++y) {
      for (A_long x = 0; x < 48; ++x) layer.set(x, y, PF_Pixel8{200, static_cast<A_u_char>(x * 5), static_cast<A_u_char>(y * 9), 77});
    }
    instance.layer().setPixels(layer);
    setUp();
    probe.maskToDraw = instance.layer().addMask(aehost::rectangleMask("Box", 2, 2, 40, 20));
    probe.progressSteps = 3;
    probe.markOpacity = 180;
    probe.markOpacitySu = 20000;
  }

  std::vector<RenderRequest> frames(int bitDepth, aehost::RenderPath path) const {
    std::vector<RenderRequest> requests;
    for (A_long frame = 0; frame < 12; ++frame) {
      RenderRequest request = renderRequest(frame, bitDepth, path);
      if (frame % 3 == 1) request.downsampleX = request.downsampleY = {1, 2};
      requests.push_back(request);
    }
    return requests;
  }

  void expectSame(const std::vector<RenderResult>& serial, const std::vector<RenderResult>& threaded) {
    ASSERT_EQ(serial.size(), threaded.size());
    for (std::size_t i = 0; i < serial.size(); ++i) {
      EXPECT_EQ(serial[i].err, PF_Err_NONE) << "frame " << i;
      EXPECT_EQ(threaded[i].err, PF_Err_NONE) << "frame " << i;
      EXPECT_EQ(serial[i].image, threaded[i].image) << "frame " << i;
      EXPECT_EQ(serial[i].progress, threaded[i].progress) << "frame " << i;
      EXPECT_EQ(threaded[i].timeTicks, static_cast<A_long>(i));
    }
  }
};

TEST_F(HostRenderThreads, ThreadedSmartRendersMatchSerialOnes) {
  ASSERT_TRUE(instance.supportsThreadedRendering());
  for (const int depth : {8, 16, 32}) {
    const auto serial = instance.renderFrames(frames(depth, aehost::RenderPath::Smart), 1);
    const auto threaded = instance.renderFrames(frames(depth, aehost::RenderPath::Smart), 4);
    expectSame(serial, threaded);
  }
  // Frames differ from each other: the mark moves.
  const auto two = instance.renderFrames(frames(8, aehost::RenderPath::Smart), 2);
  EXPECT_GT(aehost::countDifferingPixels(two[0].image, two[3].image), 0u);
  tearDown();
  EXPECT_TRUE(host.problems().empty()) << joinedProblems(host.problems());
  EXPECT_TRUE(host.worlds().liveWorlds().empty());
}

TEST_F(HostRenderThreads, ThreadedClassicRendersMatchSerialOnes) {
  probe.frameDataAtSetup = true;
  const auto serial = instance.renderFrames(frames(16, aehost::RenderPath::Classic), 1);
  const auto threaded = instance.renderFrames(frames(16, aehost::RenderPath::Classic), 3);
  expectSame(serial, threaded);
  tearDown();
  EXPECT_TRUE(host.problems().empty()) << joinedProblems(host.problems());
}

TEST_F(HostRenderThreads, MisbehaviourOnSeveralThreadsIsStillCaught) {
  probe.leakTempWorld = true;
  probe.skipPixelCheckin = true;
  const auto results = instance.renderFrames(frames(8, aehost::RenderPath::Smart), 4);
  tearDown();
  const auto problems = host.problems();
  std::size_t leaks = 0, checkins = 0;
  for (const std::string& p : problems) {
    if (p.find("leaked world") != std::string::npos) ++leaks;
    if (p.find("was not checked in") != std::string::npos) ++checkins;
  }
  EXPECT_EQ(leaks, 12u) << joinedProblems(problems);
  EXPECT_EQ(checkins, 12u) << joinedProblems(problems);
  EXPECT_EQ(host.worlds().liveWorlds().size(), 12u);  // only the leaked ones
}

}  // namespace
