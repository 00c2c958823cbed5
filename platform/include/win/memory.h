// Global, local and heap memory.
#pragma once

#include <win/base.h>
