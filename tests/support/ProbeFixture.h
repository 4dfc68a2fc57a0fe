// One host, one freshly loaded probe effect and one instance of it, for a test.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>

#include "aehost/EffectInstance.h"
#include "aehost/RenderRequest.h"
#include "aehost_testing/ProbeInstance.h"
#include "support/ProblemText.h"

// host, module, probe and instance come from ProbeInstance; params are the instance's.
class ProbeTest : public ::testing::Test, protected aehost::testing::ProbeInstance {
 protected:
  aehost::Parameters& params = instance.parameters();

  // The parameters the probe adds at PF_Cmd_PARAMS_SETUP, in this order and no others.
  void script(std::initializer_list<PF_ParamDef> defs) {
    probe.paramsToAddCount = 0;
    for (const PF_ParamDef& def : defs) probe.paramsToAdd[probe.paramsToAddCount++] = def;
  }
  // Nothing has gone wrong so far.
  void expectClean() { EXPECT_TRUE(host.problems().empty()) << joined(host.problems()); }
};

// For tests that render: expectClean first sets the instance down, so that whatever the probe
// still holds shows.
class ProbeRenderTest : public ProbeTest {
 protected:
  void expectClean() {
    tearDown();
    ProbeTest::expectClean();
  }
};

// A request for the frame at the bit depth, rendered along the path.
inline aehost::RenderRequest renderRequest(A_long frame, int bitDepth, aehost::RenderPath path) {
  aehost::RenderRequest request = aehost::RenderRequest::atFrame(frame, bitDepth);
  request.path = path;
  return request;
}
inline aehost::RenderRequest smart(A_long frame, int bitDepth = 8) {
  return renderRequest(frame, bitDepth, aehost::RenderPath::Smart);
}
inline aehost::RenderRequest classic(A_long frame, int bitDepth = 8) {
  return renderRequest(frame, bitDepth, aehost::RenderPath::Classic);
}
