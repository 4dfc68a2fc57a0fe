// The sequence block's two forms: projects store the flat one, so its bytes are fixed.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "framework/SequenceBlock.h"

namespace {

TEST(SequenceBlock, FlatFormSwapsSizeAndVersionAndMarksItself) {
  SequenceBlock block = defaultSequenceBlock();
  block.reserved[0] = 0xAB;
  block.reserved[7] = 0xCD;
  const FlatSequenceBlock flat = flattenSequenceBlock(block);
  const FlatSequenceBlock expected = {'q', 'e', 's', 'p', 1, 0, 0, 0, 1, 0, 0, 0, 24, 0, 0, 0,
                                      0xAB, 0, 0, 0, 0, 0, 0, 0xCD};
  EXPECT_EQ(flat, expected);
}

TEST(SequenceBlock, RoundTripsThroughTheFlatForm) {
  SequenceBlock block = defaultSequenceBlock();
  block.reserved[3] = 9;
  const FlatSequenceBlock flat = flattenSequenceBlock(block);
  SequenceBlock read{};
  ASSERT_TRUE(unflattenSequenceBlock(flat, read));
  EXPECT_EQ(std::memcmp(&read, &block, sizeof block), 0);
  EXPECT_EQ(read.flatMarker, 0u);
}

TEST(SequenceBlock, RejectsShortForeignOrNewerBlocks) {
  const FlatSequenceBlock good = flattenSequenceBlock(defaultSequenceBlock());
  const SequenceBlock fallback = defaultSequenceBlock();

  std::vector<std::vector<std::uint8_t>> bad;
  bad.emplace_back(good.begin(), good.begin() + 20);  // too short
  bad.emplace_back(good.begin(), good.end());
  bad.back()[0] = 'x';  // another magic
  bad.emplace_back(good.begin(), good.end());
  bad.back()[8] = 2;  // version 2
  for (const auto& bytes : bad) {
    SequenceBlock read{};
    read.reserved[0] = 0x55;
    EXPECT_FALSE(unflattenSequenceBlock(bytes, read));
    EXPECT_EQ(std::memcmp(&read, &fallback, sizeof read), 0);
  }
}

}  // namespace
