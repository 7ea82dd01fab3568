// Bounds-checked little-endian reading and writing of file bytes.
//
// Every loader reads through a ByteReader and every saver writes through a
// ByteWriter, field by field at the documented offsets. A reader never reads
// past its data: a short read sets the failure flag, yields zeros and leaves
// the position at the end, so a loader can read a whole record and test ok()
// once.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace torvel {

class ByteReader {
 public:
  ByteReader() = default;
  ByteReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  explicit ByteReader(const std::vector<uint8_t>& bytes) : data_(bytes.data()), size_(bytes.size()) {}

  bool ok() const { return ok_; }
  size_t pos() const { return pos_; }
  size_t size() const { return size_; }
  size_t Remaining() const { return size_ - pos_; }
  const uint8_t* Here() const { return data_ + pos_; }

  // Moves to an absolute offset; beyond the end is a failure.
  bool Seek(size_t offset) {
    if (offset > size_) return Fail();
    pos_ = offset;
    return true;
  }
  bool Skip(size_t count) {
    if (count > Remaining()) return Fail();
    pos_ += count;
    return true;
  }

  uint8_t U8() {
    if (Remaining() < 1) return Fail(), 0;
    return data_[pos_++];
  }
  uint16_t U16() {
    if (Remaining() < 2) return Fail(), 0;
    uint16_t v = static_cast<uint16_t>(data_[pos_] | (data_[pos_ + 1] << 8));
    pos_ += 2;
    return v;
  }
  uint32_t U32() {
    if (Remaining() < 4) return Fail(), 0;
    uint32_t v = static_cast<uint32_t>(data_[pos_]) | (static_cast<uint32_t>(data_[pos_ + 1]) << 8) |
                 (static_cast<uint32_t>(data_[pos_ + 2]) << 16) |
                 (static_cast<uint32_t>(data_[pos_ + 3]) << 24);
    pos_ += 4;
    return v;
  }
  int8_t I8() { return static_cast<int8_t>(U8()); }
  int16_t I16() { return static_cast<int16_t>(U16()); }
  int32_t I32() { return static_cast<int32_t>(U32()); }

  // Copies count bytes; on a short read the destination is zero-filled.
  bool Bytes(void* dst, size_t count) {
    if (count > Remaining()) {
      std::memset(dst, 0, count);
      Fail();
      return false;
    }
    if (count) std::memcpy(dst, data_ + pos_, count);
    pos_ += count;
    return true;
  }

 private:
  bool Fail() {
    ok_ = false;
    pos_ = size_;
    return false;
  }

  const uint8_t* data_ = nullptr;
  size_t size_ = 0;
  size_t pos_ = 0;
  bool ok_ = true;
};

class ByteWriter {
 public:
  void U8(uint8_t v) { bytes_.push_back(v); }
  void U16(uint16_t v) {
    bytes_.push_back(static_cast<uint8_t>(v));
    bytes_.push_back(static_cast<uint8_t>(v >> 8));
  }
  void U32(uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes_.push_back(static_cast<uint8_t>(v >> (8 * i)));
  }
  void I8(int8_t v) { U8(static_cast<uint8_t>(v)); }
  void I16(int16_t v) { U16(static_cast<uint16_t>(v)); }
  void I32(int32_t v) { U32(static_cast<uint32_t>(v)); }
  void Bytes(const void* src, size_t count) {
    const auto* p = static_cast<const uint8_t*>(src);
    bytes_.insert(bytes_.end(), p, p + count);
  }
  void Zeros(size_t count) { bytes_.insert(bytes_.end(), count, 0); }
  // Overwrites already written bytes (for sizes known only at the end).
  void PatchU32(size_t offset, uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes_.at(offset + i) = static_cast<uint8_t>(v >> (8 * i));
  }
  void PatchU16(size_t offset, uint16_t v) {
    bytes_.at(offset) = static_cast<uint8_t>(v);
    bytes_.at(offset + 1) = static_cast<uint8_t>(v >> 8);
  }

  size_t size() const { return bytes_.size(); }
  const std::vector<uint8_t>& bytes() const { return bytes_; }
  std::vector<uint8_t>& bytes() { return bytes_; }

 private:
  std::vector<uint8_t> bytes_;
};

// Whole-file helpers over host paths. ReadFileBytes refuses files larger than
// maxSize so that a hostile file cannot make us allocate without limit.
bool ReadFileBytes(const std::string& hostPath, std::vector<uint8_t>& out,
                   size_t maxSize = 256u * 1024u * 1024u);
bool WriteFileBytes(const std::string& hostPath, const void* data, size_t size);
inline bool WriteFileBytes(const std::string& hostPath, const std::vector<uint8_t>& data) {
  return WriteFileBytes(hostPath, data.data(), data.size());
}
// Writes a temporary file beside the target and renames it over the target,
// so that a crash in the middle never leaves a half-written file.
bool WriteFileAtomic(const std::string& hostPath, const void* data, size_t size);
inline bool WriteFileAtomic(const std::string& hostPath, const std::vector<uint8_t>& data) {
  return WriteFileAtomic(hostPath, data.data(), data.size());
}

}  // namespace torvel
