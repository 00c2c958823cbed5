// The box's dialog template: the head, the font and the four button items, byte for byte.
#include "chrome/QuorMessageBox.h"
#include "frame/QuorLib.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

struct Template {
  std::vector<BYTE> bytes = std::vector<BYTE>(CQuorMessageBox::kTemplateBytes, 0);
  WORD Word(size_t offset) const {
    WORD w;
    std::memcpy(&w, &bytes[offset], sizeof(w));
    return w;
  }
  DWORD Dword(size_t offset) const {
    DWORD d;
    std::memcpy(&d, &bytes[offset], sizeof(d));
    return d;
  }
};

Template Build(DWORD layout) {
  CQuorLib::m_dwLayout = layout;
  Template t;
  CQuorMessageBox::CreateDialogTemplate(t.bytes.data());
  CQuorLib::m_dwLayout = 0;
  return t;
}

TEST(MessageBoxTemplate, HeadAndFont) {
  const Template t = Build(0);
  EXPECT_EQ(t.Dword(0), 0x80C800C0u);  // popup, caption, system menu, modal frame, font
  EXPECT_EQ(t.Dword(4), 0u);
  EXPECT_EQ(t.Word(8), 4);              // items
  const short frame[] = {0, 0, 188, 62};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(short(t.Word(10 + 2 * i)), frame[i]) << i;
  for (size_t at : {18, 20, 22}) EXPECT_EQ(t.Word(at), 0) << "menu, class, title";
  EXPECT_EQ(t.Word(24), 8);             // points
  const char16_t face[] = u"Ms Sans Serif";
  for (size_t i = 0; i < std::size(face); ++i) EXPECT_EQ(t.Word(26 + 2 * i), face[i]) << i;
}

TEST(MessageBoxTemplate, RightToLeftLayoutMarksTheDialog) {
  EXPECT_EQ(Build(1).Dword(4), DWORD(WS_EX_LAYOUTRTL | WS_EX_RTLREADING));
  EXPECT_EQ(Build(2).Dword(4), 0u) << "only layout 1 is right to left";
}

TEST(MessageBoxTemplate, ButtonItemsAreDwordAlignedRecords) {
  const Template t = Build(0);
  struct Item { short x, y, cx, cy; WORD id; };
  const Item items[] = {{4, 44, 57, 14, IDOK}, {122, 44, 57, 14, IDYES},
                        {179, 44, 57, 14, IDNO}, {65, 44, 57, 14, IDCANCEL}};
  size_t at = 56;  // the font face ends at byte 54; the first item starts on a DWORD
  for (const Item& item : items) {
    SCOPED_TRACE(item.id);
    EXPECT_EQ(t.Dword(at), 0x50010000u);
    EXPECT_EQ(t.Dword(at + 4), 0u);
    const short place[] = {item.x, item.y, item.cx, item.cy};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(short(t.Word(at + 8 + 2 * i)), place[i]);
    EXPECT_EQ(t.Word(at + 16), item.id);
    EXPECT_EQ(t.Word(at + 18), 0xFFFF);
    EXPECT_EQ(t.Word(at + 20), 0x0080);  // "Button"
    EXPECT_EQ(t.Word(at + 22), 0);       // title
    EXPECT_EQ(t.Word(at + 24), 0);       // creation data
    at += 28;                            // 13 WORDs, then the next DWORD boundary
  }
  for (size_t i = at; i < t.bytes.size(); ++i) ASSERT_EQ(t.bytes[i], 0) << "written past the items at " << i;
}

TEST(MessageBoxTemplate, ItemLengthInWords) {
  alignas(4) WORD item[16] = {};
  EXPECT_EQ(CQuorMessageBox::PutItemToTemplate(item, 1, 2, 3, 4, 5), 13);
  EXPECT_EQ(item[8], 5);
}

}  // namespace
