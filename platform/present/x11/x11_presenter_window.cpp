#include "platform/present/x11/x11_presenter_window.h"

#include <X11/Xutil.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <mutex>
#include <vector>

namespace talix::present {
namespace {

using Clock = std::chrono::steady_clock;
constexpr std::chrono::milliseconds kFrameInterval{16};  // about 60 frames a second
constexpr long kEventMask = ExposureMask | KeyPressMask | KeyReleaseMask | ButtonPressMask |
                            ButtonReleaseMask | PointerMotionMask | StructureNotifyMask;

// Protocol errors (a window gone under us) are not worth a message, let alone the
// default handler's exit.
int IgnoreProtocolError(Display*, XErrorEvent*) { return 0; }

// Xlib's default I/O error handler prints and exits. For the presenter's connections
// ours returns, so that Xlib calls the per-display exit handler (ConnectionLost); any
// other connection of the process keeps the handler it had.
std::mutex presenterDisplaysLock;
std::vector<Display*> presenterDisplays;
XIOErrorHandler previousIoHandler = nullptr;

int OnIoError(Display* display) {
  {
    std::lock_guard<std::mutex> hold(presenterDisplaysLock);
    if (std::find(presenterDisplays.begin(), presenterDisplays.end(), display) !=
        presenterDisplays.end()) {
      return 0;
    }
  }
  return previousIoHandler != nullptr ? previousIoHandler(display) : 0;
}

void TrackDisplay(Display* display, bool ours) {
  std::lock_guard<std::mutex> hold(presenterDisplaysLock);
  if (ours) {
    presenterDisplays.push_back(display);
  } else {
    presenterDisplays.erase(std::remove(presenterDisplays.begin(), presenterDisplays.end(), display),
                            presenterDisplays.end());
  }
}

void InstallErrorHandlers() {
  static std::once_flag once;
  std::call_once(once, [] {
    XInitThreads();
    XSetErrorHandler(IgnoreProtocolError);
    previousIoHandler = XSetIOErrorHandler(OnIoError);
  });
}

// Instead of Xlib's exit(): the presenter ends and the process lives on headless.
void ConnectionLost(Display*, void* lostFlag) {
  static_cast<std::atomic<bool>*>(lostFlag)->store(true);
}

bool IsEmpty(const ScreenRect& r) { return r.width <= 0 || r.height <= 0; }

ScreenRect Union(const ScreenRect& a, const ScreenRect& b) {
  if (IsEmpty(a)) return b;
  if (IsEmpty(b)) return a;
  int left = std::min(a.x, b.x);
  int top = std::min(a.y, b.y);
  int right = std::max(a.x + a.width, b.x + b.width);
  int bottom = std::max(a.y + a.height, b.y + b.height);
  return {left, top, right - left, bottom - top};
}

}  // namespace

std::unique_ptr<PresenterWindow> PresenterWindow::Open(ScreenSource& screen, InputSink& input) {
  const char* name = std::getenv("DISPLAY");
  if (name == nullptr || *name == '\0') return nullptr;
  InstallErrorHandlers();
  Display* display = XOpenDisplay(name);
  if (display == nullptr) return nullptr;
  std::unique_ptr<PresenterWindow> window(new PresenterWindow(screen, input, display));
  if (!window->Create()) return nullptr;  // the destructor closes what was opened
  window->running_ = true;
  window->thread_ = std::thread(&PresenterWindow::Run, window.get());
  return window;
}

PresenterWindow::PresenterWindow(ScreenSource& screen, InputSink& input, Display* display)
    : screen_(screen), input_(input), display_(display) {
  XSetIOErrorExitHandler(display_, ConnectionLost, &connectionLost_);
  TrackDisplay(display_, true);
}

PresenterWindow::~PresenterWindow() {
  stopRequested_ = true;
  if (thread_.joinable()) {
    // The eventfd outlives the thread, so this write never hits a reused descriptor.
    uint64_t one = 1;
    (void)!write(wakeFd_, &one, sizeof one);
    thread_.join();
  } else {
    Close();
  }
  if (wakeFd_ >= 0) close(wakeFd_);
}

bool PresenterWindow::ChooseVisual() {
  XVisualInfo info;
  if (!XMatchVisualInfo(display_, DefaultScreen(display_), 24, TrueColor, &info)) return false;
  // BGRX words: red in bits 16-23, blue in bits 0-7.
  if (info.red_mask != 0xFF0000 || info.green_mask != 0xFF00 || info.blue_mask != 0xFF) {
    return false;
  }
  visual_ = info.visual;
  depth_ = info.depth;
  return true;
}

void PresenterWindow::SetFixedSize(int width, int height) {
  XSizeHints* hints = XAllocSizeHints();
  if (hints == nullptr) return;
  hints->flags = PMinSize | PMaxSize;
  hints->min_width = hints->max_width = width;
  hints->min_height = hints->max_height = height;
  XSetWMNormalHints(display_, window_, hints);
  XFree(hints);
}

bool PresenterWindow::Create() {
  wakeFd_ = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
  if (wakeFd_ < 0 || !ChooseVisual()) return false;
  image_ = std::make_unique<X11ScreenImage>(display_, visual_, depth_);
  if (!image_->Resize(screen_.Width(), screen_.Height())) return false;
  Window root = RootWindow(display_, DefaultScreen(display_));
  colormap_ = XCreateColormap(display_, root, visual_, AllocNone);
  XSetWindowAttributes attributes{};
  attributes.colormap = colormap_;
  attributes.background_pixmap = None;  // Expose repaints; no clearing flash before it
  attributes.border_pixel = 0;
  attributes.event_mask = kEventMask;
  window_ = XCreateWindow(display_, root, 0, 0, static_cast<unsigned>(image_->Width()),
                          static_cast<unsigned>(image_->Height()), 0, depth_, InputOutput,
                          visual_, CWColormap | CWBackPixmap | CWBorderPixel | CWEventMask,
                          &attributes);
  if (window_ == 0) return false;
  gc_ = XCreateGC(display_, window_, 0, nullptr);
  XStoreName(display_, window_, "TALIX");
  SetFixedSize(image_->Width(), image_->Height());
  deleteWindow_ = XInternAtom(display_, "WM_DELETE_WINDOW", False);
  XSetWMProtocols(display_, window_, &deleteWindow_, 1);
  seenCount_ = screen_.ChangeCount();
  image_->Refresh(screen_, {0, 0, image_->Width(), image_->Height()});
  XMapWindow(display_, window_);
  XFlush(display_);
  return !connectionLost_;
}

void PresenterWindow::Run() {
  Clock::time_point lastFrame = Clock::now() - kFrameInterval;
  while (!stopRequested_ && !closedByUser_ && !connectionLost_) {
    while (!connectionLost_ && XPending(display_) > 0) {
      XEvent event;
      XNextEvent(display_, &event);
      HandleEvent(event);
    }
    Clock::time_point now = Clock::now();
    if (now - lastFrame >= kFrameInterval && PresentChanges()) lastFrame = now;
    XFlush(display_);
    auto untilNextFrame = kFrameInterval - (now - lastFrame);
    WaitForWork(std::clamp(std::chrono::duration_cast<std::chrono::milliseconds>(untilNextFrame),
                           std::chrono::milliseconds{1}, kFrameInterval));
  }
  Close();
  running_ = false;
}

void PresenterWindow::HandleEvent(XEvent& event) {
  switch (event.type) {
    case Expose:
      dirty_ = Union(dirty_, {event.xexpose.x, event.xexpose.y, event.xexpose.width,
                              event.xexpose.height});
      break;
    case ClientMessage:
      if (static_cast<Atom>(event.xclient.data.l[0]) == deleteWindow_) closedByUser_ = true;
      break;
    case MappingNotify:
      XRefreshKeyboardMapping(&event.xmapping);
      break;
    default:
      input_.Translate(event);
      break;
  }
}

// Follows a change of screen size, copies what changed and sends it with what was
// exposed. True when anything was sent.
bool PresenterWindow::PresentChanges() {
  int width = screen_.Width();
  int height = screen_.Height();
  if ((width != image_->Width() || height != image_->Height()) && image_->Resize(width, height)) {
    XResizeWindow(display_, window_, static_cast<unsigned>(width), static_cast<unsigned>(height));
    SetFixedSize(width, height);
    seenCount_ = screen_.ChangeCount();
    image_->Refresh(screen_, {0, 0, width, height});
    dirty_ = {0, 0, width, height};
  }
  uint64_t count = screen_.ChangeCount();
  if (count != seenCount_) {
    ScreenRect changed = image_->Clip(screen_.ChangedSince(seenCount_));
    seenCount_ = count;
    image_->Refresh(screen_, changed);
    dirty_ = Union(dirty_, changed);
  }
  if (IsEmpty(dirty_)) return false;
  image_->Put(window_, gc_, dirty_);
  dirty_ = {};
  return true;
}

void PresenterWindow::WaitForWork(std::chrono::milliseconds timeout) {
  pollfd fds[2] = {{ConnectionNumber(display_), POLLIN, 0}, {wakeFd_, POLLIN, 0}};
  if (poll(fds, 2, static_cast<int>(timeout.count())) <= 0) return;
  if (fds[1].revents & POLLIN) {
    uint64_t count;
    (void)!read(wakeFd_, &count, sizeof count);
  }
}

void PresenterWindow::Close() {
  image_.reset();
  if (gc_ != nullptr) XFreeGC(display_, gc_);
  if (window_ != 0) XDestroyWindow(display_, window_);
  if (colormap_ != 0) XFreeColormap(display_, colormap_);
  gc_ = nullptr;
  window_ = 0;
  colormap_ = 0;
  if (display_ != nullptr) {
    XCloseDisplay(display_);
    TrackDisplay(display_, false);
  }
  display_ = nullptr;
}

}  // namespace talix::present
