// inkline-render run as a user would: frames written, identical across runs, thread counts
// and sub-ranges; depths, images as layers, SVG masks, contact sheet, summary line.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <algorithm>
#include <iostream>
#include <cstdio>
#include <cstdlib>
#include <sstream>

#include "aehost/Png.h"
#include "cli/RunRenderer.h"

namespace {

using cli_test::filesUnder;
using cli_test::readFile;
using cli_test::runRenderer;
using cli_test::ScratchFolder;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

// Small and quick, but with everything that could vary between threads: copies, randomness,
// a wave, a gradation, keyframes, two masks stroked in sequence.
const char* const kScene = R"({
  "layer": { "width": 96, "height": 64, "background": "#f0e8d8" },
  "frame_rate": 24,
  "frames": { "start": 0, "end": 7 },
  "masks": [
    { "name": "Curve", "path": "M 8 50 C 20 10 60 10 88 40" },
    { "name": "Box", "path": "m 20 20 h 40 v 30 h -40 z" }
  ],
  "params": {
    "Clear Background": false,
    "Stroke Sequentially": true,
    "Thickness": 4,
    "Length": [ { "time": 0, "value": 10 }, { "time": 0.25, "value": 100 } ],
    "Enable Copy Stroke": true,
    "Copy Number": 2,
    "Copy Offset X": 2,
    "Thickness Random": 50,
    "Offset X Random": 1.5,
    "Enable Wave": true,
    "Wave Amount": 1.5,
    "Enable Gradation Stroke": true
  }
})";

std::vector<std::string> frameNames(int first, int last) {
  std::vector<std::string> names;
  for (int f = first; f <= last; ++f) {
    char name[32];
    std::snprintf(name, sizeof name, "frame_%04d.png", f);
    names.push_back(name);
  }
  return names;
}

class CliRender : public ::testing::Test {
 protected:
  ScratchFolder dir;
  std::filesystem::path scene = dir.write("scene.json", kScene);

  cli_test::RunResult render(const std::string& output, std::vector<std::string> extra = {}) {
    std::vector<std::string> arguments{scene.string(), "--output", (dir / output).string()};
    arguments.insert(arguments.end(), extra.begin(), extra.end());
    cli_test::RunResult run = runRenderer(arguments, dir.path());
    // What the renderer said, where a test only checks the exit code.
    if (run.exitCode != 0) std::cerr << "inkline-render -o " << output << " exited " << run.exitCode << ": " << run.err;
    return run;
  }
};

TEST_F(CliRender, WritesOnePngAFrameAndASummaryLine) {
  const auto run = render("frames", {"--jobs", "2"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(filesUnder(dir / "frames"), frameNames(0, 7));
  // stderr is not a terminal here: one plain summary line.
  EXPECT_THAT(run.err, HasSubstr("rendered 8 frames (0-7) in "));
  EXPECT_THAT(run.err, HasSubstr("frames/s"));
  EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
  const aehost::Image frame = aehost::readPng(dir / "frames" / "frame_0007.png");
  EXPECT_EQ(frame.width(), 96);
  EXPECT_EQ(frame.height(), 64);
  EXPECT_EQ(frame.bitDepth(), 8);
  // The background fills the layer and strokes are drawn over it.
  EXPECT_EQ(frame.pixel8(0, 0).red, 0xf0);
  EXPECT_EQ(frame.pixel8(0, 0).alpha, 255);
  bool stroked = false;
  for (A_long y = 0; y < frame.height(); ++y) {
    for (A_long x = 0; x < frame.width(); ++x) stroked = stroked || frame.pixel8(x, y).red < 0x80;
  }
  EXPECT_TRUE(stroked) << "no stroke in the last frame";
}

TEST_F(CliRender, DrawsAProgressBarOnATerminal) {
  const auto run = cli_test::runRendererInTerminal({scene.string(), "--output", (dir / "tty").string()}, dir.path());
  if (!run) GTEST_SKIP() << "no `script` to run under a terminal";
  ASSERT_EQ(run->exitCode, 0) << run->out;
  EXPECT_THAT(run->out, HasSubstr("\r["));
  EXPECT_THAT(run->out, HasSubstr("] 100%  8/8 frames"));
  EXPECT_THAT(run->out, HasSubstr("rendered 8 frames (0-7)"));
  EXPECT_EQ(filesUnder(dir / "tty"), frameNames(0, 7));
}

// The contact sheet too: its rows of thumbnails are written by whichever job places their
// last frame.
TEST_F(CliRender, FramesAreIdenticalAcrossRunsAndThreadCounts) {
  const auto sheet = [&](const char* name) { return (dir / "sheets" / (std::string(name) + ".png")).string(); };
  ASSERT_EQ(render("one", {"--jobs", "1", "--contact-sheet", sheet("one")}).exitCode, 0);
  ASSERT_EQ(render("again", {"--jobs", "1"}).exitCode, 0);
  ASSERT_EQ(render("three", {"--jobs", "3", "--contact-sheet", sheet("three")}).exitCode, 0);
  ASSERT_EQ(render("eight", {"--jobs", "8", "--contact-sheet", sheet("eight")}).exitCode, 0);
  const std::string referenceSheet = readFile(sheet("one"));
  ASSERT_FALSE(referenceSheet.empty());
  EXPECT_EQ(readFile(sheet("three")), referenceSheet);
  EXPECT_EQ(readFile(sheet("eight")), referenceSheet);
  for (const std::string& name : frameNames(0, 7)) {
    const std::string reference = readFile(dir / "one" / name);
    ASSERT_FALSE(reference.empty()) << name;
    EXPECT_EQ(readFile(dir / "again" / name), reference) << name;
    EXPECT_EQ(readFile(dir / "three" / name), reference) << name;
    EXPECT_EQ(readFile(dir / "eight" / name), reference) << name;
  }
}

TEST_F(CliRender, ASubRangeRendersTheSameFramesAsTheFullRange) {
  ASSERT_EQ(render("full").exitCode, 0);
  const auto first = render("split", {"--frames", "0-2"});
  const auto second = render("split", {"--frames", "3-7"});
  ASSERT_EQ(first.exitCode, 0) << first.err;
  ASSERT_EQ(second.exitCode, 0) << second.err;
  EXPECT_THAT(first.err, HasSubstr("rendered 3 frames (0-2)"));
  EXPECT_EQ(filesUnder(dir / "split"), frameNames(0, 7));
  for (const std::string& name : frameNames(0, 7))
    EXPECT_EQ(readFile(dir / "split" / name), readFile(dir / "full" / name)) << name;

  ASSERT_EQ(render("single", {"--frames", "5"}).exitCode, 0);
  EXPECT_THAT(filesUnder(dir / "single"), ElementsAre("frame_0005.png"));
  EXPECT_EQ(readFile(dir / "single" / "frame_0005.png"), readFile(dir / "full" / "frame_0005.png"));
}

TEST_F(CliRender, DeepRendersGiveSixteenBitPngs) {
  for (const int depth : {16, 32}) {
    std::string text = kScene;
    text.replace(text.find("\"frame_rate\""), 0, "\"render\": { \"depth\": " + std::to_string(depth) + " },\n  ");
    scene = dir.write("deep" + std::to_string(depth) + ".json", text);
    const std::string output = "deep" + std::to_string(depth);
    const auto run = render(output, {"--frames", "7"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const aehost::Image frame = aehost::readPng(dir / output / "frame_0007.png");
    EXPECT_EQ(frame.bitDepth(), 16) << depth;
    EXPECT_EQ(frame.width(), 96);
  }
}

TEST_F(CliRender, DownsamplingShrinksTheFrames) {
  std::string text = kScene;
  text.replace(text.find("\"frame_rate\""), 0, "\"render\": { \"downsample\": [2, 4], \"quality\": \"low\" },\n  ");
  scene = dir.write("half.json", text);
  ASSERT_EQ(render("half", {"--frames", "7"}).exitCode, 0);
  const aehost::Image frame = aehost::readPng(dir / "half" / "frame_0007.png");
  EXPECT_EQ(frame.width(), 48);
  EXPECT_EQ(frame.height(), 16);
}

TEST_F(CliRender, APngImageIsTheLayer) {
  for (const int bits : {8, 16}) {
    aehost::Image image = bits == 8 ? aehost::Image::filled(40, 30, PF_Pixel8{255, 10, 200, 30})
                                    : aehost::Image::filled(40, 30, PF_Pixel16{32768, 0, 0, 32768});
    aehost::writePng(image, dir / ("layer" + std::to_string(bits) + ".png"));
    scene = dir.write("image.json", R"({
      "layer": { "image": "layer)" + std::to_string(bits) +
                                        R"(.png" },
      "masks": [ "M 5 5 L 35 25" ],
      "params": { "Clear Background": false, "Thickness": 3 }
    })");
    const std::string output = "image" + std::to_string(bits);
    const auto run = render(output);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const aehost::Image frame = aehost::readPng(dir / output / "frame_0000.png");
    EXPECT_EQ(frame.width(), 40);
    EXPECT_EQ(frame.height(), 30);
    const PF_Pixel8 corner = frame.converted(PF_PixelFormat_ARGB32).pixel8(39, 0);
    EXPECT_EQ(corner.green, bits == 8 ? 200 : 0) << bits;
    EXPECT_EQ(corner.blue, bits == 8 ? 30 : 255) << bits;
  }
}

TEST_F(CliRender, CheckboxKeyframesHoldAndStraightAlphaIsKept) {
  // "Clear Background" holds its value until the next keyframe: opaque paper for the first
  // half second, then only the strokes on transparency.
  scene = dir.write("hold.json", R"({
    "layer": { "width": 32, "height": 32, "background": "#ffffff" },
    "frames": { "start": 0, "end": 13 },
    "masks": [ { "name": "Line", "path": "M 4 16 H 28" } ],
    "params": {
      "Target Path": "Line",
      "Use All Paths": false,
      "Clear Background": [ { "time": 0, "value": false }, { "time": 0.5, "value": true } ]
    }
  })");
  ASSERT_EQ(render("hold").exitCode, 0);
  EXPECT_EQ(aehost::readPng(dir / "hold" / "frame_0011.png").pixel8(0, 0).alpha, 255);
  EXPECT_EQ(aehost::readPng(dir / "hold" / "frame_0012.png").pixel8(0, 0).alpha, 0);
  EXPECT_EQ(aehost::readPng(dir / "hold" / "frame_0013.png").pixel8(16, 16).alpha, 255);
}

TEST_F(CliRender, SvgFilePathsBecomeMasks) {
  dir.write("shapes.svg", R"(<svg xmlns="http://www.w3.org/2000/svg" width="64" height="64">
    <g><path id="Diagonal" d="M 4 4 L 60 60"/></g>
    <path d="M 60 4 Q 32 32 4 60"/>
  </svg>)");
  scene = dir.write("svg.json", R"({
    "layer": { "width": 64, "height": 64 },
    "svg": "shapes.svg",
    "params": { "Use All Paths": false, "Target Path": "Diagonal", "Thickness": 6, "Enable In/Out": false }
  })");
  const auto run = render("svg");
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const aehost::Image frame = aehost::readPng(dir / "svg" / "frame_0000.png");
  EXPECT_GT(frame.pixel8(32, 32).alpha, 200);  // on both masks
  EXPECT_GT(frame.pixel8(16, 16).alpha, 200);  // on the diagonal only
  EXPECT_EQ(frame.pixel8(48, 16).alpha, 0);    // on the second mask, not targeted

  scene = dir.write("svg2.json", R"({
    "layer": { "width": 64, "height": 64 },
    "svg": "shapes.svg",
    "params": { "Use All Paths": false, "Target Path": 2, "Thickness": 6, "Enable In/Out": false }
  })");
  ASSERT_EQ(render("svg2").exitCode, 0);
  const aehost::Image second = aehost::readPng(dir / "svg2" / "frame_0000.png");
  EXPECT_EQ(second.pixel8(16, 16).alpha, 0);
  EXPECT_GT(second.pixel8(32, 32).alpha, 200);
}

// What a stroke cannot use is named in one warning line; the shapes are drawn all the same.
TEST_F(CliRender, SvgContentAStrokeCannotUseIsNamedInAWarning) {
  dir.write("titled.svg", R"(<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 32 32">
    <circle cx="16" cy="16" r="10" fill="gold"/><text x="2" y="30">Sun</text><text>Noon</text>
  </svg>)");
  scene = dir.write("titled.json", R"({ "layer": { "width": 64, "height": 64 }, "svg": "titled.svg",
                                         "params": { "Thickness": 6, "Enable In/Out": false } })");
  const auto run = render("titled");
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_THAT(run.err, HasSubstr("inkline-render: warning: "));
  EXPECT_THAT(run.err, HasSubstr("titled.svg: ignored what a stroke cannot use: 2 <text>\n"));
  // viewBox 32 on a 64 px layer: the circle of radius 10 at (16, 16) has radius 20 at (32, 32).
  const aehost::Image frame = aehost::readPng(dir / "titled" / "frame_0000.png");
  const auto same = [](PF_Pixel8 a, PF_Pixel8 b) { return a.alpha == b.alpha && a.red == b.red && a.green == b.green && a.blue == b.blue; };
  EXPECT_TRUE(same(frame.pixel8(32, 32), frame.pixel8(0, 0)));   // the centre keeps the layer
  EXPECT_FALSE(same(frame.pixel8(52, 32), frame.pixel8(0, 0)));  // the rim is stroked
}

// File patterns and numbering: #### and %0Nd, padding that grows, a 1001-based sequence of a
// scene whose time starts at 0, and frames past 9999; each file holds the frame of the scene
// time it names.
TEST_F(CliRender, FilePatternsAndStartNumbers) {
  ASSERT_EQ(render("plain").exitCode, 0);
  const auto run = render("seq/shot.####.png", {"--start-number", "1001"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(filesUnder(dir / "seq"), (std::vector<std::string>{"shot.1001.png", "shot.1002.png", "shot.1003.png",
                                                               "shot.1004.png", "shot.1005.png", "shot.1006.png",
                                                               "shot.1007.png", "shot.1008.png"}));
  EXPECT_EQ(readFile(dir / "seq" / "shot.1001.png"), readFile(dir / "plain" / "frame_0000.png"));  // scene time 0
  EXPECT_EQ(readFile(dir / "seq" / "shot.1008.png"), readFile(dir / "plain" / "frame_0007.png"));
  EXPECT_THAT(run.err, HasSubstr("shot.1001.png ..."));

  ASSERT_EQ(render("printf/img_%06d.png", {"--frames", "2-3"}).exitCode, 0);
  EXPECT_EQ(filesUnder(dir / "printf"), (std::vector<std::string>{"img_000002.png", "img_000003.png"}));

  // Frames 9998 to 10001: ## grows to the digits a number needs; the default names too.
  scene = dir.write("late.json", std::string(kScene).replace(std::string(kScene).find(R"("start": 0, "end": 7)"), 20,
                                                             R"("start": 9998, "end": 10001)"));
  ASSERT_EQ(render("late/f.##.png").exitCode, 0);
  EXPECT_EQ(filesUnder(dir / "late"), (std::vector<std::string>{"f.10000.png", "f.10001.png", "f.9998.png", "f.9999.png"}));
  ASSERT_EQ(render("lateDefault", {"--frames", "10000"}).exitCode, 0);
  EXPECT_EQ(filesUnder(dir / "lateDefault"), (std::vector<std::string>{"frame_10000.png"}));
  EXPECT_EQ(readFile(dir / "lateDefault" / "frame_10000.png"), readFile(dir / "late" / "f.10000.png"));
}

// A 32-bit scene to an .exr pattern: OpenEXR frames, full float unless --exr half.
TEST_F(CliRender, FloatRendersAsOpenExr) {
  scene = dir.write("float.json", std::string(kScene).replace(std::string(kScene).find(R"("frames")"), 0,
                                                              R"("render": { "depth": 32 }, )"));
  ASSERT_EQ(render("exr/f.####.exr", {"--frames", "0-1"}).exitCode, 0);
  ASSERT_EQ(render("half/f.####.exr", {"--frames", "0", "--exr", "half"}).exitCode, 0);
  EXPECT_EQ(filesUnder(dir / "exr"), (std::vector<std::string>{"f.0000.exr", "f.0001.exr"}));
  EXPECT_EQ(readFile(dir / "exr" / "f.0000.exr").substr(0, 4), std::string("\x76\x2f\x31\x01", 4));  // EXR magic
  EXPECT_LT(readFile(dir / "half" / "f.0000.exr").size(), readFile(dir / "exr" / "f.0000.exr").size());
}

// Lists, steps and chunks pick frames; chunks of a job array together are the whole render.
TEST_F(CliRender, FrameListsStepsAndChunks) {
  ASSERT_EQ(render("all").exitCode, 0);
  ASSERT_EQ(render("list", {"--frames", "0-6x3,5"}).exitCode, 0);
  EXPECT_EQ(filesUnder(dir / "list"), (std::vector<std::string>{"frame_0000.png", "frame_0003.png", "frame_0005.png",
                                                                "frame_0006.png"}));
  EXPECT_EQ(readFile(dir / "list" / "frame_0005.png"), readFile(dir / "all" / "frame_0005.png"));

  // 8 frames in 3 chunks: 0-2, 3-5, 6-7.
  const std::vector<std::vector<std::string>> expected{frameNames(0, 2), frameNames(3, 5), frameNames(6, 7)};
  for (int i = 1; i <= 3; ++i) {
    const std::string folder = "chunk" + std::to_string(i);
    ASSERT_EQ(render(folder, {"--chunk", std::to_string(i) + "/3"}).exitCode, 0);
    EXPECT_EQ(filesUnder(dir / folder), expected[static_cast<std::size_t>(i - 1)]);
    for (const std::string& name : filesUnder(dir / folder)) EXPECT_EQ(readFile(dir / folder / name), readFile(dir / "all" / name));
  }
  // A chunk of a selection; more chunks than frames leaves some with nothing, which is no error.
  ASSERT_EQ(render("odd", {"--frames", "1-7x2", "--chunk", "2/2"}).exitCode, 0);
  EXPECT_EQ(filesUnder(dir / "odd"), (std::vector<std::string>{"frame_0005.png", "frame_0007.png"}));
  const auto empty = render("empty", {"--chunk", "12/12"});
  EXPECT_EQ(empty.exitCode, 0) << empty.err;
  EXPECT_THAT(empty.err, HasSubstr("no frames in this slice of 8"));
  EXPECT_FALSE(std::filesystem::exists(dir / "empty"));
}

// Logs for farms and scripts: quiet, a JSON line a frame, the version; the job count.
TEST_F(CliRender, QuietJsonProgressVersionAndJobs) {
  const auto quiet = render("quiet", {"--quiet", "--frames", "0-1"});
  ASSERT_EQ(quiet.exitCode, 0) << quiet.err;
  EXPECT_EQ(quiet.err, "");
  EXPECT_EQ(quiet.out, "");
  EXPECT_EQ(filesUnder(dir / "quiet"), frameNames(0, 1));

  const auto json = render("json", {"--progress=json", "--frames", "0-2", "--jobs", "2", "--fsync"});
  ASSERT_EQ(json.exitCode, 0) << json.err;
  std::vector<long> frames;
  std::istringstream lines(json.out);
  for (std::string line; std::getline(lines, line);) {
    const nlohmann::ordered_json entry = nlohmann::ordered_json::parse(line);
    ASSERT_EQ(entry.size(), 3u) << line;
    EXPECT_EQ(entry.begin().key(), "frame") << line;
    frames.push_back(entry["frame"].get<long>());
    EXPECT_TRUE(std::filesystem::exists(entry["file"].get<std::string>())) << line;
    EXPECT_GE(entry["ms"].get<double>(), 0.0);
  }
  std::sort(frames.begin(), frames.end());
  EXPECT_EQ(frames, (std::vector<long>{0, 1, 2}));
  EXPECT_THAT(json.err, HasSubstr("rendered 3 frames (0-2) in "));
  EXPECT_THAT(json.err, HasSubstr(", 2 jobs, into "));

  const auto version = runRenderer({"--version"}, dir.path());
  ASSERT_EQ(version.exitCode, 0) << version.err;
  EXPECT_THAT(version.out, ::testing::MatchesRegex("inkline-render [0-9]+\\.[0-9]+\\.[0-9]+\nplug-in: Inkline [0-9.]+ \\(.*\\)\n"));

  // The default job count follows the CPUs this process may use: one under taskset -c 0.
  if (std::system("command -v taskset >/dev/null 2>&1") == 0) {
    const std::string command = "cd '" + dir.path().string() + "' && taskset -c 0 '" + std::string(INKLINE_RENDER_PATH) +
                                "' '" + scene.string() + "' -o '" + (dir / "one").string() + "' 2>&1";
    std::FILE* pipe = ::popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string output;
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) output += buffer;
    EXPECT_EQ(::pclose(pipe), 0) << output;
    EXPECT_THAT(output, HasSubstr(", 1 job, into "));
  }
}

TEST_F(CliRender, WritesAContactSheetOfAllFrames) {
  const auto run = render("sheet", {"--contact-sheet", (dir / "sheets" / "all.png").string()});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const aehost::Image sheet = aehost::readPng(dir / "sheets" / "all.png");
  // Eight 96 x 64 frames at full size in a grid wider than one frame and taller than one row.
  EXPECT_GT(sheet.width(), 2 * 96);
  EXPECT_GT(sheet.height(), 64);
  EXPECT_EQ(filesUnder(dir / "sheet"), frameNames(0, 7));
}

TEST_F(CliRender, AFrameThatCannotBeWrittenIsARenderFailureAndLeavesNoPartialFile) {
  // A folder where frame 3 should go: its rename fails after the PNG was written in full.
  std::filesystem::create_directories(dir / "blocked" / "frame_0003.png");
  const auto run = render("blocked", {"--jobs", "1", "--contact-sheet", (dir / "sheet.png").string()});
  EXPECT_EQ(run.exitCode, 1) << run.err;
  EXPECT_THAT(run.err, HasSubstr("frame_0003.png: cannot write the frame"));
  EXPECT_EQ(filesUnder(dir / "blocked"), frameNames(0, 2)) << "temporary files were left behind";
  EXPECT_FALSE(std::filesystem::exists(dir / "sheet.png"));
}

TEST_F(CliRender, TheReadmeExampleRenders) {
  const auto run = runRenderer({std::string(INKLINE_SOURCE_DIR) + "/examples/hello.json", "--frames", "23", "--output",
                                (dir / "hello").string()},
                               dir.path());
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const aehost::Image frame = aehost::readPng(dir / "hello" / "frame_0023.png");
  EXPECT_EQ(frame.width(), 480);
  EXPECT_EQ(frame.bitDepth(), 16);
}

TEST_F(CliRender, WithoutASceneItRendersTheDemoWithItsContactSheet) {
  const auto run = runRenderer({"--frames", "40-41"}, dir.path());
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_THAT(filesUnder(dir / "out" / "demo"), ElementsAre("contact-sheet.png", "frame_0040.png", "frame_0041.png"));
  const aehost::Image frame = aehost::readPng(dir / "out" / "demo" / "frame_0041.png");
  EXPECT_EQ(frame.width(), 640);
  EXPECT_EQ(frame.height(), 360);
}

}  // namespace
