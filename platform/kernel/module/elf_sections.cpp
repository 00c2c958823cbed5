#include "platform/kernel/module/elf_sections.h"

namespace talix {
namespace {

constexpr BYTE kElfClass64 = 2;
constexpr BYTE kElfLittleEndian = 1;
constexpr uint32_t kSectionNoBits = 8;
constexpr uint64_t kSectionHeaderSize = 64;

struct SectionHeader {
  uint32_t name = 0, type = 0;
  uint64_t offset = 0, size = 0;
};

bool ReadSectionHeader(ByteView table, uint64_t index, SectionHeader* out) {
  uint64_t at = index * kSectionHeaderSize;
  return table.U32(at, &out->name) && table.U32(at + 4, &out->type) &&
         table.U64(at + 24, &out->offset) && table.U64(at + 32, &out->size);
}

}  // namespace

bool LooksLikeElf(ByteView file) {
  return file.Has(0, 4) && std::memcmp(file.Data(), "\x7F" "ELF", 4) == 0;
}

ByteView FindElfSection(ByteView file, std::string_view name, bool* malformed) {
  *malformed = true;
  uint64_t tableOffset;
  uint16_t entrySize, count, namesIndex;
  if (!LooksLikeElf(file) || !file.Has(0, 64) || file.Data()[4] != kElfClass64 ||
      file.Data()[5] != kElfLittleEndian || !file.U64(0x28, &tableOffset) ||
      !file.U16(0x3A, &entrySize) || !file.U16(0x3C, &count) || !file.U16(0x3E, &namesIndex))
    return ByteView();
  if (count == 0) {  // no section table: nothing to find, but not broken
    *malformed = false;
    return ByteView();
  }
  ByteView table = file.Sub(tableOffset, uint64_t{count} * kSectionHeaderSize);
  SectionHeader names;
  if (entrySize != kSectionHeaderSize || !table.Data() || namesIndex >= count ||
      !ReadSectionHeader(table, namesIndex, &names))
    return ByteView();
  ByteView nameTable = file.Sub(names.offset, names.size);
  if (!nameTable.Data()) return ByteView();
  *malformed = false;
  for (uint16_t i = 0; i < count; ++i) {
    SectionHeader section;
    ReadSectionHeader(table, i, &section);
    if (!nameTable.Has(section.name, name.size() + 1) ||
        std::memcmp(nameTable.Data() + section.name, name.data(), name.size()) != 0 ||
        nameTable.Data()[section.name + name.size()] != 0)
      continue;
    if (section.type == kSectionNoBits) return ByteView();
    ByteView contents = file.Sub(section.offset, section.size);
    if (!contents.Data()) *malformed = true;
    return contents;
  }
  return ByteView();
}

}  // namespace talix
