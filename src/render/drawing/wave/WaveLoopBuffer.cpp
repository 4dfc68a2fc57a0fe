#include "wave/WaveLoopBuffer.h"

#include <algorithm>

#include "random/RandomStream.h"

WaveLoopBuffer buildWaveLoopBuffer(const WaveSettings& settings, std::int32_t seed) {
  const std::int32_t count =
      std::clamp(settings.loopBuffer, WaveLoopBuffer::kMinEntries, WaveLoopBuffer::kMaxEntries);

  // Unsigned arithmetic: seed + 1 wraps instead of overflowing for the largest seed.
  const auto base = static_cast<std::uint32_t>(seed);
  RandomStream spacingStream = RandomStream::afterTwoSteps(base);
  RandomStream amplitudeStream = RandomStream::afterTwoSteps(base + 1u);
  RandomStream signStream = RandomStream::afterTwoSteps(base + 2u);

  const double wl = settings.length;
  const double wlr = settings.lengthRandom;
  const double wa = settings.amount;
  const double war = settings.amountRandom;

  WaveLoopBuffer buffer;
  buffer.entries.resize(static_cast<std::size_t>(count));
  for (std::int32_t j = 0; j < count; ++j) {
    WaveLoopEntry& entry = buffer.entries[static_cast<std::size_t>(j)];

    // spacing = WL − (2r − 1)·WLR·WL: WL ± WLR·WL
    const double r1 = spacingStream.draw();
    entry.spacing = wl - (2.0 * r1 - 1.0) * wlr * wl;

    // The sign stream is only drawn from without "Alternate Wave".
    double sign = 1.0;
    if (settings.alternate) {
      sign = j % 2 == 0 ? 1.0 : -1.0;
    } else {
      const double r3 = signStream.draw();
      sign = 2.0 * r3 - 1.0 < 0.0 ? -1.0 : 1.0;
    }

    // amplitude = sign·WA − r·WAR·sign·WA: from ±WA down to ±WA·(1 − WAR)
    const double r2 = amplitudeStream.draw();
    entry.amplitude = sign * wa - r2 * war * sign * wa;
  }
  return buffer;
}
