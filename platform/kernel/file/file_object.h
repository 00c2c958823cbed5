// An open file: a host descriptor behind a kernel-object handle.
#pragma once

#include "platform/kernel/kernel_object.h"

#include <string>

namespace talix {

class FileObject : public KernelObject {
 public:
  FileObject(int fd, std::string hostPath, bool canRead, bool canWrite, bool deleteOnClose)
      : fd_(fd), hostPath_(std::move(hostPath)), canRead_(canRead), canWrite_(canWrite),
        deleteOnClose_(deleteOnClose) {}
  ~FileObject() override;
  FileObject(const FileObject&) = delete;
  FileObject& operator=(const FileObject&) = delete;

  int Fd() const { return fd_; }
  const std::string& HostPath() const { return hostPath_; }
  bool CanRead() const { return canRead_; }
  bool CanWrite() const { return canWrite_; }

 private:
  int fd_;
  std::string hostPath_;
  bool canRead_;
  bool canWrite_;
  bool deleteOnClose_;
};

}  // namespace talix
