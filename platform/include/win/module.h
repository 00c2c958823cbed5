// Modules, resources and version information.
#pragma once

#include <win/base.h>
