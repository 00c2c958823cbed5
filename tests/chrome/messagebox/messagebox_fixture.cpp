#include "messagebox_fixture.h"

#include "frame/QuorLib.h"
#include "frame/QuorResourceManager.h"
#include "tests/controls/button/pieces_skin.h"

#include <filesystem>

namespace msgboxtest {
namespace {

// The module of a built language: bin/Lang/TALIX_<code>.wdp beside the test executable.
std::u16string LanguagePath(const char* code) {
  const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe");
  const std::string host = (exe.parent_path() / "Lang" / ("TALIX_" + std::string(code) + ".wdp")).string();
  std::u16string path = u"Z:";
  for (char c : host) path += c == '/' ? u'\\' : char16_t(c);
  return path;
}

int ButtonIdOf(Answer answer) {
  switch (answer) {
    case Answer::ClickOk: return IDOK;
    case Answer::ClickCancel: return IDCANCEL;
    case Answer::ClickYes: return IDYES;
    case Answer::ClickNo: return IDNO;
    default: return 0;
  }
}

std::u16string WindowText(HWND hwnd) {
  WCHAR buffer[512] = {};
  GetWindowTextW(hwnd, buffer, 512);
  return buffer;
}

void Record(HWND dialog, Snapshot* shot) {
  shot->opened = true;
  shot->dialog = dialog;
  GetWindowRect(dialog, &shot->window);
  GetClientRect(dialog, &shot->client);
  for (int id : {IDOK, IDCANCEL, IDYES, IDNO}) {
    HWND button = GetDlgItem(dialog, id);
    if (!button) continue;
    RECT r{};
    GetWindowRect(button, &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    shot->buttons[id] = r;
    shot->captions[id] = WindowText(button);
  }
  if (HWND text = GetDlgItem(dialog, 0)) {
    GetWindowRect(text, &shot->text);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&shot->text), 2);
    shot->textValue = WindowText(text);
    shot->textExStyle = GetWindowLongW(text, GWL_EXSTYLE);
  }
  shot->title = WindowText(dialog);
  shot->defId = SendMessageW(dialog, DM_GETDEFID, 0, 0);
  shot->exStyle = GetWindowLongW(dialog, GWL_EXSTYLE);
  talix::host::CaptureWindow(dialog, &shot->image);

  POINT origin{0, 0};
  ClientToScreen(dialog, &origin);
  // A mirrored client's (0, 0) is its rightmost column on the screen.
  if (shot->exStyle & WS_EX_LAYOUTRTL) origin.x += 1 - Width(shot->client);
  shot->clientInImage = POINT{origin.x - shot->window.left, origin.y - shot->window.top};
}

void Respond(HWND dialog, Answer answer) {
  switch (answer) {
    case Answer::Escape: talix::host::KeyPress(VK_ESCAPE); return;
    case Answer::Enter: talix::host::KeyPress(VK_RETURN); return;
    case Answer::CloseBox: PostMessageW(dialog, WM_CLOSE, 0, 0); return;
    default: break;
  }
  HWND button = GetDlgItem(dialog, ButtonIdOf(answer));
  RECT r{};
  if (!button || !GetWindowRect(button, &r)) {
    EndDialog(dialog, -2);  // no such button: end with a value no box gives
    return;
  }
  talix::host::Click((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

}  // namespace

void MessageBoxTest::SetUp() {
  talix::testing::MakeSharedSystemObjects();
  CQuorLib::m_dwLayout = 0;
  CQuorLib::SetResourceInstance(GetModuleHandleW(nullptr));
  CQuorMessageBox::ResetConfiguration();
  talix::host::UseVirtualClock(true);
  talix::host::ResetInput();
  talix::host::ResetModalScript();
  talix::host::MouseMove(1270, 1000);
  talix::host::PumpMessagesUntilIdle();
  counts_ = talix::testing::LiveCounts::Now();

  buttonSkin_.SetSkinDef(PiecesSkin());
  buttonSkin_.Load();
  // One flat colour (the yellow of the image picture), so that the icon and the text
  // stand out wherever the box puts them.
  backgroundSkin_.SetSkinDef(CQuorStaticBitmapSkinDef{IDP_IMAGE, TRUE});
  backgroundSkin_.Load();
}

void MessageBoxTest::TearDown() {
  talix::host::ResetModalScript();
  talix::host::PumpMessagesUntilIdle();
  CQuorMessageBox::ResetConfiguration();
  buttonSkin_.Unload();
  backgroundSkin_.Unload();
  for (auto& [code, module] : languages_) FreeLibrary(module);
  CQuorLib::m_dwLayout = 0;
  talix::host::UseVirtualClock(false);
  counts_.ExpectUnchanged();
}

HINSTANCE MessageBoxTest::Language(const char* code) {
  HINSTANCE& module = languages_[code];
  if (!module) module = LoadLibraryExW(LanguagePath(code).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  EXPECT_TRUE(module) << "language module " << code << " not built";
  return module;
}

void MessageBoxTest::GiveSkins(bool button, bool background) {
  if (button) CQuorMessageBox::SetButtonSkin(&buttonSkin_);
  if (background) CQuorMessageBox::SetBackgroundSkin(&backgroundSkin_);
  CQuorMessageBox::SetButtonCaptions(Language("eng"), IDS_LANG_OK, IDS_LANG_CANCEL,
                                     IDS_LANG_YES, IDS_LANG_NO);
}

int MessageBoxTest::Run(const char16_t* text, const char16_t* caption, UINT type,
                        msgboxtest::Answer answer, Snapshot* snapshot, HWND owner) {
  Snapshot local;
  Snapshot* shot = snapshot ? snapshot : &local;
  talix::host::SetModalIdleCallback([&](const talix::host::ModalIdle& idle) {
    if (idle.idleCount == 1) {
      Record(idle.window, shot);
      Respond(idle.window, answer);
    } else {
      EndDialog(idle.window, -3);  // the answer was taken in and did not end the box
    }
  });
  const int result = CQuorMessageBox::Show(owner, text, caption, type);
  talix::host::SetModalIdleCallback({});
  return result;
}

SIZE MessageTextExtent(const char16_t* text, int wrapAt) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = 500;
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, 500, &metrics, 0);
  HFONT font = CreateFontIndirectW(&metrics.lfMessageFont);
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font);
  RECT r{0, 0, wrapAt, 0};
  DrawTextW(dc, text, -1, &r, DT_CALCRECT | (wrapAt > 0 ? DT_WORDBREAK : 0));
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  DeleteObject(font);
  return SIZE{Width(r), Height(r)};
}

int CaptionTextWidth(const char16_t* text) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = 500;
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, 500, &metrics, 0);
  HFONT font = CreateFontIndirectW(&metrics.lfCaptionFont);
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font);
  RECT r{};
  DrawTextW(dc, text, -1, &r, DT_CALCRECT);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  DeleteObject(font);
  return Width(r);
}

}  // namespace msgboxtest
