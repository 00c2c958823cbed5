// The presenter against a private Xvfb server: the window shows the screen's pixels
// exactly, follows changes and exposures, and turns X input into platform input.
#include "platform/present/presenter.h"
#include "present_fakes.h"
#include "x_test_server.h"
#include "x_view.h"

#include <talix/host_present.h>

#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdlib>
#include <functional>
#include <optional>
#include <thread>

namespace talix::testing {
namespace {

using present::ScreenRect;

class PresenterTest : public ::testing::Test {
 protected:
  static constexpr int kWidth = 320;
  static constexpr int kHeight = 200;

  void SetUp() override {
    if (!server_.Start(1280, 1024)) GTEST_SKIP() << server_.Error();
    display_.emplace(server_.DisplayName().c_str());
    view_ = XOpenDisplay(server_.DisplayName().c_str());
    ASSERT_NE(view_, nullptr);
  }

  void TearDown() override {
    presenter_.Stop();
    if (view_ != nullptr) XCloseDisplay(view_);
    server_.Stop();
  }

  // The presenter's top-level window, once it is mapped; 0 when it does not come.
  Window WaitForWindow() {
    unsigned long found = 0;
    return WaitForMappedWindow(view_, "TALIX", &found) ? found : 0;
  }

  Window FindWindowNamed(const char* title) { return testing::FindWindowNamed(view_, title); }

  // Pixels of the window that differ from the fake screen (0 is a perfect match).
  int CountMismatches(Window window) {
    int width = screen_.Width();
    int height = screen_.Height();
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(view_, window, &attributes) || attributes.width != width ||
        attributes.height != height) {
      return width * height;
    }
    std::vector<uint32_t> shown = ReadWindowPixels(view_, window, width, height);
    if (shown.empty()) return width * height;
    int mismatches = 0;
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        if (shown[size_t(y) * size_t(width) + size_t(x)] != screen_.Pixel(x, y)) ++mismatches;
      }
    }
    return mismatches;
  }

  bool WaitForScreenShown(Window window) {
    return WaitUntil([&] { return CountMismatches(window) == 0; });
  }

  Window StartAndWait() {
    if (!presenter_.Start(screen_, input_)) return 0;
    Window window = WaitForWindow();
    if (window != 0 && !WaitForScreenShown(window)) return 0;
    return window;
  }

  bool Xdotool(const std::vector<std::string>& args) {
    std::vector<std::string> argv{"xdotool"};
    argv.insert(argv.end(), args.begin(), args.end());
    return RunProgram(argv);
  }

  XvfbServer server_;
  std::optional<ScopedDisplayVariable> display_;
  Display* view_ = nullptr;
  FakeScreen screen_{kWidth, kHeight};
  RecordingInput input_;
  present::Presenter presenter_;  // last: stops before the fakes go
};

TEST_F(PresenterTest, WindowShowsTheScreenPixelsExactly) {
  ASSERT_TRUE(presenter_.Start(screen_, input_));
  EXPECT_TRUE(presenter_.IsRunning());
  Window window = WaitForWindow();
  ASSERT_NE(window, 0u);
  XWindowAttributes attributes;
  ASSERT_TRUE(XGetWindowAttributes(view_, window, &attributes));
  EXPECT_EQ(attributes.width, kWidth);
  EXPECT_EQ(attributes.height, kHeight);
  EXPECT_TRUE(WaitForScreenShown(window)) << CountMismatches(window) << " pixels differ";
  EXPECT_FALSE(presenter_.Start(screen_, input_)) << "a second start while running";
}

TEST_F(PresenterTest, RepaintsWhenTheScreenChanges) {
  Window window = StartAndWait();
  ASSERT_NE(window, 0u);
  screen_.Fill({50, 60, 30, 20}, 0x123456);
  EXPECT_TRUE(WaitForScreenShown(window)) << CountMismatches(window) << " pixels differ";
  screen_.Fill({kWidth - 1, kHeight - 1, 1, 1}, 0xABCDEF);  // the last pixel alone
  EXPECT_TRUE(WaitForScreenShown(window)) << CountMismatches(window) << " pixels differ";
}

TEST_F(PresenterTest, WindowFollowsTheScreenSize) {
  Window window = StartAndWait();
  ASSERT_NE(window, 0u);
  screen_.Resize(kWidth + 77, kHeight - 33);
  EXPECT_TRUE(WaitForScreenShown(window)) << CountMismatches(window) << " pixels differ";
  XSizeHints hints{};
  long supplied = 0;
  ASSERT_TRUE(XGetWMNormalHints(view_, window, &hints, &supplied));
  EXPECT_EQ(hints.max_width, kWidth + 77);
  EXPECT_EQ(hints.max_height, kHeight - 33);
}

TEST_F(PresenterTest, RepaintsWhatAnotherWindowUncovers) {
  Window window = StartAndWait();
  ASSERT_NE(window, 0u);
  // A white window over the middle; the presenter's window keeps no copy of what it hid.
  Window cover = XCreateSimpleWindow(view_, DefaultRootWindow(view_), 40, 30, 200, 100, 0, 0,
                                     WhitePixel(view_, DefaultScreen(view_)));
  XSetWindowAttributes attributes{};
  attributes.override_redirect = True;
  XChangeWindowAttributes(view_, cover, CWOverrideRedirect, &attributes);
  XMapRaised(view_, cover);
  XSync(view_, False);
  ASSERT_TRUE(WaitUntil([&] { return CountMismatches(window) > 0; }));
  XDestroyWindow(view_, cover);
  XSync(view_, False);
  EXPECT_TRUE(WaitForScreenShown(window)) << CountMismatches(window) << " pixels differ";
}

TEST_F(PresenterTest, MouseArrivesAtScreenCoordinates) {
  Window window = StartAndWait();
  ASSERT_NE(window, 0u);
  std::string id = std::to_string(window);
  ASSERT_TRUE(Xdotool({"mousemove", "--window", id, "100", "50", "click", "1"}));
  ASSERT_TRUE(input_.WaitFor("button left up"));
  EXPECT_EQ(input_.Take(),
            (std::vector<std::string>{"move 100,50", "button left down", "button left up"}));

  struct Case {
    const char* button;
    std::vector<std::string> calls;
  } const cases[] = {
      {"2", {"button middle down", "button middle up"}},
      {"3", {"button right down", "button right up"}},
      {"4", {"wheel 120"}},
      {"5", {"wheel -120"}},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(Xdotool({"mousemove", "--window", id, "7", "9", "click", c.button}));
    ASSERT_TRUE(input_.WaitFor(c.calls.back())) << "button " << c.button;
    // The wheel's release comes after its press; let it arrive before taking the log.
    ASSERT_TRUE(Xdotool({"mousemove", "--window", id, "8", "9"}));
    ASSERT_TRUE(input_.WaitFor("move 8,9"));
    std::vector<std::string> expected{"move 7,9"};
    expected.insert(expected.end(), c.calls.begin(), c.calls.end());
    expected.push_back("move 8,9");
    EXPECT_EQ(input_.Take(), expected) << "button " << c.button;
  }
}

TEST_F(PresenterTest, KeysArriveAsVirtualKeysAndCharacters) {
  Window window = StartAndWait();
  ASSERT_NE(window, 0u);
  ASSERT_TRUE(Xdotool({"windowfocus", "--sync", std::to_string(window)}));
  struct Case {
    const char* key;
    std::vector<std::string> calls;
  } const cases[] = {
      {"a", {"key 65 down", "char 97", "key 65 up"}},
      // xdotool releases a chord's keys in the order it pressed them.
      {"shift+1", {"key 16 down", "key 49 down", "char 33", "key 16 up", "key 49 up"}},
      {"ctrl+a", {"key 17 down", "key 65 down", "char 1", "key 17 up", "key 65 up"}},
      {"Return", {"key 13 down", "char 13", "key 13 up"}},
      {"BackSpace", {"key 8 down", "char 8", "key 8 up"}},
      {"Delete", {"key 46 down", "key 46 up"}},  // Delete types nothing
      {"F5", {"key 116 down", "key 116 up"}},
      {"Left", {"key 37 down", "key 37 up"}},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(Xdotool({"key", c.key}));
    ASSERT_TRUE(input_.WaitFor(c.calls.back())) << c.key;
    EXPECT_EQ(input_.Take(), c.calls) << c.key;
  }
}

TEST_F(PresenterTest, TypedTextArrivesAsCharacters) {
  Window window = StartAndWait();
  ASSERT_NE(window, 0u);
  ASSERT_TRUE(Xdotool({"windowfocus", "--sync", std::to_string(window)}));
  ASSERT_TRUE(Xdotool({"type", "Hi 5!"}));
  ASSERT_TRUE(input_.WaitFor("key 49 up"));  // the 1 key of the '!'
  std::u16string typed;
  std::vector<std::string> keyDowns;
  for (const std::string& call : input_.Take()) {
    if (call.rfind("char ", 0) == 0) typed += static_cast<char16_t>(std::stoi(call.substr(5)));
    if (call.size() > 5 && call.compare(call.size() - 5, 5, " down") == 0) keyDowns.push_back(call);
  }
  EXPECT_EQ(typed, u"Hi 5!");
  EXPECT_EQ(keyDowns, (std::vector<std::string>{"key 16 down", "key 72 down", "key 73 down",
                                                "key 32 down", "key 53 down", "key 16 down",
                                                "key 49 down"}));
}

TEST_F(PresenterTest, ClosingTheWindowEndsOnlyThePresenter) {
  Window window = StartAndWait();
  ASSERT_NE(window, 0u);
  XEvent close{};
  close.xclient.type = ClientMessage;
  close.xclient.window = window;
  close.xclient.message_type = XInternAtom(view_, "WM_PROTOCOLS", False);
  close.xclient.format = 32;
  close.xclient.data.l[0] = static_cast<long>(XInternAtom(view_, "WM_DELETE_WINDOW", False));
  XSendEvent(view_, window, False, NoEventMask, &close);
  XSync(view_, False);
  EXPECT_TRUE(WaitUntil([&] { return !presenter_.IsRunning(); }));
  EXPECT_TRUE(WaitUntil([&] { return FindWindowNamed("TALIX") == 0; }));
  // The presenter can be started again.
  EXPECT_NE(StartAndWait(), 0u);
}

TEST_F(PresenterTest, LosingTheServerEndsThePresenterQuietly) {
  ASSERT_NE(StartAndWait(), 0u);
  XCloseDisplay(view_);
  view_ = nullptr;
  server_.Stop();
  EXPECT_TRUE(WaitUntil([&] { return !presenter_.IsRunning(); }));
}

TEST_F(PresenterTest, HostApiUsesTheRegisteredScreenAndInput) {
  // The platform registers the composed screen and the host input at load; the test's
  // fakes take their place and the platform's come back after.
  present::ScreenSource* platformScreen = present::DefaultScreenSource();
  present::InputSink* platformInput = present::DefaultInputSink();
  EXPECT_NE(platformScreen, nullptr);
  EXPECT_NE(platformInput, nullptr);
  present::SetDefaultScreenSource(nullptr);
  EXPECT_FALSE(host::StartPresenter()) << "no screen registered";
  present::SetDefaultScreenSource(&screen_);
  present::SetDefaultInputSink(&input_);
  EXPECT_TRUE(host::StartPresenter());
  EXPECT_TRUE(host::PresenterRunning());
  Window window = WaitForWindow();
  ASSERT_NE(window, 0u);
  EXPECT_TRUE(WaitForScreenShown(window));
  host::StopPresenter();
  EXPECT_FALSE(host::PresenterRunning());
  EXPECT_EQ(FindWindowNamed("TALIX"), 0u);
  present::SetDefaultScreenSource(platformScreen);
  present::SetDefaultInputSink(platformInput);
}

// Without a usable display the presenter stays off: headless is the default.
TEST(PresenterHeadless, StartFailsWithoutADisplay) {
  FakeScreen screen(16, 16);
  RecordingInput input;
  const char* const displays[] = {nullptr, "", ":32000"};
  for (const char* display : displays) {
    ScopedDisplayVariable scoped(display);
    present::Presenter presenter;
    EXPECT_FALSE(presenter.Start(screen, input)) << (display ? display : "(unset)");
    EXPECT_FALSE(presenter.IsRunning());
    EXPECT_FALSE(host::StartPresenter(&screen, &input));
    EXPECT_FALSE(host::PresenterRunning());
  }
}

}  // namespace
}  // namespace talix::testing
