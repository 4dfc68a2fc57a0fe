#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "aehost/CallbackTables.h"
#include "aehost/Host.h"
#include "aehost/HostScope.h"
#include "aehost/Image.h"
#include "aehost/ImageMemory.h"
#include "aehost/WorldRegistry.h"
#include "aehost/PixelFormats.h"
#include "aehost_testing/ProbeInstance.h"

namespace {

using aehost::Host;
using aehost::HostScope;
using aehost::testing::anyProblemContains;
using aehost::testing::joinedProblems;

// Tests drive the suites as an effect would, inside a scope naming a pretend effect_ref.
class HostWorlds : public ::testing::Test {
 protected:
  Host host;
  int effect = 0;
  PF_ProgPtr ref = reinterpret_cast<PF_ProgPtr>(&effect);
  HostScope scope{host, "test code", ref};
  const PF_WorldSuite2& suite2 = aehost::worldSuite2();
  const PF_WorldSuite1& suite1 = aehost::worldSuite1();

  PF_EffectWorld make(A_long w, A_long h, PF_PixelFormat format, bool clear = true) {
    PF_EffectWorld world{};
    EXPECT_EQ(suite2.PF_NewWorld(ref, w, h, clear ? 1 : 0, format, &world), PF_Err_NONE);
    return world;
  }
  void expectClean() { EXPECT_TRUE(host.problems().empty()) << joinedProblems(host.problems()); }
};

TEST_F(HostWorlds, NewWorldInEachFormat) {
  struct Case {
    PF_PixelFormat format;
    A_long pixelBytes;
    PF_WorldFlags deep;
  };
  for (const Case c : {Case{PF_PixelFormat_ARGB32, 4, 0}, Case{PF_PixelFormat_ARGB64, 8, PF_WorldFlag_DEEP},
                       Case{PF_PixelFormat_ARGB128, 16, 0}}) {
    PF_EffectWorld world = make(5, 3, c.format);
    EXPECT_NE(world.data, nullptr);
    EXPECT_EQ(world.width, 5);
    EXPECT_EQ(world.height, 3);
    EXPECT_EQ(world.rowbytes, 5 * c.pixelBytes + 32) << aehost::formatName(c.format);
    EXPECT_EQ(world.world_flags & PF_WorldFlag_DEEP, c.deep);
    EXPECT_EQ(world.extent_hint.right, 5);
    EXPECT_EQ(world.extent_hint.bottom, 3);
    EXPECT_EQ(world.pix_aspect_ratio.num, 1);
    PF_PixelFormat format = 0;
    EXPECT_EQ(suite2.PF_GetPixelFormat(&world, &format), PF_Err_NONE);
    EXPECT_EQ(format, c.format);
    // Cleared: every channel of every pixel zero.
    for (A_long y = 0; y < 3; ++y) {
      const auto* row = reinterpret_cast<const unsigned char*>(world.data) + y * world.rowbytes;
      for (A_long i = 0; i < 5 * c.pixelBytes; ++i) ASSERT_EQ(row[i], 0);
    }
    ASSERT_EQ(host.worlds().liveWorlds().size(), 1u);
    EXPECT_EQ(host.worlds().liveWorlds()[0].owner, aehost::WorldOwner::Effect);
    EXPECT_EQ(suite2.PF_DisposeWorld(ref, &world), PF_Err_NONE);
  }
  EXPECT_TRUE(host.worlds().liveWorlds().empty());
  expectClean();
}

TEST_F(HostWorlds, UnclearedWorldsHoldAPattern) {
  PF_EffectWorld world = make(2, 2, PF_PixelFormat_ARGB32, false);
  EXPECT_EQ(reinterpret_cast<const unsigned char*>(world.data)[0], 0xA5);
  suite2.PF_DisposeWorld(ref, &world);
  expectClean();
}

TEST_F(HostWorlds, RowPaddingIsConfigurable) {
  host.worlds().setRowPaddingBytes(0);
  PF_EffectWorld tight = make(7, 2, PF_PixelFormat_ARGB32);
  EXPECT_EQ(tight.rowbytes, 28);
  host.worlds().setRowPaddingBytes(64);
  PF_EffectWorld wide = make(7, 2, PF_PixelFormat_ARGB128);
  EXPECT_EQ(wide.rowbytes, 7 * 16 + 64);
  EXPECT_THROW(host.worlds().setRowPaddingBytes(10), std::invalid_argument);
  suite2.PF_DisposeWorld(ref, &tight);
  suite2.PF_DisposeWorld(ref, &wide);
  expectClean();

  aehost::HostOptions options;
  options.worldRowPaddingBytes = 16;
  Host other(options);
  EXPECT_EQ(other.worlds().rowPaddingBytes(), 16);
}

TEST_F(HostWorlds, Version1MakesEightAndSixteenBitWorlds) {
  PF_EffectWorld world{};
  ASSERT_EQ(suite1.new_world(ref, 4, 4, PF_NewWorldFlag_CLEAR_PIXELS | PF_NewWorldFlag_DEEP_PIXELS, &world), PF_Err_NONE);
  EXPECT_NE(world.world_flags & PF_WorldFlag_DEEP, 0);
  EXPECT_EQ(host.worlds().info(world)->format, PF_PixelFormat_ARGB64);
  EXPECT_EQ(suite1.dispose_world(ref, &world), PF_Err_NONE);
  ASSERT_EQ(suite1.new_world(ref, 4, 4, PF_NewWorldFlag_NONE, &world), PF_Err_NONE);
  EXPECT_EQ(host.worlds().info(world)->format, PF_PixelFormat_ARGB32);
  EXPECT_EQ(reinterpret_cast<const unsigned char*>(world.data)[0], 0xA5);  // not cleared
  EXPECT_EQ(suite1.dispose_world(ref, &world), PF_Err_NONE);
  expectClean();
}

TEST_F(HostWorlds, SuitesAreServedAndCanBeRemoved) {
  SPBasicSuite* basic = host.basicSuite();
  const void* table = nullptr;
  EXPECT_EQ(basic->AcquireSuite(kPFWorldSuite, kPFWorldSuiteVersion2, &table), kSPNoError);
  EXPECT_EQ(table, &suite2);
  basic->ReleaseSuite(kPFWorldSuite, kPFWorldSuiteVersion2);
  EXPECT_EQ(basic->AcquireSuite(kPFWorldSuite, kPFWorldSuiteVersion1, &table), kSPNoError);
  EXPECT_EQ(table, &suite1);
  basic->ReleaseSuite(kPFWorldSuite, kPFWorldSuiteVersion1);

  host.suites().remove(kPFWorldSuite, kPFWorldSuiteVersion2);
  EXPECT_EQ(basic->AcquireSuite(kPFWorldSuite, kPFWorldSuiteVersion2, &table), kSPSuiteNotFoundError);
  host.suites().remove(kPFWorldSuite, kPFWorldSuiteVersion1);
  EXPECT_EQ(basic->AcquireSuite(kPFWorldSuite, kPFWorldSuiteVersion1, &table), kSPSuiteNotFoundError);
  for (const char* name : {kPFFillMatteSuite, kPFWorldTransformSuite, kPFPathQuerySuite, kPFPathDataSuite}) {
    EXPECT_TRUE(host.suites().has(name, name == std::string(kPFFillMatteSuite) ? 2 : 1)) << name;
  }
  expectClean();
}

TEST_F(HostWorlds, AllocationFaultFailsTheNthWorld) {
  host.worlds().failNthAllocation(2, PF_Err_INTERNAL_STRUCT_DAMAGED);
  PF_EffectWorld first = make(2, 2, PF_PixelFormat_ARGB32);
  PF_EffectWorld second{};
  second.data = reinterpret_cast<PF_PixelPtr>(&effect);
  EXPECT_EQ(suite2.PF_NewWorld(ref, 2, 2, 1, PF_PixelFormat_ARGB32, &second), PF_Err_INTERNAL_STRUCT_DAMAGED);
  EXPECT_EQ(second.data, nullptr);
  PF_EffectWorld third = make(2, 2, PF_PixelFormat_ARGB32);
  suite2.PF_DisposeWorld(ref, &first);
  suite2.PF_DisposeWorld(ref, &third);
  expectClean();
}

TEST_F(HostWorlds, BadRequestsFail) {
  PF_EffectWorld world{};
  EXPECT_EQ(suite2.PF_NewWorld(ref, 0, 4, 1, PF_PixelFormat_ARGB32, &world), PF_Err_BAD_CALLBACK_PARAM);
  EXPECT_EQ(suite2.PF_NewWorld(ref, 4, 4, 1, PF_PixelFormat_BGRA32, &world), PF_Err_BAD_CALLBACK_PARAM);
  EXPECT_TRUE(anyProblemContains(host.problems(), "pixel format bgra"));
  int other = 0;
  EXPECT_EQ(suite2.PF_NewWorld(reinterpret_cast<PF_ProgPtr>(&other), 4, 4, 1, PF_PixelFormat_ARGB32, &world),
            PF_Err_BAD_CALLBACK_PARAM);
  EXPECT_TRUE(anyProblemContains(host.problems(), "effect_ref is not the one"));
}

TEST_F(HostWorlds, EffectMadeWorldsMustBeDisposed) {
  PF_EffectWorld world = make(3, 3, PF_PixelFormat_ARGB64);
  const auto problems = host.problems();
  ASSERT_EQ(problems.size(), 1u);
  EXPECT_NE(problems[0].find("leaked world #1 (3 x 3 ae16, effect-owned, created during test code)"), std::string::npos)
      << problems[0];
  suite2.PF_DisposeWorld(ref, &world);
  expectClean();
}

TEST_F(HostWorlds, DisposingTwiceOrAnUnknownWorldIsAProblem) {
  PF_EffectWorld world = make(3, 3, PF_PixelFormat_ARGB32);
  PF_EffectWorld copy = world;
  EXPECT_EQ(suite2.PF_DisposeWorld(ref, &world), PF_Err_NONE);
  EXPECT_EQ(suite2.PF_DisposeWorld(ref, &copy), PF_Err_BAD_CALLBACK_PARAM);
  EXPECT_TRUE(anyProblemContains(host.problems(), "after it was disposed")) << joinedProblems(host.problems());

  host.clearRecordedProblems();
  PF_Pixel pixels[4] = {};
  PF_EffectWorld foreign{};
  foreign.data = pixels;
  foreign.width = foreign.height = 2;
  foreign.rowbytes = 8;
  EXPECT_EQ(suite2.PF_DisposeWorld(ref, &foreign), PF_Err_BAD_CALLBACK_PARAM);
  PF_PixelFormat format = 0;
  EXPECT_EQ(suite2.PF_GetPixelFormat(&foreign, &format), PF_Err_BAD_CALLBACK_PARAM);
  EXPECT_TRUE(anyProblemContains(host.problems(), "a world this host never made")) << joinedProblems(host.problems());
}

TEST_F(HostWorlds, TheEffectMayNotDisposeHostWorlds) {
  PF_EffectWorld hostWorld{};
  ASSERT_EQ(host.worlds().create(4, 4, PF_PixelFormat_ARGB32, true, aehost::WorldOwner::Host, &hostWorld), PF_Err_NONE);
  EXPECT_EQ(suite2.PF_DisposeWorld(ref, &hostWorld), PF_Err_BAD_CALLBACK_PARAM);
  EXPECT_TRUE(anyProblemContains(host.problems(), "the host owns and disposes it"));
  EXPECT_TRUE(host.worlds().info(hostWorld).has_value());
  host.clearRecordedProblems();
  EXPECT_EQ(host.worlds().dispose(&hostWorld, "host", aehost::WorldOwner::Host), PF_Err_NONE);
  expectClean();
}

TEST_F(HostWorlds, WritesOutsideThePixelsAreCaught) {
  PF_EffectWorld world = make(4, 2, PF_PixelFormat_ARGB32);
  auto* bytes = reinterpret_cast<unsigned char*>(world.data);
  bytes[world.rowbytes * 2] = 1;  // just after the last row
  EXPECT_TRUE(anyProblemContains(host.problems(), "data written after the last row of world #1"));
  bytes[-1] = 1;  // just before the first
  EXPECT_TRUE(anyProblemContains(host.problems(), "data written before the first row"));
  suite2.PF_DisposeWorld(ref, &world);
  EXPECT_TRUE(anyProblemContains(host.problems(), "PF_WorldSuite2.PF_DisposeWorld: data written after the last row"));
}

// A world made from a pool, rows packed, hands its pixels to an image as they lie; guards are
// still checked, and the memory goes back to the pool with the image. Padded rows or memory of
// the registry's own are not handed over.
TEST_F(HostWorlds, PooledPackedWorldsHandTheirPixelsToAnImage) {
  auto pool = std::make_shared<aehost::ImageMemoryPool>();
  aehost::WorldRegistry& worlds = host.worlds();
  const auto madeWith = [&](A_long width, A_long height, PF_PixelFormat format, std::shared_ptr<aehost::ImageMemoryPool> memory) {
    PF_EffectWorld world{};
    EXPECT_EQ(worlds.create(width, height, format, true, aehost::WorldOwner::Host, &world, std::move(memory)), PF_Err_NONE);
    return world;
  };

  PF_EffectWorld padded = madeWith(4, 2, PF_PixelFormat_ARGB32, pool);
  EXPECT_FALSE(worlds.disposeIntoImage(padded, "test"));
  EXPECT_TRUE(worlds.info(padded));
  worlds.dispose(&padded, "test", aehost::WorldOwner::Host);

  worlds.setRowPaddingBytes(0);
  PF_EffectWorld own = madeWith(4, 2, PF_PixelFormat_ARGB32, nullptr);
  EXPECT_FALSE(worlds.disposeIntoImage(own, "test"));
  worlds.dispose(&own, "test", aehost::WorldOwner::Host);
  expectClean();

  for (const PF_PixelFormat format : {PF_PixelFormat_ARGB32, PF_PixelFormat_ARGB64, PF_PixelFormat_ARGB128}) {
    // 1024 x 300 is over a megabyte in every depth: the pool keeps it.
    PF_EffectWorld world = madeWith(1024, 300, format, pool);
    auto* bytes = reinterpret_cast<unsigned char*>(world.data);
    const std::size_t size = static_cast<std::size_t>(world.rowbytes) * 300;
    for (std::size_t k = 0; k < size; ++k) bytes[k] = static_cast<unsigned char>(k * 7 + 1);
    std::optional<aehost::Image> image = worlds.disposeIntoImage(world, "test");
    ASSERT_TRUE(image);
    EXPECT_FALSE(worlds.info(world));
    EXPECT_EQ(image->format(), format);
    EXPECT_EQ(image->width(), 1024);
    EXPECT_EQ(image->bytes().data(), reinterpret_cast<std::byte*>(bytes));
    ASSERT_EQ(image->bytes().size(), size);
    bool same = true;
    for (std::size_t k = 0; k < size; ++k) same = same && image->bytes()[k] == std::byte(static_cast<unsigned char>(k * 7 + 1));
    EXPECT_TRUE(same);
    image.reset();
    PF_EffectWorld next = madeWith(1024, 300, format, pool);
    EXPECT_EQ(next.data, world.data) << "the image's memory went back to the pool";
    worlds.dispose(&next, "test", aehost::WorldOwner::Host);
  }
  expectClean();

  PF_EffectWorld damaged = madeWith(4, 2, PF_PixelFormat_ARGB32, pool);
  reinterpret_cast<unsigned char*>(damaged.data)[-1] = 1;
  EXPECT_TRUE(worlds.disposeIntoImage(damaged, "handing over"));
  EXPECT_TRUE(anyProblemContains(host.problems(), "handing over: data written before the first row"))
      << joinedProblems(host.problems());
}

TEST_F(HostWorlds, RowsAssumedTightlyPackedWriteIntoThePadding) {
  PF_EffectWorld world = make(4, 3, PF_PixelFormat_ARGB32);
  // An effect that thinks rows are width * 4 bytes apart writes row 1 into row 0's padding.
  auto* pixels = reinterpret_cast<PF_Pixel*>(world.data);
  for (int i = 0; i < 12; ++i) pixels[i] = PF_Pixel{255, 1, 2, 3};
  EXPECT_TRUE(anyProblemContains(host.problems(), "(first in row 0; rows are rowbytes apart"))
      << joinedProblems(host.problems());
  host.worlds().setCheckRowPadding(false);
  EXPECT_FALSE(anyProblemContains(host.problems(), "row padding"));
  suite2.PF_DisposeWorld(ref, &world);
}

TEST_F(HostWorlds, SubWorldsInsideAKnownWorldAreAccepted) {
  PF_EffectWorld world = make(8, 8, PF_PixelFormat_ARGB32);
  PF_EffectWorld part = world;
  part.data = reinterpret_cast<PF_PixelPtr>(reinterpret_cast<char*>(world.data) + 2 * world.rowbytes + 2 * 4);
  part.width = part.height = 4;
  PF_PixelFormat format = 0;
  EXPECT_EQ(suite2.PF_GetPixelFormat(&part, &format), PF_Err_NONE);
  EXPECT_EQ(format, PF_PixelFormat_ARGB32);
  part.height = 7;  // reaches past the end
  EXPECT_EQ(suite2.PF_GetPixelFormat(&part, &format), PF_Err_BAD_CALLBACK_PARAM);
  EXPECT_TRUE(anyProblemContains(host.problems(), "reach outside world #1"));
  host.clearRecordedProblems();
  suite2.PF_DisposeWorld(ref, &world);
  expectClean();
}

}  // namespace

namespace {

// A layer's pixels are handed to every render in one read-only world, made once per image:
// the same memory for each holder, live while any render holds it, and gone from the audit
// when none does.
TEST_F(HostWorlds, InputWorldsAreSharedReadOnlyAndCountTheirHolders) {
  auto image = std::make_shared<const aehost::Image>(aehost::Image::filled(3, 2, PF_Pixel{200, 10, 20, 30}));
  aehost::WorldRegistry& worlds = host.worlds();
  PF_EffectWorld first{};
  PF_EffectWorld second{};
  ASSERT_EQ(worlds.createHolding(image, aehost::WorldOwner::Host, &first), PF_Err_NONE);
  ASSERT_EQ(worlds.createHolding(image, aehost::WorldOwner::Host, &second), PF_Err_NONE);
  EXPECT_EQ(first.data, second.data);
  EXPECT_EQ(first.world_flags & PF_WorldFlag_WRITEABLE, 0);
  EXPECT_EQ(first.rowbytes, 3 * 4 + 32);
  for (A_long y = 0; y < 2; ++y) {
    EXPECT_EQ(std::memcmp(reinterpret_cast<const char*>(first.data) + y * first.rowbytes,
                          image->bytes().data() + y * image->rowBytes(), image->rowBytes()),
              0);
  }
  EXPECT_DEATH(reinterpret_cast<volatile unsigned char*>(first.data)[0] = 1, "");

  EXPECT_EQ(worlds.dispose(&first, "test", aehost::WorldOwner::Host), PF_Err_NONE);
  EXPECT_EQ(worlds.liveWorlds().size(), 1u);
  EXPECT_EQ(worlds.dispose(&second, "test", aehost::WorldOwner::Host), PF_Err_NONE);
  EXPECT_TRUE(worlds.liveWorlds().empty());
  expectClean();
  EXPECT_EQ(worlds.dispose(&second, "test", aehost::WorldOwner::Host), PF_Err_BAD_CALLBACK_PARAM);
  EXPECT_TRUE(anyProblemContains(host.problems(), "after it was disposed"));

  // Asked for again, the same pixels come back as a new live world; another image (even of
  // the same pixels) gets a world of its own.
  PF_EffectWorld third{};
  ASSERT_EQ(worlds.createHolding(image, aehost::WorldOwner::Host, &third), PF_Err_NONE);
  EXPECT_EQ(third.data, first.data);
  EXPECT_EQ(worlds.liveWorlds().size(), 1u);
  auto copy = std::make_shared<const aehost::Image>(*image);
  PF_EffectWorld other{};
  ASSERT_EQ(worlds.createHolding(copy, aehost::WorldOwner::Host, &other), PF_Err_NONE);
  EXPECT_NE(other.data, first.data);
  EXPECT_EQ(worlds.dispose(&third, "test", aehost::WorldOwner::Host), PF_Err_NONE);
  EXPECT_EQ(worlds.dispose(&other, "test", aehost::WorldOwner::Host), PF_Err_NONE);
  EXPECT_TRUE(worlds.liveWorlds().empty());
}

}  // namespace
