// The unhandled-exception filter on POSIX fatal signals.
#include <win/exception.h>

#include <signal.h>
#include <ucontext.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>

namespace {

const int kSignals[] = {SIGSEGV, SIGBUS, SIGILL, SIGFPE, SIGABRT};

std::atomic<LPTOP_LEVEL_EXCEPTION_FILTER> g_filter{nullptr};

DWORD ExceptionCode(int signal, int code) {
  switch (signal) {
    case SIGSEGV: return EXCEPTION_ACCESS_VIOLATION;
    case SIGBUS: return EXCEPTION_IN_PAGE_ERROR;
    case SIGILL: return EXCEPTION_ILLEGAL_INSTRUCTION;
    case SIGFPE: return code == FPE_INTDIV ? EXCEPTION_INT_DIVIDE_BY_ZERO : EXCEPTION_FLT_INVALID_OPERATION;
    default: return STATUS_FATAL_APP_EXIT;
  }
}

void RestoreDefault(int signal) {
  struct sigaction action {};
  action.sa_handler = SIG_DFL;
  sigemptyset(&action.sa_mask);
  sigaction(signal, &action, nullptr);
}

void OnFatalSignal(int signal, siginfo_t* info, void* rawContext) {
  EXCEPTION_RECORD record{};
  CONTEXT context{};
  record.ExceptionCode = ExceptionCode(signal, info ? info->si_code : 0);
  record.ExceptionFlags = EXCEPTION_NONCONTINUABLE;
#if defined(__x86_64__)
  if (rawContext) {
    const auto* uc = static_cast<const ucontext_t*>(rawContext);
    context.Rip = uc->uc_mcontext.gregs[REG_RIP];
    context.Rsp = uc->uc_mcontext.gregs[REG_RSP];
    context.Rbp = uc->uc_mcontext.gregs[REG_RBP];
  }
#endif
  record.ExceptionAddress = reinterpret_cast<PVOID>(context.Rip);
  if (signal == SIGSEGV || signal == SIGBUS) {
    record.NumberParameters = 2;
    record.ExceptionInformation[0] = 0;  // read or write is not known from the signal
    record.ExceptionInformation[1] = reinterpret_cast<ULONG_PTR>(info ? info->si_addr : nullptr);
  }
  EXCEPTION_POINTERS pointers{&record, &context};
  LPTOP_LEVEL_EXCEPTION_FILTER filter = g_filter.load();
  LONG verdict = filter ? filter(&pointers) : EXCEPTION_CONTINUE_SEARCH;
  if (verdict == EXCEPTION_EXECUTE_HANDLER) _exit(128 + signal);
  RestoreDefault(signal);
  raise(signal);
}

void InstallAlternateStack() {
  // Kept for the thread's life; the thread-local pointer keeps it reachable.
  static thread_local void* memory = nullptr;
  if (memory) return;
  stack_t stack{};
  stack.ss_size = 64 * 1024;
  stack.ss_sp = std::malloc(stack.ss_size);
  if (!stack.ss_sp) return;
  if (sigaltstack(&stack, nullptr) == 0) {
    memory = stack.ss_sp;
  } else {
    std::free(stack.ss_sp);
  }
}

}  // namespace

LPTOP_LEVEL_EXCEPTION_FILTER SetUnhandledExceptionFilter(LPTOP_LEVEL_EXCEPTION_FILTER filter) {
  LPTOP_LEVEL_EXCEPTION_FILTER previous = g_filter.exchange(filter);
  if (!filter) {
    for (int signal : kSignals) RestoreDefault(signal);
    return previous;
  }
  InstallAlternateStack();
  for (int signal : kSignals) {
    struct sigaction action {};
    action.sa_sigaction = &OnFatalSignal;
    action.sa_flags = SA_SIGINFO | SA_ONSTACK;
    sigemptyset(&action.sa_mask);
    sigaction(signal, &action, nullptr);
  }
  return previous;
}
