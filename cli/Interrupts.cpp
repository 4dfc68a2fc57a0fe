#include "Interrupts.h"

#include <csignal>

namespace inkline_cli {

namespace {

volatile std::sig_atomic_t received = 0;

extern "C" void onInterrupt(int signal) { received = signal; }

}  // namespace

void watchForInterrupts() {
  struct sigaction action {};
  action.sa_handler = onInterrupt;
  sigemptyset(&action.sa_mask);
  // Once handled, the signal's own action again: a second Ctrl-C ends the process.
  action.sa_flags = SA_RESETHAND;
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
}

int interruptSignal() { return received; }

}  // namespace inkline_cli
