// Host API: the presenter, which shows the virtual screen in an X11 window on the host's
// display and feeds that window's mouse and keyboard in as input. Headless is the
// default; the demo (or a developer) starts it when DISPLAY is set.
#pragma once

#include <win/types.h>

namespace talix::present {
class ScreenSource;
class InputSink;
}  // namespace talix::present

namespace talix::host {

// Shows `screen` and forwards input to `input`; a null argument means the platform's own
// (registered with talix::present::SetDefaultScreenSource / SetDefaultInputSink). False,
// quietly, when DISPLAY is unset or cannot be opened, X11 is not built in, either side is
// missing, or the presenter already runs.
TALIX_EXPORT bool StartPresenter(present::ScreenSource* screen = nullptr,
                                 present::InputSink* input = nullptr);
// Closes the window and ends its thread; harmless when not running.
TALIX_EXPORT void StopPresenter();
// False after StopPresenter or once the window's user closed it.
TALIX_EXPORT bool PresenterRunning();

}  // namespace talix::host
