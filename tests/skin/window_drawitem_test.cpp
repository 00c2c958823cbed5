// Owner-draw requests reaching a skinned window go to the child control that owns the
// item (named by its handle, by its id only when the handle is missing); requests no
// child can take go on to the window's previous procedure.
#include "skin_test_support.h"

namespace skintest {
namespace {

using SkinnedWindow = CQuorWindowImpl<TestSkin>;

struct Received {
  HWND hwnd;
  UINT msg;
  WPARAM wParam;
  LPARAM lParam;
};
std::vector<Received> g_received;

// Records owner-draw messages; children answer 77, the skinned window's previous
// procedure answers 55.
LRESULT CALLBACK RecordingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_DRAWITEM || msg == OCM_DRAWITEM) {
    g_received.push_back({hwnd, msg, wParam, lParam});
    return GetParent(hwnd) ? 77 : 55;
  }
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

class DrawItemTest : public SkinTest {
 protected:
  static constexpr const char16_t* kRecordingClass = u"TalixSkinDrawItem";
  void SetUp() override {
    SkinTest::SetUp();
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = RecordingProc;
    wc.lpszClassName = kRecordingClass;
    ASSERT_NE(RegisterClassExW(&wc), 0);
    g_received.clear();
  }
  void TearDown() override {
    DestroyWindow(top_);
    UnregisterClassW(kRecordingClass, nullptr);
    SkinTest::TearDown();
  }
  void MakeTree() {
    top_ = CreateWindowExW(0, kRecordingClass, u"", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr,
                           nullptr, nullptr);
    ASSERT_TRUE(window_.SubclassWindow(top_));
    // Two children share an id, as skinned dialogs built from code often do.
    for (HWND* child : {&child_, &twin_}) {
      *child = CreateWindowExW(0, kRecordingClass, u"", WS_CHILD, 0, 0, 10, 10, top_,
                               reinterpret_cast<HMENU>(12), nullptr, nullptr);
      ASSERT_TRUE(*child);
    }
  }
  HWND top_ = nullptr;
  HWND child_ = nullptr;
  HWND twin_ = nullptr;
  SkinnedWindow window_;
};

TEST_F(DrawItemTest, RequestsGoToTheOwnerOrOnToThePreviousProcedure) {
  MakeTree();
  DRAWITEMSTRUCT button{ODT_BUTTON, 12, 0, ODA_DRAWENTIRE, 0, child_, nullptr, {0, 0, 10, 10}, 0};
  DRAWITEMSTRUCT twin = button;
  twin.hwndItem = twin_;
  DRAWITEMSTRUCT byId = button;  // a sender that leaves the handle out
  byId.hwndItem = nullptr;
  DRAWITEMSTRUCT missing = byId;
  missing.CtlID = 13;
  DRAWITEMSTRUCT notAChild = button;
  notAChild.hwndItem = top_;
  DRAWITEMSTRUCT menu{ODT_MENU, 0, 5, ODA_DRAWENTIRE, 0, nullptr, nullptr, {0, 0, 10, 10}, 0};
  struct Case {
    const char* name;
    UINT msg;
    WPARAM id;
    DRAWITEMSTRUCT* item;
    HWND receiver;
    UINT received;
    LRESULT result;
  } const cases[] = {
      {"child control", WM_DRAWITEM, 12, &button, child_, WM_DRAWITEM, 77},
      {"second child with the same id", WM_DRAWITEM, 12, &twin, twin_, WM_DRAWITEM, 77},
      {"reflected", OCM_DRAWITEM, 12, &button, child_, WM_DRAWITEM, 77},
      {"reflected, same id", OCM_DRAWITEM, 12, &twin, twin_, WM_DRAWITEM, 77},
      {"no handle: by id", WM_DRAWITEM, 12, &byId, GetDlgItem(top_, 12), WM_DRAWITEM, 77},
      {"handle of no child", WM_DRAWITEM, 12, &notAChild, top_, WM_DRAWITEM, 55},
      {"no child of that id", WM_DRAWITEM, 13, &missing, top_, WM_DRAWITEM, 55},
      {"menu item", WM_DRAWITEM, 0, &menu, top_, WM_DRAWITEM, 55},
      {"no item record", WM_DRAWITEM, 12, nullptr, top_, WM_DRAWITEM, 55},
      {"reflected, no child", OCM_DRAWITEM, 13, &missing, top_, OCM_DRAWITEM, 55},
  };
  for (const Case& c : cases) {
    g_received.clear();
    LPARAM lParam = reinterpret_cast<LPARAM>(c.item);
    EXPECT_EQ(SendMessageW(top_, c.msg, c.id, lParam), c.result) << c.name;
    ASSERT_EQ(g_received.size(), 1u) << c.name;
    EXPECT_EQ(g_received[0].hwnd, c.receiver) << c.name;
    EXPECT_EQ(g_received[0].msg, c.received) << c.name;
    EXPECT_EQ(g_received[0].wParam, c.id) << c.name;
    EXPECT_EQ(g_received[0].lParam, lParam) << c.name;
  }
}

}  // namespace
}  // namespace skintest
