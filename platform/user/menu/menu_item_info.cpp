// InsertMenuItemW, GetMenuItemInfoW and SetMenuItemInfoW.
//
// MIIM_FTYPE sets the type alone: an item made owner-drawn this way keeps its string,
// which MIIM_STRING still reads. MIIM_TYPE sets the type with its content: a string, the
// bitmap of an MFT_BITMAP item, or for MFT_OWNERDRAW the application value, which is kept
// as the item data (as AppendMenuW's MF_OWNERDRAW does). Masks apply in the order TYPE,
// FTYPE, STRING, BITMAP, then the others, so MIIM_DATA wins over MIIM_TYPE's value.
//
// Reading a string: with no buffer (or cch 0) cch receives the text length; otherwise up
// to cch - 1 characters are copied, the copy is always terminated and cch receives the
// number of characters copied. Items without text report cch 0.
#include "platform/user/menu/menu_items.h"

#include <algorithm>
#include <cstddef>

using namespace talix;
using namespace talix::user::menu;

namespace {

constexpr UINT kStateBits = MFS_GRAYED | MFS_CHECKED | MFS_HILITE | MFS_DEFAULT;

// The structure without hbmpItem is the older, shorter layout; both are accepted.
bool SizeAccepted(UINT cbSize) {
  return cbSize == sizeof(MENUITEMINFOW) || cbSize == offsetof(MENUITEMINFOW, hbmpItem);
}
bool HasBitmapField(UINT cbSize) { return cbSize == sizeof(MENUITEMINFOW); }

bool ValidateInfoLocked(HMENU target, const MENUITEMINFOW& mii) {
  if (((mii.fMask & (MIIM_TYPE | MIIM_FTYPE)) &&
       (mii.fType & MFT_BITMAP) && (mii.fType & MFT_SEPARATOR))) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return false;
  }
  if ((mii.fMask & MIIM_SUBMENU) && mii.hSubMenu) return SubmenuAllowedLocked(target, mii.hSubMenu);
  return true;
}

void SetText(MenuItem& item, LPCWSTR text) {
  item.hasText = text != nullptr;
  item.text = text ? std::u16string(text) : std::u16string();
}

void ApplyType(MenuItem& item, const MENUITEMINFOW& mii) {
  item.type = mii.fType;
  if (mii.fType & MFT_BITMAP) {
    item.bitmap = reinterpret_cast<HBITMAP>(reinterpret_cast<ULONG_PTR>(mii.dwTypeData) & 0xFFFFFFFFu);
    SetText(item, nullptr);
  } else if (mii.fType & MFT_SEPARATOR) {
    SetText(item, nullptr);
  } else if (mii.fType & MFT_OWNERDRAW) {
    item.data = reinterpret_cast<ULONG_PTR>(mii.dwTypeData);
    SetText(item, nullptr);
  } else {
    SetText(item, mii.dwTypeData);
  }
}

void ApplyInfo(MenuItem& item, const MENUITEMINFOW& mii) {
  if (mii.fMask & MIIM_TYPE) ApplyType(item, mii);
  if (mii.fMask & MIIM_FTYPE) item.type = mii.fType;
  if (mii.fMask & MIIM_STRING) SetText(item, mii.dwTypeData);
  if ((mii.fMask & MIIM_BITMAP) && HasBitmapField(mii.cbSize)) item.bitmap = mii.hbmpItem;
  if (mii.fMask & MIIM_STATE) item.state = mii.fState & kStateBits;
  if (mii.fMask & MIIM_ID) item.id = mii.wID;
  if (mii.fMask & MIIM_SUBMENU) item.submenu = mii.hSubMenu;
  if (mii.fMask & MIIM_CHECKMARKS) {
    item.checkedMark = mii.hbmpChecked;
    item.uncheckedMark = mii.hbmpUnchecked;
  }
  if (mii.fMask & MIIM_DATA) item.data = mii.dwItemData;
}

void CopyText(const MenuItem& item, MENUITEMINFOW* mii) {
  UINT length = static_cast<UINT>(item.hasText ? item.text.size() : 0);
  if (!mii->dwTypeData || mii->cch == 0) {
    mii->cch = length;
    return;
  }
  UINT copied = std::min(length, mii->cch - 1);
  std::copy_n(item.text.data(), copied, mii->dwTypeData);
  mii->dwTypeData[copied] = 0;
  mii->cch = copied;
}

void ReadInfo(const MenuItem& item, MENUITEMINFOW* mii) {
  if (mii->fMask & (MIIM_TYPE | MIIM_FTYPE)) mii->fType = item.type;
  if (mii->fMask & MIIM_TYPE) {
    if (item.type & MFT_BITMAP) {
      mii->dwTypeData = reinterpret_cast<LPWSTR>(item.bitmap);
      mii->cch = 0;
    } else if (item.type & MFT_OWNERDRAW) {
      mii->dwTypeData = reinterpret_cast<LPWSTR>(item.data);
      mii->cch = 0;
    } else if (item.type & MFT_SEPARATOR) {
      mii->cch = 0;
    } else {
      CopyText(item, mii);
    }
  }
  if (mii->fMask & MIIM_STRING) CopyText(item, mii);
  if ((mii->fMask & MIIM_BITMAP) && HasBitmapField(mii->cbSize)) mii->hbmpItem = item.bitmap;
  if (mii->fMask & MIIM_STATE) mii->fState = item.state;
  if (mii->fMask & MIIM_ID) mii->wID = item.id;
  if (mii->fMask & MIIM_SUBMENU) mii->hSubMenu = item.submenu;
  if (mii->fMask & MIIM_CHECKMARKS) {
    mii->hbmpChecked = item.checkedMark;
    mii->hbmpUnchecked = item.uncheckedMark;
  }
  if (mii->fMask & MIIM_DATA) mii->dwItemData = item.data;
}

bool FindForInfoLocked(HMENU hmenu, UINT item, BOOL byPosition, ItemRef* at) {
  if (!MenuOrErrorLocked(hmenu)) return false;
  if (FindItemLocked(hmenu, item, byPosition ? MF_BYPOSITION : MF_BYCOMMAND, at)) return true;
  SetLastError(ERROR_MENU_ITEM_NOT_FOUND);
  return false;
}

bool InfoUsable(const void* info, UINT cbSize) {
  if (info && SizeAccepted(cbSize)) return true;
  SetLastError(ERROR_INVALID_PARAMETER);
  return false;
}

}  // namespace

BOOL InsertMenuItemW(HMENU hmenu, UINT item, BOOL fByPosition, LPCMENUITEMINFOW lpmi) {
  if (!InfoUsable(lpmi, lpmi ? lpmi->cbSize : 0)) return FALSE;
  std::lock_guard<std::mutex> lock(MenuLock());
  Menu* menu = MenuOrErrorLocked(hmenu);
  if (!menu) return FALSE;
  HMENU target = hmenu;
  size_t position = item;
  if (!fByPosition) {
    ItemRef at;
    if (!FindForInfoLocked(hmenu, item, FALSE, &at)) return FALSE;
    target = at.menu;
    menu = at.owner;
    position = at.index;
  }
  if (!ValidateInfoLocked(target, *lpmi)) return FALSE;
  MenuItem fresh;
  ApplyInfo(fresh, *lpmi);
  InsertItemLocked(*menu, position, std::move(fresh));
  return TRUE;
}

BOOL SetMenuItemInfoW(HMENU hmenu, UINT item, BOOL fByPositon, LPCMENUITEMINFOW lpmii) {
  if (!InfoUsable(lpmii, lpmii ? lpmii->cbSize : 0)) return FALSE;
  std::lock_guard<std::mutex> lock(MenuLock());
  ItemRef at;
  if (!FindForInfoLocked(hmenu, item, fByPositon, &at)) return FALSE;
  if (!ValidateInfoLocked(at.menu, *lpmii)) return FALSE;
  ApplyInfo(*at.item(), *lpmii);
  return TRUE;
}

BOOL GetMenuItemInfoW(HMENU hmenu, UINT item, BOOL fByPosition, LPMENUITEMINFOW lpmii) {
  if (!InfoUsable(lpmii, lpmii ? lpmii->cbSize : 0)) return FALSE;
  std::lock_guard<std::mutex> lock(MenuLock());
  ItemRef at;
  if (!FindForInfoLocked(hmenu, item, fByPosition, &at)) return FALSE;
  ReadInfo(*at.item(), lpmii);
  return TRUE;
}
