#include <gtest/gtest.h>

#include "aehost/CallbackTables.h"
#include "aehost_testing/PixelEquality.h"
#include "aehost_testing/ProbeInstance.h"
#include "support/WorldFixture.h"

namespace {

using aehost::testing::anyProblemContains;

PF_CompositeMode inFront(A_u_char opacity = 255, A_u_short opacitySu = 32768) {
  return PF_CompositeMode{PF_Xfer_IN_FRONT, 0, opacity, 0, opacitySu};
}

// Straight-alpha "src over dst" as transfer_rect computes it: see aehost/WorldOps.h. The
// expected numbers below were worked out from that formula by hand.
class HostTransferRect : public WorldTest {
 protected:
  HostTransferRect() { worlds.reserve(8); }
  template <typename Pixel>
  Pixel composite(PF_PixelFormat format, const Pixel& s, const Pixel& d, const PF_CompositeMode& mode) {
    PF_EffectWorld& src = make(1, 1, format);
    PF_EffectWorld& dst = make(1, 1, format);
    put(src, 0, 0, s);
    put(dst, 0, 0, d);
    EXPECT_EQ(transform.transfer_rect(ref, PF_Quality_HI, PF_MF_Alpha_STRAIGHT, PF_Field_FRAME, nullptr, &src, &mode,
                                      nullptr, 0, 0, &dst),
              PF_Err_NONE);
    return at<Pixel>(dst, 0, 0);
  }
};

TEST_F(HostTransferRect, InFrontEightBit) {
  const auto f = PF_PixelFormat_ARGB32;
  // Half-covered source over an opaque destination: outA 1, colours mixed by sa = 128/255.
  EXPECT_EQ(composite(f, PF_Pixel{128, 200, 100, 0}, PF_Pixel{255, 0, 50, 255}, inFront()), (PF_Pixel{255, 100, 75, 127}));
  // Over a partly transparent destination: outA = 0.502 + 0.392 * 0.498 = 0.6973 -> 178.
  EXPECT_EQ(composite(f, PF_Pixel{128, 200, 100, 0}, PF_Pixel{100, 0, 50, 255}, inFront()), (PF_Pixel{178, 144, 86, 71}));
  // Opacity scales the source alpha: opaque at 128/255 is the same as alpha 128.
  EXPECT_EQ(composite(f, PF_Pixel{255, 200, 100, 0}, PF_Pixel{100, 0, 50, 255}, inFront(128)), (PF_Pixel{178, 144, 86, 71}));
  // Nothing over nothing stays all zero.
  EXPECT_EQ(composite(f, PF_Pixel{0, 200, 100, 0}, PF_Pixel{0, 0, 50, 255}, inFront()), (PF_Pixel{0, 0, 0, 0}));
  // Opaque source replaces, transparent source leaves the destination.
  EXPECT_EQ(composite(f, PF_Pixel{255, 1, 2, 3}, PF_Pixel{90, 9, 9, 9}, inFront()), (PF_Pixel{255, 1, 2, 3}));
  EXPECT_EQ(composite(f, PF_Pixel{0, 1, 2, 3}, PF_Pixel{90, 9, 9, 9}, inFront()), (PF_Pixel{90, 9, 9, 9}));
}

TEST_F(HostTransferRect, InFrontSixteenBitUsesOpacitySu) {
  const auto f = PF_PixelFormat_ARGB64;
  EXPECT_EQ(composite(f, PF_Pixel16{16384, 30000, 1000, 0}, PF_Pixel16{8192, 0, 20000, 32768}, inFront()),
            (PF_Pixel16{20480, 24000, 4800, 6554}));
  // opacitySu 16384 halves the source; `opacity` plays no part in 16 bits.
  EXPECT_EQ(composite(f, PF_Pixel16{16384, 30000, 1000, 0}, PF_Pixel16{32768, 0, 20000, 32768}, inFront(0, 16384)),
            (PF_Pixel16{32768, 7500, 15250, 24576}));
}

TEST_F(HostTransferRect, InFrontFloatKeepsOverbrightColours) {
  const auto f = PF_PixelFormat_ARGB128;
  const PF_PixelFloat s{0.5f, 1.0f, 0.25f, 2.0f};
  const PF_PixelFloat d{0.5f, 0.0f, 0.75f, 0.5f};
  const PF_PixelFloat full = composite(f, s, d, inFront());
  EXPECT_FLOAT_EQ(full.alpha, 0.75f);
  EXPECT_FLOAT_EQ(full.red, 0.6666666865348816f);
  EXPECT_FLOAT_EQ(full.green, 0.4166666567325592f);
  EXPECT_FLOAT_EQ(full.blue, 1.5f);
  const PF_PixelFloat faded = composite(f, s, d, inFront(128));  // float worlds use `opacity`
  EXPECT_FLOAT_EQ(faded.alpha, 0.6254901885986328f);
  EXPECT_FLOAT_EQ(faded.red, 0.40125390887260437f);
  EXPECT_FLOAT_EQ(faded.blue, 1.1018809080123901f);
}

TEST_F(HostTransferRect, CopyReplacesWithTheAlphaFaded) {
  const PF_CompositeMode copy{PF_Xfer_COPY, 0, 255, 0, 32768};
  EXPECT_EQ(composite(PF_PixelFormat_ARGB32, PF_Pixel{200, 1, 2, 3}, PF_Pixel{255, 9, 9, 9}, copy), (PF_Pixel{200, 1, 2, 3}));
  const PF_CompositeMode half{PF_Xfer_COPY, 0, 128, 0, 16384};
  // 200 * 128 / 255 = 100.39 -> 100; colours straight, unchanged.
  EXPECT_EQ(composite(PF_PixelFormat_ARGB32, PF_Pixel{200, 1, 2, 3}, PF_Pixel{255, 9, 9, 9}, half), (PF_Pixel{100, 1, 2, 3}));
  EXPECT_EQ(composite(PF_PixelFormat_ARGB64, PF_Pixel16{30000, 1, 2, 3}, PF_Pixel16{}, half), (PF_Pixel16{15000, 1, 2, 3}));
}

TEST_F(HostTransferRect, SourceRectLandsAtTheDestinationPointClipped) {
  PF_EffectWorld& src = make(4, 4, PF_PixelFormat_ARGB32);
  PF_EffectWorld& dst = make(3, 3, PF_PixelFormat_ARGB32);
  for (A_long y = 0; y < 4; ++y) {
    for (A_long x = 0; x < 4; ++x) put(src, x, y, PF_Pixel{255, static_cast<A_u_char>(x), static_cast<A_u_char>(y), 7});
  }
  const PF_Rect rect{1, 1, 4, 4};
  const PF_CompositeMode mode = inFront();
  // Source (1..3, 1..3) to (-1, 2): only source (2..3, 1) lands, at (0..1, 2).
  EXPECT_EQ(transform.transfer_rect(ref, PF_Quality_LO, PF_MF_Alpha_STRAIGHT, PF_Field_FRAME, &rect, &src, &mode, nullptr,
                                    -1, 2, &dst),
            PF_Err_NONE);
  EXPECT_EQ(at<PF_Pixel>(dst, 0, 2), (PF_Pixel{255, 2, 1, 7}));
  EXPECT_EQ(at<PF_Pixel>(dst, 1, 2), (PF_Pixel{255, 3, 1, 7}));
  EXPECT_EQ(at<PF_Pixel>(dst, 2, 2), (PF_Pixel{}));
  EXPECT_EQ(at<PF_Pixel>(dst, 0, 1), (PF_Pixel{}));
}

TEST_F(HostTransferRect, SourceIsConvertedToTheDestinationDepth) {
  PF_EffectWorld& src = make(1, 1, PF_PixelFormat_ARGB32);
  PF_EffectWorld& dst = make(1, 1, PF_PixelFormat_ARGB128);
  put(src, 0, 0, PF_Pixel{255, 51, 0, 255});
  const PF_CompositeMode mode = inFront();
  EXPECT_EQ(transform.transfer_rect(ref, PF_Quality_HI, PF_MF_Alpha_STRAIGHT, PF_Field_FRAME, nullptr, &src, &mode,
                                    nullptr, 0, 0, &dst),
            PF_Err_NONE);
  EXPECT_FLOAT_EQ(at<PF_PixelFloat>(dst, 0, 0).red, 0.2f);
  EXPECT_FLOAT_EQ(at<PF_PixelFloat>(dst, 0, 0).alpha, 1.0f);
}

TEST_F(HostTransferRect, WhatIsNotSimulatedSaysSo) {
  PF_EffectWorld& w = make(2, 2, PF_PixelFormat_ARGB32);
  const PF_CompositeMode mode = inFront();
  EXPECT_EQ(transform.transfer_rect(ref, PF_Quality_HI, PF_MF_Alpha_PREMUL, PF_Field_FRAME, nullptr, &w, &mode, nullptr,
                                    0, 0, &w),
            PF_Err_BAD_CALLBACK_PARAM);
  const PF_CompositeMode screen{PF_Xfer_SCREEN, 0, 255, 0, 32768};
  EXPECT_EQ(transform.transfer_rect(ref, PF_Quality_HI, PF_MF_Alpha_STRAIGHT, PF_Field_FRAME, nullptr, &w, &screen,
                                    nullptr, 0, 0, &w),
            PF_Err_BAD_CALLBACK_PARAM);
  PF_MaskWorld mask{};
  EXPECT_EQ(transform.transfer_rect(ref, PF_Quality_HI, PF_MF_Alpha_STRAIGHT, PF_Field_FRAME, nullptr, &w, &mode, &mask,
                                    0, 0, &w),
            PF_Err_BAD_CALLBACK_PARAM);
  const auto problems = host.problems();
  EXPECT_TRUE(anyProblemContains(problems, "not yet simulated: premultiplied alpha"));
  EXPECT_TRUE(anyProblemContains(problems, "not yet simulated: transfer mode 6"));
  EXPECT_TRUE(anyProblemContains(problems, "not yet simulated: a mask world"));
  host.clearRecordedProblems();
}

}  // namespace
