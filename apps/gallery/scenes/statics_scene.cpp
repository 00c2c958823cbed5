// Scene "statics": the skinned static controls on a themed window - a gradient header with
// a caption over it, the default gradient, a nine-part panel holding text in every alignment, pictures stretched
// and at natural size, system icons, and plain text in its colours (set, default,
// disabled) with and without '&' prefixes. Every text shows what lies behind it.
#include "apps/gallery/scenes/picture_skin.h"
#include "apps/gallery/scenes/scene_support.h"

#include "controls/QuorStaticBitmapSkin.h"
#include "controls/QuorStaticChromeSkin.h"
#include "controls/QuorStaticCtrl.h"
#include "controls/QuorStaticGradientSkin.h"
#include "controls/QuorStaticIconSkin.h"
#include "frame/QuorLib.h"
#include "resources/theme/theme_ids.h"
#include "skin/QuorWindowImpl.h"

#include <array>
#include <cmath>
#include <memory>
#include <vector>

namespace talix::gallery {
namespace {

// One static of the scene: where it goes, in which parent, how it looks.
struct StaticPlace {
  int parent;  // index of an earlier static, or -1 for the main window
  int x, y, cx, cy;
  DWORD style;
  const char16_t* text;
  CQuorBaseSkin* skin;
  COLORREF color;  // 0: the default grey
  bool disabled;
};

class StaticsScene : public Scene {
 public:
  const char* Name() const override { return "statics"; }

  HWND Create(const Variant& variant) override {
    LoadSkins();
    RECT main = ScaledRect(0, 0, 480, 300);
    if (!main_.Create(PanelClass(), nullptr, main, u"Statics", 0, WS_POPUP,
                      LayoutExStyle(variant), nullptr))
      return nullptr;
    main_.SetSkin(&background_);
    font_ = CreateFontW(-int(std::lround(13 * CQuorLib::GetScaleY())), 0, 0, 0, FW_NORMAL,
                        FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                        CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH,
                        u"Liberation Sans");
    for (const StaticPlace& place : Places()) Add(place);
    return main_.m_hWnd;
  }

  void Release() override {
    statics_.clear();
    background_.Unload();
    for (auto* skin : std::initializer_list<CQuorBaseSkin*>{&header_, &defaultGradient_, &panel_, &logo_, &tick_})
      skin->Unload();
    for (auto& icon : icons_) icon.Unload();
    if (font_) DeleteObject(font_);
    font_ = nullptr;
  }

 private:
  void LoadSkins() {
    background_.Load();
    header_.SetSkinDef({RGB(40, 90, 160), RGB(12, 24, 48)});
    header_.Load();
    defaultGradient_.Load();
    panel_.SetSkinDef({{IDB_PANEL_TOP_LEFT, IDB_PANEL_TOP, IDB_PANEL_TOP_RIGHT,
                        IDB_PANEL_BOTTOM_LEFT, IDB_PANEL_BOTTOM, IDB_PANEL_BOTTOM_RIGHT,
                        IDB_PANEL_LEFT, IDB_PANEL_CENTRE, IDB_PANEL_RIGHT}});
    panel_.Load();
    logo_.SetSkinDef({IDB_SUITE_LOGO, TRUE});
    logo_.Load();
    tick_.SetSkinDef({IDB_ICON_OK, FALSE});
    tick_.Load();
    const LPCWSTR names[] = {IDI_APPLICATION, IDI_WARNING, IDI_ERROR, IDI_QUESTION};
    for (size_t i = 0; i < icons_.size(); ++i) {
      icons_[i].SetSkinDef({nullptr, names[i]});
      icons_[i].Load();
    }
  }

  std::vector<StaticPlace> Places() {
    const COLORREF white = RGB(255, 255, 255), amber = RGB(255, 190, 60);
    return {
        {-1, 0, 0, 480, 40, 0, nullptr, &header_, 0, false},
        {0, 12, 8, 300, 24, SS_LEFTNOWORDWRAP, u"Static controls", nullptr, white, false},
        {-1, 16, 56, 230, 150, 0, nullptr, &panel_, 0, false},
        {2, 12, 10, 206, 24, SS_LEFT, u"Left aligned", nullptr, white, false},
        {2, 12, 38, 206, 24, SS_CENTER, u"Centred", nullptr, white, false},
        {2, 12, 66, 206, 24, SS_RIGHT, u"Right aligned", nullptr, white, false},
        {2, 12, 94, 206, 44, SS_LEFT, u"Wrapping text runs on to a second line", nullptr,
         amber, false},
        {-1, 264, 56, 200, 70, 0, u"never drawn", &logo_, 0, false},
        {-1, 264, 136, 200, 70, 0, nullptr, &tick_, 0, false},
        {-1, 264, 218, 40, 40, 0, nullptr, &icons_[0], 0, false},
        {-1, 312, 218, 40, 40, 0, nullptr, &icons_[1], 0, false},
        {-1, 360, 218, 40, 40, 0, nullptr, &icons_[2], 0, false},
        {-1, 408, 218, 40, 40, 0, nullptr, &icons_[3], 0, false},
        {-1, 264, 268, 200, 20, 0, nullptr, &defaultGradient_, 0, false},
        {-1, 16, 216, 230, 20, SS_LEFTNOWORDWRAP, u"Default grey text", nullptr, 0, false},
        {-1, 16, 238, 230, 20, SS_LEFTNOWORDWRAP, u"Disabled text", nullptr, amber, true},
        {-1, 16, 260, 110, 20, SS_LEFTNOWORDWRAP, u"&Prefix", nullptr, white, false},
        {-1, 126, 260, 120, 20, SS_LEFTNOWORDWRAP | SS_NOPREFIX, u"&No prefix", nullptr,
         white, false},
    };
  }

  void Add(const StaticPlace& place) {
    auto control = std::make_unique<CQuorStaticCtrl>();
    HWND parent = place.parent < 0 ? main_.m_hWnd : statics_[size_t(place.parent)]->m_hWnd;
    RECT rect = ScaledRect(place.x, place.y, place.cx, place.cy);
    control->SetSkin(place.skin);
    if (!control->Create(parent, rect, UINT(100 + statics_.size()),
                         WS_CHILD | WS_VISIBLE | place.style, 0))
      return;
    if (place.text) SetWindowTextW(control->m_hWnd, place.text);
    if (font_) SendMessageW(control->m_hWnd, WM_SETFONT, WPARAM(font_), FALSE);
    control->SetTextColor(place.color);
    if (place.disabled) EnableWindow(control->m_hWnd, FALSE);
    statics_.push_back(std::move(control));
  }

  PictureSkin background_{{0, IDS_COLOR_ITEM_BACKGROUND, 0, true}};
  CQuorStaticGradientSkin header_;
  CQuorStaticGradientSkin defaultGradient_;
  CQuorStaticChromeSkin panel_;
  CQuorStaticBitmapSkin logo_;
  CQuorStaticBitmapSkin tick_;
  std::array<CQuorStaticIconSkin, 4> icons_;
  CQuorWindowImpl<PictureSkin> main_;
  std::vector<std::unique_ptr<CQuorStaticCtrl>> statics_;
  HFONT font_ = nullptr;
};

}  // namespace

std::unique_ptr<Scene> MakeStaticsScene() { return std::make_unique<StaticsScene>(); }

}  // namespace talix::gallery
