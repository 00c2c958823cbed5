// TALIX_* functions of the frame and the library's load and unload.
//
// Load: the library-wide objects are made first (bitmap cache, window-support module
// object, resource handler, colour loader, data-layer root), then the process-attach step records the
// library's module and initialises the module object. Unload: process detach terminates
// the module object; the objects themselves go with static destruction, where
// TALIX_Finalize has not already destroyed them.
#include "frame/LibraryExports.h"

#include "frame/AppModule.h"
#include "frame/EmbeddedFonts.h"
#include "frame/LibraryModule.h"
#include "frame/QuorResourceManager.h"
#include "frame/ResHandler.h"
#include "frame/StrColorLoader.h"

#include <vector>

namespace talix::frame {
namespace {

std::vector<FinalizeStep>& FinalizeSteps() {
  static std::vector<FinalizeStep> steps;
  return steps;
}

void ConstructLibraryObjects() {
  // The defaults of the skins take this font at load; asking for it here also sets up
  // GDI's object tables before the library's own objects, so they outlive them at unload.
  GetStockObject(DEFAULT_GUI_FONT);
  ConstructBitmapCache();
  TheAppModule();
  ResourceHandler();
  ColorLoader();
  DataLayerRoot();
}

// Runs when the library is loaded, before any host code can call it.
__attribute__((constructor)) void AttachLibrary() {
  ConstructLibraryObjects();
  TheAppModule().Init(LibraryModule());
}

__attribute__((destructor)) void DetachLibrary() { TheAppModule().Term(); }

}  // namespace

std::u16string& DataLayerRoot() {
  static std::u16string root;
  return root;
}

void AddFinalizeStep(FinalizeStep step) {
  if (step) FinalizeSteps().push_back(step);
}

}  // namespace talix::frame

using talix::frame::ResourceHandler;

int TALIX_LoadString(UINT id, WCHAR* buffer, int cchBufferMax) {
  CResHandler* handler = ResourceHandler();
  HINSTANCE language = handler ? handler->GetLanguageModule() : nullptr;
  // Without a module LoadStringW would search the host executable and could return a
  // string of the host.
  if (!language) {
    if (buffer && cchBufferMax > 0) buffer[0] = 0;
    return 0;
  }
  return LoadStringW(language, id, buffer, cchBufferMax);
}

HINSTANCE TALIX_GetCommonSKX() {
  CResHandler* handler = ResourceHandler();
  return handler ? handler->GetThemeModule() : nullptr;
}

HINSTANCE TALIX_GetCommonWDP() {
  CResHandler* handler = ResourceHandler();
  return handler ? handler->GetLanguageModule() : nullptr;
}

HFONT TALIX_CreateFontIndirect(void*) { return nullptr; }

void TALIX_Finalize() {
  std::u16string().swap(talix::frame::DataLayerRoot());
  talix::frame::DestroyResourceHandler();
  talix::frame::DestroyColorLoader();
  talix::frame::RemoveEmbeddedFonts();
  for (talix::frame::FinalizeStep step : talix::frame::FinalizeSteps()) step();
}
