// The presenter's X11 side: its own display connection, a window showing the screen, and
// the thread that owns both. Only that thread touches the connection once it runs.
//
// Limits: needs a 24-bit TrueColor visual with red in bits 16-23 (every common X server
// has one), otherwise Start fails; frames go out with plain XPutImage, no shared memory;
// the changed area is one bounding rectangle per frame. Xlib's protocol error handler is
// process-wide: the presenter installs one that ignores errors instead of exiting, for
// every connection of the process.
#pragma once

#include "platform/present/presenter.h"
#include "platform/present/x11/x11_input.h"
#include "platform/present/x11/x11_screen_image.h"

#include <X11/Xlib.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

namespace talix::present {

class PresenterWindow {
 public:
  // Opens DISPLAY, maps the window and starts the thread; nullptr when any step fails.
  static std::unique_ptr<PresenterWindow> Open(ScreenSource& screen, InputSink& input);
  // Stops and joins the thread; the window and the connection are closed by then.
  ~PresenterWindow();
  PresenterWindow(const PresenterWindow&) = delete;
  PresenterWindow& operator=(const PresenterWindow&) = delete;

  bool IsRunning() const { return running_.load(); }

 private:
  PresenterWindow(ScreenSource& screen, InputSink& input, Display* display);
  bool Create();
  bool ChooseVisual();
  void SetFixedSize(int width, int height);
  void Run();
  void HandleEvent(XEvent& event);
  bool PresentChanges();
  void WaitForWork(std::chrono::milliseconds timeout);
  void Close();

  ScreenSource& screen_;
  X11InputTranslator input_;
  Display* display_;
  Visual* visual_ = nullptr;
  int depth_ = 0;
  Colormap colormap_ = 0;
  Window window_ = 0;
  GC gc_ = nullptr;
  Atom deleteWindow_ = 0;
  std::unique_ptr<X11ScreenImage> image_;
  uint64_t seenCount_ = 0;
  ScreenRect dirty_;
  bool closedByUser_ = false;
  int wakeFd_ = -1;
  std::atomic<bool> stopRequested_{false};
  std::atomic<bool> running_{false};
  std::atomic<bool> connectionLost_{false};
  std::thread thread_;
};

}  // namespace talix::present
