// Shared pieces of the message-box tests: skins over the push-button test pictures, the
// built English and Hebrew language modules, a box run whose idle callback records what
// the open box looks like and then answers it, and a check that each test leaves no
// window, GDI object or cached picture behind.
#pragma once

#include "tests/support/live_counts.h"
#include "chrome/QuorMessageBox.h"
#include "resources/lang/lang_msgbox_ids.h"

#include <talix/host.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>

namespace msgboxtest {

// True when 0x00RRGGBB `a` is within 2 per channel of `b`: pictures are blended over
// their target, which may round an opaque pixel by one.
inline bool Near(uint32_t a, uint32_t b) {
  for (int shift : {0, 8, 16}) {
    const int d = int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF);
    if (d > 2 || d < -2) return false;
  }
  return true;
}
// The background skin's colour (the image picture's yellow), as a captured pixel may be.
inline bool IsBackground(uint32_t pixel) { return Near(pixel & 0xFFFFFF, 0xFAFA00); }

// How a running box is answered from the modal loop.
enum class Answer { ClickOk, ClickCancel, ClickYes, ClickNo, Escape, Enter, CloseBox };

// What an open box showed, read at the loop's first idle moment.
struct Snapshot {
  bool opened = false;
  HWND dialog = nullptr;
  RECT window{};            // screen
  RECT client{};
  std::map<int, RECT> buttons;            // shown buttons by id, client coordinates
  std::map<int, std::u16string> captions;  // their window texts
  RECT text{};              // the text control, client coordinates
  std::u16string textValue;
  std::u16string title;
  LRESULT defId = 0;        // DM_GETDEFID's answer
  LONG exStyle = 0;
  LONG textExStyle = 0;
  talix::host::CapturedImage image;  // the whole window
  POINT clientInImage{};             // client (0, 0) in `image`
};

class MessageBoxTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Shows a box, records it at the first idle moment and answers it; returns Show's result.
  int Run(const char16_t* text, const char16_t* caption, UINT type, Answer answer,
          Snapshot* snapshot = nullptr, HWND owner = nullptr);
  // The language module "eng" or "heb" (loaded as data, freed at TearDown).
  HINSTANCE Language(const char* code);
  // The button skin and the background skin handed to CQuorMessageBox.
  void GiveSkins(bool button = true, bool background = true);

  CQuorButtonSkin buttonSkin_;
  CQuorStaticBitmapSkin backgroundSkin_;

 private:
  std::map<std::string, HINSTANCE> languages_;
  talix::testing::LiveCounts counts_;
};

// Width and height of a rectangle.
inline int Width(const RECT& r) { return r.right - r.left; }
inline int Height(const RECT& r) { return r.bottom - r.top; }

// The extent of `text` in the system's message font on the screen DC; `wrapAt` > 0
// wraps at that width.
SIZE MessageTextExtent(const char16_t* text, int wrapAt = 0);
// The width of `text` in the caption font on the screen DC.
int CaptionTextWidth(const char16_t* text);

}  // namespace msgboxtest
