// A contact sheet: every rendered frame as a thumbnail over a checkerboard (so transparency
// shows), numbered, in rows, for a quick look at a whole render in one image.
#pragma once

#include <filesystem>
#include <vector>

#include "aehost/Image.h"

namespace inkline_cli {

class ContactSheet {
 public:
  // Room for `count` frames of the given size, labelled with their frame numbers.
  ContactSheet(A_long frameWidth, A_long frameHeight, std::vector<A_long> frameNumbers);

  // The frame in its cell (slot: its position in frameNumbers). Frames may be placed from
  // several threads at once: each writes only its own cell.
  void place(std::size_t slot, const aehost::Image& frame);

  const aehost::Image& image() const { return sheet_; }
  A_long thumbnailWidth() const { return thumbWidth_; }
  A_long thumbnailHeight() const { return thumbHeight_; }
  int columns() const { return columns_; }
  // The rows of thumbnails, and the sheet's rows that no later placing changes once the first
  // `complete` rows of thumbnails are all placed (every row of the sheet once all are).
  int rows() const { return rows_; }
  std::size_t frameCount() const { return frameNumbers_.size(); }
  A_long rowsFinalAfter(int complete) const;
  // Where the thumbnail of `slot` starts in the sheet.
  void cellOrigin(std::size_t slot, A_long& x, A_long& y) const;

 private:
  void drawLabel(A_long x, A_long y, A_long number);

  A_long thumbWidth_ = 1;
  A_long thumbHeight_ = 1;
  int columns_ = 1;
  int rows_ = 1;
  std::vector<A_long> frameNumbers_;
  aehost::Image sheet_;
};

}  // namespace inkline_cli
