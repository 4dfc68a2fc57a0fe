// The Inkline module loaded by the simulated host, as After Effects would, for one test.
// Each test gets a fresh private copy of the module, a fresh host and an empty application-data
// folder (no stored defaults); whatever the effect acquired and did not give back fails the test.
#pragma once

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "aehost/EffectInstance.h"
#include "aehost/Host.h"
#include "aehost/PluginModule.h"
#include "support/TempAppData.h"

class InklineTest : public ::testing::Test {
protected:
  void TearDown() override { EXPECT_THAT(host.problems(), ::testing::IsEmpty()); }

  TempAppData appData;
  aehost::Host host;
  aehost::PluginModule module{INKLINE_MODULE_PATH};
  aehost::EffectInstance effect{host, module};
};
