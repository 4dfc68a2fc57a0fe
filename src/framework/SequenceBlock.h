// The effect's sequence data: a 24-byte versioned header and nothing else, kept in a host
// handle in memory and stored in projects in its flat form.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <type_traits>

struct SequenceBlock {
  std::uint32_t magic;       // 'pseq'
  std::uint32_t flatMarker;  // 0 in memory, 1 in the flat form
  std::uint32_t size;        // 24
  std::uint32_t version;     // 1
  std::uint8_t reserved[8];
};
static_assert(sizeof(SequenceBlock) == 24);
// It lives in a host handle, read and written as bytes and freed without a destructor.
static_assert(std::is_trivially_destructible_v<SequenceBlock> && std::is_trivially_copyable_v<SequenceBlock>);

inline constexpr std::uint32_t kSequenceMagic = 0x70736571;  // 'pseq'
inline constexpr std::uint32_t kSequenceVersion = 1;
inline constexpr std::size_t kSequenceBlockSize = sizeof(SequenceBlock);

using FlatSequenceBlock = std::array<std::uint8_t, kSequenceBlockSize>;

SequenceBlock defaultSequenceBlock();

// Flat form, little-endian: magic, 1, version, size, the reserved bytes. Size and version
// trade places with the in-memory order; projects depend on this.
FlatSequenceBlock flattenSequenceBlock(const SequenceBlock& block);

// Reads a flat block; anything too short, of another magic or another version gives the
// default block and false.
bool unflattenSequenceBlock(std::span<const std::uint8_t> flat, SequenceBlock& block);
