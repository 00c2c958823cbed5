// The registry.
#pragma once

#include <win/base.h>
