#pragma once

// Equality and printing of the SDK's pixel types, so tests can compare them in gtest
// assertions. The SDK types live in the global namespace, so these do too.

#include <ostream>

#include "AE_Effect.h"

inline bool operator==(const PF_Pixel& a, const PF_Pixel& b) {
  return a.alpha == b.alpha && a.red == b.red && a.green == b.green && a.blue == b.blue;
}
inline bool operator==(const PF_Pixel16& a, const PF_Pixel16& b) {
  return a.alpha == b.alpha && a.red == b.red && a.green == b.green && a.blue == b.blue;
}
inline bool operator==(const PF_PixelFloat& a, const PF_PixelFloat& b) {
  return a.alpha == b.alpha && a.red == b.red && a.green == b.green && a.blue == b.blue;
}

inline void PrintTo(const PF_Pixel& p, std::ostream* os) {
  *os << "argb8(" << +p.alpha << ", " << +p.red << ", " << +p.green << ", " << +p.blue << ")";
}
inline void PrintTo(const PF_Pixel16& p, std::ostream* os) {
  *os << "argb16(" << p.alpha << ", " << p.red << ", " << p.green << ", " << p.blue << ")";
}
inline void PrintTo(const PF_PixelFloat& p, std::ostream* os) {
  *os << "argbf(" << p.alpha << ", " << p.red << ", " << p.green << ", " << p.blue << ")";
}
