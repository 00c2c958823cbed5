#include "platform/kernel/wstr/c_locale.h"

namespace talix {
namespace {

// Owns the locale object so that it is released at unload.
struct CLocaleHolder {
  locale_t locale = newlocale(LC_ALL_MASK, "C", nullptr);
  ~CLocaleHolder() {
    if (locale) freelocale(locale);
  }
};

}  // namespace

locale_t CLocale() {
  static CLocaleHolder holder;
  return holder.locale;
}

}  // namespace talix
