// The contact sheet's thumbnails, from frames of every depth: each thumbnail pixel is the
// average of the frame pixels it covers, over a checkerboard where they are transparent.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "ContactSheet.h"
#include "ContactSheetWriter.h"
#include "ExitCodes.h"
#include "support/TempFolder.h"
#include "aehost/Channels.h"
#include "aehost/Image.h"
#include "aehost/Png.h"

namespace {

using inkline_cli::ContactSheet;
using inkline_cli::ContactSheetWriter;

// A 64 x 40 frame (thumbnails keep it at full size): the left half opaque red 200, green 100,
// blue 50 (in 8 bits), the right half transparent; one column of the left half at half alpha.
template <typename Pixel>
aehost::Image testFrame() {
  const Pixel opaque = aehost::convertPixel<Pixel, PF_Pixel8>(PF_Pixel8{255, 200, 100, 50});
  const Pixel half = aehost::convertPixel<Pixel, PF_Pixel8>(PF_Pixel8{128, 200, 100, 50});
  aehost::Image frame = aehost::Image::filled(64, 40, Pixel{});
  for (A_long y = 0; y < 40; ++y) {
    for (A_long x = 0; x < 32; ++x) frame.set(x, y, x == 10 ? half : opaque);
  }
  return frame;
}

template <typename Pixel>
void expectThumbnail(const char* depth) {
  ContactSheet sheet(64, 40, {7, 8});
  ASSERT_EQ(sheet.thumbnailWidth(), 64);
  ASSERT_EQ(sheet.thumbnailHeight(), 40);
  sheet.place(1, testFrame<Pixel>());
  A_long left = 0;
  A_long top = 0;
  sheet.cellOrigin(1, left, top);
  const aehost::Image& image = sheet.image();
  for (A_long y = 0; y < 40; ++y) {
    for (A_long x = 0; x < 64; ++x) {
      const PF_Pixel8 got = image.pixel8(left + x, top + y);
      const double checker = ((x / 8) + (y / 8)) % 2 == 0 ? 1.0 : 0.8;
      PF_Pixel8 expected{255, 200, 100, 50};
      if (x >= 32) {
        const auto grey = static_cast<A_u_char>(std::lround(checker * 255.0));
        expected = PF_Pixel8{255, grey, grey, grey};
      } else if (x == 10) {
        const double alpha = 128.0 / 255.0;
        const auto mix = [&](double c) { return static_cast<A_u_char>(std::lround((c * alpha + checker * (1 - alpha)) * 255.0)); };
        expected = PF_Pixel8{255, mix(200.0 / 255.0), mix(100.0 / 255.0), mix(50.0 / 255.0)};
      }
      ASSERT_TRUE(got.alpha == expected.alpha && std::abs(got.red - expected.red) <= 1 &&
                  std::abs(got.green - expected.green) <= 1 && std::abs(got.blue - expected.blue) <= 1)
          << depth << " frame, thumbnail pixel " << x << ", " << y << ": " << +got.red << "," << +got.green << ","
          << +got.blue << " where " << +expected.red << "," << +expected.green << "," << +expected.blue;
    }
  }
}

TEST(ContactSheet, ThumbnailsAverageTheFrameOverACheckerboard) {
  expectThumbnail<PF_Pixel8>("8-bit");
  expectThumbnail<PF_Pixel16>("16-bit");
  expectThumbnail<PF_PixelFloat>("float");
}

// Eleven 96 x 54 frames, each its own colour: rows of thumbnails, the last one short, with
// three-digit labels.
constexpr A_long kFrameWidth = 96;
constexpr A_long kFrameHeight = 54;
const std::vector<A_long> kNumbers = {100, 101, 102, 103, 104, 105, 106, 107, 108, 109, 110};

aehost::Image colouredFrame(std::size_t slot) {
  const auto v = static_cast<A_u_char>(20 * slot);
  return aehost::Image::filled(kFrameWidth, kFrameHeight, PF_Pixel8{static_cast<A_u_char>(255 - v), v, 90, 200});
}

// Rows the sheet calls final while thumbnails are still missing are those of the finished
// sheet, whatever order the frames come in: the writer hands them to the file then.
TEST(ContactSheet, RowsCalledFinalStayAsTheyAre) {
  std::mt19937 random(7);
  for (int order = 0; order < 20; ++order) {
    std::vector<std::size_t> slots(kNumbers.size());
    for (std::size_t i = 0; i < slots.size(); ++i) slots[i] = i;
    std::shuffle(slots.begin(), slots.end(), random);
    ContactSheet sheet(kFrameWidth, kFrameHeight, kNumbers);
    const auto columns = static_cast<std::size_t>(sheet.columns());
    ASSERT_GT(sheet.rows(), 2);
    ASSERT_NE(kNumbers.size() % columns, 0u) << "the last row should be short";
    std::vector<bool> placed(slots.size(), false);
    std::vector<std::pair<A_long, aehost::Image>> snapshots;  // rows final, and the sheet then
    for (const std::size_t slot : slots) {
      sheet.place(slot, colouredFrame(slot));
      placed[slot] = true;
      int complete = 0;
      while (complete < sheet.rows()) {
        const std::size_t first = static_cast<std::size_t>(complete) * columns;
        const std::size_t end = std::min(first + columns, placed.size());
        if (!std::all_of(placed.begin() + static_cast<std::ptrdiff_t>(first), placed.begin() + static_cast<std::ptrdiff_t>(end), [](bool b) { return b; })) break;
        ++complete;
      }
      snapshots.emplace_back(sheet.rowsFinalAfter(complete), sheet.image());
    }
    EXPECT_EQ(snapshots.back().first, sheet.image().height());
    const auto rowBytes = static_cast<std::ptrdiff_t>(sheet.image().width() * sizeof(PF_Pixel8));
    for (const auto& [final, image] : snapshots) {
      const std::byte* then = image.bytes().data();
      EXPECT_TRUE(std::equal(then, then + final * rowBytes, sheet.image().bytes().data()))
          << final << " rows final, order " << order;
    }
  }
}

// Frames placed from two threads at once, out of order, give the file of the sheet made in
// memory; a sheet not finished leaves no file, and one that cannot be written says so.
TEST(ContactSheetWriter, WritesTheSheetAsItsRowsFillAndOnlyAFinishedOne) {
  TempFolder folder;
  const std::filesystem::path file = folder.path() / "sheets" / "sheet.png";
  {
    ContactSheetWriter writer(kFrameWidth, kFrameHeight, kNumbers, file);
    std::vector<std::thread> threads;
    for (std::size_t start : {0u, 1u}) {
      threads.emplace_back([&writer, start] {
        for (std::size_t i = start; i < kNumbers.size(); i += 2) {
          const std::size_t slot = kNumbers.size() - 1 - i;
          writer.place(slot, colouredFrame(slot));
        }
      });
    }
    for (std::thread& t : threads) t.join();
    EXPECT_FALSE(std::filesystem::exists(file));
    writer.finish();
    EXPECT_EQ(aehost::readPng(file), writer.sheet().image());
  }
  {
    ContactSheetWriter abandoned(kFrameWidth, kFrameHeight, kNumbers, folder.path() / "abandoned.png");
    for (std::size_t slot = 0; slot < 7; ++slot) abandoned.place(slot, colouredFrame(slot));
  }
  EXPECT_FALSE(std::filesystem::exists(folder.path() / "abandoned.png"));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), std::filesystem::directory_iterator()), 1)
      << "only the finished sheet's folder";

  std::filesystem::create_directories(folder.path() / "taken" / "sheet.png");
  ContactSheetWriter blocked(kFrameWidth, kFrameHeight, {1}, folder.path() / "taken" / "sheet.png");
  blocked.place(0, colouredFrame(0));
  try {
    blocked.finish();
    ADD_FAILURE() << "a folder in the sheet's place was written over";
  } catch (const inkline_cli::RenderFailure& e) {
    EXPECT_NE(std::string(e.what()).find("cannot write the contact sheet"), std::string::npos) << e.what();
  }
}

}  // namespace
