#include <gtest/gtest.h>

#include <elf.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "aehost/ElfSection.h"
#include "aehost/PluginModule.h"
#include "aehost_testing/ProbeModule.h"

namespace {

using aehost::ModuleFormatError;
using aehost::readElfSection;

// A minimal ELF64 image: header, section name table, one ".pipl" section, section headers.
struct TinyElf {
  std::vector<std::byte> image;
  std::size_t sectionHeadersAt = 0;

  explicit TinyElf(const std::vector<std::byte>& piplBytes, const std::string& sectionName = ".pipl") {
    const std::string names = std::string("\0.shstrtab\0", 11) + sectionName + '\0';
    const std::size_t namesAt = sizeof(Elf64_Ehdr);
    const std::size_t piplAt = namesAt + names.size();
    sectionHeadersAt = (piplAt + piplBytes.size() + 7) / 8 * 8;
    image.resize(sectionHeadersAt + 3 * sizeof(Elf64_Shdr));

    Elf64_Ehdr header{};
    std::memcpy(header.e_ident, ELFMAG, SELFMAG);
    header.e_ident[EI_CLASS] = ELFCLASS64;
    header.e_ident[EI_DATA] = ELFDATA2LSB;
    header.e_ident[EI_VERSION] = EV_CURRENT;
    header.e_type = ET_DYN;
    header.e_machine = EM_X86_64;
    header.e_shoff = sectionHeadersAt;
    header.e_ehsize = sizeof(Elf64_Ehdr);
    header.e_shentsize = sizeof(Elf64_Shdr);
    header.e_shnum = 3;
    header.e_shstrndx = 1;
    std::memcpy(image.data(), &header, sizeof header);
    std::memcpy(image.data() + namesAt, names.data(), names.size());
    std::memcpy(image.data() + piplAt, piplBytes.data(), piplBytes.size());

    Elf64_Shdr sections[3]{};
    sections[1].sh_name = 1;
    sections[1].sh_type = SHT_STRTAB;
    sections[1].sh_offset = namesAt;
    sections[1].sh_size = names.size();
    sections[2].sh_name = 11;
    sections[2].sh_type = SHT_PROGBITS;
    sections[2].sh_offset = piplAt;
    sections[2].sh_size = piplBytes.size();
    std::memcpy(image.data() + sectionHeadersAt, sections, sizeof sections);
  }

  Elf64_Shdr* section(int index) {
    return reinterpret_cast<Elf64_Shdr*>(image.data() + sectionHeadersAt) + index;
  }
};

std::vector<std::byte> someBytes() { return {std::byte{1}, std::byte{2}, std::byte{3}, std::byte{4}, std::byte{5}}; }

TEST(HostElf, FindsTheNamedSection) {
  const TinyElf elf(someBytes());
  EXPECT_EQ(readElfSection(elf.image, ".pipl"), someBytes());
}

TEST(HostElf, ReportsAMissingSection) {
  const TinyElf elf(someBytes(), ".data");
  EXPECT_THROW(readElfSection(elf.image, ".pipl"), ModuleFormatError);
}

TEST(HostElf, RejectsSomethingThatIsNotElf) {
  std::vector<std::byte> image(128, std::byte{'x'});
  EXPECT_THROW(readElfSection(image, ".pipl"), ModuleFormatError);
  EXPECT_THROW(readElfSection({}, ".pipl"), ModuleFormatError);
}

TEST(HostElf, Rejects32BitAndBigEndianImages) {
  TinyElf elf(someBytes());
  elf.image[EI_CLASS] = std::byte{ELFCLASS32};
  EXPECT_THROW(readElfSection(elf.image, ".pipl"), ModuleFormatError);
  TinyElf big(someBytes());
  big.image[EI_DATA] = std::byte{ELFDATA2MSB};
  EXPECT_THROW(readElfSection(big.image, ".pipl"), ModuleFormatError);
}

TEST(HostElf, RejectsASectionOutsideTheImage) {
  TinyElf elf(someBytes());
  elf.section(2)->sh_size = 1u << 20;
  EXPECT_THROW(readElfSection(elf.image, ".pipl"), ModuleFormatError);
}

TEST(HostElf, RejectsTruncatedSectionHeaders) {
  TinyElf elf(someBytes());
  elf.image.resize(elf.sectionHeadersAt + 10);
  EXPECT_THROW(readElfSection(elf.image, ".pipl"), ModuleFormatError);
}

// From a file: the whole file is the image, read in one go; a file cut short is rejected like
// an image cut short, a missing one with its name.
TEST(HostElf, ReadsASectionFromAFileAndRejectsOneCutShort) {
  const TinyElf elf(someBytes());
  const std::filesystem::path file =
      std::filesystem::path(::testing::TempDir()) / ("host_elf_" + std::to_string(::getpid()) + ".so");
  const auto write = [&](std::size_t bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(elf.image.data()), static_cast<std::streamsize>(bytes));
  };
  write(elf.image.size());
  EXPECT_EQ(aehost::readElfSectionFromFile(file, ".pipl"), someBytes());
  write(elf.image.size() - sizeof(Elf64_Shdr));
  EXPECT_THROW(aehost::readElfSectionFromFile(file, ".pipl"), ModuleFormatError);
  write(0);
  EXPECT_THROW(aehost::readElfSectionFromFile(file, ".pipl"), ModuleFormatError);
  std::filesystem::remove(file);
  try {
    aehost::readElfSectionFromFile(file, ".pipl");
    ADD_FAILURE() << "a missing file was read";
  } catch (const ModuleFormatError& e) {
    EXPECT_NE(std::string(e.what()).find(file.string()), std::string::npos) << e.what();
  }
}

TEST(HostElf, ReadsThePiplOfABuiltModule) {
  const aehost::Pipl pipl = aehost::parsePipl(aehost::readModulePiplBytes(aehost::testing::probeEffectPath()));
  EXPECT_EQ(pipl.name, "Host Probe");
  EXPECT_EQ(pipl.entryPointX64, "ProbeEntryPoint");
}

TEST(HostElf, AProgramWithoutPiplSectionIsRejected) {
  EXPECT_THROW(aehost::readModulePiplBytes("/proc/self/exe"), ModuleFormatError);
}

}  // namespace
