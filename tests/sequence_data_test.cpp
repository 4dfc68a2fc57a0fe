// Sequence data through the host: the block a project stores, and what happens when memory
// or the stored bytes are not what they should be.
#include <array>
#include <cstring>

#include "support/InklineFixture.h"

namespace {

std::vector<std::byte> bytesOf(std::initializer_list<int> values) {
  std::vector<std::byte> out;
  for (int v : values) out.push_back(static_cast<std::byte>(v));
  return out;
}

const std::vector<std::byte> kDefaultBlock = bytesOf({'q', 'e', 's', 'p', 0, 0, 0, 0, 24, 0, 0, 0, 1, 0, 0, 0,
                                                      0, 0, 0, 0, 0, 0, 0, 0});
const std::vector<std::byte> kFlatBlock = bytesOf({'q', 'e', 's', 'p', 1, 0, 0, 0, 1, 0, 0, 0, 24, 0, 0, 0,
                                                   0, 0, 0, 0, 0, 0, 0, 0});

class SequenceDataTest : public InklineTest {
protected:
  void SetUp() override { ASSERT_EQ(effect.globalSetup().err, PF_Err_NONE); }
  void TearDown() override {
    if (effect.sequenceData() != nullptr) {
      EXPECT_EQ(effect.sequenceSetdown().err, PF_Err_NONE);
    }
    InklineTest::TearDown();
  }
};

TEST_F(SequenceDataTest, SetupWritesTheDefaultBlock) {
  ASSERT_EQ(effect.sequenceSetup().err, PF_Err_NONE);
  EXPECT_EQ(effect.sequenceBytes(), kDefaultBlock);
}

TEST_F(SequenceDataTest, FlattenThenResetupRoundTrips) {
  ASSERT_EQ(effect.sequenceSetup().err, PF_Err_NONE);
  ASSERT_EQ(effect.sequenceFlatten().err, PF_Err_NONE);
  EXPECT_EQ(effect.sequenceBytes(), kFlatBlock);
  ASSERT_EQ(effect.sequenceResetup().err, PF_Err_NONE);
  EXPECT_EQ(effect.sequenceBytes(), kDefaultBlock);
}

TEST_F(SequenceDataTest, FlattenedCopyLeavesTheBlockInPlace) {
  ASSERT_EQ(effect.sequenceSetup().err, PF_Err_NONE);
  const aehost::FlattenedSequence flat = effect.getFlattenedSequenceData();
  EXPECT_EQ(flat.result.err, PF_Err_NONE);
  EXPECT_EQ(flat.bytes, kFlatBlock);
  EXPECT_EQ(effect.sequenceBytes(), kDefaultBlock);
}

TEST_F(SequenceDataTest, ResetupOfUnreadableDataStartsAfresh) {
  std::vector<std::byte> shortBlock(kFlatBlock.begin(), kFlatBlock.begin() + 20);
  std::vector<std::byte> foreign = kFlatBlock;
  foreign[0] = std::byte{'x'};
  std::vector<std::byte> newer = kFlatBlock;
  newer[8] = std::byte{2};
  std::vector<std::byte> longer = kFlatBlock;
  longer.resize(40, std::byte{0x77});
  for (const auto& stored : {shortBlock, foreign, newer, longer}) {
    const aehost::CommandResult result = effect.sequenceResetup(stored);
    EXPECT_EQ(result.err, PF_Err_NONE);
    EXPECT_EQ(effect.sequenceBytes(), kDefaultBlock);
    EXPECT_EQ(effect.sequenceSetdown().err, PF_Err_NONE);
  }
}

TEST_F(SequenceDataTest, ResetupKeepsTheReservedBytes) {
  std::vector<std::byte> stored = kFlatBlock;
  stored[16] = std::byte{0x12};
  stored[23] = std::byte{0x34};
  ASSERT_EQ(effect.sequenceResetup(stored).err, PF_Err_NONE);
  std::vector<std::byte> expected = kDefaultBlock;
  expected[16] = std::byte{0x12};
  expected[23] = std::byte{0x34};
  EXPECT_EQ(effect.sequenceBytes(), expected);
}

TEST_F(SequenceDataTest, OutOfMemoryAndUnlockableHandles) {
  host.handles().failNthNewHandle(1);
  EXPECT_EQ(effect.sequenceSetup().err, PF_Err_OUT_OF_MEMORY);
  host.handles().failNthLock(1);
  EXPECT_EQ(effect.sequenceSetup().err, PF_Err_INTERNAL_STRUCT_DAMAGED);
  EXPECT_EQ(effect.sequenceData(), nullptr);

  ASSERT_EQ(effect.sequenceSetup().err, PF_Err_NONE);
  host.handles().failNthNewHandle(1);
  EXPECT_EQ(effect.sequenceFlatten().err, PF_Err_OUT_OF_MEMORY);
  EXPECT_EQ(effect.sequenceBytes(), kDefaultBlock);  // the old block stays
  host.handles().failNthLock(2);                     // the new handle's lock
  EXPECT_EQ(effect.sequenceFlatten().err, PF_Err_INTERNAL_STRUCT_DAMAGED);
  EXPECT_EQ(effect.sequenceBytes(), kDefaultBlock);
  host.handles().failNthLock(1);  // the old handle's lock
  EXPECT_EQ(effect.sequenceFlatten().err, PF_Err_INTERNAL_STRUCT_DAMAGED);
  EXPECT_EQ(effect.sequenceBytes(), kDefaultBlock);
}

}  // namespace
