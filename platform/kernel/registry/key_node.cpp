#include "platform/kernel/registry/key_node.h"

#include "platform/kernel/registry/name_fold.h"

#include <algorithm>
#include <chrono>

namespace talix::registry {
namespace {

// Now as a FILETIME: 100-nanosecond intervals since 1601-01-01.
uint64_t NowAsFileTime() {
  constexpr uint64_t kEpochDifference = 116444736000000000ull;
  auto sinceUnixEpoch = std::chrono::system_clock::now().time_since_epoch();
  auto ticks = std::chrono::duration_cast<std::chrono::nanoseconds>(sinceUnixEpoch).count() / 100;
  return kEpochDifference + static_cast<uint64_t>(ticks);
}

}  // namespace

KeyNode::KeyNode(std::u16string name, KeyNode* parent, bool isVolatile)
    : name_(std::move(name)), folded_(FoldName(name_)), parent_(parent), volatile_(isVolatile) {
  Touch();
}

void KeyNode::Touch() { lastWrite_ = NowAsFileTime(); }

size_t KeyNode::LowerBound(const std::u16string& folded) const {
  auto it = std::lower_bound(
      children_.begin(), children_.end(), folded,
      [](const std::shared_ptr<KeyNode>& child, const std::u16string& key) { return child->folded_ < key; });
  return static_cast<size_t>(it - children_.begin());
}

std::shared_ptr<KeyNode> KeyNode::FindSubkey(std::u16string_view name) const {
  std::u16string folded = FoldName(name);
  size_t at = LowerBound(folded);
  if (at < children_.size() && children_[at]->folded_ == folded) return children_[at];
  return nullptr;
}

std::shared_ptr<KeyNode> KeyNode::AddSubkey(std::u16string_view name, bool isVolatile) {
  auto child = std::make_shared<KeyNode>(std::u16string(name), this, isVolatile);
  size_t at = LowerBound(child->folded_);
  children_.insert(children_.begin() + static_cast<ptrdiff_t>(at), child);
  Touch();
  return child;
}

void KeyNode::MarkDeletedBelow() {
  // Depth is bounded by the tree's depth limit, so recursion is safe.
  deleted_ = true;
  parent_ = nullptr;
  for (auto& child : children_) child->MarkDeletedBelow();
  children_.clear();
  ClearValues();
}

void KeyNode::DeleteSubkey(const KeyNode* child) {
  auto it = std::find_if(children_.begin(), children_.end(),
                         [child](const std::shared_ptr<KeyNode>& c) { return c.get() == child; });
  if (it == children_.end()) return;
  std::shared_ptr<KeyNode> removed = *it;  // keeps it alive while marking
  children_.erase(it);
  removed->MarkDeletedBelow();
  Touch();
}

void KeyNode::DeleteAllSubkeys() {
  std::vector<std::shared_ptr<KeyNode>> removed;
  removed.swap(children_);
  for (auto& child : removed) child->MarkDeletedBelow();
  Touch();
}

const RegValue* KeyNode::FindValue(std::u16string_view name) const {
  auto it = valueIndex_.find(FoldName(name));
  return it == valueIndex_.end() ? nullptr : &values_[it->second];
}

void KeyNode::SetValue(std::u16string_view name, DWORD type, std::vector<BYTE> data) {
  std::u16string folded = FoldName(name);
  auto it = valueIndex_.find(folded);
  if (it != valueIndex_.end()) {
    values_[it->second].type = type;
    values_[it->second].data = std::move(data);
  } else {
    valueIndex_.emplace(std::move(folded), values_.size());
    values_.push_back(RegValue{std::u16string(name), type, std::move(data)});
  }
  Touch();
}

bool KeyNode::DeleteValue(std::u16string_view name) {
  auto it = valueIndex_.find(FoldName(name));
  if (it == valueIndex_.end()) return false;
  size_t index = it->second;
  valueIndex_.erase(it);
  values_.erase(values_.begin() + static_cast<ptrdiff_t>(index));
  for (auto& entry : valueIndex_)
    if (entry.second > index) --entry.second;
  Touch();
  return true;
}

void KeyNode::ClearValues() {
  values_.clear();
  valueIndex_.clear();
  Touch();
}

}  // namespace talix::registry
