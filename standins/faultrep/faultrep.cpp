// FaultRep.dll stand-in: ReportFault writes a crash report.
//
// The report goes to $TALIX_CRASHDIR (else $TMPDIR, else /tmp) as
// talix-crash-<pid>.txt: the exception code, the faulting address, the data address of
// an access violation, and a backtrace. It is written with open/write only, since it
// runs inside a fatal-signal handler. A build with FAULTREP_WITHOUT_REPORTFAULT lacks
// the export, for the path where no report can be made.
#include <win/exception.h>

#include <execinfo.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>

#ifndef FAULTREP_WITHOUT_REPORTFAULT
namespace {

void Put(int fd, const char* text) {
  size_t length = std::strlen(text);
  while (length > 0) {
    ssize_t written = write(fd, text, length);
    if (written <= 0) return;
    text += written;
    length -= static_cast<size_t>(written);
  }
}

void PutHex(int fd, unsigned long long value) {
  char digits[19] = "0x";
  for (int i = 0; i < 16; ++i) digits[2 + i] = "0123456789abcdef"[(value >> (60 - 4 * i)) & 0xF];
  digits[18] = 0;
  Put(fd, digits);
}

void PutDecimal(char* out, unsigned long value) {
  char reversed[24];
  int n = 0;
  do {
    reversed[n++] = static_cast<char>('0' + value % 10);
    value /= 10;
  } while (value);
  while (n) *out++ = reversed[--n];
  *out = 0;
}

int OpenReport() {
  const char* folder = getenv("TALIX_CRASHDIR");
  if (!folder || !*folder) folder = getenv("TMPDIR");
  if (!folder || !*folder) folder = "/tmp";
  char path[512];
  char pid[24];
  PutDecimal(pid, static_cast<unsigned long>(getpid()));
  if (std::strlen(folder) + std::strlen(pid) + 32 >= sizeof(path)) return -1;
  std::strcpy(path, folder);
  std::strcat(path, "/talix-crash-");
  std::strcat(path, pid);
  std::strcat(path, ".txt");
  return open(path, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
}

}  // namespace

// Returns 0 when the report was written, 1 when it could not be.
extern "C" __attribute__((visibility("default"))) int ReportFault(EXCEPTION_POINTERS* pointers, DWORD options) {
  if (!pointers || !pointers->ExceptionRecord) return 1;
  int fd = OpenReport();
  if (fd < 0) return 1;
  const EXCEPTION_RECORD& record = *pointers->ExceptionRecord;
  Put(fd, "exception code: ");
  PutHex(fd, record.ExceptionCode);
  Put(fd, "\naddress: ");
  PutHex(fd, reinterpret_cast<unsigned long long>(record.ExceptionAddress));
  if (record.NumberParameters >= 2) {
    Put(fd, "\ndata address: ");
    PutHex(fd, record.ExceptionInformation[1]);
  }
  Put(fd, "\nbacktrace:\n");
  void* frames[64];
  int count = backtrace(frames, 64);
  backtrace_symbols_fd(frames, count, fd);
  close(fd);
  return 0;
}
#endif
