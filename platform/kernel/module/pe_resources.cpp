#include "platform/kernel/module/pe_resources.h"

#include <win/errors.h>

#include <set>
#include <vector>

namespace talix {
namespace {

constexpr uint32_t kPeSignature = 0x00004550;  // "PE\0\0"
constexpr uint16_t kMagicPe32 = 0x10b;
constexpr uint16_t kMagicPe32Plus = 0x20b;
constexpr uint32_t kResourceDirectoryIndex = 2;
constexpr uint32_t kSubdirectoryBit = 0x80000000u;
constexpr size_t kMaxEntriesVisited = 1 << 16;  // bounds work on directories that share entries

struct Section {
  uint32_t virtualAddress, virtualSize, rawSize, rawOffset;
};

struct Image {
  ByteView file;
  std::vector<Section> sections;
  uint32_t headersSize = 0;

  // The file bytes of [rva, rva + length), or an empty view when they are not in the file.
  ByteView At(uint32_t rva, uint32_t length) const {
    for (const Section& s : sections) {
      if (rva < s.virtualAddress || rva - s.virtualAddress >= s.rawSize) continue;
      uint64_t inSection = rva - s.virtualAddress;
      if (length > s.rawSize - inSection) return ByteView();
      return file.Sub(uint64_t{s.rawOffset} + inSection, length);
    }
    if (rva < headersSize && length <= headersSize - rva) return file.Sub(rva, length);
    return ByteView();
  }
};

// Reads the section table and the resource data directory entry.
DWORD ReadHeaders(Image* image, uint32_t* rsrcRva, uint32_t* rsrcSize) {
  const ByteView& file = image->file;
  uint16_t mz;
  uint32_t peOffset, signature;
  if (!file.U16(0, &mz) || mz != 0x5A4D || !file.U32(0x3C, &peOffset) ||
      !file.U32(peOffset, &signature) || signature != kPeSignature)
    return ERROR_BAD_EXE_FORMAT;
  uint64_t fileHeader = uint64_t{peOffset} + 4;
  uint16_t sectionCount, optionalSize, magic;
  if (!file.U16(fileHeader + 2, &sectionCount) || !file.U16(fileHeader + 16, &optionalSize))
    return ERROR_BAD_EXE_FORMAT;
  uint64_t optional = fileHeader + 20;
  if (!file.Has(optional, optionalSize) || !file.U16(optional, &magic))
    return ERROR_BAD_EXE_FORMAT;
  uint64_t directoriesAt;
  if (magic == kMagicPe32) directoriesAt = 96;
  else if (magic == kMagicPe32Plus) directoriesAt = 112;
  else return ERROR_BAD_EXE_FORMAT;
  uint32_t directoryCount;
  if (!file.U32(optional + 60, &image->headersSize) ||
      !file.U32(optional + directoriesAt - 4, &directoryCount))
    return ERROR_BAD_EXE_FORMAT;
  *rsrcRva = *rsrcSize = 0;
  uint64_t rsrcEntry = directoriesAt + 8 * kResourceDirectoryIndex;
  if (directoryCount > kResourceDirectoryIndex && rsrcEntry + 8 <= optionalSize) {
    file.U32(optional + rsrcEntry, rsrcRva);
    file.U32(optional + rsrcEntry + 4, rsrcSize);
  }
  uint64_t table = optional + optionalSize;
  if (!file.Has(table, uint64_t{sectionCount} * 40)) return ERROR_BAD_EXE_FORMAT;
  for (uint16_t i = 0; i < sectionCount; ++i) {
    Section s;
    uint64_t at = table + uint64_t{i} * 40;
    file.U32(at + 8, &s.virtualSize);
    file.U32(at + 12, &s.virtualAddress);
    file.U32(at + 16, &s.rawSize);
    file.U32(at + 20, &s.rawOffset);
    if (!file.Has(s.rawOffset, s.rawSize)) return ERROR_BAD_EXE_FORMAT;
    image->sections.push_back(s);
  }
  return ERROR_SUCCESS;
}

class DirectoryWalker {
 public:
  DirectoryWalker(const Image& image, ByteView directory, ResourceTree* tree)
      : image_(image), dir_(directory), tree_(tree) {}

  void Walk() { WalkLevel(0, 0); }

 private:
  // Level 0 holds types, 1 names, 2 languages (whose entries point at data).
  void WalkLevel(uint32_t offset, int level) {
    uint16_t namedCount, idCount;
    if (!visited_.insert(offset).second) return;  // a cycle or a shared directory
    if (!dir_.U16(offset + 12, &namedCount) || !dir_.U16(offset + 14, &idCount)) return;
    uint32_t count = uint32_t{namedCount} + idCount;
    for (uint32_t i = 0; i < count && visitedEntries_ < kMaxEntriesVisited; ++i, ++visitedEntries_) {
      uint64_t at = offset + 16 + uint64_t{i} * 8;
      uint32_t nameField, target;
      if (!dir_.U32(at, &nameField) || !dir_.U32(at + 4, &target)) return;
      ResourceKey key;
      if (!ReadKey(nameField, &key)) continue;
      bool isDirectory = (target & kSubdirectoryBit) != 0;
      if (level < 2) {
        if (!isDirectory) continue;
        path_[level] = key;
        WalkLevel(target & ~kSubdirectoryBit, level + 1);
        visited_.erase(target & ~kSubdirectoryBit);  // siblings may not share, but a path may not loop
      } else if (!isDirectory && key.isId) {
        AddData(target, key.id);
      }
    }
  }

  bool ReadKey(uint32_t field, ResourceKey* key) const {
    if (!(field & kSubdirectoryBit)) {
      if (field > 0xFFFF) return false;
      *key = ResourceKey::Id(static_cast<WORD>(field));
      return true;
    }
    uint32_t at = field & ~kSubdirectoryBit;
    uint16_t length;
    if (!dir_.U16(at, &length)) return false;
    ByteView chars = dir_.Sub(uint64_t{at} + 2, uint64_t{length} * 2);
    if (!chars.Data() && length) return false;
    std::u16string name(length, u'\0');
    for (uint16_t i = 0; i < length; ++i) chars.U16(uint64_t{i} * 2, reinterpret_cast<uint16_t*>(&name[i]));
    *key = ResourceKey::Name(std::move(name));
    return true;
  }

  void AddData(uint32_t entryOffset, WORD language) {
    uint32_t rva, size;
    if (!dir_.U32(entryOffset, &rva) || !dir_.U32(uint64_t{entryOffset} + 4, &size)) return;
    ByteView bytes = image_.At(rva, size);
    if (!bytes.Data()) return;
    tree_->Add(path_[0], path_[1], ResourceData{language, bytes.Data(), size, 0});
  }

  const Image& image_;
  ByteView dir_;
  ResourceTree* tree_;
  ResourceKey path_[2];
  std::set<uint32_t> visited_;
  size_t visitedEntries_ = 0;
};

}  // namespace

bool LooksLikePe(ByteView file) {
  uint16_t mz;
  return file.U16(0, &mz) && mz == 0x5A4D;
}

DWORD ReadPeResources(ByteView file, ResourceTree* tree) {
  Image image{file, {}, 0};
  uint32_t rsrcRva, rsrcSize;
  DWORD error = ReadHeaders(&image, &rsrcRva, &rsrcSize);
  if (error != ERROR_SUCCESS) return error;
  if (rsrcRva && rsrcSize) {
    ByteView directory = image.At(rsrcRva, rsrcSize);
    if (directory.Data()) DirectoryWalker(image, directory, tree).Walk();
  }
  tree->Finish();
  return ERROR_SUCCESS;
}

}  // namespace talix
