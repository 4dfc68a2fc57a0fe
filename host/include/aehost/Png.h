#pragma once

#include <filesystem>
#include <memory>
#include <stdexcept>

#include "aehost/Image.h"

namespace aehost {

class PngError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Reads a PNG of 8 or 16 bits per channel, any colour type libpng expands to RGBA (grey,
// palette, with or without alpha or tRNS), as a straight-alpha image: 8-bit files give an
// 8-bit image, 16-bit files a 16-bit image with v * 32768 / 65535 rounded. Throws PngError.
Image readPng(const std::filesystem::path& file);

struct PngWriteOptions {
  int bitsPerChannel = 0;  // 0: 8 for 8-bit images, 16 otherwise; or 8 / 16 explicitly
  // Fault injection for tests: fail as if the disk filled up after writing this many rows.
  int failAfterRows = -1;
  // zlib's level, 0 … 9 (6 is zlib's own default).
  int compressionLevel = 6;
  // Off: rows go to zlib unfiltered. With level 1 that writes a contact sheet in half the
  // time of the defaults, the file about a sixth larger.
  bool filterRows = true;
  // Flush the file to the disk before it takes its name (fsync): a frame then survives a power
  // cut once written, at the cost of waiting for the disk every frame.
  bool syncToDisk = false;
};

// Writes RGBA with straight alpha. 16-bit files: from 16-bit images v * 65535 / 32768
// rounded, from float images the value clamped to 0..1 times 65535 rounded, from 8-bit
// images v * 257. 8-bit files: the image converted to 8 bits (Channels.h). The file appears
// whole or not at all: the PNG goes to a temporary file beside it that is renamed over the
// target only when complete; on failure the temporary file is removed, an existing target is
// left as it was, and PngError is thrown.
void writePng(const Image& image, const std::filesystem::path& file, PngWriteOptions options = {});

// writePng a band of rows at a time, for an image whose rows become final top down while the
// rest is still being made (a contact sheet, as its frames come in): the compression of the
// rows done overlaps the making of the others. The same file as writePng, whole or not at all:
// nothing is created before the first rows are written, finish() gives the file its name, and
// a writer that goes without finishing, or fails, leaves nothing behind.
class PngRowWriter {
 public:
  // For images of this size and format (neither is checked against the images handed in later).
  PngRowWriter(std::filesystem::path file, A_long width, A_long height, PF_PixelFormat format,
               PngWriteOptions options = {});
  ~PngRowWriter();
  PngRowWriter(const PngRowWriter&) = delete;
  PngRowWriter& operator=(const PngRowWriter&) = delete;

  // Writes the image's rows from the first not yet written up to end − 1. Throws PngError;
  // every later call throws again.
  void writeRows(const Image& image, A_long end);
  A_long rowsWritten() const;
  // Writes the rows left and gives the file its name. Throws PngError.
  void finish(const Image& image);

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace aehost
