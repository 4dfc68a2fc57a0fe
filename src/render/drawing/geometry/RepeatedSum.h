// Repeated floating-point addition, skipped ahead exactly: the walk adds its step to a running
// distance and position once per sample, and a long run of samples that cannot reach the
// canvas must be passed over without walking them while every later sample keeps the very
// bits the one-by-one walk gives it.
//
// Within a binade [2^(e-1), 2^e) every double is a multiple of u = 2^(e-53), so adding a step h
// to a value x of it (and landing in it, well clear of its ends) gives x + r, r = h rounded to
// a multiple of u, the same r every time (a tie, where h is an odd multiple of u/2, rounds by
// the parity of x and is taken one addition at a time). k additions then give x + k·r exactly,
// computed in integers of u. Near a binade's end, and for zero, subnormal or non-finite values,
// the additions are done one by one.
#pragma once

#include <cstdint>

// value + step, `count` times, each sum rounded as the loop rounds it.
double addRepeatedly(double value, double step, std::uint64_t count);

// The loop  do { value += step; ++n; } while (value < limit && n < maxCount);  returns n and
// leaves the value as the loop leaves it. step must be positive.
std::uint64_t addUntilAtLeast(double& value, double step, double limit, std::uint64_t maxCount);
