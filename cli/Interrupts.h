// SIGINT and SIGTERM (Ctrl-C, and a farm manager pre-empting a job) stop a render after the
// frames in flight: no new frame starts, those being rendered are finished and written whole,
// and the renderer exits with 128 + the signal's number (130, 143). A second signal ends the
// process at once; frames are written under no name until whole, so none is left half-done.
#pragma once

namespace inkline_cli {

// Installs the handlers for the rest of the process.
void watchForInterrupts();

// The signal received, 0 when none.
int interruptSignal();

}  // namespace inkline_cli
