// The "C" locale as an object, for number parsing and printing that must not follow
// whatever locale the host program has set.
#pragma once

#include <locale.h>

namespace talix {

locale_t CLocale();

// Makes the "C" locale current on this thread for the lifetime of the object.
class ScopedCLocale {
 public:
  ScopedCLocale() : previous_(uselocale(CLocale())) {}
  ~ScopedCLocale() { uselocale(previous_); }
  ScopedCLocale(const ScopedCLocale&) = delete;
  ScopedCLocale& operator=(const ScopedCLocale&) = delete;

 private:
  locale_t previous_;
};

}  // namespace talix
