#include "aehost/Png.h"

#include <png.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "aehost/Channels.h"
#include "aehost/PixelFormats.h"
#include "aehost/WholeFile.h"

namespace aehost {
namespace {

// libpng reports errors by longjmp. The functions that call setjmp keep every piece of state
// in these structs, outside their own frame, and own nothing with a destructor.
struct PngState {
  png_structp png = nullptr;
  png_infop info = nullptr;
  char message[256] = "";
};

void onError(png_structp png, png_const_charp text) {
  auto* state = static_cast<PngState*>(png_get_error_ptr(png));
  std::snprintf(state->message, sizeof state->message, "%s", text);
  png_longjmp(png, 1);
}

void onWarning(png_structp, png_const_charp) {}

struct ReadState : PngState {
  png_uint_32 width = 0;
  png_uint_32 height = 0;
  int bitDepth = 0;
  unsigned char* pixels = nullptr;  // RGBA rows, 16-bit samples in host byte order
  png_bytep* rows = nullptr;
};

bool readInto(std::FILE* file, ReadState* s) {
  s->png = png_create_read_struct(PNG_LIBPNG_VER_STRING, s, onError, onWarning);
  if (s->png == nullptr) return false;
  s->info = png_create_info_struct(s->png);
  if (s->info == nullptr) return false;
  if (setjmp(png_jmpbuf(s->png))) return false;
  png_init_io(s->png, file);
  png_read_info(s->png, s->info);
  const int colorType = png_get_color_type(s->png, s->info);
  png_set_expand(s->png);  // palette and low-depth grey to 8 bits, tRNS to alpha
  png_set_gray_to_rgb(s->png);
  if ((colorType & PNG_COLOR_MASK_ALPHA) == 0 && png_get_valid(s->png, s->info, PNG_INFO_tRNS) == 0) {
    png_set_filler(s->png, 0xFFFF, PNG_FILLER_AFTER);
  }
  if (png_get_bit_depth(s->png, s->info) == 16) png_set_swap(s->png);
  png_set_interlace_handling(s->png);
  png_read_update_info(s->png, s->info);
  s->width = png_get_image_width(s->png, s->info);
  s->height = png_get_image_height(s->png, s->info);
  s->bitDepth = png_get_bit_depth(s->png, s->info);
  const std::size_t rowBytes = png_get_rowbytes(s->png, s->info);
  if (rowBytes != static_cast<std::size_t>(s->width) * 4 * (s->bitDepth / 8)) png_error(s->png, "unexpected row layout");
  s->pixels = static_cast<unsigned char*>(std::malloc(rowBytes * s->height));
  s->rows = static_cast<png_bytep*>(std::malloc(sizeof(png_bytep) * s->height));
  if (s->pixels == nullptr || s->rows == nullptr) png_error(s->png, "out of memory");
  for (png_uint_32 y = 0; y < s->height; ++y) s->rows[y] = s->pixels + y * rowBytes;
  png_read_image(s->png, s->rows);
  png_read_end(s->png, nullptr);
  return true;
}

struct WriteState : PngState {
  png_uint_32 width = 0;
  png_uint_32 height = 0;
  int bitDepth = 8;
  long rowsWritten = 0;
  long failAfterRows = -1;
  int compressionLevel = 6;
  bool filterRows = true;
};

// Each of these calls setjmp itself: libpng's errors jump back to the last frame that did, and
// that frame must still be live.
bool startWriting(std::FILE* file, WriteState* s) {
  s->png = png_create_write_struct(PNG_LIBPNG_VER_STRING, s, onError, onWarning);
  if (s->png == nullptr) return false;
  s->info = png_create_info_struct(s->png);
  if (s->info == nullptr) return false;
  if (setjmp(png_jmpbuf(s->png))) return false;
  png_init_io(s->png, file);
  png_set_IHDR(s->png, s->info, s->width, s->height, s->bitDepth, PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_set_compression_level(s->png, s->compressionLevel);
  if (!s->filterRows) png_set_filter(s->png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
  png_write_info(s->png, s->info);
  if (s->bitDepth == 16) png_set_swap(s->png);
  return true;
}

bool writeRowsOf(WriteState* s, const unsigned char* rows, std::size_t rowBytes, long count) {
  if (setjmp(png_jmpbuf(s->png))) return false;
  for (long n = 0; n < count; ++n) {
    if (s->rowsWritten == s->failAfterRows) png_error(s->png, "injected failure: the disk is full");
    png_write_row(s->png, rows + static_cast<std::size_t>(n) * rowBytes);
    ++s->rowsWritten;
  }
  return true;
}

bool endWriting(WriteState* s) {
  if (setjmp(png_jmpbuf(s->png))) return false;
  png_write_end(s->png, nullptr);
  return true;
}

// A channel as a 16-bit file's sample: an 8-bit image's v * 257, a 16-bit image's
// v * 65535 / 32768 and a float image's clamped value times 65535, both rounded.
inline A_u_short sample16(A_u_char v) { return static_cast<A_u_short>(v * 257); }
inline A_u_short sample16(A_u_short v) { return channel16ToPng(v); }
inline A_u_short sample16(PF_FpShort v) { return channelFloatToPng(v); }

// One pixel's RGBA samples in the file's depth; an 8-bit file takes the pixel converted to 8 bits.
template <typename Pixel>
void putSamples(const Pixel& p, int bitDepth, unsigned char* out) {
  if (bitDepth == 8) {
    const PF_Pixel8 q = convertPixel<PF_Pixel8>(p);
    const unsigned char samples[4] = {q.red, q.green, q.blue, q.alpha};
    std::memcpy(out, samples, sizeof samples);
  } else {
    const A_u_short samples[4] = {sample16(p.red), sample16(p.green), sample16(p.blue), sample16(p.alpha)};
    std::memcpy(out, samples, sizeof samples);
  }
}

// Rows first … end − 1 of the image as RGBA rows of 8 or 16-bit samples (host byte order), read
// straight from its bytes in its own pixel type (a contact sheet is millions of pixels, and a
// checked read per pixel, its format looked at each time, was most of the work here).
std::vector<unsigned char> rgbaRows(const Image& image, int bitDepth, A_long first, A_long end) {
  const auto width = static_cast<std::size_t>(image.width());
  const std::size_t outPixel = 4 * static_cast<std::size_t>(bitDepth / 8);
  const std::size_t count = width * static_cast<std::size_t>(end - first);
  std::vector<unsigned char> bytes(count * outPixel);
  withPixelType(image.format(), [&](auto pixelType) {
    using Pixel = decltype(pixelType);
    const std::byte* in = image.bytes().data() + width * static_cast<std::size_t>(first) * sizeof(Pixel);
    unsigned char* out = bytes.data();
    for (std::size_t i = 0; i < count; ++i, in += sizeof(Pixel), out += outPixel) {
      Pixel p;
      std::memcpy(&p, in, sizeof p);
      putSamples(p, bitDepth, out);
    }
  });
  return bytes;
}

}  // namespace

Image readPng(const std::filesystem::path& file) {
  std::FILE* stream = std::fopen(file.c_str(), "rb");
  if (stream == nullptr) throw PngError("cannot open " + file.string() + ": " + std::strerror(errno));
  ReadState state;
  const bool ok = readInto(stream, &state);
  std::fclose(stream);
  Image image;
  if (ok) {
    image = Image(static_cast<A_long>(state.width), static_cast<A_long>(state.height),
                  state.bitDepth == 16 ? PF_PixelFormat_ARGB64 : PF_PixelFormat_ARGB32);
    for (png_uint_32 y = 0; y < state.height; ++y) {
      for (png_uint_32 x = 0; x < state.width; ++x) {
        const auto ix = static_cast<A_long>(x), iy = static_cast<A_long>(y);
        if (state.bitDepth == 16) {
          A_u_short rgba[4];
          std::memcpy(rgba, state.rows[y] + x * 8, sizeof rgba);
          image.set(ix, iy, PF_Pixel16{pngToChannel16(rgba[3]), pngToChannel16(rgba[0]), pngToChannel16(rgba[1]), pngToChannel16(rgba[2])});
        } else {
          const unsigned char* p = state.rows[y] + x * 4;
          image.set(ix, iy, PF_Pixel8{p[3], p[0], p[1], p[2]});
        }
      }
    }
  }
  png_destroy_read_struct(&state.png, &state.info, nullptr);
  std::free(state.pixels);
  std::free(state.rows);
  if (!ok) throw PngError("cannot read " + file.string() + " as PNG: " + state.message);
  return image;
}

void writePng(const Image& image, const std::filesystem::path& file, PngWriteOptions options) {
  if (image.empty()) throw PngError("cannot write an empty image to " + file.string());
  PngRowWriter writer(file, image.width(), image.height(), image.format(), options);
  writer.finish(image);
}

struct PngRowWriter::State {
  std::filesystem::path file;
  PngWriteOptions options;
  WriteState png;
  A_long rows = 0;
  // Made with the first rows: whole or not at all, however the process ends (see WholeFile.h).
  std::optional<WholeFile> whole;
  std::FILE* stream = nullptr;
  const char* closedBecause = nullptr;  // once set, nothing more is written

  ~State() {
    png_destroy_write_struct(&png.png, &png.info);
    if (stream != nullptr) std::fclose(stream);
  }

  [[noreturn]] void fail(const std::string& why) {
    closedBecause = "an earlier write failed";
    throw PngError("cannot write " + file.string() + ": " + why);
  }
  std::string libpngMessage() const { return png.message[0] != '\0' ? std::string(png.message) : std::string("I/O error"); }

  void open() {
    try {
      whole.emplace(file);
    } catch (const std::runtime_error& e) {
      closedBecause = "an earlier write failed";
      throw PngError(e.what());
    }
    const int fd = ::dup(whole->descriptor());
    stream = fd >= 0 ? ::fdopen(fd, "wb") : nullptr;
    if (stream == nullptr) {
      if (fd >= 0) ::close(fd);
      fail(std::strerror(errno));
    }
    if (!startWriting(stream, &png)) fail(libpngMessage());
  }
};

PngRowWriter::PngRowWriter(std::filesystem::path file, A_long width, A_long height, PF_PixelFormat format,
                           PngWriteOptions options)
    : state_(std::make_unique<State>()) {
  State& s = *state_;
  s.file = std::move(file);
  const int imageBits = format == PF_PixelFormat_ARGB32 ? 8 : 16;
  const int bitDepth = options.bitsPerChannel != 0 ? options.bitsPerChannel : imageBits;
  if (bitDepth != 8 && bitDepth != 16) throw PngError("PNG files are written with 8 or 16 bits per channel");
  if (width <= 0 || height <= 0) throw PngError("cannot write an empty image to " + s.file.string());
  s.options = options;
  s.rows = height;
  s.png.width = static_cast<png_uint_32>(width);
  s.png.height = static_cast<png_uint_32>(height);
  s.png.bitDepth = bitDepth;
  s.png.failAfterRows = options.failAfterRows;
  s.png.compressionLevel = std::clamp(options.compressionLevel, 0, 9);
  s.png.filterRows = options.filterRows;
}

PngRowWriter::~PngRowWriter() = default;

A_long PngRowWriter::rowsWritten() const { return static_cast<A_long>(state_->png.rowsWritten); }

void PngRowWriter::writeRows(const Image& image, A_long end) {
  State& s = *state_;
  if (s.closedBecause != nullptr) throw PngError("cannot write " + s.file.string() + ": " + s.closedBecause);
  const A_long first = rowsWritten();
  end = std::min(end, s.rows);
  if (end <= first) return;
  if (!s.whole) s.open();
  const std::vector<unsigned char> rows = rgbaRows(image, s.png.bitDepth, first, end);
  const std::size_t rowBytes = rows.size() / static_cast<std::size_t>(end - first);
  if (!writeRowsOf(&s.png, rows.data(), rowBytes, end - first)) s.fail(s.libpngMessage());
}

void PngRowWriter::finish(const Image& image) {
  State& s = *state_;
  writeRows(image, s.rows);
  if (!endWriting(&s.png)) s.fail(s.libpngMessage());
  png_destroy_write_struct(&s.png.png, &s.png.info);
  const bool flushed = std::fflush(s.stream) == 0;
  const bool closed = std::fclose(s.stream) == 0;
  s.stream = nullptr;
  if (!flushed || !closed) s.fail("I/O error");
  try {
    s.whole->finish(s.options.syncToDisk);
  } catch (const std::runtime_error& e) {
    s.fail(e.what());
  }
  s.closedBecause = "the file is finished";
}

}  // namespace aehost
