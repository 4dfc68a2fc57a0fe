// Worlds made through the world suites as an effect would make them, inside a scope naming a
// pretend effect_ref, and pixels read and written in them directly.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "aehost/CallbackTables.h"
#include "aehost/Host.h"
#include "aehost/HostScope.h"
#include "aehost_testing/ProbeInstance.h"

// The pixel at (x, y) of a world whose pixels are of type Pixel.
template <typename Pixel>
Pixel at(const PF_EffectWorld& world, A_long x, A_long y) {
  return reinterpret_cast<const Pixel*>(reinterpret_cast<const char*>(world.data) + y * world.rowbytes)[x];
}

template <typename Pixel>
void put(const PF_EffectWorld& world, A_long x, A_long y, const Pixel& p) {
  reinterpret_cast<Pixel*>(reinterpret_cast<char*>(world.data) + y * world.rowbytes)[x] = p;
}

// The worlds a test makes are disposed when it ends; then nothing may be left behind.
class WorldTest : public ::testing::Test {
 protected:
  aehost::Host host;
  int effect = 0;
  PF_ProgPtr ref = reinterpret_cast<PF_ProgPtr>(&effect);
  aehost::HostScope scope{host, "test code", ref};
  const PF_WorldTransformSuite1& transform = aehost::worldTransformSuite1();
  // References from make() stay good only while this has room: reserve ahead.
  std::vector<PF_EffectWorld> worlds;

  PF_EffectWorld& make(A_long w, A_long h, PF_PixelFormat format) {
    PF_EffectWorld world{};
    EXPECT_EQ(aehost::worldSuite2().PF_NewWorld(ref, w, h, 1, format, &world), PF_Err_NONE);
    worlds.push_back(world);
    return worlds.back();
  }
  void TearDown() override {
    for (PF_EffectWorld& world : worlds) aehost::worldSuite2().PF_DisposeWorld(ref, &world);
    EXPECT_TRUE(host.problems().empty()) << aehost::testing::joinedProblems(host.problems());
  }
};
