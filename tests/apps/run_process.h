// Runs a command line through the shell and collects what it printed and how it ended.
#pragma once

#include <sys/wait.h>

#include <cstdio>
#include <string>

namespace talix::testing {

struct ProcessRun {
  int status = -1;  // exit status; -1 when it did not exit normally or could not start
  std::string out;  // standard output
};

inline ProcessRun RunProcess(const std::string& command) {
  ProcessRun run;
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return run;
  char buffer[512];
  size_t n;
  while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) run.out.append(buffer, n);
  const int status = pclose(pipe);
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

}  // namespace talix::testing
