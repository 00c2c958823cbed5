// Scene "common-button": the icon-only skinned button in its three sizes (rows) and seven
// looks (columns: disabled, normal, hot, pushed, focused, focused and hot, focused and
// pushed), each with the OK icon.
#include "apps/gallery/scenes/picture_skin.h"
#include "apps/gallery/scenes/scene_support.h"

#include "resources/theme/theme_ids.h"
#include "skin/QuorCommonButton.h"
#include "skin/QuorWindowImpl.h"

#include <array>

namespace talix::gallery {
namespace {

// A common button held in one look, for the picture.
class StillButton : public CQuorCommonButtonCtrl {
 public:
  void Hold(ECommonButtonState look) {
    const bool focused = look >= COMMON_BUTTON_FOCUSED;
    const bool pushed = look == COMMON_BUTTON_PUSHED || look == COMMON_BUTTON_FOCUSED_PUSHED;
    m_lStateFlags = (focused ? BST_FOCUS : 0) | (pushed ? BST_PUSHED : 0);
    m_bHot = look == COMMON_BUTTON_HOT || look == COMMON_BUTTON_FOCUSED_HOT || pushed;
    EnableWindow(m_hWnd, look != COMMON_BUTTON_DISABLED);
  }
  // Gives the pictures back once the window has gone.
  void DropSkin() {
    delete m_pSkin;
    m_pSkin = nullptr;
  }
};

constexpr int kColumn = 80;
constexpr std::array<int, 3> kRowTop = {24, 92, 172};

class CommonButtonScene : public Scene {
 public:
  const char* Name() const override { return "common-button"; }

  HWND Create(const Variant& variant) override {
    panelSkin_.Load();
    RECT main = ScaledRect(0, 0, 16 + kCommonButtonStateCount * kColumn, 256);
    if (!panel_.Create(PanelClass(), nullptr, main, u"Common button", 0, WS_POPUP,
                       LayoutExStyle(variant), nullptr))
      return nullptr;
    panel_.SetSkin(&panelSkin_);
    for (int size = 0; size < 3; ++size)
      for (int look = 0; look < kCommonButtonStateCount; ++look)
        AddButton(buttons_[size * kCommonButtonStateCount + look], ECommonButtonSize(size),
                  ECommonButtonState(look), kRowTop[size]);
    return panel_.m_hWnd;
  }

  void Release() override {
    for (auto& button : buttons_) button.DropSkin();
    panelSkin_.Unload();
  }

 private:
  void AddButton(StillButton& button, ECommonButtonSize size, ECommonButtonState look, int top) {
    RECT rect = ScaledRect(16 + look * kColumn, top, 1, 1);
    if (!button.Create(panel_.m_hWnd, rect, 100 + look, WS_CHILD | WS_VISIBLE, 0, size)) return;
    button.SetButtonIcon(IDB_ICON_OK, IDB_ICON_OK_DISABLED);
    button.Hold(look);
  }

  PictureSkin panelSkin_{PictureSkinDef{0, IDS_COLOR_ITEM_BACKGROUND, 0, false}};
  CQuorWindowImpl<PictureSkin> panel_;
  std::array<StillButton, 3 * kCommonButtonStateCount> buttons_;
};

}  // namespace

std::unique_ptr<Scene> MakeCommonButtonScene() { return std::make_unique<CommonButtonScene>(); }

}  // namespace talix::gallery
