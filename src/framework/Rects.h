// Rectangle arithmetic for the pre-render's output rectangles.
#pragma once

#include <algorithm>

#include "AE_Effect.h"

// Empty unless left < right and top < bottom.
inline bool isEmptyRect(const PF_LRect& r) { return !(r.left < r.right && r.top < r.bottom); }

inline PF_LRect rectUnion(const PF_LRect& a, const PF_LRect& b) {
  return PF_LRect{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                  std::max(a.bottom, b.bottom)};
}

// Grows `target` to include `other`; unless both are non-empty, `target` becomes `other`.
inline void uniteOrReplace(PF_LRect& target, const PF_LRect& other) {
  target = !isEmptyRect(target) && !isEmptyRect(other) ? rectUnion(target, other) : other;
}

// Grows `target` to include `other`; an empty rectangle adds nothing.
inline void uniteRect(PF_LRect& target, const PF_LRect& other) {
  if (isEmptyRect(target)) {
    target = other;
  } else if (!isEmptyRect(other)) {
    target = rectUnion(target, other);
  }
}
