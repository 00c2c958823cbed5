#include "platform/present/presenter.h"

#ifdef TALIX_HAVE_X11
#include "platform/present/x11/x11_presenter_window.h"
#endif

#include <atomic>

namespace talix::present {

#ifndef TALIX_HAVE_X11
// Built without X11: there is never a window.
class PresenterWindow {
 public:
  static std::unique_ptr<PresenterWindow> Open(ScreenSource&, InputSink&) { return nullptr; }
  bool IsRunning() const { return false; }
};
#endif

Presenter::Presenter() = default;
Presenter::~Presenter() { Stop(); }

bool Presenter::Start(ScreenSource& screen, InputSink& input) {
  if (IsRunning()) return false;
  window_.reset();  // a window its user closed: its thread has ended, join it
  window_ = PresenterWindow::Open(screen, input);
  return window_ != nullptr;
}

void Presenter::Stop() { window_.reset(); }

bool Presenter::IsRunning() const { return window_ != nullptr && window_->IsRunning(); }

namespace {

std::atomic<ScreenSource*> defaultScreen{nullptr};
std::atomic<InputSink*> defaultInput{nullptr};

}  // namespace

void SetDefaultScreenSource(ScreenSource* source) { defaultScreen = source; }
void SetDefaultInputSink(InputSink* sink) { defaultInput = sink; }
ScreenSource* DefaultScreenSource() { return defaultScreen; }
InputSink* DefaultInputSink() { return defaultInput; }

}  // namespace talix::present
