// Scene "push-button": skinned push buttons in every state, in two looks - three theme
// pieces (left, tiled middle, right) with a caption, and an icon beside a caption over
// the parent's picture. Columns: normal, hot, pressed, disabled, checked, focused (the
// focus in the second row only).
#include "apps/gallery/scenes/picture_skin.h"
#include "apps/gallery/scenes/scene_support.h"

#include "controls/QuorButtonCtrl.h"
#include "resources/theme/theme_ids.h"
#include "skin/QuorWindowImpl.h"

#include <array>
#include <memory>
#include <vector>

namespace talix::gallery {
namespace {

constexpr COLORREF kCaption = RGB(225, 225, 225);
constexpr COLORREF kHotCaption = RGB(255, 255, 255);
constexpr COLORREF kDisabledCaption = RGB(120, 120, 120);

CQuorButtonStateSkinDef Pieces(UINT left, UINT middle, UINT right, COLORREF text, int offset) {
  CQuorButtonStateSkinDef def{};
  def.m_nImagePos = IMAGEPOS_NONE;
  def.m_nOffsetX = offset;
  def.m_nOffsetY = offset;
  def.m_nLeftID = left;
  def.m_nMiddleID = middle;
  def.m_nRightID = right;
  def.m_crText = text;
  return def;
}

CQuorButtonSkinDef PiecesLook() {
  return {Pieces(IDB_COMBO_NORMAL_LEFT, IDB_COMBO_NORMAL_MIDDLE, IDB_COMBO_NORMAL_RIGHT,
                 kCaption, 0),
          Pieces(IDB_COMBO_PRESSED_LEFT, IDB_COMBO_PRESSED_MIDDLE, IDB_COMBO_PRESSED_RIGHT,
                 kHotCaption, 1),
          Pieces(IDB_COMBO_HOT_LEFT, IDB_COMBO_HOT_MIDDLE, IDB_COMBO_HOT_RIGHT, kHotCaption, 0),
          Pieces(IDB_COMBO_STATE3_LEFT, IDB_COMBO_STATE3_MIDDLE, IDB_COMBO_STATE3_RIGHT,
                 kDisabledCaption, 0)};
}

CQuorButtonSkinDef IconLook() {
  CQuorButtonSkinDef def = CQuorButtonSkin::GetDefaultSkinDef();
  const COLORREF colors[4] = {kCaption, kHotCaption, kHotCaption, kDisabledCaption};
  CQuorButtonStateSkinDef* states[4] = {&def.m_Normal, &def.m_Pressed, &def.m_Hot,
                                        &def.m_Disabled};
  for (int i = 0; i < 4; ++i) {
    states[i]->m_nImagePos = IMAGEPOS_LEFT;
    states[i]->m_nImageID = i == 3 ? IDB_ICON_OK_DISABLED : IDB_ICON_OK;
    states[i]->m_crText = colors[i];
  }
  return def;
}

enum Column { kNormal, kHot, kPressed, kDisabled, kChecked, kFocused, kColumns };
constexpr const WCHAR* kCaptions[kColumns] = {u"Normal", u"Hot", u"Pressed",
                                              u"Disabled", u"Checked", u"Focused"};

class PushButtonScene : public Scene {
 public:
  const char* Name() const override { return "push-button"; }

  HWND Create(const Variant& variant) override {
    pieces_.SetSkinDef(PiecesLook());
    icons_.SetSkinDef(IconLook());
    for (CQuorButtonSkin* skin : {&pieces_, &icons_}) skin->Load();
    background_.Load();
    RECT main = ScaledRect(0, 0, 740, 120);
    if (!main_.Create(PanelClass(), nullptr, main, u"Push buttons", 0, WS_POPUP,
                      LayoutExStyle(variant), nullptr))
      return nullptr;
    main_.SetSkin(&background_);
    // One window holds the focus: only the second row shows the focused state.
    AddRow(&pieces_, 0, 16, 29, kFocused);
    AddRow(&icons_, 1, 64, 40, kColumns);
    return main_.m_hWnd;
  }

  void Release() override {
    buttons_.clear();
    pieces_.Unload();
    icons_.Unload();
    background_.Unload();
  }

 private:
  // Control ids differ between rows: the parent hands owner-draw requests on by id.
  void AddRow(CQuorButtonSkin* skin, int row, int y, int height, int columns) {
    for (int column = 0; column < columns; ++column) {
      auto button = std::make_unique<CQuorButtonCtrl>();
      button->SetSkin(skin);
      RECT rect = ScaledRect(12 + column * 120, y, 110, height);
      const DWORD type = column == kChecked ? BS_AUTOCHECKBOX : BS_PUSHBUTTON;
      HWND hwnd = button->Create(main_.m_hWnd, rect, 100 + 10 * row + column,
                                   WS_CHILD | WS_VISIBLE | type, 0);
      if (!hwnd) continue;
      SetWindowTextW(hwnd, kCaptions[column]);
      ForceState(hwnd, Column(column));
      buttons_.push_back(std::move(button));
    }
  }

  // Each state through the button's own messages.
  static void ForceState(HWND hwnd, Column column) {
    switch (column) {
      case kHot: SendMessageW(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5)); break;
      case kPressed: SendMessageW(hwnd, BM_SETSTATE, TRUE, 0); break;
      case kDisabled: EnableWindow(hwnd, FALSE); break;
      case kChecked: SendMessageW(hwnd, BM_SETCHECK, BST_CHECKED, 0); break;
      case kFocused: SetFocus(hwnd); break;
      default: break;
    }
  }

  CQuorButtonSkin pieces_;
  CQuorButtonSkin icons_;
  PictureSkin background_{PictureSkinDef{0, IDS_COLOR_ITEM_BACKGROUND, 0, false}};
  CQuorWindowImpl<PictureSkin> main_;
  std::vector<std::unique_ptr<CQuorButtonCtrl>> buttons_;
};

}  // namespace

std::unique_ptr<Scene> MakePushButtonScene() { return std::make_unique<PushButtonScene>(); }

}  // namespace talix::gallery
