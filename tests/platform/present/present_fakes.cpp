#include "present_fakes.h"

#include <algorithm>
#include <cstring>

namespace talix::testing {

FakeScreen::FakeScreen(int width, int height) { Resize(width, height); }

int FakeScreen::Width() const {
  std::lock_guard<std::mutex> hold(mutex_);
  return width_;
}

int FakeScreen::Height() const {
  std::lock_guard<std::mutex> hold(mutex_);
  return height_;
}

void FakeScreen::Resize(int width, int height) {
  std::lock_guard<std::mutex> hold(mutex_);
  width_ = width;
  height_ = height;
  pixels_.resize(static_cast<size_t>(width) * height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) pixels_[static_cast<size_t>(y) * width + x] = PatternPixel(x, y);
  }
  damage_ = {0, 0, width, height};
  ++count_;
}

uint32_t FakeScreen::PatternPixel(int x, int y) {
  uint32_t blue = static_cast<uint32_t>(x) & 0xFF;
  uint32_t green = static_cast<uint32_t>(y) & 0xFF;
  uint32_t red = static_cast<uint32_t>(x * 3 + y * 5) & 0xFF;
  return (red << 16) | (green << 8) | blue;
}

uint32_t FakeScreen::Pixel(int x, int y) const {
  std::lock_guard<std::mutex> hold(mutex_);
  return pixels_[static_cast<size_t>(y) * width_ + x];
}

bool FakeScreen::CopyRect(const present::ScreenRect& rect, uint32_t* rows, size_t strideBytes) {
  std::lock_guard<std::mutex> hold(mutex_);
  int right = std::min(rect.x + rect.width, width_);
  int bottom = std::min(rect.y + rect.height, height_);
  if (rect.x < 0 || rect.y < 0 || right <= rect.x || bottom <= rect.y) return false;
  for (int y = rect.y; y < bottom; ++y) {
    auto* row = reinterpret_cast<uint32_t*>(reinterpret_cast<char*>(rows) +
                                            (y - rect.y) * strideBytes);
    std::memcpy(row, &pixels_[static_cast<size_t>(y) * width_ + rect.x],
                static_cast<size_t>(right - rect.x) * 4);
  }
  return true;
}

present::ScreenRect FakeScreen::ChangedSince(uint64_t since) const {
  std::lock_guard<std::mutex> hold(mutex_);
  // One damage record: exact for the one change the tests make between frames.
  if (since + 1 == count_.load()) return damage_;
  return {0, 0, width_, height_};
}

void FakeScreen::Fill(const present::ScreenRect& rect, uint32_t pixel) {
  std::lock_guard<std::mutex> hold(mutex_);
  for (int y = rect.y; y < rect.y + rect.height; ++y) {
    for (int x = rect.x; x < rect.x + rect.width; ++x) {
      pixels_[static_cast<size_t>(y) * width_ + x] = pixel;
    }
  }
  damage_ = rect;
  ++count_;
}

void RecordingInput::MouseMove(int x, int y) {
  Add("move " + std::to_string(x) + "," + std::to_string(y));
}

void RecordingInput::MouseButton(present::Button button, bool down) {
  static const char* const kNames[] = {"left", "middle", "right"};
  Add(std::string("button ") + kNames[static_cast<int>(button)] + (down ? " down" : " up"));
}

void RecordingInput::Wheel(int delta) { Add("wheel " + std::to_string(delta)); }

void RecordingInput::Key(uint16_t virtualKey, bool down) {
  Add("key " + std::to_string(virtualKey) + (down ? " down" : " up"));
}

void RecordingInput::Char(char16_t unit) { Add("char " + std::to_string(unit)); }

void RecordingInput::Add(std::string entry) {
  std::lock_guard<std::mutex> hold(mutex_);
  calls_.push_back(std::move(entry));
  changed_.notify_all();
}

bool RecordingInput::WaitFor(const std::string& entry) {
  std::unique_lock<std::mutex> hold(mutex_);
  return changed_.wait_for(hold, std::chrono::seconds(5), [&] {
    return std::find(calls_.begin(), calls_.end(), entry) != calls_.end();
  });
}

std::vector<std::string> RecordingInput::Take() {
  std::lock_guard<std::mutex> hold(mutex_);
  std::vector<std::string> out;
  out.swap(calls_);
  return out;
}

}  // namespace talix::testing
