// The version record carried by the executable: an ELF note of the
// packaging-metadata kind in ".note.package", whose JSON object holds the
// file and product versions and names of the generated version header.
#include <elf.h>
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "app/version.h"

namespace qv {
namespace {

struct TNoteFound {
  bool section = false;
  std::uint32_t type = 0;
  std::string owner;
  std::string desc;
};

// Reads the note of the named section of a 64-bit little-endian ELF file.
TNoteFound ReadNote(const std::vector<char>& elf, const std::string& section) {
  TNoteFound found;
  if (elf.size() < sizeof(Elf64_Ehdr)) return found;
  Elf64_Ehdr eh;
  std::memcpy(&eh, elf.data(), sizeof eh);
  if (std::memcmp(eh.e_ident, ELFMAG, SELFMAG) != 0 || eh.e_ident[EI_CLASS] != ELFCLASS64)
    return found;
  auto header = [&](int i) {
    Elf64_Shdr sh{};
    const std::size_t at = eh.e_shoff + static_cast<std::size_t>(i) * eh.e_shentsize;
    if (at + sizeof sh <= elf.size()) std::memcpy(&sh, elf.data() + at, sizeof sh);
    return sh;
  };
  const Elf64_Shdr names = header(eh.e_shstrndx);
  for (int i = 0; i < eh.e_shnum; ++i) {
    const Elf64_Shdr sh = header(i);
    if (names.sh_offset + sh.sh_name >= elf.size()) continue;
    if (section != elf.data() + names.sh_offset + sh.sh_name) continue;
    found.section = sh.sh_type == SHT_NOTE;
    Elf64_Nhdr nh;
    if (sh.sh_offset + sizeof nh > elf.size()) return found;
    std::memcpy(&nh, elf.data() + sh.sh_offset, sizeof nh);
    const char* name = elf.data() + sh.sh_offset + sizeof nh;
    const char* desc = name + (nh.n_namesz + 3) / 4 * 4;
    if (desc + nh.n_descsz > elf.data() + elf.size()) return found;
    found.type = nh.n_type;
    found.owner.assign(name, strnlen(name, nh.n_namesz));
    found.desc.assign(desc, strnlen(desc, nh.n_descsz));
    return found;
  }
  return found;
}

TEST(VersionRecord, TheExecutableCarriesItAsAnElfNote) {
  std::ifstream in(QV_PROGRAM, std::ios::binary);
  ASSERT_TRUE(in) << QV_PROGRAM;
  const std::vector<char> elf{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  const TNoteFound note = ReadNote(elf, ".note.package");
  ASSERT_TRUE(note.section);
  EXPECT_EQ(note.owner, "FDO");
  EXPECT_EQ(note.type, 0xcafe1a7eu);
  const std::string fields[] = {
      R"("name":"quorvane")",
      R"("version":")" + std::string(version::kFileVersion) + '"',
      R"("fileVersion":")" + std::string(version::kFileVersion) + '"',
      R"("productVersion":")" + std::string(version::kProductVersion) + '"',
      R"("productName":")" + std::string(version::kProductName) + '"',
      R"("fileDescription":")" + std::string(version::kFileDescription) + '"'};
  for (const std::string& f : fields) EXPECT_NE(note.desc.find(f), std::string::npos) << f;
  EXPECT_EQ(note.desc.front(), '{');
  EXPECT_EQ(note.desc.back(), '}');
}

TEST(VersionRecord, VersionsOfThisRelease) {
  EXPECT_EQ(version::kFileVersion, "1.2.0.0");
  EXPECT_EQ(version::kProductVersion, "1.0.0.0");
  EXPECT_EQ(version::kProductName, "Quorvane");
  EXPECT_EQ(version::kFileDescription, "Quorvane");
  EXPECT_EQ(std::u16string_view(version::kShownVersion), u"1.2");
}

}  // namespace
}  // namespace qv
