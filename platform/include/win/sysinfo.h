// Version and system information.
#pragma once

#include <win/base.h>
