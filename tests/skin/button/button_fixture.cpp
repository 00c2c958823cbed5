#include "button_fixture.h"

#include "frame/LibraryExports.h"
#include "frame/QuorLib.h"
#include "frame/QuorResourceManager.h"

#include <filesystem>

namespace buttontest {

HINSTANCE ButtonTest::theme_ = nullptr;
std::vector<Notification>* ButtonTest::received_ = nullptr;

namespace {
const WCHAR kParentClass[] = u"TalixButtonTestParent";
}

void ButtonTest::SetUpTestSuite() {
  if (theme_) return;
  const auto bin = std::filesystem::read_symlink("/proc/self/exe").parent_path();
  ASSERT_EQ(talix::host::LoadRegistryFile((bin / "demo.reg").string()), "");
  theme_ = TALIX_GetCommonSKX();
  ASSERT_TRUE(theme_) << "the theme module was not found beside the library";
  CQuorLib::Init(GetModuleHandleW(nullptr), theme_);
}

LRESULT CALLBACK ButtonTest::ParentProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_COMMAND && received_) received_->push_back({wParam, lParam});
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

void ButtonTest::SetUp() {
  ASSERT_TRUE(theme_);
  talix::testing::MakeSharedSystemObjects();
  talix::host::ResetInput();
  // Away from where the buttons go, so that the first move over one is a move.
  talix::host::MouseMove(0, 0);
  CQuorLib::SetResourceInstance(theme_);
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = ParentProc;
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  wc.lpszClassName = kParentClass;
  ASSERT_NE(RegisterClassExW(&wc), 0);
  counts_ = talix::testing::LiveCounts::Now();
  received_ = &notifications_;
  parent_ = CreateWindowExW(0, kParentClass, u"", WS_POPUP | WS_VISIBLE, 100, 100, 400, 300,
                            nullptr, nullptr, nullptr, nullptr);
  ASSERT_TRUE(parent_);
  SetActiveWindow(parent_);
  Settle();
}

void ButtonTest::TearDown() {
  buttons_.clear();
  if (parent_) DestroyWindow(parent_);
  Settle();
  received_ = nullptr;
  talix::host::ResetInput();
  UnregisterClassW(kParentClass, nullptr);
  counts_.ExpectUnchanged();
}

ProbeButton& ButtonTest::AddButton(UINT id, DWORD type, int x, int y, ECommonButtonSize size,
                                   DWORD extraStyle) {
  buttons_.push_back(std::make_unique<ProbeButton>());
  RECT rect{x, y, x + 10, y + 10};
  EXPECT_TRUE(buttons_.back()->Create(parent_, rect, id,
                                      WS_CHILD | WS_VISIBLE | WS_TABSTOP | type | extraStyle,
                                      0, size));
  return *buttons_.back();
}

POINT ButtonTest::Centre(HWND hwnd) {
  RECT rect{};
  GetWindowRect(hwnd, &rect);
  return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

POINT ButtonTest::Outside() const {
  RECT rect{};
  GetWindowRect(parent_, &rect);
  return POINT{rect.right - 5, rect.bottom - 5};
}

std::vector<Notification> ButtonTest::TakeNotifications() {
  std::vector<Notification> taken;
  taken.swap(notifications_);
  return taken;
}

}  // namespace buttontest
