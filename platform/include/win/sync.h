// Threads, waits, events, critical sections, interlocked operations and time.
#pragma once

#include <win/base.h>
