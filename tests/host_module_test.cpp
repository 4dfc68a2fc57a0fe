#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "aehost/ElfSection.h"
#include "aehost/FourCharCode.h"
#include "aehost/PluginModule.h"
#include "aehost_testing/ProbeModule.h"

namespace {

namespace fs = std::filesystem;
using aehost::ModuleLoadOptions;
using aehost::PluginModule;
using aehost::testing::probeControl;
using aehost::testing::probeEffectPath;

// A copy of the probe with one byte string replaced by another of the same length.
class PatchedProbe {
 public:
  PatchedProbe(const std::string& from, const std::string& to) {
    std::ifstream in(probeEffectPath(), std::ios::binary);
    std::string image((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const auto at = image.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    image.replace(at, from.size(), to);
    // Not named like the host's private copies, which PrivateCopyIsAMemoryFile counts while
    // other tests run beside it.
    path_ = fs::temp_directory_path() / ("patched-probe-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                                         "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".so");
    std::ofstream(path_, std::ios::binary) << image;
  }
  ~PatchedProbe() { fs::remove(path_); }
  const fs::path& path() const { return path_; }

 private:
  fs::path path_;
};

TEST(HostModule, LoadsTheProbeAndReadsItsPipl) {
  const PluginModule module(probeEffectPath());
  EXPECT_EQ(module.pipl().kind, aehost::fourCharCode("eFKT"));
  EXPECT_EQ(module.pipl().name, "Host Probe");
  EXPECT_EQ(module.pipl().category, "Testing");
  EXPECT_EQ(module.pipl().matchName, "AEHOST Probe");
  EXPECT_EQ(module.pipl().effectVersion, aehost::testing::kProbeVersion);
  EXPECT_EQ(module.path(), probeEffectPath());
}

// The private copy lives in memory, loaded through /proc: no file of it exists, so a process
// killed at any moment leaves nothing in the temporary folder. Copies made one after another,
// each let go before the next, still each start afresh.
TEST(HostModule, PrivateCopyIsAMemoryFile) {
  const auto ours = [] {
    std::size_t count = 0;
    for (const auto& entry : fs::directory_iterator(fs::temp_directory_path())) {
      count += entry.path().filename().string().rfind("aehost-", 0) == 0 ? 1 : 0;
    }
    return count;
  };
  const std::size_t before = ours();
  for (int i = 0; i < 3; ++i) {
    const PluginModule module(probeEffectPath());
    EXPECT_EQ(module.loadedPath().parent_path(), fs::path("/proc/self/fd"));
    EXPECT_EQ(ours(), before);
    EXPECT_EQ(probeControl(module).commandCount, 0) << "copy " << i;
    probeControl(module).commandCount = 3;
  }
}

TEST(HostModule, EveryPrivateCopyStartsWithFreshStaticState) {
  const PluginModule first(probeEffectPath());
  probeControl(first).commandCount = 5;
  const PluginModule second(probeEffectPath());
  EXPECT_EQ(probeControl(second).commandCount, 0);
  EXPECT_NE(first.id(), second.id());
}

TEST(HostModule, WithoutPrivateCopyTheFileItselfIsShared) {
  const PluginModule first(probeEffectPath(), ModuleLoadOptions{.privateCopy = false});
  const PluginModule second(probeEffectPath(), ModuleLoadOptions{.privateCopy = false});
  EXPECT_EQ(first.loadedPath(), probeEffectPath());
  probeControl(first).commandCount = 7;
  EXPECT_EQ(probeControl(second).commandCount, 7);
  probeControl(first).commandCount = 0;
}

TEST(HostModule, CallReachesTheEntryPointThePiplNames) {
  const PluginModule module(probeEffectPath());
  PF_InData in{};
  PF_OutData out{};
  EXPECT_EQ(module.call(PF_Cmd_PARAMS_SETUP, &in, &out, nullptr, nullptr, nullptr), PF_Err_NONE);
  EXPECT_EQ(out.num_params, 1);
  EXPECT_EQ(probeControl(module).lastCommand, PF_Cmd_PARAMS_SETUP);
}

TEST(HostModule, MissingFileIsAnError) {
  EXPECT_THROW(PluginModule("/nonexistent/Inkline.so"), aehost::ModuleLoadError);
}

TEST(HostModule, ModuleWithoutPiplIsRejectedBeforeLoading) {
  EXPECT_THROW(PluginModule("/proc/self/exe", ModuleLoadOptions{.privateCopy = false}), aehost::ModuleFormatError);
}

TEST(HostModule, EntryPointMissingFromExportsIsAnError) {
  // The PiPL's copy of the name, after its property length, not the export itself.
  const PatchedProbe probe(std::string("\x10\0\0\0ProbeEntryPoint", 19), std::string("\x10\0\0\0ProbeEntryPoinX", 19));
  try {
    PluginModule module(probe.path());
    FAIL() << "loaded";
  } catch (const aehost::ModuleLoadError& e) {
    EXPECT_NE(std::string(e.what()).find("ProbeEntryPoinX"), std::string::npos) << e.what();
  }
}

TEST(HostModule, NonEffectKindIsRejected) {
  const std::string kindProperty("MIB8dnik\0\0\0\0\x04\0\0\0", 16);
  const PatchedProbe probe(kindProperty + "TKFe", kindProperty + "XKFe");  // 'eFKT' as stored
  EXPECT_THROW(PluginModule(probe.path()), aehost::ModuleLoadError);
}

}  // namespace
