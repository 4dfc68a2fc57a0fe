// --list-params (table and JSON) and --about: the plug-in describing itself through the host.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "cli/RunRenderer.h"

namespace {

using cli_test::runRenderer;
using cli_test::ScratchFolder;
using ::testing::HasSubstr;
using ::testing::MatchesRegex;

TEST(CliListParams, PrintsThePanelAsATable) {
  ScratchFolder dir;
  const auto run = runRenderer({"--list-params"}, dir.path());
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_THAT(run.out, HasSubstr("index"));
  EXPECT_THAT(run.out, ::testing::ContainsRegex("\n +6 +5 Thickness +float slider +5 +0 \\.\\. 1000 +0 \\.\\. 50\n"));
  EXPECT_THAT(run.out, ::testing::ContainsRegex("\n +4 +6 Opacity +float slider +100% +0 \\.\\. 100"));
  EXPECT_THAT(run.out, ::testing::ContainsRegex("Use All Paths +checkbox +on"));
  EXPECT_THAT(run.out, ::testing::ContainsRegex("Color +color +#000000"));
  EXPECT_TRUE(run.err.empty()) << run.err;
}

TEST(CliListParams, PrintsThePanelAsJson) {
  ScratchFolder dir;
  const auto run = runRenderer({"--list-params", "--json"}, dir.path());
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const nlohmann::json panel = nlohmann::json::parse(run.out);
  ASSERT_TRUE(panel.is_array());
  ASSERT_GT(panel.size(), 60u);
  for (const auto& entry : panel) {
    for (const char* key :
         {"index", "id", "name", "kind", "default", "valid_min", "valid_max", "slider_min", "slider_max"}) {
      EXPECT_TRUE(entry.contains(key)) << key << " missing in " << entry.dump();
    }
    EXPECT_EQ(entry.size(), 9u);
  }
  EXPECT_EQ(panel[0]["index"], 1);
  const auto find = [&](const std::string& name) {
    for (const auto& entry : panel) {
      if (entry["name"] == name) return entry;
    }
    return nlohmann::json();
  };
  const auto thickness = find("Thickness");
  EXPECT_EQ(thickness["kind"], "float slider");
  EXPECT_EQ(thickness["default"], 5.0);
  EXPECT_EQ(thickness["valid_min"], 0.0);
  EXPECT_EQ(thickness["valid_max"], 1000.0);
  EXPECT_EQ(thickness["slider_max"], 50.0);
  EXPECT_EQ(find("Loop")["default"], true);
  EXPECT_EQ(find("Loop")["valid_min"], nullptr);
  EXPECT_EQ(find("Start Color")["default"], "#ff0000");
  EXPECT_EQ(find("Random Seed")["kind"], "slider");
  EXPECT_EQ(find("Target Path")["kind"], "path");
  EXPECT_EQ(find("Wave")["kind"], "group start");
}

TEST(CliAbout, PrintsTheAboutText) {
  ScratchFolder dir;
  const auto run = runRenderer({"--about"}, dir.path());
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_THAT(run.out, HasSubstr("Inkline"));
  EXPECT_THAT(run.out, ::testing::Not(HasSubstr("\r")));
}

}  // namespace
