// The effect's one random generator: a 32-bit linear congruential stream. Every user keeps its
// own stream in a local, seeded from an integer, so renders are reproducible on every thread and
// every machine and nothing is shared between threads.
#pragma once

#include <cstdint>

// state' = state · 214013 + 2531011 (mod 2^32)
constexpr std::uint32_t stepRandomState(std::uint32_t state) { return state * 214013u + 2531011u; }

// Two steps at once: x · 2851891209 + 505908858 (mod 2^32), the same as 505908858 − x · 1443076087.
constexpr std::uint32_t twoStepJump(std::uint32_t x) { return x * 2851891209u + 505908858u; }

// Three steps at once: x · 1170746341 + 3539360597 (mod 2^32).
constexpr std::uint32_t threeStepJump(std::uint32_t x) { return x * 1170746341u + 3539360597u; }

struct RandomStream {
  std::uint32_t state = 0;

  // Streams are started from a jump of an integer seed; a signed seed converts modulo 2^32.
  static constexpr RandomStream afterTwoSteps(std::uint32_t seed) { return RandomStream{twoStepJump(seed)}; }
  static constexpr RandomStream afterThreeSteps(std::uint32_t seed) { return RandomStream{threeStepJump(seed)}; }

  constexpr void step() { state = stepRandomState(state); }

  // All sixteen upper bits: 0 … 65535.
  constexpr std::uint32_t output() const { return state >> 16; }

  // output · 1.5259021896696422e-5 (the double nearest 1/65535): 0 … 1, both ends reachable.
  constexpr double unitValue() const { return static_cast<double>(output()) * 1.5259021896696422e-5; }

  // 2 · unit − 1: −1 … 1.
  constexpr double signedValue() const { return 2.0 * unitValue() - 1.0; }

  // trunc(unit · 100): 0 … 100, 100 only for output 65535. Used as a seed handed on.
  constexpr std::int32_t percentValue() const { return static_cast<std::int32_t>(unitValue() * 100.0); }

  // A draw steps once, then reads the new state.
  constexpr double draw() {
    step();
    return unitValue();
  }
  constexpr double drawSigned() {
    step();
    return signedValue();
  }
  constexpr std::int32_t drawPercent() {
    step();
    return percentValue();
  }
};
