// Helpers of the popup menu and menu bar tests: an owner window that records the menu
// notifications it gets, a script of steps run one per idle of the menu loop, and
// helpers to find the open popup windows and item positions.
#pragma once

#include "menu_test_support.h"

#include <cstdlib>
#include <functional>

namespace talix::testing {

inline const bool kMenuPrivateFonts = [] {
  setenv("FONTCONFIG_FILE", TALIX_SOURCE_DIR "/tests/platform/text/data/fonts.conf", 1);
  return true;
}();

struct Note {
  UINT msg;
  WPARAM wParam;
  LPARAM lParam;
  bool operator==(const Note& o) const {
    return msg == o.msg && wParam == o.wParam && lParam == o.lParam;
  }
};

inline void PrintTo(const Note& n, std::ostream* os) {
  *os << "{0x" << std::hex << n.msg << ", 0x" << n.wParam << ", 0x" << n.lParam << std::dec << "}";
}

// What the owner does and has seen; reset by each test.
struct OwnerScript {
  std::vector<Note> notes;
  LRESULT menuCharAnswer = 0;
  std::function<void(MEASUREITEMSTRUCT*)> measure;
  std::function<void(const DRAWITEMSTRUCT*)> draw;
};

inline OwnerScript& Owner() {
  static OwnerScript script;
  return script;
}

inline bool Recorded(UINT msg) {
  switch (msg) {
    case WM_ENTERMENULOOP: case WM_EXITMENULOOP: case WM_INITMENU: case WM_INITMENUPOPUP:
    case WM_UNINITMENUPOPUP: case WM_MENUSELECT: case WM_COMMAND: case WM_SYSCOMMAND:
    case WM_MENUCHAR: case WM_MENUCOMMAND: case WM_LBUTTONDOWN: case WM_MENURBUTTONUP:
      return true;
    default:
      return false;
  }
}

inline LRESULT CALLBACK MenuOwnerProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (Recorded(msg)) Owner().notes.push_back(Note{msg, wParam, lParam});
  switch (msg) {
    case WM_MENUCHAR: return Owner().menuCharAnswer;
    case WM_MEASUREITEM:
      if (Owner().measure) Owner().measure(reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
      return TRUE;
    case WM_DRAWITEM:
      if (Owner().draw) Owner().draw(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      return TRUE;
    case WM_COMMAND: return 0;
    default: return DefWindowProcW(hwnd, msg, wParam, lParam);
  }
}

class PopupTest : public MenuTest {
 protected:
  static constexpr const char16_t* kOwnerClass = u"TalixMenuOwner";

  void SetUp() override {
    MenuTest::SetUp();
    host::UseVirtualClock(true);
    host::ResetInput();
    host::ResetModalScript();
    Owner() = OwnerScript{};
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = MenuOwnerProc;
    wc.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
    wc.lpszClassName = kOwnerClass;
    ASSERT_NE(RegisterClassExW(&wc), 0);
    menuBar_ = MakeMenuBar();
    owner_ = CreateWindowExW(0, kOwnerClass, u"owner", WS_OVERLAPPEDWINDOW, 100, 100, 400, 300,
                             nullptr, menuBar_, nullptr, nullptr);
    ASSERT_NE(owner_, nullptr);
    ShowWindow(owner_, SW_SHOW);
    UpdateWindow(owner_);
    host::PumpMessagesUntilIdle();
    Owner().notes.clear();
  }

  void TearDown() override {
    DestroyWindow(owner_);
    host::PumpMessagesUntilIdle();
    EXPECT_TRUE(UnregisterClassW(kOwnerClass, nullptr));
    host::ResetModalScript();
    host::ResetInput();
    EXPECT_EQ(host::LiveWindowCount(), 0u) << "windows leaked";
    MenuTest::TearDown();
  }

  // Runs one step at each idle of the menu loop; past the last step the menu is ended
  // and the test fails, so a script that does not end its menu cannot hang.
  static void Script(std::vector<std::function<void()>> steps) {
    host::SetModalIdleCallback([steps](const host::ModalIdle& idle) {
      if (idle.kind != host::ModalLoopKind::PopupMenu) return;
      if (idle.idleCount <= steps.size()) {
        steps[idle.idleCount - 1]();
      } else {
        ADD_FAILURE() << "the menu outlived its script";
        EndMenu();
      }
    });
  }

  // The visible popup menu windows, outermost first.
  static std::vector<HWND> Popups() {
    std::vector<HWND> found;
    for (HWND w = FindWindowW(u"#32768", nullptr); w; w = FindWindowExW(nullptr, w, u"#32768", nullptr))
      if (IsWindowVisible(w)) found.push_back(w);
    // FindWindowEx walks the z-order top down: the deepest popup comes first.
    return std::vector<HWND>(found.rbegin(), found.rend());
  }

  POINT ItemCentre(HMENU menu, UINT position) const {
    RECT r{};
    EXPECT_TRUE(GetMenuItemRect(owner_, menu, position, &r));
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  }

  // Notes of one message kind, in order.
  static std::vector<Note> NotesOf(UINT msg) {
    std::vector<Note> out;
    for (const Note& n : Owner().notes)
      if (n.msg == msg) out.push_back(n);
    return out;
  }

  static std::vector<UINT> Kinds() {
    std::vector<UINT> out;
    for (const Note& n : Owner().notes) out.push_back(n.msg);
    return out;
  }

  // The owner's menu bar (none by default); made after the leak counts are taken.
  virtual HMENU MakeMenuBar() { return nullptr; }

  HWND owner_ = nullptr;
  HMENU menuBar_ = nullptr;
};

// A popup with items given as (flags, id, text); MF_POPUP items take a submenu made by
// the nested list.
struct ItemPlan {
  UINT flags;
  UINT_PTR id;
  const char16_t* text;
  std::vector<ItemPlan> sub = {};
};

inline HMENU BuildMenu(const std::vector<ItemPlan>& items, bool popup = true) {
  HMENU menu = popup ? CreatePopupMenu() : CreateMenu();
  for (const ItemPlan& item : items) {
    UINT_PTR id = item.id;
    if (item.flags & MF_POPUP) id = reinterpret_cast<UINT_PTR>(BuildMenu(item.sub));
    EXPECT_TRUE(AppendMenuW(menu, item.flags, id, item.text));
  }
  return menu;
}

}  // namespace talix::testing
