// The C runtime's wide-string functions on WCHAR, string conversion and case folding.
#pragma once

#include <win/base.h>
