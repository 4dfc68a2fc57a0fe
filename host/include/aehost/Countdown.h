#pragma once

namespace aehost {

// Fault injection trigger: armed with n, the n-th next call to fires() returns true, once.
class Countdown {
 public:
  void arm(int nthNextCall) { remaining_ = nthNextCall > 0 ? nthNextCall : 0; }
  void disarm() { remaining_ = 0; }
  bool armed() const { return remaining_ > 0; }

  bool fires() {
    if (remaining_ == 0) return false;
    return --remaining_ == 0;
  }

 private:
  int remaining_ = 0;
};

}  // namespace aehost
