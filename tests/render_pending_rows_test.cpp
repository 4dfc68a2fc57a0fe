// The rows of an output waiting for their background: whatever order strokes ask for them in,
// each row is laid down once, before the stroke over it, in whole-width rectangles, and a
// failed lay leaves its rows waiting for the next ask.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "render/driver/PendingRows.h"

namespace {

TEST(PendingRows, EveryRowIsLaidOnceAndBeforeItIsNeeded) {
  std::mt19937 random(8);
  for (int scene = 0; scene < 200; ++scene) {
    const A_long width = std::uniform_int_distribution<A_long>(1, 50)(random);
    const A_long height = std::uniform_int_distribution<A_long>(0, 80)(random);
    PendingRows pending(width, height);
    std::vector<int> laid(static_cast<std::size_t>(height));
    int calls = 0;
    const auto lay = [&](const PF_LRect& rect) {
      ++calls;
      EXPECT_EQ(rect.left, 0);
      EXPECT_EQ(rect.right, width);
      EXPECT_GE(rect.top, 0);
      EXPECT_LT(rect.top, rect.bottom);
      EXPECT_LE(rect.bottom, height);
      for (A_long y = rect.top; y < rect.bottom; ++y) ++laid[static_cast<std::size_t>(y)];
      return PF_Err_NONE;
    };
    for (int ask = std::uniform_int_distribution<int>(0, 6)(random); ask > 0; --ask) {
      const A_long top = std::uniform_int_distribution<A_long>(-10, height + 10)(random);
      const A_long bottom = top + std::uniform_int_distribution<A_long>(-2, 40)(random);
      ASSERT_EQ(pending.take(top, bottom, lay), PF_Err_NONE);
      for (A_long y = std::max<A_long>(top, 0); y < std::min(bottom, height); ++y) {
        ASSERT_EQ(laid[static_cast<std::size_t>(y)], 1) << "scene " << scene << ", row " << y;
      }
    }
    ASSERT_EQ(pending.takeAll(lay), PF_Err_NONE);
    for (A_long y = 0; y < height; ++y) {
      ASSERT_EQ(laid[static_cast<std::size_t>(y)], 1) << "scene " << scene << ", row " << y;
    }
    calls = 0;
    ASSERT_EQ(pending.takeAll(lay), PF_Err_NONE);
    EXPECT_EQ(calls, 0);
  }
}

TEST(PendingRows, NeighbouringRowsGoTogetherAndLaidRowsSplitThem) {
  PendingRows pending(7, 30);
  std::vector<PF_LRect> rects;
  const auto record = [&](const PF_LRect& rect) {
    rects.push_back(rect);
    return PF_Err_NONE;
  };
  ASSERT_EQ(pending.take(10, 12, record), PF_Err_NONE);
  ASSERT_EQ(pending.take(20, 25, record), PF_Err_NONE);
  ASSERT_EQ(pending.take(5, 40, record), PF_Err_NONE);
  ASSERT_EQ(pending.takeAll(record), PF_Err_NONE);
  const std::vector<PF_LRect> expected{{0, 10, 7, 12}, {0, 20, 7, 25}, {0, 5, 7, 10},
                                       {0, 12, 7, 20}, {0, 25, 7, 30}, {0, 0, 7, 5}};
  ASSERT_EQ(rects.size(), expected.size());
  for (std::size_t k = 0; k < rects.size(); ++k) {
    EXPECT_EQ(rects[k].top, expected[k].top) << k;
    EXPECT_EQ(rects[k].bottom, expected[k].bottom) << k;
    EXPECT_EQ(rects[k].left, 0) << k;
    EXPECT_EQ(rects[k].right, 7) << k;
  }
}

TEST(PendingRows, AFailedLayStopsAndItsRowsWaitForTheNextAsk) {
  PendingRows pending(4, 20);
  ASSERT_EQ(pending.take(5, 8, [](const PF_LRect&) { return PF_Err_NONE; }), PF_Err_NONE);
  std::vector<PF_LRect> asked;
  const PF_Err err = pending.take(0, 20, [&](const PF_LRect& rect) {
    asked.push_back(rect);
    return PF_Err_OUT_OF_MEMORY;
  });
  EXPECT_EQ(err, PF_Err_OUT_OF_MEMORY);
  ASSERT_EQ(asked.size(), 1u);  // rows 8 … 19 not even asked
  EXPECT_EQ(asked[0].top, 0);
  EXPECT_EQ(asked[0].bottom, 5);
  std::vector<A_long> laid;
  ASSERT_EQ(pending.takeAll([&](const PF_LRect& rect) {
    for (A_long y = rect.top; y < rect.bottom; ++y) laid.push_back(y);
    return PF_Err_NONE;
  }),
            PF_Err_NONE);
  std::vector<A_long> expected;
  for (A_long y = 0; y < 20; ++y) {
    if (y < 5 || y >= 8) expected.push_back(y);
  }
  EXPECT_EQ(laid, expected);
}

}  // namespace
