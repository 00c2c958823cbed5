#include "platform/kernel/registry/registry_tree.h"

#include <win/registry.h>

namespace talix::registry {

std::u16string_view RootName(RootKey root) {
  switch (root) {
    case RootKey::LocalMachine: return u"HKEY_LOCAL_MACHINE";
    case RootKey::CurrentUser: return u"HKEY_CURRENT_USER";
    case RootKey::Users: return u"HKEY_USERS";
    case RootKey::Count: break;
  }
  return u"";
}

LONG SplitKeyPath(std::u16string_view path, std::vector<std::u16string_view>* names) {
  names->clear();
  if (path.empty()) return ERROR_SUCCESS;
  if (path.back() == u'\\') path.remove_suffix(1);
  size_t start = 0;
  while (true) {
    size_t end = path.find(u'\\', start);
    std::u16string_view name = path.substr(start, end == std::u16string_view::npos ? end : end - start);
    if (name.empty()) return ERROR_BAD_PATHNAME;
    if (name.size() > kMaxKeyNameLength) return ERROR_INVALID_PARAMETER;
    if (name.find_first_of(u"\r\n") != std::u16string_view::npos) return ERROR_INVALID_PARAMETER;
    names->push_back(name);
    if (end == std::u16string_view::npos) return ERROR_SUCCESS;
    start = end + 1;
  }
}

size_t KeyDepth(const KeyNode* key) {
  size_t depth = 0;
  for (const KeyNode* k = key->Parent(); k; k = k->Parent()) ++depth;
  return depth;
}

RegistryTree::RegistryTree() {
  for (size_t i = 0; i < roots_.size(); ++i)
    roots_[i] = std::make_shared<KeyNode>(std::u16string(RootName(static_cast<RootKey>(i))), nullptr, false);
}

std::shared_ptr<KeyNode> RegistryTree::Find(const std::shared_ptr<KeyNode>& base,
                                            const std::vector<std::u16string_view>& names) {
  std::shared_ptr<KeyNode> key = base;
  for (std::u16string_view name : names) {
    key = key->FindSubkey(name);
    if (!key) return nullptr;
  }
  return key;
}

LONG RegistryTree::Create(const std::shared_ptr<KeyNode>& base, const std::vector<std::u16string_view>& names,
                          bool isVolatile, std::shared_ptr<KeyNode>* key, bool* created) {
  *created = false;
  if (KeyDepth(base.get()) + names.size() > kMaxKeyDepth) return ERROR_INVALID_PARAMETER;
  std::shared_ptr<KeyNode> current = base;
  for (std::u16string_view name : names) {
    std::shared_ptr<KeyNode> next = current->FindSubkey(name);
    if (!next) {
      if (current->Volatile() && !isVolatile) return ERROR_CHILD_MUST_BE_VOLATILE;
      next = current->AddSubkey(name, isVolatile);
      *created = true;
    }
    current = std::move(next);
  }
  *key = std::move(current);
  return ERROR_SUCCESS;
}

void RegistryTree::DeleteTree(KeyNode* key) {
  if (KeyNode* parent = key->Parent()) {
    parent->DeleteSubkey(key);
  } else if (!key->Deleted()) {
    key->DeleteAllSubkeys();
    key->ClearValues();
  }
}

void RegistryTree::Clear() {
  for (auto& root : roots_) DeleteTree(root.get());
}

namespace {

std::vector<std::u16string_view> Views(const std::vector<std::u16string>& names) {
  return std::vector<std::u16string_view>(names.begin(), names.end());
}

}  // namespace

void RegistryTree::Apply(const std::vector<RegEdit>& edits) {
  std::shared_ptr<KeyNode> current;
  for (const RegEdit& edit : edits) {
    const std::shared_ptr<KeyNode>& root = Root(edit.root);
    switch (edit.kind) {
      case RegEdit::Kind::CreateKey: {
        bool created = false;
        current.reset();
        // Keys below a volatile key become volatile too rather than failing.
        if (Create(root, Views(edit.path), false, &current, &created) != ERROR_SUCCESS)
          Create(root, Views(edit.path), true, &current, &created);
        break;
      }
      case RegEdit::Kind::DeleteKey:
        if (auto key = Find(root, Views(edit.path))) DeleteTree(key.get());
        current.reset();
        break;
      case RegEdit::Kind::SetValue:
        if (current) current->SetValue(edit.valueName, edit.type, edit.data);
        break;
      case RegEdit::Kind::DeleteValue:
        if (current) current->DeleteValue(edit.valueName);
        break;
    }
  }
}

}  // namespace talix::registry
