#include "aehost/Pipl.h"

#include <algorithm>
#include <set>

#include "aehost/FourCharCode.h"

namespace aehost {
namespace {

class Reader {
 public:
  explicit Reader(std::span<const std::byte> bytes) : bytes_(bytes) {}

  std::size_t offset() const { return offset_; }
  std::size_t remaining() const { return bytes_.size() - offset_; }

  std::uint32_t u32(const char* what) {
    need(4, what);
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) value = (value << 8) | std::to_integer<std::uint32_t>(bytes_[offset_ + static_cast<std::size_t>(i)]);
    offset_ += 4;
    return value;
  }

  std::uint16_t u16(const char* what) {
    need(2, what);
    const auto value = static_cast<std::uint16_t>(std::to_integer<unsigned>(bytes_[offset_]) |
                                                  (std::to_integer<unsigned>(bytes_[offset_ + 1]) << 8));
    offset_ += 2;
    return value;
  }

  std::vector<std::byte> take(std::size_t count, const char* what) {
    need(count, what);
    std::vector<std::byte> out(bytes_.begin() + static_cast<std::ptrdiff_t>(offset_),
                               bytes_.begin() + static_cast<std::ptrdiff_t>(offset_ + count));
    offset_ += count;
    return out;
  }

  std::span<const std::byte> rest() const { return bytes_.subspan(offset_); }

 private:
  void need(std::size_t count, const char* what) const {
    if (remaining() < count) {
      throw PiplError("PiPL ends inside " + std::string(what) + " at byte " + std::to_string(offset_) + " (" +
                      std::to_string(remaining()) + " of " + std::to_string(count) + " bytes left)");
    }
  }

  std::span<const std::byte> bytes_;
  std::size_t offset_ = 0;
};

std::string describe(const PiplProperty& p) { return "PiPL property '" + fourCharString(p.key) + "'"; }

std::string pascalString(const PiplProperty& p) {
  if (p.data.empty()) throw PiplError(describe(p) + " is empty; expected a Pascal string");
  const auto length = std::to_integer<std::size_t>(p.data[0]);
  if (length + 1 > p.data.size()) {
    throw PiplError(describe(p) + " says its string has " + std::to_string(length) + " characters but holds only " +
                    std::to_string(p.data.size() - 1));
  }
  std::string text(length, '\0');
  for (std::size_t i = 0; i < length; ++i) text[i] = static_cast<char>(p.data[i + 1]);
  return text;
}

std::string cString(const PiplProperty& p) {
  const auto end = std::find(p.data.begin(), p.data.end(), std::byte{0});
  if (end == p.data.end()) throw PiplError(describe(p) + " has no terminating NUL");
  std::string text;
  for (auto it = p.data.begin(); it != end; ++it) text.push_back(static_cast<char>(*it));
  return text;
}

std::uint32_t uint32Value(const PiplProperty& p) {
  if (p.data.size() != 4) {
    throw PiplError(describe(p) + " holds " + std::to_string(p.data.size()) + " bytes; expected a 4-byte integer");
  }
  Reader reader(p.data);
  return reader.u32("a 4-byte integer");
}

// Returns false for keys this host does not interpret.
bool interpret(const PiplProperty& p, Pipl& pipl) {
  switch (p.key) {
    case fourCharCode("kind"): pipl.kind = uint32Value(p); break;
    case fourCharCode("name"): pipl.name = pascalString(p); break;
    case fourCharCode("catg"): pipl.category = pascalString(p); break;
    case fourCharCode("eMNA"): pipl.matchName = pascalString(p); break;
    case fourCharCode("8664"): pipl.entryPointX64 = cString(p); break;
    case fourCharCode("ePVR"): pipl.piplVersion = uint32Value(p); break;
    case fourCharCode("eSVR"): pipl.specVersion = uint32Value(p); break;
    case fourCharCode("eVER"): pipl.effectVersion = uint32Value(p); break;
    case fourCharCode("eINF"): pipl.infoFlags = uint32Value(p); break;
    case fourCharCode("eGLO"): pipl.globalOutFlags = uint32Value(p); break;
    case fourCharCode("eGL2"): pipl.globalOutFlags2 = uint32Value(p); break;
    case fourCharCode("aeRD"): pipl.reservedInfo = uint32Value(p); break;
    default: return false;
  }
  return true;
}

}  // namespace

Pipl parsePipl(std::span<const std::byte> bytes) {
  Reader reader(bytes);
  if (const auto first = reader.u16("the header"); first != 1) {
    throw PiplError("PiPL header starts with " + std::to_string(first) + "; expected 1");
  }
  if (const auto version = reader.u32("the header"); version != 0) {
    throw PiplError("PiPL version is " + std::to_string(version) + "; expected 0");
  }
  const auto count = static_cast<std::int32_t>(reader.u32("the header"));
  if (count < 0) throw PiplError("PiPL property count is negative (" + std::to_string(count) + ")");

  Pipl pipl;
  std::set<std::uint32_t> seenKeys;
  for (std::int32_t index = 0; index < count; ++index) {
    const std::string where = "property " + std::to_string(index);
    PiplProperty property;
    property.vendor = reader.u32(where.c_str());
    property.key = reader.u32(where.c_str());
    property.id = static_cast<std::int32_t>(reader.u32(where.c_str()));
    const auto length = static_cast<std::int32_t>(reader.u32(where.c_str()));
    if (length < 0 || length % 4 != 0) {
      throw PiplError(describe(property) + " (" + where + ") has data length " + std::to_string(length) +
                      "; expected a non-negative multiple of 4");
    }
    if (static_cast<std::size_t>(length) > reader.remaining()) {
      throw PiplError(describe(property) + " (" + where + ") claims " + std::to_string(length) +
                      " bytes of data but only " + std::to_string(reader.remaining()) + " remain");
    }
    property.data = reader.take(static_cast<std::size_t>(length), where.c_str());
    if (property.vendor == fourCharCode("8BIM")) {
      if (interpret(property, pipl) && !seenKeys.insert(property.key).second) {
        throw PiplError(describe(property) + " appears twice");
      }
    }
    pipl.properties.push_back(std::move(property));
  }
  // A section or resource may be padded for alignment, but never carries anything else.
  for (const std::byte b : reader.rest()) {
    if (b != std::byte{0}) {
      throw PiplError("PiPL has unexpected data after its " + std::to_string(count) + " properties (at byte " +
                      std::to_string(reader.offset()) + ")");
    }
  }
  return pipl;
}

}  // namespace aehost
