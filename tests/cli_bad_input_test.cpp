// Bad input: a message naming the file, the place and the problem, exit code 2, and nothing
// written.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "cli/RunRenderer.h"

namespace {

using cli_test::filesUnder;
using cli_test::runRenderer;
using cli_test::ScratchFolder;
using ::testing::HasSubstr;

constexpr int kBadInput = 2;

class CliBadInput : public ::testing::Test {
 protected:
  ScratchFolder dir;

  // Runs the scene text; expects exit code 2, every fragment in stderr, and no output at all.
  void expectRejected(const std::string& sceneText, const std::vector<std::string>& fragments,
                      std::vector<std::string> extra = {}) {
    const std::filesystem::path scene = dir.write("scene.json", sceneText);
    const auto before = filesUnder(dir.path());
    std::vector<std::string> arguments{scene.string(), "--output", (dir / "out").string(), "--contact-sheet",
                                       (dir / "sheet.png").string()};
    arguments.insert(arguments.end(), extra.begin(), extra.end());
    const auto run = runRenderer(arguments, dir.path());
    EXPECT_EQ(run.exitCode, kBadInput) << run.err;
    EXPECT_THAT(run.err, HasSubstr("inkline-render: "));
    for (const std::string& fragment : fragments) EXPECT_THAT(run.err, HasSubstr(fragment));
    EXPECT_TRUE(run.out.empty()) << run.out;
    EXPECT_FALSE(std::filesystem::exists(dir / "out")) << "the output folder was created";
    EXPECT_FALSE(std::filesystem::exists(dir / "sheet.png"));
    EXPECT_EQ(filesUnder(dir.path()), before) << "something was written";
  }
};

const char* const kLayer = R"("layer": { "width": 32, "height": 32 })";

std::string sceneWith(const std::string& rest) {
  return std::string("{ ") + kLayer + (rest.empty() ? "" : ", " + rest) + " }";
}

TEST_F(CliBadInput, UnreadableJson) {
  expectRejected("{\n  \"layer\": { \"width\": 32, \"height\": 32 },\n  \"frames\": { \"start\": 0 \"end\": 3 }\n}",
                 {"scene.json: not valid JSON", "line 3, column"});
}

TEST_F(CliBadInput, MissingSceneFile) {
  const auto run = runRenderer({(dir / "none.json").string(), "--output", (dir / "out").string()}, dir.path());
  EXPECT_EQ(run.exitCode, kBadInput);
  EXPECT_THAT(run.err, HasSubstr("none.json: cannot read the scene file"));
  EXPECT_TRUE(filesUnder(dir.path()).empty());
}

TEST_F(CliBadInput, UnknownKeySuggestsTheNearest) {
  expectRejected(sceneWith(R"("frame_rat": 24)"),
                 {"scene.json: frame_rat: unknown key \"frame_rat\"; did you mean \"frame_rate\"?"});
}

TEST_F(CliBadInput, UnknownParameterSuggestsTheNearest) {
  expectRejected(sceneWith(R"("params": { "Thikness": 3 })"),
                 {"scene.json: params.Thikness: unknown parameter \"Thikness\"; did you mean \"Thickness\"?"});
  expectRejected(sceneWith(R"("params": { "enable wave": true })"),
                 {"params[\"enable wave\"]", "did you mean \"Enable Wave\"?"});
}

TEST_F(CliBadInput, ValuesOutsideTheValidRange) {
  expectRejected(sceneWith(R"("params": { "Opacity": 150 })"),
                 {"scene.json: params.Opacity: 150 is outside the valid range", "0 to 100"});
  expectRejected(sceneWith(R"("params": { "Copy Number": 101 })"), {"params[\"Copy Number\"]", "0 to 100"});
  expectRejected(sceneWith(R"("params": { "Length": [ { "time": 0, "value": 0 }, { "time": 1, "value": -101 } ] })"),
                 {"params.Length[1].value: -101 is outside the valid range"});
}

TEST_F(CliBadInput, ValuesOfTheWrongKind) {
  expectRejected(sceneWith(R"("params": { "Loop": 1 })"), {"params.Loop: expected true or false, found the number 1"});
  expectRejected(sceneWith(R"("params": { "Color": "#12g456" })"), {"params.Color", "not a hexadecimal colour"});
  expectRejected(sceneWith(R"("params": { "Copy Number": 2.5 })"), {"takes whole numbers"});
  expectRejected(sceneWith(R"("params": { "Target Path": "Nowhere" })"), {"there is no mask named \"Nowhere\""});
  expectRejected(sceneWith(R"("masks": [ "M 1 1 L 5 5" ], "params": { "Target Path": 2 })"),
                 {"params[\"Target Path\"]: 2 is outside 1 to 1"});
  expectRejected(sceneWith(R"("params": { "Wave": true })"), {"\"Wave\" is a group start and takes no value"});
  expectRejected(sceneWith(R"("params": { "Length": [ { "time": 0.5, "value": 0 }, { "time": 0.5, "value": 10 } ] })"),
                 {"params.Length: two keyframes at 0.5 s"});
}

// Numbers are checked before they are converted to the host's fixed-size types.
TEST_F(CliBadInput, NumbersBeyondWhatTheHostHolds) {
  expectRejected(sceneWith(R"("params": { "Random Seed": 1e300 })"),
                 {"params[\"Random Seed\"]: 1e+300 is outside the valid range of \"Random Seed\", 0 to 10000"});
  expectRejected(sceneWith(R"("params": { "Rotation Random": 40000 })"),
                 {"params[\"Rotation Random\"]: 40000 is outside the angles", "-32768 to 32767.99 degrees"});
  expectRejected(sceneWith(R"("frame_rate": 999, "params": { "Length": [ { "time": 4299, "value": 3 } ] })"),
                 {"params.Length[0].time: at this frame rate keyframe times run up to 2149 seconds"});
  expectRejected(sceneWith(R"("params": { "Thickness": 1e400 })"), {"scene.json: not valid JSON", "1e400"});
}

TEST_F(CliBadInput, MalformedPathDataGivesThePosition) {
  expectRejected(sceneWith(R"("masks": [ { "name": "A", "path": "M 10 10 C 20 20 30 x 40 40" } ])"),
                 {"scene.json: masks[0].path: at character 20: expected a number for \"C\", found \"x\"",
                  "\n    M 10 10 C 20 20 30 x 40 40\n                       ^\n"});
  expectRejected(sceneWith(R"("masks": [ "L 10 10" ])"),
                 {"masks[0]: at character 1: path data must begin with a moveto"});
  expectRejected(sceneWith(R"("masks": [ "M 0 0 A 5 5 0 0 9 10 10" ])"), {"at character 17: expected a flag (0 or 1) for \"A\", found \"9\""});
  expectRejected(sceneWith(R"("masks": [ "M 0 0" ])"), {"draws nothing"});
}

TEST_F(CliBadInput, BadSvgFiles) {
  expectRejected(sceneWith(R"("svg": "missing.svg")"), {"scene.json: svg: ", "missing.svg: cannot read the SVG file"});
  dir.write("broken.svg", "<svg><path d=\"M 0 0 L 5 5\"></svg>");
  expectRejected(sceneWith(R"("svg": "broken.svg")"), {"broken.svg: at byte", "not valid XML"});
  dir.write("bad.svg", "<svg>\n<path d=\"M 0 0 L 5 5\"/>\n<path id=\"Two\" d=\"M 0 0 L 5 q\"/></svg>");
  expectRejected(sceneWith(R"("svg": "bad.svg")"),
                 {"bad.svg: line 3: <path> (id \"Two\"): at character 11: expected a number for \"L\""});
  // Each problem names the file, the line and the element.
  const std::pair<const char*, const char*> broken[] = {
      {R"svg(<svg><g transform="translate(5 5"><path d="M 0 0 L 5 5"/></g></svg>)svg",
       "line 1: <g>: transform: expected a number or \")\" in translate"},
      {R"svg(<svg><g transform="spin(5)"><path d="M 0 0 L 5 5"/></g></svg>)svg", "<g>: transform: unknown transform \"spin\""},
      {R"svg(<svg><g transform="scale(1e400)"><path d="M 0 0 L 5 5"/></g></svg>)svg", "<g>: transform: expected a number"},
      {R"svg(<svg><rect width="1e400" height="5"/></svg>)svg", "<rect>: width: \"1e400\" is not a number"},
      {"<svg>\n\n<rect width=\"5furlongs\" height=\"5\"/></svg>", "line 3: <rect>: width: unknown unit \"furlongs\""},
      {R"svg(<svg viewBox="0 0 10"><path d="M 0 0 L 5 5"/></svg>)svg", "<svg>: viewBox: needs four numbers"},
      {R"svg(<svg><polygon points="1 2 3 x"/></svg>)svg", "<polygon>: points: not a list of coordinate pairs"},
      {R"svg(<svg><use id="u" href="#u"/><path d="M 0 0 L 5 5"/></svg>)svg", "<use> (id \"u\"): refers to an element that holds it"},
      {R"svg(<svg><use href="#nowhere"/></svg>)svg", "<use>: refers to \"#nowhere\", which the file does not have"},
      {R"svg(<svg><text>Hello</text><image href="a.png"/><text>again</text></svg>)svg",
       "no shape to stroke (path, rect, circle, ellipse, line, polyline or polygon); the file has only 2 <text>, 1 <image>"},
      {R"svg(<svg><defs><path id="p" d="M 0 0 L 5 5"/></defs><g style="display: none"><path d="M 0 0 L 5 5"/></g></svg>)svg",
       "no shape to stroke"},
      {R"svg(<html><path d="M 0 0 L 5 5"/></html>)svg", "line 1: <html>: the file's root element is not <svg>"},
  };
  for (const auto& [svg, problem] : broken) {
    dir.write("broken.svg", svg);
    expectRejected(sceneWith(R"("svg": "broken.svg")"), {"scene.json: svg: ", "broken.svg: ", problem});
  }
}

TEST_F(CliBadInput, KeysWrittenTwiceAreErrors) {
  expectRejected(R"({ "layer": { "width": 32, "height": 32, "width": 64 } })", {"scene.json: layer.width: the key appears twice"});
  expectRejected(sceneWith(R"("masks": [ "M 0 0 L 1 1", { "name": "A", "path": "M 0 0 L 1 1", "name": "B" } ])"),
                 {"masks[1].name: the key appears twice"});
  expectRejected(sceneWith(R"("params": { "Thickness": 3, "Length": [ { "time": 0, "value": 0 }, { "time": 1, "time": 2, "value": 9 } ], "Thickness": 4 })"),
                 {"params.Length[1].time: the key appears twice"});
  expectRejected(sceneWith(R"("params": { "Thickness": 3, "Thickness": 4 })"), {"params.Thickness: the key appears twice"});
}

TEST_F(CliBadInput, MalformedKeyframes) {
  expectRejected(sceneWith(R"("params": { "Length": [ { "frame": 0, "value": 0, "interpolation": "springy" } ] })"),
                 {"scene.json: params.Length[0].interpolation: expected \"linear\""});
  expectRejected(sceneWith(R"("masks": [ { "name": "M", "path": [ { "time": 0, "path": "M 0 0 L 1 1" }, { "time": 1, "path": "M 0 0 L 1 1 M 2 2 L 3 3" } ] } ])"),
                 {"scene.json: masks[0].path[1].path: 2 subpaths where keyframe 0 has 1"});
}

TEST_F(CliBadInput, MaskNamesMustDiffer) {
  expectRejected(sceneWith(R"("masks": [ { "name": "Hill", "path": "M 0 0 L 5 5" }, { "name": "Hill", "path": "M 1 1 L 5 5" } ])"),
                 {"scene.json: masks: mask 2 is named \"Hill\" like mask 1"});
  // An automatic name counts: the second subpath of "Hill" is "Hill 2".
  expectRejected(sceneWith(R"("masks": [ { "name": "Hill", "path": "M 0 0 L 5 5 M 1 1 L 2 2" }, { "name": "Hill 2", "path": "M 1 1 L 5 5" } ])"),
                 {"masks: mask 3 is named \"Hill 2\" like mask 2"});
  expectRejected(sceneWith(R"("masks": [ "M 0 0 L 5 5", { "name": "Mask 1", "path": "M 1 1 L 5 5" } ])"),
                 {"masks: mask 2 is named \"Mask 1\" like mask 1"});
  dir.write("twice.svg", R"(<svg><path id="a" d="M 0 0 L 5 5"/><use href="#a"/></svg>)");
  expectRejected(sceneWith(R"("svg": "twice.svg")"), {"svg: mask 2 is named \"a\" like mask 1"});
}

TEST_F(CliBadInput, MissingImage) {
  expectRejected(R"({ "layer": { "image": "paper.png" } })",
                 {"scene.json: layer.image: cannot find the image", "paper.png"});
}

TEST_F(CliBadInput, ImpossibleFrameRanges) {
  expectRejected(sceneWith(R"("frames": { "start": 10, "end": 2 })"), {"scene.json: frames: impossible frame range"});
  expectRejected(sceneWith(R"("frames": { "start": -1, "end": 2 })"), {"frames.start: -1 is outside"});
  const std::string tenFrames = sceneWith(R"("frames": { "start": 0, "end": 9 })");
  const std::pair<const char*, const char*> cases[] = {
      {"5-12", "--frames 5-12: 5-12 lies outside the scene's frames 0-9"},
      {"1,3,5-12x2", "--frames 1,3,5-12x2: 5-12 lies outside the scene's frames 0-9"},
      {"6-3", "--frames 6-3: impossible frame range 6-3"},
      {"1..3", "--frames 1..3: expected frames, ranges FIRST-LAST and steps FIRST-LASTxSTEP"},
      {"1-5x0", "--frames 1-5x0: expected"},
      {"1,,2", "--frames 1,,2: expected"},
      {"3x2", "--frames 3x2: expected"},
  };
  for (const auto& [frames, problem] : cases) expectRejected(tenFrames, {problem}, {"--frames", frames});
  for (const char* chunk : {"0/4", "5/4", "1/0", "2", "a/b", "1/4/2"}) {
    expectRejected(tenFrames, {"--chunk " + std::string(chunk) + ": expected I/N"}, {"--chunk", chunk});
  }
  const std::filesystem::path scene = dir.write("scene.json", tenFrames);
  const std::pair<const char*, const char*> patterns[] = {
      {"out/shot.##.%04d.png", "out/shot.##.%04d.png: a file pattern holds the frame number once"},
      {"out/shot.%5s.png", "a file pattern holds the frame number once"},
      {"out/shot.####.tif", "frames are written as PNG or OpenEXR"},
      {"out/shot.####.exr", "EXR frames need a 32-bit render"},
      {"out/##/shot.##.png", "the frame number belongs in the file name"},
  };
  for (const auto& [pattern, problem] : patterns) {
    const auto run = runRenderer({scene.string(), "-o", (dir / pattern).string()}, dir.path());
    EXPECT_EQ(run.exitCode, kBadInput) << pattern;
    EXPECT_THAT(run.err, HasSubstr(problem)) << pattern;
    EXPECT_FALSE(std::filesystem::exists(dir / "out")) << pattern;
  }
}

TEST_F(CliBadInput, UnwritableOutputPaths) {
  dir.write("file.txt", "not a folder");
  const std::filesystem::path scene = dir.write("scene.json", sceneWith(""));
  const auto before = filesUnder(dir.path());
  const auto output = runRenderer({scene.string(), "--output", (dir / "file.txt" / "frames").string()}, dir.path());
  EXPECT_EQ(output.exitCode, kBadInput);
  EXPECT_THAT(output.err, HasSubstr("cannot create the output folder"));
  const auto sheet = runRenderer({scene.string(), "--output", (dir / "out").string(), "--contact-sheet",
                                  (dir / "file.txt" / "sheet.png").string()},
                                 dir.path());
  EXPECT_EQ(sheet.exitCode, kBadInput);
  EXPECT_THAT(sheet.err, HasSubstr("file.txt is not a folder"));
  EXPECT_EQ(filesUnder(dir.path()), before);
  EXPECT_FALSE(std::filesystem::exists(dir / "out"));
}

TEST_F(CliBadInput, BadRenderSettings) {
  expectRejected(sceneWith(R"("render": { "depth": 24 })"), {"render.depth: the depth is 8, 16 or 32"});
  expectRejected(sceneWith(R"("render": { "quality": "best" })"), {"render.quality: quality is \"high\" or \"low\""});
}

TEST_F(CliBadInput, BadCommandLine) {
  const auto run = runRenderer({"--jobs", "0"}, dir.path());
  EXPECT_EQ(run.exitCode, kBadInput);
  EXPECT_THAT(run.err, HasSubstr("--jobs"));
  const auto json = runRenderer({"--json"}, dir.path());
  EXPECT_EQ(json.exitCode, kBadInput);
  EXPECT_THAT(json.err, HasSubstr("--list-params"));
  const auto module = runRenderer({"--about", "--module", "/etc/hostname"}, dir.path());
  EXPECT_EQ(module.exitCode, kBadInput);
  EXPECT_THAT(module.err, HasSubstr("/etc/hostname: cannot load the plug-in"));
  EXPECT_TRUE(filesUnder(dir.path()).empty());
}

}  // namespace
