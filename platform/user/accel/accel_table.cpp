// CreateAcceleratorTableW, DestroyAcceleratorTable, CopyAcceleratorTableW and
// LoadAcceleratorsW.
//
// RT_ACCELERATOR resources hold 8-byte entries (WORD flags, WORD key, WORD command, WORD
// padding); the entry whose flags have 0x80 is the last. Entries are read only while whole
// ones remain in the resource. Each LoadAcceleratorsW call makes a table of its own, which
// DestroyAcceleratorTable may free.
#include "platform/user/accel/accel_table.h"

#include "platform/user/menu/resource_bytes.h"

#include <algorithm>

using namespace talix;
using namespace talix::user::accel;

namespace {

constexpr BYTE kFlagBits = FVIRTKEY | FNOINVERT | FSHIFT | FCONTROL | FALT;
constexpr uint16_t kResourceLastEntry = 0x80;
constexpr size_t kResourceEntrySize = 8;

HandleTable<AcceleratorTable>& Tables() {
  static auto* table = new HandleTable<AcceleratorTable>(HandleKind::Accelerator);
  return *table;
}

HACCEL AddTable(std::vector<ACCEL> entries) {
  auto table = std::make_shared<AcceleratorTable>();
  table->entries = std::move(entries);
  uint32_t value = Tables().Add(std::move(table));
  if (!value) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  return HandleFromValue<HACCEL>(value);
}

}  // namespace

namespace talix::user::accel {

bool AcceleratorEntries(HACCEL table, std::vector<ACCEL>* out) {
  std::shared_ptr<AcceleratorTable> object = Tables().Get(ValueOfHandle(table));
  if (!object) {
    SetLastError(ERROR_INVALID_ACCEL_HANDLE);
    return false;
  }
  *out = object->entries;
  return true;
}

}  // namespace talix::user::accel

HACCEL CreateAcceleratorTableW(LPACCEL paccel, int cAccel) {
  if (!paccel || cAccel <= 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  std::vector<ACCEL> entries(paccel, paccel + cAccel);
  for (ACCEL& entry : entries) entry.fVirt &= kFlagBits;
  return AddTable(std::move(entries));
}

BOOL DestroyAcceleratorTable(HACCEL hAccel) {
  if (!Tables().Take(ValueOfHandle(hAccel))) {
    SetLastError(ERROR_INVALID_ACCEL_HANDLE);
    return FALSE;
  }
  return TRUE;
}

// With no destination, the number of entries; otherwise the number copied.
int CopyAcceleratorTableW(HACCEL hAccelSrc, LPACCEL lpAccelDst, int cAccelEntries) {
  std::vector<ACCEL> entries;
  if (!AcceleratorEntries(hAccelSrc, &entries)) return 0;
  if (!lpAccelDst) return static_cast<int>(entries.size());
  size_t count = std::min(entries.size(), static_cast<size_t>(std::max(cAccelEntries, 0)));
  std::copy_n(entries.begin(), count, lpAccelDst);
  return static_cast<int>(count);
}

HACCEL LoadAcceleratorsW(HINSTANCE hInstance, LPCWSTR lpTableName) {
  ByteView view;
  if (!user::ResourceBytes(hInstance, lpTableName, RT_ACCELERATOR, &view)) return nullptr;
  std::vector<ACCEL> entries;
  for (uint64_t at = 0; view.Has(at, kResourceEntrySize); at += kResourceEntrySize) {
    uint16_t flags = 0, key = 0, command = 0;
    view.U16(at, &flags);
    view.U16(at + 2, &key);
    view.U16(at + 4, &command);
    entries.push_back(ACCEL{static_cast<BYTE>(flags & kFlagBits), key, command});
    if (flags & kResourceLastEntry) break;
  }
  if (entries.empty()) {
    SetLastError(ERROR_INVALID_DATA);
    return nullptr;
  }
  return AddTable(std::move(entries));
}
