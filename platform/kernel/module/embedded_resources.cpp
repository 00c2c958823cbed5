#include "platform/kernel/module/embedded_resources.h"

#include <dlfcn.h>

#include <mutex>

namespace talix {
namespace {

// A fixed array with no heap and no destructor: modules register from their
// constructors and withdraw from their destructors, which may run before or after this
// library's own static objects are built or destroyed.
struct Registration {
  const void* base;
  const BYTE* start;
  size_t size;
};
constexpr size_t kMaxRegistrations = 64;
Registration g_registrations[kMaxRegistrations];
std::mutex g_mutex;  // trivially destructible in practice; constant-initialised

}  // namespace

ByteView EmbeddedResourcesOf(const void* base) {
  std::lock_guard<std::mutex> lock(g_mutex);
  for (const Registration& r : g_registrations)
    if (r.start && r.base == base) return ByteView(r.start, r.size);
  return ByteView();
}

}  // namespace talix

using talix::g_mutex;
using talix::g_registrations;

extern "C" void talix_register_resources(const void* start, const void* end, const void* anchor) {
  Dl_info info{};
  if (!start || end < start || !dladdr(anchor, &info) || !info.dli_fbase) return;
  std::lock_guard<std::mutex> lock(g_mutex);
  for (auto& r : g_registrations) {
    if (!r.start) {
      r = {info.dli_fbase, static_cast<const BYTE*>(start),
           static_cast<size_t>(static_cast<const BYTE*>(end) - static_cast<const BYTE*>(start))};
      return;
    }
  }
}

extern "C" void talix_unregister_resources(const void* start) {
  std::lock_guard<std::mutex> lock(g_mutex);
  for (auto& r : g_registrations)
    if (r.start == start) r = {};
}
