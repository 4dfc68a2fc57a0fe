#pragma once

#include <filesystem>
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

}  // namespace aehost
