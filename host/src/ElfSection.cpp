#include "aehost/ElfSection.h"

#include <cstring>
#include <fstream>
#include <string>

#if __has_include(<elf.h>)
#include <elf.h>
#define AEHOST_HAS_ELF 1
#endif

namespace aehost {

#ifdef AEHOST_HAS_ELF
namespace {

template <typename T>
T readStruct(std::span<const std::byte> image, std::uint64_t offset, const char* what) {
  if (offset > image.size() || image.size() - offset < sizeof(T)) {
    throw ModuleFormatError(std::string("ELF image too short for ") + what + " at offset " + std::to_string(offset));
  }
  T value;
  std::memcpy(&value, image.data() + offset, sizeof(T));
  return value;
}

Elf64_Ehdr readHeader(std::span<const std::byte> image) {
  const auto header = readStruct<Elf64_Ehdr>(image, 0, "the ELF header");
  if (std::memcmp(header.e_ident, ELFMAG, SELFMAG) != 0) throw ModuleFormatError("not an ELF image");
  if (header.e_ident[EI_CLASS] != ELFCLASS64) throw ModuleFormatError("not a 64-bit ELF image");
  if (header.e_ident[EI_DATA] != ELFDATA2LSB) throw ModuleFormatError("not a little-endian ELF image");
  if (header.e_shoff == 0) throw ModuleFormatError("ELF image has no section headers");
  if (header.e_shentsize != sizeof(Elf64_Shdr)) {
    throw ModuleFormatError("ELF section header size is " + std::to_string(header.e_shentsize) + "; expected " +
                            std::to_string(sizeof(Elf64_Shdr)));
  }
  return header;
}

}  // namespace

std::vector<std::byte> readElfSection(std::span<const std::byte> image, std::string_view sectionName) {
  const Elf64_Ehdr header = readHeader(image);
  const auto sectionAt = [&](std::uint64_t index) {
    return readStruct<Elf64_Shdr>(image, header.e_shoff + index * sizeof(Elf64_Shdr), "a section header");
  };

  // Counts too large for the header fields live in section 0.
  std::uint64_t sectionCount = header.e_shnum;
  std::uint64_t namesIndex = header.e_shstrndx;
  if (sectionCount == 0) sectionCount = sectionAt(0).sh_size;
  if (namesIndex == SHN_XINDEX) namesIndex = sectionAt(0).sh_link;
  if (namesIndex >= sectionCount) throw ModuleFormatError("ELF section name table index is out of range");

  const Elf64_Shdr names = sectionAt(namesIndex);
  if (names.sh_offset > image.size() || image.size() - names.sh_offset < names.sh_size) {
    throw ModuleFormatError("ELF section name table lies outside the image");
  }
  const auto nameTable = image.subspan(names.sh_offset, names.sh_size);

  for (std::uint64_t index = 0; index < sectionCount; ++index) {
    const Elf64_Shdr section = sectionAt(index);
    if (section.sh_name >= nameTable.size()) continue;
    const auto* first = reinterpret_cast<const char*>(nameTable.data()) + section.sh_name;
    const std::string_view name(first, strnlen(first, nameTable.size() - section.sh_name));
    if (name != sectionName) continue;

    if (section.sh_type == SHT_NOBITS) {
      throw ModuleFormatError("ELF section " + std::string(sectionName) + " occupies no bytes in the file");
    }
    if (section.sh_offset > image.size() || image.size() - section.sh_offset < section.sh_size) {
      throw ModuleFormatError("ELF section " + std::string(sectionName) + " lies outside the image");
    }
    const auto bytes = image.subspan(section.sh_offset, section.sh_size);
    return {bytes.begin(), bytes.end()};
  }
  throw ModuleFormatError("ELF image has no section named " + std::string(sectionName));
}

#else

// Windows modules carry their PiPL as a resource; ELF images are not read there.
std::vector<std::byte> readElfSection(std::span<const std::byte>, std::string_view) {
  throw ModuleFormatError("reading ELF images is not supported on this platform");
}

#endif

std::vector<std::byte> readElfSectionFromFile(const std::filesystem::path& file, std::string_view sectionName) {
  // Read whole in one call: a module with its debug information is megabytes, which read a
  // character at a time into a growing vector kept every render waiting ~15 ms at start-up.
  std::ifstream in(file, std::ios::binary | std::ios::ate);
  if (!in) throw ModuleFormatError("cannot open " + file.string());
  const std::streamoff size = in.tellg();
  if (size < 0) throw ModuleFormatError("cannot read " + file.string());
  std::vector<std::byte> image(static_cast<std::size_t>(size));
  in.seekg(0);
  if (!in.read(reinterpret_cast<char*>(image.data()), size)) throw ModuleFormatError("cannot read " + file.string());
  try {
    return readElfSection(image, sectionName);
  } catch (const ModuleFormatError& e) {
    throw ModuleFormatError(file.string() + ": " + e.what());
  }
}

}  // namespace aehost
