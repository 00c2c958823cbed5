// The commands of talix-image. Each returns the process's exit status: 0 done, 1 the input
// could not be read or the output not written (a message naming the file and the reason
// is on stderr).
#pragma once

#include "apps/talix-image/options.h"

#include <cstdio>

namespace talix::tools {

int RunInfo(const Options& options, std::FILE* out);
int RunConvert(const Options& options);
int RunResize(const Options& options);

}  // namespace talix::tools
