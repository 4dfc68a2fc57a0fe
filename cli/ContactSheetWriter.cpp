#include "ContactSheetWriter.h"

#include <algorithm>
#include <string>
#include <system_error>
#include <utility>

#include "ExitCodes.h"

namespace inkline_cli {

namespace {

// The fastest settings: the last row of thumbnails is still written while nothing else runs.
aehost::PngWriteOptions sheetWriteOptions() {
  aehost::PngWriteOptions options;
  options.compressionLevel = 1;
  options.filterRows = false;
  return options;
}

}  // namespace

ContactSheetWriter::ContactSheetWriter(A_long frameWidth, A_long frameHeight, std::vector<A_long> frameNumbers,
                                       std::filesystem::path file)
    : sheet_(frameWidth, frameHeight, std::move(frameNumbers)),
      file_(std::move(file)),
      png_(file_, sheet_.image().width(), sheet_.image().height(), sheet_.image().format(), sheetWriteOptions()),
      placedInRow_(static_cast<std::size_t>(sheet_.rows()), 0) {}

void ContactSheetWriter::place(std::size_t slot, const aehost::Image& frame) {
  sheet_.place(slot, frame);
  std::unique_lock lock(mutex_);
  const auto columns = static_cast<std::size_t>(sheet_.columns());
  const std::size_t row = slot / columns;
  if (row >= placedInRow_.size()) return;
  ++placedInRow_[row];
  const std::size_t frames = sheet_.frameCount();
  while (rowsComplete_ < sheet_.rows()) {
    const auto next = static_cast<std::size_t>(rowsComplete_);
    const std::size_t cells = std::min(columns, frames - next * columns);
    if (placedInRow_[next] < cells) break;
    ++rowsComplete_;
  }
  // The thread writing looks at rowsComplete_ again, under the lock, before it stops.
  if (writing_) return;
  writing_ = true;
  try {
    for (A_long end = sheet_.rowsFinalAfter(rowsComplete_); end > png_.rowsWritten();
         end = sheet_.rowsFinalAfter(rowsComplete_)) {
      lock.unlock();
      writeRows(end);
      lock.lock();
    }
  } catch (...) {
    if (!lock.owns_lock()) lock.lock();
    writing_ = false;
    throw;
  }
  writing_ = false;
}

void ContactSheetWriter::writeRows(A_long end) {
  try {
    if (png_.rowsWritten() == 0 && file_.has_parent_path()) {
      std::error_code ignored;  // a folder that cannot be made fails the write, which says why
      std::filesystem::create_directories(file_.parent_path(), ignored);
    }
    png_.writeRows(sheet_.image(), end);
  } catch (const std::exception& e) {
    throw RenderFailure(file_.string() + ": cannot write the contact sheet: " + e.what());
  }
}

void ContactSheetWriter::finish() {
  std::lock_guard lock(mutex_);
  writeRows(sheet_.image().height());
  try {
    png_.finish(sheet_.image());
  } catch (const std::exception& e) {
    throw RenderFailure(file_.string() + ": cannot write the contact sheet: " + e.what());
  }
}

}  // namespace inkline_cli
