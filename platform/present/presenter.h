// The presenter: shows the virtual screen in a window of the host's display and feeds
// that window's mouse and keyboard back in as input.
//
// It sees the rest of the platform only through two small interfaces, ScreenSource
// (the composed screen pixels and a change counter) and InputSink (input at screen
// coordinates), so it can run against the real screen or against a test's fakes.
//
// Limits: X11 only (TALIX_HAVE_X11); one window at the screen's size, 1:1, no scaling;
// the screen is polled for changes at about 60 Hz rather than pushed.
#pragma once

#include <win/types.h>

#include <cstddef>
#include <cstdint>
#include <memory>

namespace talix::present {

struct ScreenRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

// The composed virtual screen. Called from the presenter's own thread: an implementation
// guards its pixels against the thread that composes them (and does not hold that guard
// while stopping the presenter).
class ScreenSource {
 public:
  virtual ~ScreenSource() = default;
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  // Grows whenever the composed pixels change.
  virtual uint64_t ChangeCount() const = 0;
  // Copies `rect` of the screen as 32-bit BGRX pixels into rows `strideBytes` apart, the
  // pixel at (rect.x, rect.y) first. The part of `rect` outside the screen is left as it
  // was. Returns false when nothing could be copied.
  virtual bool CopyRect(const ScreenRect& rect, uint32_t* rows, size_t strideBytes) = 0;
  // The part of the screen changed since the counter read `since`; the whole screen when
  // the source keeps no damage record.
  virtual ScreenRect ChangedSince(uint64_t since) const {
    (void)since;
    return {0, 0, Width(), Height()};
  }
};

enum class Button { Left, Middle, Right };

// Where the presenter's input goes, in virtual-screen coordinates. Called from the
// presenter's own thread; a call must not wait for the thread that stops the presenter
// (queue the input, do not send it synchronously), or Stop would wait for itself.
class InputSink {
 public:
  virtual ~InputSink() = default;
  virtual void MouseMove(int x, int y) = 0;
  virtual void MouseButton(Button button, bool down) = 0;
  // One notch is 120, positive away from the user.
  virtual void Wheel(int delta) = 0;
  // Windows virtual-key codes (VK_*).
  virtual void Key(uint16_t virtualKey, bool down) = 0;
  // One UTF-16 unit of typed text, after the key-down that produced it; characters
  // beyond the basic plane come as two surrogate units.
  virtual void Char(char16_t unit) = 0;
};

class PresenterWindow;

// Owns the presenter window and its thread. Not itself thread-safe: one owner starts
// and stops it (the host API serialises its calls).
class TALIX_EXPORT Presenter {
 public:
  Presenter();
  ~Presenter();
  Presenter(const Presenter&) = delete;
  Presenter& operator=(const Presenter&) = delete;

  // Opens the display named by DISPLAY, shows the screen in a window titled "TALIX" and
  // starts forwarding input. False, with nothing running and nothing printed, when
  // DISPLAY is unset, the display cannot be opened, X11 is not built in or a presenter
  // is already running. `screen` and `input` must outlive Stop().
  bool Start(ScreenSource& screen, InputSink& input);
  // Closes the window and joins the thread; harmless when not running.
  void Stop();
  // False once the window was closed by its user (WM_DELETE_WINDOW) or after Stop.
  bool IsRunning() const;

 private:
  std::unique_ptr<PresenterWindow> window_;
};

// The screen and input the host API's StartPresenter() uses when called without
// arguments. The composition and input code register theirs once; the objects must live
// until the presenter is stopped. nullptr unregisters.
TALIX_EXPORT void SetDefaultScreenSource(ScreenSource* source);
TALIX_EXPORT void SetDefaultInputSink(InputSink* sink);
TALIX_EXPORT ScreenSource* DefaultScreenSource();
TALIX_EXPORT InputSink* DefaultInputSink();

}  // namespace talix::present
