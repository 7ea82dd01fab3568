#include "common/byte_io.h"

#include "common/file_io.h"

#include <cerrno>
#include <cstdio>
#include <memory>

#include <fcntl.h>
#include <unistd.h>

namespace torvel {

namespace {
struct FileCloser {
  void operator()(FILE* f) const {
    if (f) std::fclose(f);
  }
};
using FilePtr = std::unique_ptr<FILE, FileCloser>;

AtomicWriteHook gAtomicWriteHook = nullptr;

// write() may take less than it was given, or be interrupted.
bool WriteAll(int fd, const uint8_t* data, size_t size) {
  while (size > 0) {
    ssize_t n = write(fd, data, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    data += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

bool SyncFolderOf(const std::string& hostPath) {
  const size_t slash = hostPath.find_last_of('/');
  const std::string folder = slash == std::string::npos ? std::string(".")
                             : slash == 0               ? std::string("/")
                                                        : hostPath.substr(0, slash);
  int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return false;
  // Some file systems cannot sync a folder at all; there is nothing more to do.
  bool ok = fsync(fd) == 0 || errno == EINVAL || errno == ENOTSUP;
  ok = close(fd) == 0 && ok;
  return ok;
}
}  // namespace

bool ReadFileBytes(const std::string& hostPath, std::vector<uint8_t>& out, size_t maxSize) {
  out.clear();
  FilePtr f(std::fopen(hostPath.c_str(), "rb"));
  if (!f) return false;
  if (std::fseek(f.get(), 0, SEEK_END) != 0) return false;
  long size = std::ftell(f.get());
  if (size < 0 || static_cast<unsigned long>(size) > maxSize) return false;
  if (std::fseek(f.get(), 0, SEEK_SET) != 0) return false;
  out.resize(static_cast<size_t>(size));
  if (size > 0 && std::fread(out.data(), 1, out.size(), f.get()) != out.size()) {
    out.clear();
    return false;
  }
  return true;
}

bool ReadFileHead(const std::string& hostPath, std::vector<uint8_t>& out, size_t maxSize) {
  out.clear();
  FilePtr f(std::fopen(hostPath.c_str(), "rb"));
  if (!f) return false;
  out.resize(maxSize);
  size_t got = maxSize > 0 ? std::fread(out.data(), 1, maxSize, f.get()) : 0;
  if (got < maxSize && std::ferror(f.get())) {
    out.clear();
    return false;
  }
  out.resize(got);
  return true;
}

bool WriteFileBytes(const std::string& hostPath, const void* data, size_t size) {
  std::FILE* f = std::fopen(hostPath.c_str(), "wb");
  if (!f) return false;
  bool ok = size == 0 || std::fwrite(data, 1, size, f) == size;
  ok = std::fflush(f) == 0 && ok;
  // A full disk may only show when the last buffer goes out at the close.
  ok = std::fclose(f) == 0 && ok;
  return ok;
}

void SetAtomicWriteHook(AtomicWriteHook hook) {
  gAtomicWriteHook = hook;
}

bool WriteFileAtomic(const std::string& hostPath, const void* data, size_t size) {
  const std::string temp = hostPath + ".tmp";
  int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0) return false;
  const auto* bytes = static_cast<const uint8_t*>(data);
  const size_t half = size / 2;
  bool ok = WriteAll(fd, bytes, half);
  if (ok && gAtomicWriteHook) gAtomicWriteHook(AtomicWriteStage::kHalfWritten, temp);
  ok = ok && WriteAll(fd, bytes + half, size - half);
  // On the disk before it takes the old file's name: a crash after the
  // rename must not find a name pointing at blocks never written.
  ok = ok && fsync(fd) == 0;
  ok = close(fd) == 0 && ok;
  if (ok && gAtomicWriteHook) gAtomicWriteHook(AtomicWriteStage::kBeforeRename, temp);
  if (!ok || std::rename(temp.c_str(), hostPath.c_str()) != 0) {
    unlink(temp.c_str());
    return false;
  }
  // The rename itself lives in the folder: until the folder is on the disk a
  // power cut may bring back the old name, or no name at all.
  return SyncFolderOf(hostPath);
}

}  // namespace torvel
