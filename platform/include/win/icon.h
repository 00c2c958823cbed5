// Icons, cursors and images loaded from resources and files.
#pragma once

#include <win/base.h>
