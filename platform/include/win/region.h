// GDI regions and clipping.
#pragma once

#include <win/base.h>
