// The subclass procedure that relays a tool window's mouse input to its tooltips.
#include "platform/comctl/tooltip/tool_subclass.h"

#include "platform/comctl/tooltip/tooltip.h"

#include <win/commctrl.h>

#include <algorithm>
#include <vector>

namespace talix::comctl::tooltip {
namespace {

constexpr const char16_t* kRecordProperty = u"TalixTooltipSubclass";

struct SubclassRecord {
  WNDPROC previous = nullptr;
  std::vector<HWND> tooltips;
};

SubclassRecord* RecordOf(HWND window) {
  return static_cast<SubclassRecord*>(GetPropW(window, kRecordProperty));
}

bool IsMouseInput(UINT msg) {
  return (msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST) ||
         (msg >= WM_NCMOUSEMOVE && msg <= WM_NCMBUTTONDBLCLK) || msg == WM_MOUSELEAVE ||
         msg == WM_NCMOUSELEAVE;
}

LRESULT CALLBACK RelayProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// Takes the record off the window, puts the replaced procedure back when ours is still
// the window's, and frees the record.
void Unhook(HWND window, SubclassRecord* record) {
  RemovePropW(window, kRecordProperty);
  if (reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC)) == RelayProc)
    SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(record->previous));
  delete record;
}

void Relay(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, std::vector<HWND> tooltips) {
  DWORD pos = GetMessagePos();
  MSG relayed{hwnd, msg, wParam, lParam, static_cast<DWORD>(GetMessageTime()),
              POINT{static_cast<short>(LOWORD(pos)), static_cast<short>(HIWORD(pos))}};
  for (HWND tooltip : tooltips)
    if (IsWindow(tooltip)) SendMessageW(tooltip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
}

LRESULT CALLBACK RelayProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  SubclassRecord* record = RecordOf(hwnd);
  if (!record) return DefWindowProcW(hwnd, msg, wParam, lParam);
  // A tooltip answering the relay may drop its tools and free the record: keep what is
  // needed after it.
  WNDPROC previous = record->previous;
  if (IsMouseInput(msg) && !record->tooltips.empty()) Relay(hwnd, msg, wParam, lParam, record->tooltips);
  if (msg == WM_DESTROY) {
    std::vector<HWND> tooltips = record->tooltips;
    for (HWND tooltip : tooltips) ForgetToolWindow(tooltip, hwnd);
  }
  if (msg == WM_NCDESTROY) {
    if (SubclassRecord* last = RecordOf(hwnd)) Unhook(hwnd, last);
  }
  return CallWindowProcW(previous, hwnd, msg, wParam, lParam);
}

}  // namespace

bool WatchToolWindow(HWND window, HWND tooltip) {
  if (!IsWindow(window)) return false;
  SubclassRecord* record = RecordOf(window);
  if (!record) {
    record = new SubclassRecord;
    if (!SetPropW(window, kRecordProperty, record)) {
      delete record;
      return false;
    }
    record->previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RelayProc)));
  }
  auto& list = record->tooltips;
  if (std::find(list.begin(), list.end(), tooltip) == list.end()) list.push_back(tooltip);
  return true;
}

void UnwatchToolWindow(HWND window, HWND tooltip) {
  SubclassRecord* record = IsWindow(window) ? RecordOf(window) : nullptr;
  if (!record) return;
  auto& list = record->tooltips;
  list.erase(std::remove(list.begin(), list.end(), tooltip), list.end());
  // A subclass put in front of ours since keeps calling ours: leave the record in place.
  if (list.empty() &&
      reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC)) == RelayProc)
    Unhook(window, record);
}

}  // namespace talix::comctl::tooltip
