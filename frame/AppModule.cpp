// The window-support module object.
#include "frame/AppModule.h"

namespace talix::frame {

AppModule& TheAppModule() {
  static AppModule module;
  return module;
}

void AppModule::Init(HINSTANCE module) {
  std::lock_guard<std::mutex> lock(m_lock);
  if (m_initialized) return;
  m_initialized = true;
  m_module = module;
  m_mainThreadId = GetCurrentThreadId();
  m_messageLoops.clear();
  m_creations.clear();
}

void AppModule::Term() {
  std::lock_guard<std::mutex> lock(m_lock);
  m_initialized = false;
  m_mainThreadId = 0;
  std::map<DWORD, void*>().swap(m_messageLoops);
  std::vector<Creation>().swap(m_creations);
}

bool AppModule::IsInitialized() const {
  std::lock_guard<std::mutex> lock(m_lock);
  return m_initialized;
}

HINSTANCE AppModule::ModuleInstance() const {
  std::lock_guard<std::mutex> lock(m_lock);
  return m_module;
}

DWORD AppModule::MainThreadId() const {
  std::lock_guard<std::mutex> lock(m_lock);
  return m_mainThreadId;
}

bool AppModule::AddMessageLoop(void* loop) {
  if (!loop) return false;
  std::lock_guard<std::mutex> lock(m_lock);
  return m_messageLoops.emplace(GetCurrentThreadId(), loop).second;
}

bool AppModule::RemoveMessageLoop() {
  std::lock_guard<std::mutex> lock(m_lock);
  return m_messageLoops.erase(GetCurrentThreadId()) == 1;
}

void* AppModule::GetMessageLoop(DWORD threadId) const {
  std::lock_guard<std::mutex> lock(m_lock);
  auto found = m_messageLoops.find(threadId);
  return found == m_messageLoops.end() ? nullptr : found->second;
}

size_t AppModule::MessageLoopCount() const {
  std::lock_guard<std::mutex> lock(m_lock);
  return m_messageLoops.size();
}

void AppModule::AddCreateWindowData(void* object) {
  if (!object) return;
  std::lock_guard<std::mutex> lock(m_lock);
  m_creations.push_back({GetCurrentThreadId(), object});
}

void* AppModule::ExtractCreateWindowData() {
  std::lock_guard<std::mutex> lock(m_lock);
  const DWORD thread = GetCurrentThreadId();
  for (auto it = m_creations.rbegin(); it != m_creations.rend(); ++it) {
    if (it->threadId != thread) continue;
    void* object = it->object;
    m_creations.erase(std::next(it).base());
    return object;
  }
  return nullptr;
}

}  // namespace talix::frame
