// What the wave modifier reads of the render settings, as a small record of its own so the
// wave can be set up and tested without a whole render.
#pragma once

#include <cstdint>

struct WaveSettings {
  bool enabled = false;
  double amount = 0.0;          // WA [px, downsample-scaled]; a negative amount flips the side
  double length = 0.0;          // WL: mean node spacing [fraction of the path length]
  double phase = 0.0;           // PH: slide of the node chain [path lengths]
  double tangentLength = 0.0;   // TL: handle length [fraction of the chord to the neighbour node]
  double amountRandom = 0.0;    // WAR [fraction]
  double lengthRandom = 0.0;    // WLR [fraction]
  bool alternate = false;       // amplitude signs +, −, +, … instead of random
  double roundCorners = 0.0;    // RC: corner cut, 0 … 2 [fraction of the half side]
  std::int32_t loopBuffer = 0;  // N: entries before the random pattern repeats
};
