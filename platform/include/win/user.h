// Windows, window classes, messages, painting, input and timers.
#pragma once

#include <win/base.h>
