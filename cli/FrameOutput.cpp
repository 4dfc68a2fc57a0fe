#include "FrameOutput.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>

#include "ExitCodes.h"
#include "aehost/PixelFormats.h"
#include "aehost/Png.h"

namespace inkline_cli {

FrameNaming::FrameNaming(const std::filesystem::path& output) : folder_(output) {
  const std::string name = output.filename().string();
  const std::size_t hash = name.find('#');
  const std::size_t percent = name.find('%');
  if (hash == std::string::npos && percent == std::string::npos) return;  // a folder
  const std::string usage = output.string() + ": a file pattern holds the frame number once, as #### or %04d";
  std::size_t start = 0, end = 0;
  if (hash != std::string::npos) {
    if (percent != std::string::npos) throw InputError(usage);
    end = name.find_first_not_of('#', hash);
    if (end == std::string::npos) end = name.size();
    start = hash;
    digits_ = static_cast<int>(end - start);
  } else {
    // %d or %0Nd
    std::size_t at = percent + 1;
    int width = 0;
    if (at < name.size() && name[at] == '0') {
      ++at;
      while (at < name.size() && std::isdigit(static_cast<unsigned char>(name[at])) && width < 100) {
        width = width * 10 + (name[at] - '0');
        ++at;
      }
    }
    if (at >= name.size() || name[at] != 'd') throw InputError(usage);
    start = percent;
    end = at + 1;
    digits_ = width;
  }
  prefix_ = name.substr(0, start);
  suffix_ = name.substr(end);
  if (suffix_.find('#') != std::string::npos || suffix_.find('%') != std::string::npos) throw InputError(usage);
  if (output.parent_path().string().find_first_of("#%") != std::string::npos) {
    throw InputError(output.string() + ": the frame number belongs in the file name, not in a folder");
  }
  std::string ending = suffix_.size() >= 4 ? suffix_.substr(suffix_.size() - 4) : suffix_;
  std::transform(ending.begin(), ending.end(), ending.begin(), [](unsigned char c) { return std::tolower(c); });
  exr_ = ending == ".exr";
  if (ending != ".png" && !exr_) {
    throw InputError(output.string() + ": frames are written as PNG or OpenEXR: the pattern must end in .png or .exr");
  }
  folder_ = output.has_parent_path() ? output.parent_path() : std::filesystem::path(".");
  pattern_ = true;
}

std::filesystem::path FrameNaming::fileFor(long long number) const {
  std::string digits = std::to_string(number < 0 ? -number : number);
  if (static_cast<int>(digits.size()) < digits_) digits.insert(0, static_cast<std::size_t>(digits_) - digits.size(), '0');
  if (number < 0) digits.insert(0, 1, '-');
  return folder_ / (prefix_ + digits + suffix_);
}

void checkOutputFolder(const std::filesystem::path& folder) {
  std::error_code ec;
  for (std::filesystem::path p = folder; !p.empty(); p = p.parent_path()) {
    if (std::filesystem::exists(p, ec)) {
      if (!std::filesystem::is_directory(p, ec)) {
        throw InputError(folder.string() + ": cannot create the output folder: " + p.string() + " is not a folder");
      }
      return;
    }
    if (p == p.parent_path()) return;
  }
}

void createOutputFolder(const std::filesystem::path& folder) {
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  if (ec || !std::filesystem::is_directory(folder)) {
    throw RenderFailure(folder.string() + ": cannot create the output folder" +
                        (ec ? ": " + ec.message() : std::string{}));
  }
}

aehost::Image layerSizedImage(const aehost::RenderResult& result, A_long width, A_long height) {
  const aehost::Image& source = result.image;
  const PF_LRect& rect = result.outputRect;
  if (source.width() == width && source.height() == height && rect.left == 0 && rect.top == 0) return source;
  aehost::Image placed(width, height, source.empty() ? aehost::formatForBitDepth(result.bitDepth) : source.format());
  if (source.empty()) return placed;
  const std::size_t pixelBytes = aehost::bytesPerPixel(source.format());
  const A_long left = std::max<A_long>(0, rect.left);
  const A_long right = std::min<A_long>(width, rect.left + source.width());
  if (right <= left) return placed;
  for (A_long y = std::max<A_long>(0, rect.top); y < std::min<A_long>(height, rect.top + source.height()); ++y) {
    const std::size_t from =
        (static_cast<std::size_t>(y - rect.top) * source.width() + (left - rect.left)) * pixelBytes;
    const std::size_t to = (static_cast<std::size_t>(y) * width + left) * pixelBytes;
    std::memcpy(placed.bytes().data() + to, source.bytes().data() + from,
                static_cast<std::size_t>(right - left) * pixelBytes);
  }
  return placed;
}

namespace {

// Whether most pixels repeat the one left of them.
bool mostlyRuns(const aehost::Image& image) {
  return aehost::withPixelType(image.format(), [&](auto pixelType) {
    using Pixel = decltype(pixelType);
    const std::byte* bytes = image.bytes().data();
    const auto width = static_cast<std::size_t>(image.width());
    const std::size_t pixels = width * static_cast<std::size_t>(image.height());
    std::size_t repeats = 0;
    for (std::size_t row = 0; row < pixels; row += width) {
      for (std::size_t at = row + 1; at < row + width; ++at) {
        const std::byte* pixel = bytes + at * sizeof(Pixel);
        repeats += std::memcmp(pixel, pixel - sizeof(Pixel), sizeof(Pixel)) == 0 ? 1 : 0;
      }
    }
    return 2 * repeats > pixels;
  });
}

}  // namespace

aehost::PngWriteOptions frameWriteOptions(const aehost::Image& image, bool sync) {
  aehost::PngWriteOptions options;
  options.syncToDisk = sync;
  options.compressionLevel = 4;
  options.filterRows = !mostlyRuns(image);
  return options;
}

void writeFrame(const aehost::Image& image, const std::filesystem::path& file, bool sync) {
  try {
    aehost::writePng(image, file, frameWriteOptions(image, sync));
  } catch (const std::exception& e) {
    throw RenderFailure(file.string() + ": cannot write the frame: " + e.what());
  }
}

}  // namespace inkline_cli
