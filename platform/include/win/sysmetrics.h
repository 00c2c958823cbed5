// System colours and metrics.
#pragma once

#include <win/base.h>
