// Where stamping would change nothing: per canvas row, one run of pixels that the stamp being
// drawn leaves as they are, whatever its coverage. Consecutive stamps of a stroke overlap
// almost entirely, so most of each disc lands on pixels an earlier disc of the same stamp
// already settled; the blitter skips those and blends only the disc's leading edge.
//
// The runs hold for one stamp pixel (compared bit for bit): a stamp with another value starts
// over, as does clearing the work world. Rows are checked against a generation number, so
// starting over costs nothing per row.
#pragma once

#include <cstdint>
#include <cstring>
#include <vector>

class SettledRows {
public:
  struct Run {
    int left;   // first settled column
    int right;  // last settled column
  };

  // A canvas of `height` rows; nothing settled.
  void resize(int height) {
    rows_.assign(height > 0 ? static_cast<std::size_t>(height) : 0, Row{});
    forget();
  }

  int rowCount() const { return static_cast<int>(rows_.size()); }

  // Nothing is settled any more (the pixels were cleared or written by other means).
  void forget() {
    ++generation_;
    stampBytes_ = 0;
  }

  // Makes the runs those of `stamp`: kept when it is the stamp of the runs, forgotten otherwise.
  template <class Pixel>
  void useStamp(const Pixel& stamp) {
    static_assert(sizeof(Pixel) <= sizeof(stamp_));
    if (stampBytes_ == sizeof(Pixel) && std::memcmp(stamp_, &stamp, sizeof(Pixel)) == 0) return;
    forget();
    std::memcpy(stamp_, &stamp, sizeof(Pixel));
    stampBytes_ = sizeof(Pixel);
  }

  // The settled run of row y, if it has one.
  bool find(int y, Run& run) const {
    const Row& row = rows_[static_cast<std::size_t>(y)];
    if (row.generation != generation_) return false;
    run = row.run;
    return true;
  }
  bool holds(int y, int x) const {
    const Row& row = rows_[static_cast<std::size_t>(y)];
    return row.generation == generation_ && x >= row.run.left && x <= row.run.right;
  }
  void set(int y, Run run) { rows_[static_cast<std::size_t>(y)] = Row{generation_, run}; }

private:
  struct Row {
    std::uint64_t generation = 0;
    Run run{0, -1};
  };
  std::vector<Row> rows_;
  std::uint64_t generation_ = 1;
  unsigned char stamp_[16] = {};
  std::size_t stampBytes_ = 0;
};
