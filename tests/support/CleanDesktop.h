// A simulated desktop with no windows, dialogs or records from an earlier test, before the
// host makes its main window and after the test. As a base class listed before the fixture's.
#pragma once

#include "win32standin/Desktop.h"

struct CleanDesktop {
  CleanDesktop() { win32standin::resetDesktop(); }
  ~CleanDesktop() { win32standin::resetDesktop(); }
  CleanDesktop(const CleanDesktop&) = delete;
  CleanDesktop& operator=(const CleanDesktop&) = delete;
};
