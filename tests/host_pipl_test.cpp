#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "aehost/FourCharCode.h"
#include "aehost/Pipl.h"

namespace {

using aehost::fourCharCode;
using aehost::parsePipl;
using aehost::PiplError;

// Builds PiPL bytes by hand, independently of the parser.
class PiplBytes {
 public:
  explicit PiplBytes(std::int32_t count) {
    u16(1);
    u32(0);
    u32(static_cast<std::uint32_t>(count));
  }
  PiplBytes& property(const char (&key)[5], std::vector<std::uint8_t> data, std::int32_t declaredLength = -1) {
    u32(fourCharCode("8BIM"));
    u32(fourCharCode(key));
    u32(0);
    while (data.size() % 4 != 0) data.push_back(0);
    u32(static_cast<std::uint32_t>(declaredLength >= 0 ? declaredLength : static_cast<std::int32_t>(data.size())));
    for (auto b : data) bytes_.push_back(std::byte{b});
    return *this;
  }
  PiplBytes& code(const char (&key)[5], const char (&value)[5]) { return property(key, le32(fourCharCode(value))); }
  PiplBytes& number(const char (&key)[5], std::uint32_t value) { return property(key, le32(value)); }
  PiplBytes& pascal(const char (&key)[5], const std::string& text) {
    std::vector<std::uint8_t> data{static_cast<std::uint8_t>(text.size())};
    data.insert(data.end(), text.begin(), text.end());
    return property(key, data);
  }
  PiplBytes& cString(const char (&key)[5], const std::string& text) {
    std::vector<std::uint8_t> data(text.begin(), text.end());
    data.push_back(0);
    return property(key, data);
  }
  PiplBytes& raw(std::vector<std::uint8_t> extra) {
    for (auto b : extra) bytes_.push_back(std::byte{b});
    return *this;
  }
  std::vector<std::byte> bytes() const { return bytes_; }

  static std::vector<std::uint8_t> le32(std::uint32_t v) {
    return {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8), static_cast<std::uint8_t>(v >> 16),
            static_cast<std::uint8_t>(v >> 24)};
  }

 private:
  void u16(std::uint16_t v) {
    bytes_.push_back(std::byte{static_cast<std::uint8_t>(v)});
    bytes_.push_back(std::byte{static_cast<std::uint8_t>(v >> 8)});
  }
  void u32(std::uint32_t v) {
    for (auto b : le32(v)) bytes_.push_back(std::byte{b});
  }
  std::vector<std::byte> bytes_;
};

PiplBytes completeEffect() {
  PiplBytes pipl(12);
  pipl.code("kind", "eFKT")
      .pascal("name", "Inkline")
      .pascal("catg", "Stylize")
      .pascal("eMNA", "ADBE Inkline")
      .cString("8664", "EffectMain")
      .number("ePVR", 0x00020000)
      .number("eSVR", 0x000D001B)
      .number("eVER", 0x00088001)
      .number("eINF", 0)
      .number("eGLO", 0x02000010)
      .number("eGL2", 0x08801409)
      .number("aeRD", 0);
  return pipl;
}

TEST(HostPipl, FourCharCodesAreStoredAsLittleEndianMulticharValues) {
  EXPECT_EQ(fourCharCode("FXTC"), 0x46585443u);
  const auto bytes = PiplBytes::le32(fourCharCode("kind"));
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "dnik");
  EXPECT_EQ(aehost::fourCharString(fourCharCode("eFKT")), "eFKT");
}

TEST(HostPipl, ReadsEveryKnownProperty) {
  const aehost::Pipl pipl = parsePipl(completeEffect().bytes());
  EXPECT_EQ(pipl.kind, fourCharCode("eFKT"));
  EXPECT_EQ(pipl.name, "Inkline");
  EXPECT_EQ(pipl.category, "Stylize");
  EXPECT_EQ(pipl.matchName, "ADBE Inkline");
  EXPECT_EQ(pipl.entryPointX64, "EffectMain");
  EXPECT_EQ(pipl.piplVersion, 0x00020000u);
  EXPECT_EQ(pipl.specVersion, 0x000D001Bu);
  EXPECT_EQ(pipl.effectVersion, 0x00088001u);
  EXPECT_EQ(pipl.infoFlags, 0u);
  EXPECT_EQ(pipl.globalOutFlags, 0x02000010u);
  EXPECT_EQ(pipl.globalOutFlags2, 0x08801409u);
  EXPECT_EQ(pipl.reservedInfo, 0u);
  EXPECT_EQ(pipl.properties.size(), 12u);
}

TEST(HostPipl, KeepsUnknownPropertiesAndLeavesAbsentOnesEmpty) {
  PiplBytes bytes(2);
  bytes.code("kind", "eFKT").number("xyzw", 7);
  const aehost::Pipl pipl = parsePipl(bytes.bytes());
  ASSERT_EQ(pipl.properties.size(), 2u);
  EXPECT_EQ(pipl.properties[1].key, fourCharCode("xyzw"));
  EXPECT_FALSE(pipl.effectVersion.has_value());
  EXPECT_TRUE(pipl.name.empty());
}

TEST(HostPipl, AcceptsZeroPaddingAfterTheLastProperty) {
  PiplBytes bytes(1);
  bytes.code("kind", "eFKT").raw({0, 0, 0, 0, 0, 0});
  EXPECT_EQ(parsePipl(bytes.bytes()).kind, fourCharCode("eFKT"));
}

TEST(HostPipl, RejectsAnEmptyOrTruncatedHeader) {
  EXPECT_THROW(parsePipl({}), PiplError);
  auto bytes = completeEffect().bytes();
  bytes.resize(7);
  EXPECT_THROW(parsePipl(bytes), PiplError);
}

TEST(HostPipl, RejectsAWrongHeader) {
  auto bytes = completeEffect().bytes();
  bytes[0] = std::byte{2};
  EXPECT_THROW(parsePipl(bytes), PiplError);
  bytes = completeEffect().bytes();
  bytes[3] = std::byte{1};  // version
  EXPECT_THROW(parsePipl(bytes), PiplError);
}

TEST(HostPipl, RejectsACountRunningPastTheEnd) {
  PiplBytes bytes(3);
  bytes.code("kind", "eFKT").pascal("name", "A");
  EXPECT_THROW(parsePipl(bytes.bytes()), PiplError);
}

TEST(HostPipl, RejectsANegativeCount) {
  EXPECT_THROW(parsePipl(PiplBytes(-1).bytes()), PiplError);
}

TEST(HostPipl, RejectsALengthThatIsNotAMultipleOfFour) {
  PiplBytes bytes(1);
  bytes.property("name", {3, 'a', 'b', 'c'}, 3).raw({0});
  try {
    parsePipl(bytes.bytes());
    FAIL() << "no exception";
  } catch (const PiplError& e) {
    EXPECT_NE(std::string(e.what()).find("'name'"), std::string::npos) << e.what();
  }
}

TEST(HostPipl, RejectsDataRunningPastTheEnd) {
  PiplBytes bytes(1);
  bytes.property("eVER", {1, 2, 3, 4}, 8);
  EXPECT_THROW(parsePipl(bytes.bytes()), PiplError);
}

TEST(HostPipl, RejectsAPascalStringLongerThanItsProperty) {
  PiplBytes bytes(1);
  bytes.property("name", {9, 'a', 'b', 'c'});
  EXPECT_THROW(parsePipl(bytes.bytes()), PiplError);
}

TEST(HostPipl, RejectsAnEntryPointWithoutTerminator) {
  PiplBytes bytes(1);
  bytes.property("8664", {'M', 'a', 'i', 'n'});
  EXPECT_THROW(parsePipl(bytes.bytes()), PiplError);
}

TEST(HostPipl, RejectsANumberOfTheWrongSize) {
  PiplBytes bytes(1);
  bytes.property("eGLO", {1, 0, 0, 0, 0, 0, 0, 0});
  EXPECT_THROW(parsePipl(bytes.bytes()), PiplError);
}

TEST(HostPipl, RejectsAKnownKeyGivenTwice) {
  PiplBytes bytes(2);
  bytes.number("eVER", 1).number("eVER", 2);
  EXPECT_THROW(parsePipl(bytes.bytes()), PiplError);
}

TEST(HostPipl, RejectsTrailingData) {
  PiplBytes bytes(1);
  bytes.code("kind", "eFKT").raw({0, 0, 0, 0, 7, 0, 0, 0});
  EXPECT_THROW(parsePipl(bytes.bytes()), PiplError);
}

}  // namespace
