#include "common/byte_io.h"

#include <cstdio>
#include <memory>

#include <unistd.h>

namespace torvel {

namespace {
struct FileCloser {
  void operator()(FILE* f) const {
    if (f) std::fclose(f);
  }
};
using FilePtr = std::unique_ptr<FILE, FileCloser>;
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

bool WriteFileBytes(const std::string& hostPath, const void* data, size_t size) {
  FilePtr f(std::fopen(hostPath.c_str(), "wb"));
  if (!f) return false;
  if (size > 0 && std::fwrite(data, 1, size, f.get()) != size) return false;
  return std::fflush(f.get()) == 0;
}

bool WriteFileAtomic(const std::string& hostPath, const void* data, size_t size) {
  std::string temp = hostPath + ".tmp";
  {
    FilePtr f(std::fopen(temp.c_str(), "wb"));
    if (!f) return false;
    bool ok = size == 0 || std::fwrite(data, 1, size, f.get()) == size;
    ok = ok && std::fflush(f.get()) == 0;
    ok = ok && fsync(fileno(f.get())) == 0;
    if (!ok) {
      f.reset();
      std::remove(temp.c_str());
      return false;
    }
  }
  if (std::rename(temp.c_str(), hostPath.c_str()) != 0) {
    std::remove(temp.c_str());
    return false;
  }
  return true;
}

}  // namespace torvel
