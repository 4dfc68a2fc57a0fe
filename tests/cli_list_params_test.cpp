// --list-params (table and JSON) and --about: the plug-in describing itself through the host.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "cli/RunRenderer.h"

namespace {

using cli_test::filesUnder;
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
         {"index", "id", "name", "kind", "group", "default", "valid_min", "valid_max", "slider_min", "slider_max"}) {
      EXPECT_TRUE(entry.contains(key)) << key << " missing in " << entry.dump();
    }
    EXPECT_EQ(entry.size(), 10u);
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
  // The group each parameter sits in: none at the top, a group's start in the group around it.
  EXPECT_EQ(thickness["group"], nullptr);
  EXPECT_EQ(find("In/Out")["group"], nullptr);
  EXPECT_EQ(find("Start Thickness")["group"], "In/Out");
  EXPECT_EQ(find("Wave")["group"], nullptr);
  std::size_t grouped = 0;
  for (const auto& entry : panel) grouped += entry["group"].is_string() ? 1 : 0;
  EXPECT_GT(grouped, 30u);
}

TEST(CliListMasks, PrintsEachMaskOfTheScene) {
  ScratchFolder dir;
  dir.write("art.svg", R"(<svg xmlns="http://www.w3.org/2000/svg"><rect id="Box" x="10" y="20" width="30" height="40"/></svg>)");
  const auto scene = dir.write("scene.json", R"({ "layer": { "width": 100, "height": 100 }, "svg": "art.svg",
      "masks": [ { "name": "Arch", "path": "M 0 50 C 0 0 100 0 100 50" } ] })");
  const auto text = runRenderer({"--list-masks", scene.string()}, dir.path());
  ASSERT_EQ(text.exitCode, 0) << text.err;
  EXPECT_THAT(text.out, HasSubstr("     1 Arch  2         open    x 0 to 100, y 12.5 to 50\n"));
  EXPECT_THAT(text.out, HasSubstr("     2 Box   4         closed  x 10 to 40, y 20 to 60\n"));

  const auto json = runRenderer({"--list-masks", scene.string(), "--json"}, dir.path());
  ASSERT_EQ(json.exitCode, 0) << json.err;
  const nlohmann::json masks = nlohmann::json::parse(json.out);
  ASSERT_EQ(masks.size(), 2u);
  EXPECT_EQ(masks[0]["name"], "Arch");
  EXPECT_EQ(masks[0]["closed"], false);
  EXPECT_EQ(masks[0]["vertices"], 2);
  // The curve's top: y(t) = 50 - 150 t (1 - t) is least at t = 1/2, 12.5; not the control points' 0.
  EXPECT_DOUBLE_EQ(masks[0]["bounds"]["top"].get<double>(), 12.5);
  EXPECT_EQ(masks[1]["number"], 2);
  EXPECT_EQ(masks[1]["bounds"], (nlohmann::json{{"left", 10.0}, {"top", 20.0}, {"right", 40.0}, {"bottom", 60.0}}));
  EXPECT_TRUE(filesUnder(dir.path()) == (std::vector<std::string>{"art.svg", "scene.json"})) << "nothing written";

  EXPECT_EQ(runRenderer({"--list-masks"}, dir.path()).exitCode, 2);  // needs a scene
}

TEST(CliArguments, EmptyValuesAreErrors) {
  ScratchFolder dir;
  for (const std::vector<std::string>& arguments : std::vector<std::vector<std::string>>{
           {"-o", ""}, {"--output="}, {"--frames", ""}, {"--contact-sheet", ""}, {"--module", ""}, {""}, {"--json"}}) {
    const auto run = runRenderer(arguments, dir.path());
    EXPECT_EQ(run.exitCode, 2) << arguments[0];
    EXPECT_THAT(run.err, ::testing::AnyOf(HasSubstr("needs a value, found an empty one"), HasSubstr("--json goes with"), HasSubstr("required TEXT missing"),
                                          HasSubstr("--module")))
        << arguments[0] << ": " << run.err;
    EXPECT_TRUE(filesUnder(dir.path()).empty()) << arguments[0];
  }
}

TEST(CliAbout, PrintsTheAboutText) {
  ScratchFolder dir;
  const auto run = runRenderer({"--about"}, dir.path());
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_THAT(run.out, HasSubstr("Inkline"));
  EXPECT_THAT(run.out, ::testing::Not(HasSubstr("\r")));
}

}  // namespace
