#include "platform/kernel/module/version_info.h"

#include <algorithm>
#include <cstring>

namespace talix {
namespace {

constexpr uint16_t kTextValue = 1;
constexpr size_t kMaxPathParts = 16;

struct VersionNode {
  ByteView bytes;       // the whole node, wLength bytes
  std::u16string key;
  uint64_t valueAt = 0;
  UINT valueLength = 0;  // as stored: characters for text, bytes for binary
  uint64_t childrenAt = 0;
};

bool ReadNode(ByteView bytes, VersionNode* node) {
  uint16_t length, valueLength, type;
  if (!bytes.U16(0, &length) || !bytes.U16(2, &valueLength) || !bytes.U16(4, &type) || length < 6)
    return false;
  node->bytes = bytes.Sub(0, length);
  if (!node->bytes.Data() || !node->bytes.String16(6, &node->key, &node->valueAt)) return false;
  node->valueAt = AlignUp4(node->valueAt);
  uint64_t valueBytes = type == kTextValue ? uint64_t{valueLength} * 2 : valueLength;
  if (!node->bytes.Has(node->valueAt, valueBytes)) {
    // A value running past the node's end carries nothing trustworthy.
    if (valueLength) return false;
    node->valueAt = std::min<uint64_t>(node->valueAt, length);
  }
  node->valueLength = valueLength;
  node->childrenAt = AlignUp4(node->valueAt + valueBytes);
  return true;
}

bool EqualIgnoringCase(std::u16string_view a, std::u16string_view b) {
  auto upper = [](char16_t c) { return (c >= u'a' && c <= u'z') ? char16_t(c - 32) : c; };
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                            [&](char16_t x, char16_t y) { return upper(x) == upper(y); });
}

bool FindChild(const VersionNode& parent, std::u16string_view key, VersionNode* child) {
  for (uint64_t at = parent.childrenAt; at < parent.bytes.Size();) {
    if (!ReadNode(parent.bytes.Sub(at, parent.bytes.Size() - at), child)) return false;
    if (EqualIgnoringCase(child->key, key)) return true;
    at = AlignUp4(at + child->bytes.Size());
  }
  return false;
}

}  // namespace

bool QueryVersionValue(ByteView block, std::u16string_view path, const BYTE** value, UINT* length) {
  VersionNode node;
  if (!ReadNode(block, &node)) return false;
  size_t parts = 0;
  while (!path.empty()) {
    size_t start = path.find_first_not_of(u'\\');
    if (start == std::u16string_view::npos) break;
    size_t end = path.find(u'\\', start);
    std::u16string_view key = path.substr(start, end == std::u16string_view::npos ? path.npos : end - start);
    path = end == std::u16string_view::npos ? std::u16string_view() : path.substr(end);
    VersionNode child;
    if (++parts > kMaxPathParts || !FindChild(node, key, &child)) return false;
    node = child;
  }
  *value = node.bytes.Data() + node.valueAt;
  *length = node.valueLength;
  return true;
}

}  // namespace talix
