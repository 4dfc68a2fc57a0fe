// inkline-render --save-defaults and --reset-defaults: the module's options command stores
// a scene's values as the defaults a later scene without parameters renders with, and
// restores the built-in ones.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "cli/RunRenderer.h"

namespace {

using cli_test::readFile;
using cli_test::runRenderer;
using cli_test::ScratchFolder;

const char* const kLayerAndMasks = R"(
  "layer": { "width": 80, "height": 60, "background": "#f4efe4" },
  "frames": { "start": 3, "end": 3 },
  "masks": [ { "name": "Curve", "path": "M 6 50 C 20 5 60 5 74 40" } ])";

const std::string kStyledScene = std::string("{") + kLayerAndMasks + R"(,
  "params": { "Thickness": 12.5, "Color": "#336699", "Clear Background": false, "Start Thickness": 40,
              "Opacity": [ { "time": 0, "value": 20 }, { "time": 0.125, "value": 80 } ] } })";
const std::string kPlainScene = std::string("{") + kLayerAndMasks + " }";

// The simulated system's application-data folder: one of the test's own, for the renderer
// it starts.
class ConfigHome {
 public:
  explicit ConfigHome(const std::filesystem::path& folder) {
    std::filesystem::create_directories(folder);
    if (const char* old = std::getenv("XDG_CONFIG_HOME")) old_ = old;
    setenv("XDG_CONFIG_HOME", folder.c_str(), 1);
  }
  ~ConfigHome() {
    if (old_) {
      setenv("XDG_CONFIG_HOME", old_->c_str(), 1);
    } else {
      unsetenv("XDG_CONFIG_HOME");
    }
  }
  ConfigHome(const ConfigHome&) = delete;
  ConfigHome& operator=(const ConfigHome&) = delete;

 private:
  std::optional<std::string> old_;
};

class StoredDefaultsCli : public ::testing::Test {
 protected:
  // The one frame of the scene, rendered into a folder of its own.
  std::string render(const std::string& sceneText, const std::string& name) {
    const auto scene = scratch.write(name + ".json", sceneText);
    const auto result = runRenderer({scene.string(), "-o", (scratch / name).string()}, scratch.path());
    EXPECT_EQ(result.exitCode, 0) << result.err;
    return readFile(scratch / name / "frame_0003.png");
  }

  ScratchFolder scratch;
  ConfigHome config{scratch / "config"};
};

TEST_F(StoredDefaultsCli, SavedValuesAreWhatAnUnstyledSceneRendersWithUntilReset) {
  const std::string builtIn = render(kPlainScene, "before");
  const std::string styled = render(kStyledScene, "styled");
  ASSERT_NE(builtIn, styled);

  const auto scene = scratch.write("save.json", kStyledScene);
  const auto saved = runRenderer({"--save-defaults", scene.string()}, scratch.path());
  ASSERT_EQ(saved.exitCode, 0) << saved.err;
  EXPECT_THAT(readFile(scratch / "config" / "Tarsk" / "Vellum" / "Inkline.ini"),
              ::testing::HasSubstr("Thickness=12.500000"));
  // The keyframed opacity is stored as it stands at the scene's first frame (3 of 24 a second).
  EXPECT_THAT(readFile(scratch / "config" / "Tarsk" / "Vellum" / "Inkline.ini"),
              ::testing::HasSubstr("Opacity=80.000000"));
  EXPECT_EQ(render(kPlainScene, "after-save"), render(std::string("{") + kLayerAndMasks + R"(,
    "params": { "Thickness": 12.5, "Color": "#336699", "Clear Background": false, "Start Thickness": 40,
                "Opacity": 80 } })", "explicit"));

  const auto reset = runRenderer({"--reset-defaults"}, scratch.path());
  ASSERT_EQ(reset.exitCode, 0) << reset.err;
  EXPECT_FALSE(std::filesystem::exists(scratch / "config" / "Tarsk"));
  EXPECT_EQ(render(kPlainScene, "after-reset"), builtIn);
}

TEST_F(StoredDefaultsCli, WrongUseIsRefused) {
  EXPECT_EQ(runRenderer({"--save-defaults"}, scratch.path()).exitCode, 2);
  const auto scene = scratch.write("s.json", kPlainScene);
  EXPECT_EQ(runRenderer({"--reset-defaults", scene.string()}, scratch.path()).exitCode, 2);
  EXPECT_EQ(runRenderer({"--save-defaults", "--reset-defaults", scene.string()}, scratch.path()).exitCode, 2);
  EXPECT_FALSE(std::filesystem::exists(scratch / "config" / "Tarsk"));
}

TEST_F(StoredDefaultsCli, SavingWithoutAnApplicationDataFolderFails) {
  std::filesystem::remove_all(scratch / "config");
  const auto scene = scratch.write("s.json", kStyledScene);
  const auto result = runRenderer({"--save-defaults", scene.string()}, scratch.path());
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_THAT(result.err, ::testing::HasSubstr("stored no defaults"));
}

}  // namespace
