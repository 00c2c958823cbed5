#include "x_test_server.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <sstream>
#include <thread>

extern char** environ;

namespace talix::testing {
namespace {

using Clock = std::chrono::steady_clock;

// Spawns argv[0] (a path) with stdout and stderr to /dev/null. Descriptors without
// FD_CLOEXEC (Xvfb's display pipe) are inherited.
pid_t Spawn(const std::vector<std::string>& argv) {
  std::vector<char*> args;
  for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
  args.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  pid_t pid = -1;
  if (posix_spawn(&pid, args[0], &actions, nullptr, args.data(), environ) != 0) pid = -1;
  posix_spawn_file_actions_destroy(&actions);
  return pid;
}

// Waits up to `limit` for the child; kills it when it overstays. Its exit status, or -1.
int Reap(pid_t pid, std::chrono::milliseconds limit) {
  Clock::time_point deadline = Clock::now() + limit;
  int status = 0;
  while (waitpid(pid, &status, WNOHANG) == 0) {
    if (Clock::now() >= deadline) {
      kill(pid, SIGKILL);
      waitpid(pid, &status, 0);
      return -1;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

std::string FindProgram(const std::string& name) {
  const char* path = std::getenv("PATH");
  std::stringstream dirs(path != nullptr ? path : "/usr/bin:/bin");
  std::string dir;
  while (std::getline(dirs, dir, ':')) {
    std::string candidate = (dir.empty() ? "." : dir) + "/" + name;
    if (access(candidate.c_str(), X_OK) == 0) return candidate;
  }
  return "";
}

bool RunProgram(const std::vector<std::string>& argv, std::chrono::milliseconds limit) {
  std::vector<std::string> resolved = argv;
  resolved[0] = FindProgram(argv[0]);
  if (resolved[0].empty()) return false;
  pid_t pid = Spawn(resolved);
  return pid > 0 && Reap(pid, limit) == 0;
}

bool XvfbServer::Start(int width, int height) {
  std::string xvfb = FindProgram("Xvfb");
  if (xvfb.empty()) {
    error_ = "Xvfb is not installed";
    return false;
  }
  int fds[2];
  if (pipe(fds) != 0) {
    error_ = "no pipe";
    return false;
  }
  fcntl(fds[0], F_SETFD, FD_CLOEXEC);
  std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
  pid_ = Spawn({xvfb, "-displayfd", std::to_string(fds[1]), "-screen", "0", screen,
                "-nolisten", "tcp"});
  close(fds[1]);
  // Xvfb writes the display number and a newline once it accepts connections.
  std::string number;
  Clock::time_point deadline = Clock::now() + std::chrono::seconds(15);
  while (pid_ > 0 && Clock::now() < deadline && number.find('\n') == std::string::npos) {
    pollfd fd{fds[0], POLLIN, 0};
    if (poll(&fd, 1, 100) <= 0) continue;
    char buffer[16];
    ssize_t got = read(fds[0], buffer, sizeof buffer);
    if (got <= 0) break;
    number.append(buffer, static_cast<size_t>(got));
  }
  close(fds[0]);
  if (number.find('\n') == std::string::npos) {
    error_ = "Xvfb gave no display number";
    Stop();
    return false;
  }
  display_ = ":" + number.substr(0, number.find('\n'));
  return true;
}

void XvfbServer::Stop() {
  if (pid_ <= 0) return;
  kill(pid_, SIGTERM);
  Reap(pid_, std::chrono::seconds(5));
  pid_ = -1;
}

}  // namespace talix::testing
