// Fonts, text drawing and text metrics.
#pragma once

#include <win/base.h>
