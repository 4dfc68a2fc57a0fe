#pragma once

#include <cstddef>
#include <filesystem>
#include <span>
#include <stdexcept>
#include <string_view>
#include <vector>

namespace aehost {

// A module file that is not the ELF64 little-endian image we expect, or lacks a section.
class ModuleFormatError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Contents of the named section of an ELF64 little-endian image held in memory.
std::vector<std::byte> readElfSection(std::span<const std::byte> image, std::string_view sectionName);

// Same, reading the file first.
std::vector<std::byte> readElfSectionFromFile(const std::filesystem::path& file, std::string_view sectionName);

}  // namespace aehost
