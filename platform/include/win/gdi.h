// GDI: device contexts, bitmaps, brushes, pens, drawing and copies.
#pragma once

#include <win/base.h>
