// Test support: a private Xvfb server, and running X tools (xdotool) against it, every
// wait bounded.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <string>
#include <vector>

namespace talix::testing {

// The full path of an executable found on PATH, or "" when there is none.
std::string FindProgram(const std::string& name);

// Runs `argv` (argv[0] looked up on PATH) with stdout and stderr discarded and waits up
// to `limit` for it. True when it exited with status 0 in time; a straggler is killed.
bool RunProgram(const std::vector<std::string>& argv,
                std::chrono::milliseconds limit = std::chrono::seconds(10));

// Starts `Xvfb -displayfd` on a free display and stops it on destruction.
class XvfbServer {
 public:
  XvfbServer() = default;
  ~XvfbServer() { Stop(); }
  XvfbServer(const XvfbServer&) = delete;
  XvfbServer& operator=(const XvfbServer&) = delete;

  // False (with the reason in Error()) when Xvfb is missing or gives no display in time.
  bool Start(int width, int height);
  void Stop();
  // ":N" once started.
  const std::string& DisplayName() const { return display_; }
  const std::string& Error() const { return error_; }

 private:
  pid_t pid_ = -1;
  std::string display_;
  std::string error_;
};

}  // namespace talix::testing
