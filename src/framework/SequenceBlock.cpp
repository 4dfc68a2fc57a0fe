#include "framework/SequenceBlock.h"

namespace {

void putWord(std::uint8_t* out, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) out[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

std::uint32_t getWord(const std::uint8_t* in) {
  return std::uint32_t(in[0]) | std::uint32_t(in[1]) << 8 | std::uint32_t(in[2]) << 16 | std::uint32_t(in[3]) << 24;
}

}  // namespace

SequenceBlock defaultSequenceBlock() {
  return SequenceBlock{kSequenceMagic, 0, static_cast<std::uint32_t>(kSequenceBlockSize), kSequenceVersion, {}};
}

FlatSequenceBlock flattenSequenceBlock(const SequenceBlock& block) {
  FlatSequenceBlock flat{};
  putWord(&flat[0], block.magic);
  putWord(&flat[4], 1);
  putWord(&flat[8], block.version);
  putWord(&flat[12], block.size);
  for (std::size_t i = 0; i < sizeof block.reserved; ++i) flat[16 + i] = block.reserved[i];
  return flat;
}

bool unflattenSequenceBlock(std::span<const std::uint8_t> flat, SequenceBlock& block) {
  if (flat.size() < kSequenceBlockSize || getWord(&flat[0]) != kSequenceMagic || getWord(&flat[8]) != kSequenceVersion) {
    block = defaultSequenceBlock();
    return false;
  }
  block.magic = getWord(&flat[0]);
  block.version = getWord(&flat[8]);
  block.size = getWord(&flat[12]);
  for (std::size_t i = 0; i < sizeof block.reserved; ++i) block.reserved[i] = flat[16 + i];
  block.flatMarker = 0;
  return true;
}
