// TALIX_* functions of the frame and the library's load-time set-up.
#include "frame/LibraryExports.h"

#include "frame/LibraryModule.h"
#include "frame/ResHandler.h"

#include <vector>

namespace talix::frame {
namespace {

std::vector<FinalizeStep>& FinalizeSteps() {
  static std::vector<FinalizeStep> steps;
  return steps;
}

// At load: record the library's module and create the resource handler, before any host
// code runs.
__attribute__((constructor)) void AttachLibrary() {
  LibraryModule();
  ResourceHandler();
}

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
  for (talix::frame::FinalizeStep step : talix::frame::FinalizeSteps()) step();
}
