// What the stroke loop needs from the world outside the drawing code, once per stroke: a
// cleared work world before it, the finished stroke laid over the output after it, and a
// progress report that may stop the render. Only the canvas's touched rectangle need be
// cleared or laid over: outside it the work world is transparent, and a transparent pixel
// laid over the output leaves it as it was. The render driver answers these through the host;
// tests answer them directly.
#pragma once

#include "AE_Effect.h"

class StrokeOutput {
public:
  virtual PF_Err clearWorkWorld() = 0;
  virtual PF_Err compositeWorkWorld() = 0;
  // current out of total; a non-zero result (the user cancelled) stops the loop.
  virtual PF_Err reportProgress(A_long current, A_long total) = 0;
  // Asked every so much drawing work between progress reports, so that a long stroke can be
  // stopped too; a non-zero result stops the loop. Outputs that cannot be stopped keep this.
  virtual PF_Err checkForAbort() { return PF_Err_NONE; }

protected:
  ~StrokeOutput() = default;
};
