// Scene "window-tree": a skinned main window with nested skinned children. Each level
// draws a theme picture with transparent corners, so every window shows its parent's
// back buffer (and through it its grandparent's) where its own picture is clear.
#include "apps/gallery/scenes/picture_skin.h"
#include "apps/gallery/scenes/scene_support.h"

#include "resources/theme/theme_ids.h"
#include "skin/QuorWindowImpl.h"

#include <array>

namespace talix::gallery {
namespace {

using SkinnedWindow = CQuorWindowImpl<PictureSkin>;

class WindowTreeScene : public Scene {
 public:
  const char* Name() const override { return "window-tree"; }

  HWND Create(const Variant& variant) override {
    for (auto& skin : skins_) skin.Load();
    RECT main = ScaledRect(0, 0, 420, 260);
    if (!main_.Create(PanelClass(), nullptr, main, u"Window tree", 0, WS_POPUP,
                      LayoutExStyle(variant), nullptr))
      return nullptr;
    main_.SetSkin(&skins_[0]);
    // Two panels side by side; each holds an icon whose clear parts show the panel.
    const std::array<RECT, 2> panels = {ScaledRect(20, 60, 200, 180), ScaledRect(232, 60, 168, 180)};
    for (size_t i = 0; i < panels.size(); ++i) {
      RECT panel = panels[i];
      AddChild(panel_[i], main_.m_hWnd, panel, &skins_[1 + i]);
      RECT icon = ScaledRect(16, 16, 64, 64);
      AddChild(icons_[i], panel_[i].m_hWnd, icon, &skins_[3 + i]);
    }
    return main_.m_hWnd;
  }

  void Release() override {
    for (auto& skin : skins_) skin.Unload();
  }

 private:
  static void AddChild(SkinnedWindow& window, HWND parent, RECT& rect, PictureSkin* skin) {
    window.Create(PanelClass(), parent, rect, u"", 0, WS_CHILD | WS_VISIBLE, 0, nullptr);
    window.SetSkin(skin);
  }

  std::array<PictureSkin, 5> skins_ = {
      PictureSkin({IDB_SUITE_LOGO, IDS_COLOR_ITEM_BACKGROUND, 12, false}),
      PictureSkin({IDB_COMMON_BUTTON_LARGE_NORMAL, 0, 0, true}),
      PictureSkin({IDB_COMMON_BUTTON_LARGE_HOT, 0, 0, true}),
      PictureSkin({IDB_ICON_OK, 0, 0, true}),
      PictureSkin({IDB_ICON_HELP, 0, 0, true}),
  };
  SkinnedWindow main_;
  std::array<SkinnedWindow, 2> panel_;
  std::array<SkinnedWindow, 2> icons_;
};

}  // namespace

std::unique_ptr<Scene> MakeWindowTreeScene() { return std::make_unique<WindowTreeScene>(); }

}  // namespace talix::gallery
