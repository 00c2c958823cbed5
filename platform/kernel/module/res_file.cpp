#include "platform/kernel/module/res_file.h"

namespace talix {
namespace {

constexpr uint32_t kFixedTail = 16;  // DataVersion, MemoryFlags, LanguageId, Version, Characteristics

// A type or name field: 0xFFFF and an identifier, or a terminated string.
bool ReadKeyField(ByteView header, uint64_t* at, ResourceKey* key) {
  uint16_t first, id;
  if (!header.U16(*at, &first)) return false;
  if (first == 0xFFFF) {
    if (!header.U16(*at + 2, &id)) return false;
    *key = ResourceKey::Id(id);
    *at += 4;
    return true;
  }
  std::u16string name;
  if (!header.String16(*at, &name, at)) return false;
  *key = ResourceKey::Name(std::move(name));
  return true;
}

// Reads the record at `offset`; sets *next to the following record's offset.
bool ReadRecord(ByteView bytes, uint64_t offset, ResourceTree* tree, uint64_t* next) {
  uint32_t dataSize, headerSize;
  if (!bytes.U32(offset, &dataSize) || !bytes.U32(offset + 4, &headerSize)) return false;
  ByteView header = bytes.Sub(offset, headerSize);
  ByteView data = bytes.Sub(offset + headerSize, dataSize);
  if (headerSize < 8 + 4 + 4 + kFixedTail || !header.Data() || (!data.Data() && dataSize))
    return false;
  uint64_t at = 8;
  ResourceKey type, name;
  if (!ReadKeyField(header, &at, &type) || !ReadKeyField(header, &at, &name)) return false;
  at = AlignUp4(at);
  uint16_t language;
  if (!header.Has(at, kFixedTail) || !header.U16(at + 6, &language)) return false;
  bool emptyMarker = type.isId && type.id == 0 && dataSize == 0;
  if (!emptyMarker) tree->Add(type, name, ResourceData{language, data.Data(), dataSize, 0});
  *next = AlignUp4(offset + headerSize + dataSize);
  return true;
}

bool OnlyZerosFrom(ByteView bytes, uint64_t offset) {
  for (uint64_t i = offset; i < bytes.Size(); ++i)
    if (bytes.Data()[i]) return false;
  return true;
}

}  // namespace

bool LooksLikeResFile(ByteView bytes) {
  static const BYTE kMarker[16] = {0, 0, 0, 0, 0x20, 0, 0, 0, 0xFF, 0xFF, 0, 0, 0xFF, 0xFF, 0, 0};
  return bytes.Has(0, sizeof kMarker) && std::memcmp(bytes.Data(), kMarker, sizeof kMarker) == 0;
}

bool ReadResFile(ByteView bytes, ResourceTree* tree) {
  bool intact = true;
  for (uint64_t offset = 0; offset < bytes.Size();) {
    if (OnlyZerosFrom(bytes, offset)) break;  // padding after the last record
    if (!ReadRecord(bytes, offset, tree, &offset)) {
      intact = false;
      break;
    }
  }
  tree->SortAndFinish();
  return intact;
}

}  // namespace talix
