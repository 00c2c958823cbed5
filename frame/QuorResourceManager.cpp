// CQuorResourceManager: the counted bitmap cache.
#include "frame/QuorResourceManager.h"

#include "draw/QuorBitmap.h"

#include <limits>

namespace {

// The cache and, at unload, the bitmaps still held in it.
struct CacheHolder {
  CQuorResourceManager::BitmapCache entries;
  ~CacheHolder() {
    for (auto& entry : entries) delete entry.second.first;
  }
};

CQuorResourceManager::BitmapCache& Cache() {
  static CacheHolder holder;
  return holder.entries;
}

}  // namespace

void talix::frame::ConstructBitmapCache() { Cache(); }

const CQuorResourceManager::BitmapCache& CQuorResourceManager::GetCache() { return Cache(); }

bool CQuorResourceManager::LoadBitmapW(CQuorBitmap** out, HINSTANCE module, UINT id, const WCHAR*) {
  if (!out || *out) return false;
  BitmapCache& cache = Cache();
  const auto key = std::make_pair(module, id);
  auto found = cache.find(key);
  if (found != cache.end()) {
    auto& [bitmap, holders] = found->second;
    if (holders == std::numeric_limits<unsigned>::max()) return false;
    ++holders;
    *out = bitmap;
    return true;
  }
  auto* bitmap = new CQuorBitmap();
  bitmap->LoadFromRes(module, id);
  if (!bitmap->GetPrimary()) {
    delete bitmap;
    return false;
  }
  cache.emplace(key, std::make_pair(bitmap, 1u));
  *out = bitmap;
  return true;
}

bool CQuorResourceManager::UnloadBitmap(CQuorBitmap** bitmap) {
  if (!bitmap || !*bitmap) return false;
  BitmapCache& cache = Cache();
  for (auto it = cache.begin(); it != cache.end(); ++it) {
    auto& [held, holders] = it->second;
    if (held != *bitmap) continue;
    if (holders <= 1) {
      delete held;
      cache.erase(it);
    } else {
      --holders;
    }
    *bitmap = nullptr;
    return true;
  }
  return false;
}
