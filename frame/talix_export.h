// Export markers of libtalix.so. Classes and functions of the library's interface are
// marked TALIX_LIB_API; plain exported functions are also extern "C" (TALIX_LIB_C_API),
// so hosts find them by name with GetProcAddress.
#pragma once

#define TALIX_LIB_API __attribute__((visibility("default")))
#define TALIX_LIB_C_API extern "C" TALIX_LIB_API
