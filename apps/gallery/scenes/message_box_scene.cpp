// Scenes "message-box-<type>": one skinned message box per button set, laid out from
// its text as Show lays it out, made modeless from the same template so that it can be
// captured. The OK box has no icon and a short text; the others carry an icon each and
// longer texts, the last one long enough to wrap. Right-to-left variants take the Hebrew
// captions. The buttons use the step bar's pieces, the background the panel's centre.
#include "apps/gallery/scenes/scene_support.h"

#include "chrome/QuorMessageBox.h"
#include "frame/QuorLib.h"
#include "resources/lang/lang_msgbox_ids.h"
#include "resources/theme/theme_ids.h"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace talix::gallery {
namespace {

struct BoxText {
  const char* name;
  UINT type;
  const char16_t* text;
  const char16_t* caption;
};

const BoxText kBoxes[] = {
    {"message-box-ok", MB_OK, u"The file was saved.", u"Editor"},
    {"message-box-okcancel", MB_OKCANCEL | MB_ICONASTERISK,
     u"The printer is ready.\nPress OK to print two copies.", u"Print"},
    {"message-box-yesno", MB_YESNO | MB_ICONQUESTION,
     u"Do you want to replace the existing file?", u"Copy files"},
    {"message-box-yesnocancel", MB_YESNOCANCEL | MB_ICONEXCLAMATION,
     u"The document has changed since it was last saved. Closing it now throws away "
     u"every change made in this session, including the pictures you pasted and the "
     u"new chapter. Do you want to save the changes before closing?",
     u"Unsaved changes"},
};

// bin/Lang/TALIX_<code>.wdp beside the gallery, loaded as data.
HINSTANCE LoadLanguage(const char* code) {
  std::error_code error;
  const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return nullptr;
  const std::string host = (exe.parent_path() / "Lang" / ("TALIX_" + std::string(code) + ".wdp")).string();
  std::u16string path = u"Z:";
  for (char c : host) path += c == '/' ? u'\\' : char16_t(c);
  return LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
}

CQuorButtonStateSkinDef StepBarState(COLORREF text) {
  CQuorButtonStateSkinDef def{};
  def.m_nImagePos = IMAGEPOS_NONE;
  def.m_nLeftID = IDB_STEPBAR_LEFT;
  def.m_nMiddleID = IDB_STEPBAR_FILL;
  def.m_nRightID = IDB_STEPBAR_RIGHT;
  def.m_crText = text;
  return def;
}

class MessageBoxScene : public Scene {
 public:
  explicit MessageBoxScene(const BoxText& box) : box_(box) {}
  const char* Name() const override { return box_.name; }

  HWND Create(const Variant& variant) override {
    buttons_.SetSkinDef({StepBarState(RGB(255, 255, 255)), StepBarState(RGB(200, 200, 200)),
                         StepBarState(RGB(255, 230, 150)), StepBarState(RGB(120, 120, 120))});
    buttons_.Load();
    background_.SetSkinDef({IDB_PANEL_CENTRE, TRUE});
    background_.Load();
    language_ = LoadLanguage(variant.rightToLeft ? "heb" : "eng");
    // The class-wide settings keep the first skins: a scene's own must be the ones given.
    CQuorMessageBox::ResetConfiguration();
    CQuorMessageBox::SetButtonSkin(&buttons_);
    CQuorMessageBox::SetBackgroundSkin(&background_);
    CQuorMessageBox::SetButtonCaptions(language_, IDS_LANG_OK, IDS_LANG_CANCEL, IDS_LANG_YES,
                                       IDS_LANG_NO);
    memory_.assign(CQuorMessageBox::kTemplateBytes, 0);
    CQuorMessageBox::CreateDialogTemplate(memory_.data());
    object_ = std::make_unique<CQuorMessageBox>(box_.text, box_.caption, box_.type);
    HWND dialog = CreateDialogIndirectParamW(
        CQuorLib::GetInstance(), reinterpret_cast<LPCDLGTEMPLATEW>(memory_.data()), nullptr,
        &CQuorMessageBox::DialogProc, reinterpret_cast<LPARAM>(object_.get()));
    if (dialog) SetWindowPos(dialog, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return dialog;
  }

  void Release() override {
    object_.reset();
    CQuorMessageBox::ResetConfiguration();
    buttons_.Unload();
    background_.Unload();
    if (language_) FreeLibrary(language_);
    language_ = nullptr;
  }

 private:
  BoxText box_;
  CQuorButtonSkin buttons_;
  CQuorStaticBitmapSkin background_;
  HINSTANCE language_ = nullptr;
  std::vector<BYTE> memory_;
  std::unique_ptr<CQuorMessageBox> object_;
};

}  // namespace

std::vector<std::unique_ptr<Scene>> MakeMessageBoxScenes() {
  std::vector<std::unique_ptr<Scene>> scenes;
  for (const BoxText& box : kBoxes) scenes.push_back(std::make_unique<MessageBoxScene>(box));
  return scenes;
}

}  // namespace talix::gallery
