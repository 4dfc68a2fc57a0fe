#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include "aehost/CallbackTables.h"
#include "aehost/WorldOps.h"
#include "aehost_testing/PixelEquality.h"
#include "aehost_testing/ProbeInstance.h"
#include "support/WorldFixture.h"

namespace {

class HostFillCopy : public WorldTest {
 protected:
  const PF_FillMatteSuite2& fill = aehost::fillMatteSuite2();
};

TEST_F(HostFillCopy, FillEightBitColourIntoEachDepth) {
  worlds.reserve(3);
  const PF_EffectWorld& w8 = make(4, 4, PF_PixelFormat_ARGB32);
  const PF_EffectWorld& w16 = make(4, 4, PF_PixelFormat_ARGB64);
  const PF_EffectWorld& wf = make(4, 4, PF_PixelFormat_ARGB128);
  const PF_Pixel color{255, 128, 1, 0};
  const PF_Rect rect{1, 1, 3, 2};
  for (const PF_EffectWorld* w : {&w8, &w16, &wf}) {
    EXPECT_EQ(fill.fill(ref, &color, &rect, const_cast<PF_EffectWorld*>(w)), PF_Err_NONE);
  }
  EXPECT_EQ(at<PF_Pixel>(w8, 1, 1), color);
  EXPECT_EQ(at<PF_Pixel>(w8, 2, 1), color);
  EXPECT_EQ(at<PF_Pixel>(w8, 3, 1), (PF_Pixel{}));  // right is exclusive
  EXPECT_EQ(at<PF_Pixel>(w8, 1, 2), (PF_Pixel{}));  // bottom too
  EXPECT_EQ(at<PF_Pixel16>(w16, 1, 1), (PF_Pixel16{32768, 16448, 129, 0}));  // round(v * 32768 / 255)
  EXPECT_EQ(at<PF_PixelFloat>(wf, 2, 1), (PF_PixelFloat{1.0f, 128 / 255.0f, 1 / 255.0f, 0.0f}));
}

TEST_F(HostFillCopy, FillDeepAndFloatColoursConvertDownward) {
  worlds.reserve(3);
  const PF_EffectWorld& w8 = make(2, 2, PF_PixelFormat_ARGB32);
  const PF_EffectWorld& w16 = make(2, 2, PF_PixelFormat_ARGB64);
  const PF_Pixel16 deep{32768, 16384, 64, 40000};
  EXPECT_EQ(fill.fill16(ref, &deep, nullptr, const_cast<PF_EffectWorld*>(&w8)), PF_Err_NONE);
  EXPECT_EQ(at<PF_Pixel>(w8, 1, 1), (PF_Pixel{255, 128, 0, 255}));  // 16384 -> 127.5 -> 128; 64 -> 0.498 -> 0; clamped
  const PF_PixelFloat flt{0.5f, 1.5f, -0.25f, 0.25f};
  EXPECT_EQ(fill.fill_float(ref, &flt, nullptr, const_cast<PF_EffectWorld*>(&w16)), PF_Err_NONE);
  EXPECT_EQ(at<PF_Pixel16>(w16, 0, 1), (PF_Pixel16{16384, 32768, 0, 8192}));
  EXPECT_EQ(fill.fill_float(ref, &flt, nullptr, const_cast<PF_EffectWorld*>(&w8)), PF_Err_NONE);
  EXPECT_EQ(at<PF_Pixel>(w8, 0, 0), (PF_Pixel{128, 255, 0, 64}));  // 127.5 -> 128, 63.75 -> 64
}

TEST_F(HostFillCopy, FillWithoutColourClearsAndRectsAreClipped) {
  PF_EffectWorld& w = make(3, 3, PF_PixelFormat_ARGB32);
  const PF_Pixel white{255, 255, 255, 255};
  EXPECT_EQ(fill.fill(ref, &white, nullptr, &w), PF_Err_NONE);
  const PF_Rect outside{-5, -5, 2, 1};
  EXPECT_EQ(fill.fill(ref, nullptr, &outside, &w), PF_Err_NONE);
  EXPECT_EQ(at<PF_Pixel>(w, 0, 0), (PF_Pixel{}));
  EXPECT_EQ(at<PF_Pixel>(w, 1, 0), (PF_Pixel{}));
  EXPECT_EQ(at<PF_Pixel>(w, 2, 0), white);
  EXPECT_EQ(at<PF_Pixel>(w, 0, 1), white);
}

TEST_F(HostFillCopy, UtilsFillIsTheSameOperation) {
  PF_EffectWorld& w = make(2, 2, PF_PixelFormat_ARGB64);
  const PF_UtilCallbacks utils = aehost::makeUtilCallbacks();
  const PF_Pixel color{255, 255, 0, 0};
  EXPECT_EQ(utils.fill(ref, &color, nullptr, &w), PF_Err_NONE);
  EXPECT_EQ(at<PF_Pixel16>(w, 1, 1), (PF_Pixel16{32768, 32768, 0, 0}));
}

TEST_F(HostFillCopy, CopyMovesARectAndClipsToBothWorlds) {
  worlds.reserve(2);
  PF_EffectWorld& src = make(4, 4, PF_PixelFormat_ARGB32);
  PF_EffectWorld& dst = make(3, 3, PF_PixelFormat_ARGB32);
  for (A_long y = 0; y < 4; ++y) {
    for (A_long x = 0; x < 4; ++x) put(src, x, y, PF_Pixel{255, static_cast<A_u_char>(x), static_cast<A_u_char>(y), 9});
  }
  PF_Rect from{1, 1, 4, 4};
  PF_Rect to{1, 1, 4, 4};  // one column and row beyond dst
  EXPECT_EQ(transform.copy(ref, &src, &dst, &from, &to), PF_Err_NONE);
  EXPECT_EQ(at<PF_Pixel>(dst, 0, 0), (PF_Pixel{}));
  EXPECT_EQ(at<PF_Pixel>(dst, 1, 1), (PF_Pixel{255, 1, 1, 9}));
  EXPECT_EQ(at<PF_Pixel>(dst, 2, 2), (PF_Pixel{255, 2, 2, 9}));

  // NULL rects: the whole source, to the same place.
  EXPECT_EQ(transform.copy_hq(ref, &src, &dst, nullptr, nullptr), PF_Err_NONE);
  EXPECT_EQ(at<PF_Pixel>(dst, 0, 0), (PF_Pixel{255, 0, 0, 9}));
  EXPECT_EQ(at<PF_Pixel>(dst, 2, 1), (PF_Pixel{255, 2, 1, 9}));

  // A source rect partly outside the source: only existing pixels are copied.
  PF_Rect partly{-1, 0, 1, 1};
  PF_Rect target{0, 2, 2, 3};
  EXPECT_EQ(transform.copy(ref, &src, &dst, &partly, &target), PF_Err_NONE);
  EXPECT_EQ(at<PF_Pixel>(dst, 0, 2), (PF_Pixel{255, 0, 2, 9}));  // untouched: its source is (-1, 0)
  EXPECT_EQ(at<PF_Pixel>(dst, 1, 2), (PF_Pixel{255, 0, 0, 9}));
}

TEST_F(HostFillCopy, CopyBetweenDifferentSizesScalesNearestNeighbour) {
  worlds.reserve(3);
  PF_EffectWorld& src = make(4, 2, PF_PixelFormat_ARGB32);
  PF_EffectWorld& half = make(2, 1, PF_PixelFormat_ARGB32);
  PF_EffectWorld& twice = make(8, 4, PF_PixelFormat_ARGB32);
  for (A_long x = 0; x < 4; ++x) {
    put(src, x, 0, PF_Pixel{255, static_cast<A_u_char>(10 + x), 0, 0});
    put(src, x, 1, PF_Pixel{255, static_cast<A_u_char>(20 + x), 0, 0});
  }
  PF_Rect all{0, 0, 4, 2};
  PF_Rect halfRect{0, 0, 2, 1};
  EXPECT_EQ(transform.copy(ref, &src, &half, &all, &halfRect), PF_Err_NONE);
  // Pixel centres: dest x 0 -> source floor(0.5 * 2) = 1, dest x 1 -> 3; row 0 -> 1.
  EXPECT_EQ(at<PF_Pixel>(half, 0, 0).red, 21);
  EXPECT_EQ(at<PF_Pixel>(half, 1, 0).red, 23);
  PF_Rect twiceRect{0, 0, 8, 4};
  EXPECT_EQ(transform.copy(ref, &src, &twice, &all, &twiceRect), PF_Err_NONE);
  EXPECT_EQ(at<PF_Pixel>(twice, 0, 0).red, 10);
  EXPECT_EQ(at<PF_Pixel>(twice, 1, 0).red, 10);
  EXPECT_EQ(at<PF_Pixel>(twice, 2, 1).red, 11);
  EXPECT_EQ(at<PF_Pixel>(twice, 7, 3).red, 23);
}

TEST_F(HostFillCopy, CopyConvertsBetweenDepths) {
  worlds.reserve(2);
  PF_EffectWorld& src = make(1, 1, PF_PixelFormat_ARGB32);
  PF_EffectWorld& dst = make(1, 1, PF_PixelFormat_ARGB64);
  put(src, 0, 0, PF_Pixel{255, 128, 0, 64});
  EXPECT_EQ(transform.copy(ref, &src, &dst, nullptr, nullptr), PF_Err_NONE);
  EXPECT_EQ(at<PF_Pixel16>(dst, 0, 0), (PF_Pixel16{32768, 16448, 0, 8224}));
}

TEST_F(HostFillCopy, CopyWithinOneWorldReadsTheSourceFirst) {
  PF_EffectWorld& w = make(4, 1, PF_PixelFormat_ARGB32);
  for (A_long x = 0; x < 4; ++x) put(w, x, 0, PF_Pixel{255, static_cast<A_u_char>(x), 0, 0});
  PF_Rect from{0, 0, 3, 1};
  PF_Rect to{1, 0, 4, 1};
  EXPECT_EQ(transform.copy(ref, &w, &w, &from, &to), PF_Err_NONE);
  EXPECT_EQ(at<PF_Pixel>(w, 1, 0).red, 0);
  EXPECT_EQ(at<PF_Pixel>(w, 2, 0).red, 1);
  EXPECT_EQ(at<PF_Pixel>(w, 3, 0).red, 2);
}

// Equal-size copies (rows copied whole) against the documented pixel-centre rule, pixel by
// pixel, for rects partly outside either world and for a world copied onto itself.
class HostEqualSizeCopy : public WorldTest {
 protected:
  template <typename Pixel>
  static Pixel pattern(unsigned n) {
    using Channel = decltype(Pixel{}.alpha);
    const auto c = [&](unsigned k) { return static_cast<Channel>((n * 37 + k * 11) % 200 + 1); };
    return Pixel{c(0), c(1), c(2), c(3)};
  }
  template <typename Pixel>
  std::vector<Pixel> pixels(const PF_EffectWorld& w) {
    std::vector<Pixel> out;
    for (A_long y = 0; y < w.height; ++y) {
      for (A_long x = 0; x < w.width; ++x) out.push_back(at<Pixel>(w, x, y));
    }
    return out;
  }
  template <typename Pixel>
  void checkMany(PF_PixelFormat format) {
    worlds.reserve(2);
    PF_EffectWorld& a = make(9, 7, format);
    PF_EffectWorld& b = make(6, 8, format);
    std::mt19937 random(7);
    const auto in = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
    for (int round = 0; round < 400; ++round) {
      PF_EffectWorld& src = a;
      PF_EffectWorld& dst = round % 3 == 0 ? a : b;
      unsigned n = static_cast<unsigned>(round) * 1000;
      for (PF_EffectWorld* w : {&a, &b}) {
        for (A_long y = 0; y < w->height; ++y) {
          for (A_long x = 0; x < w->width; ++x) put(*w, x, y, pattern<Pixel>(n++));
        }
      }
      const A_long width = in(1, 11), height = in(1, 10);
      const A_long fromLeft = in(-3, 8), fromTop = in(-3, 6);
      const PF_Rect fromRect{fromLeft, fromTop, fromLeft + width, fromTop + height};
      const bool nullDest = round % 5 == 1;  // a NULL dest rect: the source rect, same place
      const A_long toLeft = nullDest ? fromLeft : in(-4, 7), toTop = nullDest ? fromTop : in(-4, 8);
      const PF_Rect toRect{toLeft, toTop, toLeft + width, toTop + height};
      const std::vector<Pixel> before = pixels<Pixel>(src);
      std::vector<Pixel> expected = pixels<Pixel>(dst);
      for (A_long y = std::max<A_long>(toTop, 0); y < std::min(toRect.bottom, dst.height); ++y) {
        for (A_long x = std::max<A_long>(toLeft, 0); x < std::min(toRect.right, dst.width); ++x) {
          const A_long sx = fromRect.left + (2 * (x - toLeft) + 1) * width / (2 * width);
          const A_long sy = fromRect.top + (2 * (y - toTop) + 1) * height / (2 * height);
          if (sx < 0 || sx >= src.width || sy < 0 || sy >= src.height) continue;
          expected[static_cast<std::size_t>(y * dst.width + x)] = before[static_cast<std::size_t>(sy * src.width + sx)];
        }
      }
      PF_Rect fromArg = fromRect, toArg = toRect;
      ASSERT_EQ(transform.copy(ref, &src, &dst, &fromArg, nullDest ? nullptr : &toArg), PF_Err_NONE);
      ASSERT_EQ(pixels<Pixel>(dst), expected) << "round " << round;
    }
  }
};

TEST_F(HostEqualSizeCopy, EightBitMatchesThePixelCentreRule) { checkMany<PF_Pixel8>(PF_PixelFormat_ARGB32); }
TEST_F(HostEqualSizeCopy, SixteenBitMatchesThePixelCentreRule) { checkMany<PF_Pixel16>(PF_PixelFormat_ARGB64); }
TEST_F(HostEqualSizeCopy, FloatMatchesThePixelCentreRule) { checkMany<PF_PixelFloat>(PF_PixelFormat_ARGB128); }

// Copies too large to keep in the caches take another path through memory: rows that start
// and end anywhere within 16 bytes must still arrive whole.
TEST_F(HostEqualSizeCopy, CopiesLargerThanTheCachesArriveWhole) {
  worlds.reserve(2);
  constexpr A_long kSide = 2100;  // 17.6 MB a world
  PF_EffectWorld& src = make(kSide, kSide, PF_PixelFormat_ARGB32);
  PF_EffectWorld& dst = make(kSide, kSide, PF_PixelFormat_ARGB32);
  unsigned n = 0;
  for (A_long y = 0; y < kSide; ++y) {
    for (A_long x = 0; x < kSide; ++x) put(src, x, y, pattern<PF_Pixel8>(n++));
  }
  for (const A_long shift : {0, 1, 3}) {
    const PF_Rect from{1, 0, kSide - 1, kSide};
    PF_Rect to{1 + shift, 0, kSide - 1 + shift, kSide};
    PF_Rect fromArg = from;
    ASSERT_EQ(transform.copy(ref, &src, &dst, &fromArg, &to), PF_Err_NONE);
    for (A_long y = 0; y < kSide; y += 7) {
      for (A_long x = to.left; x < std::min(to.right, kSide); ++x) {
        ASSERT_EQ(at<PF_Pixel8>(dst, x, y), at<PF_Pixel8>(src, x - shift, y)) << x << "," << y << " shift " << shift;
      }
    }
  }
}

TEST_F(HostFillCopy, FillWithMinusZeroStoresIt) {
  PF_EffectWorld& w = make(3, 2, PF_PixelFormat_ARGB128);
  const PF_PixelFloat minusZero{-0.0f, 0.0f, -0.0f, 0.5f};
  EXPECT_EQ(fill.fill_float(ref, &minusZero, nullptr, &w), PF_Err_NONE);
  EXPECT_TRUE(std::signbit(at<PF_PixelFloat>(w, 2, 1).alpha));
  EXPECT_FALSE(std::signbit(at<PF_PixelFloat>(w, 2, 1).red));
  EXPECT_TRUE(std::signbit(at<PF_PixelFloat>(w, 2, 1).green));
}

TEST_F(HostFillCopy, UnsimulatedMembersSaySo) {
  PF_EffectWorld& w = make(2, 2, PF_PixelFormat_ARGB32);
  EXPECT_EQ(transform.blend(ref, &w, &w, 0, &w), PF_Err_BAD_CALLBACK_PARAM);
  EXPECT_EQ(fill.premultiply(ref, 1, &w), PF_Err_BAD_CALLBACK_PARAM);
  const auto problems = host.problems();
  EXPECT_TRUE(aehost::testing::anyProblemContains(problems, "not yet simulated: transform.blend"));
  EXPECT_TRUE(aehost::testing::anyProblemContains(problems, "not yet simulated: fillMatte.premultiply"));
  host.clearRecordedProblems();
}

}  // namespace
