// The window-support module object: the application-module object that the skinned
// windows rely on. It records the library's module and the main thread at load, keeps a
// registry of message loops by thread and a list of windows being created (so that a
// window procedure can find its object at the window's first message).
//
// Limits: no hidden notification window is made (nothing in the library asks for one).
#pragma once

#include <windows.h>

#include <map>
#include <mutex>
#include <vector>

namespace talix::frame {

class TALIX_EXPORT AppModule {
 public:
  AppModule() = default;
  AppModule(const AppModule&) = delete;
  AppModule& operator=(const AppModule&) = delete;

  // Process attach: records the module and the calling thread as the main thread, and
  // starts with empty registries. A second Init without Term is ignored.
  void Init(HINSTANCE module);
  // Process detach: frees the registries. Safe to call more than once.
  void Term();

  bool IsInitialized() const;
  HINSTANCE ModuleInstance() const;
  // The thread that loaded the library; 0 before Init and after Term.
  DWORD MainThreadId() const;

  // Message loops, one per thread (the pointer belongs to the caller). Adding for a
  // thread that already has one fails; removing a thread without one fails.
  bool AddMessageLoop(void* loop);
  bool RemoveMessageLoop();
  void* GetMessageLoop(DWORD threadId) const;
  size_t MessageLoopCount() const;

  // Windows being created: the object announces itself before CreateWindowExW on the
  // creating thread and is taken back (latest first) by its window procedure.
  void AddCreateWindowData(void* object);
  // The latest object announced on the calling thread, removed; null when none.
  void* ExtractCreateWindowData();

 private:
  struct Creation {
    DWORD threadId;
    void* object;
  };
  mutable std::mutex m_lock;
  bool m_initialized = false;
  HINSTANCE m_module = nullptr;
  DWORD m_mainThreadId = 0;
  std::map<DWORD, void*> m_messageLoops;
  std::vector<Creation> m_creations;
};

// The process's window-support module object (it lives as long as the library).
TALIX_EXPORT AppModule& TheAppModule();

}  // namespace talix::frame
