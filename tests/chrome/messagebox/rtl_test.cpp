// Right-to-left layout: the dialog and its text are marked right to left, the buttons
// keep their order from the reading side, the icon is mirrored and stands at the right,
// and the system box of the fall back reads right to left.
#include "messagebox_fixture.h"

#include "frame/QuorLib.h"

#include <vector>

namespace msgboxtest {
namespace {

// The icon's pixels drawn at (0, 0) of a black 32-bit surface.
std::vector<uint32_t> IconPixels(HICON icon, int size) {
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
  bi.bmiHeader.biWidth = size;
  bi.bmiHeader.biHeight = -size;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, dib);
  DrawIcon(dc, 0, 0, icon);
  const auto* words = static_cast<const uint32_t*>(bits);
  std::vector<uint32_t> pixels(words, words + size * size);
  for (uint32_t& p : pixels) p &= 0xFFFFFF;
  SelectObject(dc, old);
  DeleteDC(dc);
  DeleteObject(dib);
  return pixels;
}

// How many pixels of `a` match `b` (flipped left to right when `mirrored`). Edge pixels
// may differ: a mirrored icon keeps its mask but not its partial transparency.
int Matches(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b, int size,
            bool mirrored) {
  int count = 0;
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x)
      count += Near(a[size_t(y * size + x)], b[size_t(y * size + (mirrored ? size - 1 - x : x))]);
  return count;
}

TEST_F(MessageBoxTest, RightToLeftMarksDialogAndText) {
  GiveSkins();
  CQuorLib::m_dwLayout = 1;
  Snapshot s;
  EXPECT_EQ(Run(u"שלום", u"", MB_YESNO, Answer::ClickNo, &s), IDNO);
  EXPECT_TRUE(s.exStyle & WS_EX_LAYOUTRTL);
  EXPECT_TRUE(s.textExStyle & WS_EX_RTLREADING);
  // Client coordinates run from the right: Yes stays first from the reading side.
  EXPECT_LT(s.buttons[IDYES].left, s.buttons[IDNO].left);
}

TEST_F(MessageBoxTest, RightToLeftMirrorsTheIconAndPutsItRight) {
  GiveSkins();
  CQuorLib::m_dwLayout = 1;
  const int size = GetSystemMetrics(SM_CXICON);
  const struct {
    UINT type;
    LPCWSTR name;
  } icons[] = {{MB_ICONHAND, IDI_HAND}, {MB_ICONQUESTION, IDI_QUESTION},
               {MB_ICONEXCLAMATION, IDI_EXCLAMATION}, {MB_ICONASTERISK, IDI_ASTERISK}};
  for (const auto& icon : icons) {
    SCOPED_TRACE(icon.type);
    std::vector<uint32_t> shown;
    Snapshot s;
    talix::host::SetModalIdleCallback([&](const talix::host::ModalIdle& idle) {
      auto* box = CQuorMessageBox::FromDialog(idle.window);
      if (box && box->m_hIcon) shown = IconPixels(box->m_hIcon, size);
      talix::host::PumpMessagesUntilIdle();
      GetClientRect(idle.window, &s.client);
      GetWindowRect(idle.window, &s.window);
      talix::host::CaptureWindow(idle.window, &s.image);
      POINT origin{0, 0};
      ClientToScreen(idle.window, &origin);
      s.clientInImage = POINT{origin.x + 1 - Width(s.client) - s.window.left, origin.y - s.window.top};
      EndDialog(idle.window, IDOK);
    });
    CQuorMessageBox::Show(nullptr, u"", u"", MB_OK | icon.type);
    talix::host::SetModalIdleCallback({});
    ASSERT_EQ(shown.size(), size_t(size * size));
    const auto plain = IconPixels(LoadIconW(nullptr, icon.name), size);
    const int mirroredMatches = Matches(shown, plain, size, true);
    EXPECT_GT(mirroredMatches, size * size * 85 / 100);
    // The other standard icons are symmetric; the question mark shows the flip.
    if (icon.name == IDI_QUESTION) {
      EXPECT_GT(mirroredMatches, Matches(shown, plain, size, false)) << "not mirrored";
    }
    // On the screen the icon keeps 21 pixels from the right edge of the client.
    int leftHalf = 0, rightBand = 0;
    for (int y = 21; y < 21 + size; ++y)
      for (int x = 0; x < s.client.right; ++x) {
        if (IsBackground(s.image.At(s.clientInImage.x + x, s.clientInImage.y + y))) continue;
        if (x >= s.client.right - 21 - size && x < s.client.right - 21) ++rightBand;
        else ++leftHalf;
      }
    EXPECT_GT(rightBand, 0);
    EXPECT_EQ(leftHalf, 0);
  }
}

TEST_F(MessageBoxTest, FallbackReadsRightToLeftInRightToLeftLayout) {
  for (DWORD layout : {0u, 1u}) {
    SCOPED_TRACE(layout);
    CQuorLib::m_dwLayout = layout;
    LONG exStyle = 0;
    talix::host::PushMessageBoxAnswer(IDOK);
    talix::host::SetModalIdleCallback([&](const talix::host::ModalIdle& idle) {
      exStyle = GetWindowLongW(idle.window, GWL_EXSTYLE);
    });
    EXPECT_EQ(CQuorMessageBox::Show(nullptr, u"System", u"", MB_OK), IDOK);
    talix::host::SetModalIdleCallback({});
    EXPECT_EQ((exStyle & WS_EX_RTLREADING) != 0, layout == 1);
  }
}

}  // namespace
}  // namespace msgboxtest
