// Scene "tab": skinned tab controls in their states - a single row with the selected tab
// in the middle and the keyboard focus on it, two rows (the selected row against the
// panel, the other row drawn taller behind it) with a page showing the panel through it,
// and a control without a selection - on a skinned main window.
#include "apps/gallery/scenes/picture_skin.h"
#include "apps/gallery/scenes/scene_support.h"

#include "controls/QuorTabCtrl.h"
#include "frame/QuorLib.h"
#include "resources/theme/theme_ids.h"
#include "skin/QuorWindowImpl.h"

#include <array>
#include <initializer_list>

namespace talix::gallery {
namespace {

// The theme's tab pieces in the tab skin's order.
CQuorTabSkinDef ThemeTabDef(HFONT font, HFONT selectedFont) {
  CQuorTabSkinDef def{};
  for (int i = 0; i < QUOR_TAB_BITMAPS; ++i) def.m_nBitmapIDs[i] = IDB_TAB_BLANK + UINT(i);
  def.m_crText = RGB(190, 190, 200);
  def.m_hFont = font;
  def.m_crSelectedText = RGB(255, 255, 255);
  def.m_hSelectedFont = selectedFont;
  return def;
}

HFONT SceneFont(int weight) {
  const int height = -int(12 * CQuorLib::GetScaleY() + 0.5);
  return CreateFontW(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH,
                     u"Liberation Sans");
}

class TabScene : public Scene {
 public:
  const char* Name() const override { return "tab"; }

  HWND Create(const Variant& variant) override {
    font_ = SceneFont(FW_NORMAL);
    boldFont_ = SceneFont(FW_BOLD);
    skin_.SetSkinDef(ThemeTabDef(font_, boldFont_));
    skin_.Load();
    background_.Load();
    pageSkin_.Load();
    RECT main = ScaledRect(0, 0, 520, 330);
    if (!main_.Create(PanelClass(), nullptr, main, u"Tabs", 0, WS_POPUP, LayoutExStyle(variant),
                      nullptr))
      return nullptr;
    main_.SetSkin(&background_);
    AddTabs(tabs_[0], ScaledRect(16, 16, 488, 120), 0, {u"General", u"Pictures", u"Sound",
                                                        u"Advanced"}, 1);
    AddTabs(tabs_[1], ScaledRect(16, 150, 300, 164), TCS_MULTILINE | WS_CLIPCHILDREN,
            {u"Mail", u"Calendar", u"Contacts", u"Tasks", u"Notes"}, 4);
    AddTabs(tabs_[2], ScaledRect(332, 150, 172, 164), 0, {u"Left", u"Right"}, -1);
    RECT page = ScaledRect(20, 70, 120, 60);
    page_.Create(PanelClass(), tabs_[1].m_hWnd, page, u"", 0, WS_CHILD | WS_VISIBLE, 0, nullptr);
    page_.SetSkin(&pageSkin_);
    SetFocus(tabs_[0].m_hWnd);
    return main_.m_hWnd;
  }

  void Release() override {
    skin_.Unload();
    background_.Unload();
    pageSkin_.Unload();
    DeleteObject(font_);
    DeleteObject(boldFont_);
  }

 private:
  void AddTabs(CQuorTabCtrl& tabs, RECT rect, DWORD style,
               std::initializer_list<const char16_t*> texts, int selected) {
    tabs.SetSkin(&skin_);
    if (!tabs.Create(main_.m_hWnd, rect, 0, WS_CHILD | WS_VISIBLE | style, 0)) return;
    tabs.SetItemSize(SIZE{0, ScaledRect(0, 0, 0, 24).bottom});
    tabs.SetMinTabWidth(ScaledRect(0, 0, 70, 0).right);
    SendMessageW(tabs.m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(boldFont_), FALSE);
    int index = 0;
    for (const char16_t* text : texts) {
      TCITEMW item{};
      item.mask = TCIF_TEXT;
      item.pszText = const_cast<WCHAR*>(text);
      tabs.InsertItem(index++, &item);
    }
    tabs.SetCurSel(selected);
  }

  HFONT font_ = nullptr, boldFont_ = nullptr;
  CQuorTabSkin skin_;
  PictureSkin background_{PictureSkinDef{0, IDS_COLOR_ITEM_BACKGROUND, 0, false}};
  PictureSkin pageSkin_{PictureSkinDef{IDB_ICON_OK, 0, 8, false}};
  CQuorWindowImpl<PictureSkin> main_;
  CQuorWindowImpl<PictureSkin> page_;
  std::array<CQuorTabCtrl, 3> tabs_;
};

}  // namespace

std::unique_ptr<Scene> MakeTabScene() { return std::make_unique<TabScene>(); }

}  // namespace talix::gallery
