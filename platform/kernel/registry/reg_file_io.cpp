#include "platform/kernel/registry/reg_file_io.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace talix::registry {
namespace {

constexpr size_t kMaxFileSize = size_t{64} << 20;

std::string Describe(const char* what, const std::string& path, int err) {
  return std::string(what) + " " + path + ": " + std::strerror(err);
}

bool WriteAll(int fd, const std::string& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  return true;
}

}  // namespace

ReadResult ReadWholeFile(const std::string& hostPath, std::string* bytes, std::string* error) {
  bytes->clear();
  int fd = ::open(hostPath.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    int err = errno;
    *error = Describe("cannot open", hostPath, err);
    return err == ENOENT ? ReadResult::Missing : ReadResult::Failed;
  }
  char buffer[65536];
  while (true) {
    ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      *error = Describe("cannot read", hostPath, errno);
      ::close(fd);
      return ReadResult::Failed;
    }
    if (n == 0) break;
    if (bytes->size() + static_cast<size_t>(n) > kMaxFileSize) {
      *error = hostPath + ": larger than 64 MiB, not a registry file";
      ::close(fd);
      return ReadResult::Failed;
    }
    bytes->append(buffer, static_cast<size_t>(n));
  }
  ::close(fd);
  return ReadResult::Read;
}

std::string WriteFileReplacing(const std::string& hostPath, const std::string& bytes) {
  std::string temporary = hostPath + ".new-" + std::to_string(::getpid());
  int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return Describe("cannot create", temporary, errno);
  bool written = WriteAll(fd, bytes) && ::fsync(fd) == 0;
  int err = errno;
  if (::close(fd) != 0 && written) {
    written = false;
    err = errno;
  }
  if (!written) {
    ::unlink(temporary.c_str());
    return Describe("cannot write", temporary, err);
  }
  if (::rename(temporary.c_str(), hostPath.c_str()) != 0) {
    err = errno;
    ::unlink(temporary.c_str());
    return Describe("cannot replace", hostPath, err);
  }
  return "";
}

}  // namespace talix::registry
