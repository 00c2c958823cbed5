// Test doubles of the presenter's two sides: a screen holding a known picture, and an
// input sink that records what it is told, as text, for any thread to wait on.
#pragma once

#include "platform/present/presenter.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

namespace talix::testing {

class FakeScreen : public present::ScreenSource {
 public:
  FakeScreen(int width, int height);

  int Width() const override;
  int Height() const override;
  uint64_t ChangeCount() const override { return count_.load(); }
  bool CopyRect(const present::ScreenRect& rect, uint32_t* rows, size_t strideBytes) override;
  present::ScreenRect ChangedSince(uint64_t since) const override;

  // A pattern where every channel varies, so a swapped or shifted channel shows.
  static uint32_t PatternPixel(int x, int y);
  // The pixel (BGRX) the screen holds now.
  uint32_t Pixel(int x, int y) const;
  // Fills a rectangle, records it as the damage and moves the change counter.
  void Fill(const present::ScreenRect& rect, uint32_t pixel);
  // A new size, holding the pattern again.
  void Resize(int width, int height);

 private:
  mutable std::mutex mutex_;
  int width_ = 0;
  int height_ = 0;
  std::vector<uint32_t> pixels_;
  present::ScreenRect damage_;
  std::atomic<uint64_t> count_{1};
};

class RecordingInput : public present::InputSink {
 public:
  void MouseMove(int x, int y) override;
  void MouseButton(present::Button button, bool down) override;
  void Wheel(int delta) override;
  void Key(uint16_t virtualKey, bool down) override;
  void Char(char16_t unit) override;

  // Waits up to a few seconds for a call equal to `entry`; true when it came.
  bool WaitFor(const std::string& entry);
  // Everything recorded so far, and clears it.
  std::vector<std::string> Take();

 private:
  void Add(std::string entry);

  std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<std::string> calls_;
};

}  // namespace talix::testing
