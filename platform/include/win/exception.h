// Unhandled exceptions: a process-wide filter called for fatal signals.
//
// SetUnhandledExceptionFilter installs handlers for SIGSEGV, SIGBUS, SIGILL, SIGFPE and
// SIGABRT on an alternate signal stack (set up for the calling thread). On such a signal
// the filter gets a record with the exception code, the faulting instruction's address
// and (for access violations) the data address. EXCEPTION_EXECUTE_HANDLER ends the
// process with _exit(128 + signal); EXCEPTION_CONTINUE_SEARCH restores the default
// action and lets the signal end the process as it would have.
//
// Limits: the filter runs inside a signal handler, so it must keep to what is safe there
// (the Windows filter has no such limit); other threads get the alternate stack only if
// they call SetUnhandledExceptionFilter themselves. CONTEXT holds the integer registers
// that reports need, not a full processor context.
#pragma once

#include <win/base.h>

#define EXCEPTION_EXECUTE_HANDLER 1
#define EXCEPTION_CONTINUE_SEARCH 0
#define EXCEPTION_CONTINUE_EXECUTION (-1)

#define EXCEPTION_ACCESS_VIOLATION 0xC0000005u
#define EXCEPTION_IN_PAGE_ERROR 0xC0000006u
#define EXCEPTION_ILLEGAL_INSTRUCTION 0xC000001Du
#define EXCEPTION_INT_DIVIDE_BY_ZERO 0xC0000094u
#define EXCEPTION_FLT_INVALID_OPERATION 0xC0000090u
#define STATUS_FATAL_APP_EXIT 0x40000015u
#define EXCEPTION_NONCONTINUABLE 0x1u
#define EXCEPTION_MAXIMUM_PARAMETERS 15

typedef struct _EXCEPTION_RECORD {
  DWORD ExceptionCode;
  DWORD ExceptionFlags;
  struct _EXCEPTION_RECORD* ExceptionRecord;
  PVOID ExceptionAddress;
  DWORD NumberParameters;
  ULONG_PTR ExceptionInformation[EXCEPTION_MAXIMUM_PARAMETERS];
} EXCEPTION_RECORD, *PEXCEPTION_RECORD;

typedef struct _CONTEXT {
  DWORD64 Rip;
  DWORD64 Rsp;
  DWORD64 Rbp;
} CONTEXT, *PCONTEXT;

typedef struct _EXCEPTION_POINTERS {
  PEXCEPTION_RECORD ExceptionRecord;
  PCONTEXT ContextRecord;
} EXCEPTION_POINTERS, *PEXCEPTION_POINTERS;

typedef LONG (*PTOP_LEVEL_EXCEPTION_FILTER)(EXCEPTION_POINTERS* ExceptionInfo);
typedef PTOP_LEVEL_EXCEPTION_FILTER LPTOP_LEVEL_EXCEPTION_FILTER;

// Returns the previous filter (null at first). A null filter leaves the signals to their
// default action.
WINBASEAPI LPTOP_LEVEL_EXCEPTION_FILTER SetUnhandledExceptionFilter(
    LPTOP_LEVEL_EXCEPTION_FILTER lpTopLevelExceptionFilter);
