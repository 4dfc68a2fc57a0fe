#include "geometry/RepeatedSum.h"

#include <algorithm>
#include <cmath>

namespace {

// How many additions of r (a multiple of u) from x keep every sum's exact value, x_k + h with
// h < r + u, inside x's binade, where the grid is u. Zero when that cannot be said.
struct Run {
  std::int64_t start = 0;  // x / u
  std::int64_t increment = 0;  // r / u
  std::int64_t additions = 0;
  int exponent = 0;  // u = 2^exponent
};

// x normal and non-zero; r = fl(x + h) − x > 0 and the same from x + r.
Run runFrom(double x, double r) {
  int e = 0;
  std::frexp(x, &e);  // |x| in [2^(e-1), 2^e)
  Run run;
  run.exponent = e - 53;
  run.start = static_cast<std::int64_t>(std::ldexp(x, -run.exponent));
  run.increment = static_cast<std::int64_t>(std::ldexp(r, -run.exponent));
  if (run.increment <= 0) return run;
  const std::int64_t R = run.increment;
  if (x > 0) {
    // Moving away from zero: every x_k + r + u stays below 2^e = 2^53 u.
    const std::int64_t room = (std::int64_t{1} << 53) - run.start - R - 1;
    run.additions = room > 0 ? (room + R - 1) / R : 0;
  } else {
    // Moving toward zero: every x_k + r + u stays at or below −2^(e−1) = −2^52 u.
    const std::int64_t room = -(std::int64_t{1} << 52) - run.start - R - 1;
    run.additions = room >= 0 ? room / R + 1 : 0;
  }
  return run;
}

// The increment of the next addition when it can be repeated, else 0.
double repeatableIncrement(double x, double step) {
  if (!std::isnormal(x)) return 0.0;
  const double r = (x + step) - x;
  if (!(r > 0.0)) return 0.0;
  const double next = x + r;
  return (next + step) - next == r ? r : 0.0;
}

double atRun(const Run& run, std::int64_t additions) {
  return std::ldexp(static_cast<double>(run.start + additions * run.increment), run.exponent);
}

}  // namespace

double addRepeatedly(double value, double step, std::uint64_t count) {
  while (count > 0) {
    const double r = count >= 4 ? repeatableIncrement(value, step) : 0.0;
    const Run run = r > 0.0 ? runFrom(value, r) : Run{};
    if (run.additions < 2) {
      value += step;
      --count;
      continue;
    }
    const std::int64_t k = static_cast<std::int64_t>(std::min<std::uint64_t>(count, static_cast<std::uint64_t>(run.additions)));
    value = atRun(run, k);
    count -= static_cast<std::uint64_t>(k);
  }
  return value;
}

std::uint64_t addUntilAtLeast(double& value, double step, double limit, std::uint64_t maxCount) {
  std::uint64_t n = 0;
  while (n < maxCount) {
    const double r = repeatableIncrement(value, step);
    const Run run = r > 0.0 ? runFrom(value, r) : Run{};
    if (run.additions < 2) {
      value += step;
      ++n;
      if (!(value < limit)) break;
      continue;
    }
    // The first k in 1 … additions with x_k ≥ limit, if any; else all of them.
    std::int64_t k = std::min<std::int64_t>(run.additions, static_cast<std::int64_t>(std::min<std::uint64_t>(
                                                                maxCount - n, std::uint64_t{1} << 62)));
    const double wanted = (limit - value) / r;
    if (wanted > 0.0 && wanted < static_cast<double>(k)) {
      std::int64_t guess = std::max<std::int64_t>(1, static_cast<std::int64_t>(std::ceil(wanted)));
      while (guess > 1 && !(atRun(run, guess - 1) < limit)) --guess;
      while (guess < k && atRun(run, guess) < limit) ++guess;
      k = guess;
    }
    value = atRun(run, k);
    n += static_cast<std::uint64_t>(k);
    if (!(value < limit)) break;
  }
  return n;
}
