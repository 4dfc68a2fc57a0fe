// The contact sheet's PNG, written while the frames render: a row of thumbnails goes to zlib
// as soon as its last frame is placed, by the thread that placed it, so that only the last row
// is left to compress when the last frame is done. (Written whole after the frames, the sheet
// of a 48-frame demo kept one core busy for about 40 ms while the others had nothing to do.)
#pragma once

#include <filesystem>
#include <mutex>
#include <vector>

#include "ContactSheet.h"
#include "aehost/Png.h"

namespace inkline_cli {

class ContactSheetWriter {
 public:
  // The sheet of ContactSheet(frameWidth, frameHeight, frameNumbers), to go to `file`; nothing
  // is created before the first row of thumbnails is written.
  ContactSheetWriter(A_long frameWidth, A_long frameHeight, std::vector<A_long> frameNumbers, std::filesystem::path file);

  // The frame in its cell (ContactSheet::place), then the sheet's rows this made final, unless
  // another thread is writing: that one writes them before it stops. Frames may be placed from
  // several threads at once. Throws RenderFailure when the file cannot be written.
  void place(std::size_t slot, const aehost::Image& frame);

  // Writes the rows left and gives the file its name; throws RenderFailure. A sheet not
  // finished leaves no file behind.
  void finish();

  const ContactSheet& sheet() const { return sheet_; }

 private:
  // Writes rows up to `end`: only ever one thread at a time (the one writing, or finish).
  void writeRows(A_long end);

  ContactSheet sheet_;
  std::filesystem::path file_;
  aehost::PngRowWriter png_;
  std::mutex mutex_;  // guards the counts below
  std::vector<std::size_t> placedInRow_;  // per row of thumbnails
  int rowsComplete_ = 0;                  // leading rows of thumbnails all placed
  bool writing_ = false;                  // a thread is in writeRows
};

}  // namespace inkline_cli
