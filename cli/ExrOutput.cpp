#include "ExrOutput.h"

#include <ImfChannelList.h>
#include <ImfFrameBuffer.h>
#include <ImfHeader.h>
#include <ImfIO.h>
#include <ImfOutputFile.h>
#include <Imath/half.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include "ExitCodes.h"
#include "aehost/WholeFile.h"

namespace inkline_cli {

namespace {

// OpenEXR's output on a file descriptor of ours (an unnamed file), with its errors as
// exceptions, as OpenEXR expects of a stream.
class DescriptorStream : public Imf::OStream {
 public:
  DescriptorStream(int fd, const std::string& name) : Imf::OStream(name.c_str()), fd_(fd) {}
  void write(const char c[], int n) override {
    while (n > 0) {
      const ssize_t wrote = ::pwrite(fd_, c, static_cast<std::size_t>(n), static_cast<off_t>(position_));
      if (wrote <= 0) throw std::runtime_error(std::strerror(errno));
      c += wrote;
      n -= static_cast<int>(wrote);
      position_ += static_cast<std::uint64_t>(wrote);
    }
  }
  std::uint64_t tellp() override { return position_; }
  void seekp(std::uint64_t pos) override { position_ = pos; }

 private:
  int fd_;
  std::uint64_t position_ = 0;
};

// The pixels as premultiplied RGBA rows, in the channel type written.
template <typename Channel>
std::vector<Channel> premultipliedRgba(const aehost::Image& image) {
  std::vector<Channel> out(static_cast<std::size_t>(image.width()) * static_cast<std::size_t>(image.height()) * 4);
  std::size_t i = 0;
  for (A_long y = 0; y < image.height(); ++y) {
    for (A_long x = 0; x < image.width(); ++x) {
      const PF_PixelFloat p = image.pixelFloat(x, y);
      out[i++] = Channel(p.red * p.alpha);
      out[i++] = Channel(p.green * p.alpha);
      out[i++] = Channel(p.blue * p.alpha);
      out[i++] = Channel(p.alpha);
    }
  }
  return out;
}

template <typename Channel>
void writePixels(DescriptorStream& stream, const aehost::Image& image, Imf::PixelType type) {
  Imf::Header header(image.width(), image.height());
  for (const char* name : {"R", "G", "B", "A"}) header.channels().insert(name, Imf::Channel(type));
  const std::vector<Channel> pixels = premultipliedRgba<Channel>(image);
  const std::size_t xStride = 4 * sizeof(Channel);
  const std::size_t yStride = xStride * static_cast<std::size_t>(image.width());
  Imf::FrameBuffer frame;
  const char* base = reinterpret_cast<const char*>(pixels.data());
  const char* names[] = {"R", "G", "B", "A"};
  for (std::size_t c = 0; c < 4; ++c) {
    frame.insert(names[c], Imf::Slice(type, const_cast<char*>(base + c * sizeof(Channel)), xStride, yStride));
  }
  Imf::OutputFile file(stream, header, 1);
  file.setFrameBuffer(frame);
  file.writePixels(image.height());
}

}  // namespace

void writeExr(const aehost::Image& image, const std::filesystem::path& file, ExrPrecision precision, bool sync) {
  if (image.format() != PF_PixelFormat_ARGB128) throw RenderFailure(file.string() + ": EXR frames need a 32-bit render");
  try {
    // Whole or not at all, however the process ends (see aehost/WholeFile.h).
    aehost::WholeFile whole(file);
    DescriptorStream stream(whole.descriptor(), file.string());
    if (precision == ExrPrecision::Half) {
      writePixels<Imath::half>(stream, image, Imf::HALF);
    } else {
      writePixels<float>(stream, image, Imf::FLOAT);
    }
    whole.finish(sync);
  } catch (const std::exception& e) {
    throw RenderFailure(file.string() + ": cannot write the frame: " + e.what());
  }
}

}  // namespace inkline_cli
