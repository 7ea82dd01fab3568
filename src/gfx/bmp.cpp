#include "gfx/bmp.h"

#include "common/byte_io.h"

namespace torvel {

namespace {
constexpr int32_t kMaxSide = 16384;

// Run-length rows, bottom row first. Pixels a run leaves out stay 0. Some
// writers run on into a row's padding, which is dropped; runs that go
// further are refused.
bool DecodeRle8(const std::vector<uint8_t>& bytes, uint32_t offset, int32_t width, int32_t rows,
                std::vector<uint8_t>& pixels) {
  pixels.assign(static_cast<size_t>(width) * rows, 0);
  ByteReader r(bytes);
  if (!r.Seek(offset)) return false;
  int32_t x = 0, row = 0;  // row counts up from the bottom
  const int32_t stride = (width + 3) & ~3;
  auto put = [&](uint8_t v) {
    if (x >= stride || row >= rows) return false;
    if (x < width) pixels[static_cast<size_t>(rows - 1 - row) * width + x] = v;
    ++x;
    return true;
  };
  while (r.ok()) {
    uint8_t count = r.U8();
    uint8_t value = r.U8();
    if (!r.ok()) return false;
    if (count > 0) {
      for (int i = 0; i < count; ++i)
        if (!put(value)) return false;
    } else if (value == 0) {  // end of line
      x = 0;
      ++row;
    } else if (value == 1) {  // end of picture
      return true;
    } else if (value == 2) {  // move on
      x += r.U8();
      row += r.U8();
      if (!r.ok() || x > stride || row > rows) return false;
    } else {  // a literal run, padded to a whole word
      for (int i = 0; i < value; ++i)
        if (!put(r.U8())) return false;
      if (value & 1) r.U8();
    }
  }
  return false;
}
}  // namespace

bool DecodeBmp8(const std::vector<uint8_t>& bytes, BmpImage& image) {
  ByteReader r(bytes);
  if (r.U8() != 'B' || r.U8() != 'M') return false;
  r.Skip(8);  // file size and reserved words: not trusted
  uint32_t dataOffset = r.U32();
  uint32_t infoSize = r.U32();
  int32_t width = r.I32();
  int32_t height = r.I32();
  r.U16();  // planes
  uint16_t bitCount = r.U16();
  uint32_t compression = r.U32();
  r.Skip(12);  // image size, resolution
  uint32_t colorsUsed = r.U32();
  // 0: plain rows; 1: the run-length form other painting programs write.
  if (!r.ok() || infoSize < 40 || bitCount != 8 || compression > 1) return false;
  if (width <= 0 || width > kMaxSide || height == 0 || height < -kMaxSide || height > kMaxSide)
    return false;

  bool topDown = height < 0;
  int32_t rows = topDown ? -height : height;
  uint32_t colors = colorsUsed == 0 ? 256 : colorsUsed;
  if (colors > 256) return false;

  BmpImage out;
  out.width = width;
  out.height = rows;
  if (!r.Seek(14 + static_cast<size_t>(infoSize))) return false;
  for (uint32_t i = 0; i < colors; ++i) {
    out.palette[i * 4 + 0] = r.U8();
    out.palette[i * 4 + 1] = r.U8();
    out.palette[i * 4 + 2] = r.U8();
    out.palette[i * 4 + 3] = 0;
    r.U8();
  }
  if (!r.ok()) return false;

  if (compression == 1) {
    if (topDown || !DecodeRle8(bytes, dataOffset, width, rows, out.pixels)) return false;
    image = std::move(out);
    return true;
  }

  size_t stride = (static_cast<size_t>(width) + 3) & ~static_cast<size_t>(3);
  // The last row need not carry its padding.
  size_t needed = stride * (rows - 1) + width;
  if (dataOffset > bytes.size() || bytes.size() - dataOffset < needed) return false;
  out.pixels.resize(static_cast<size_t>(width) * rows);
  for (int32_t i = 0; i < rows; ++i) {
    const uint8_t* src = bytes.data() + dataOffset + stride * i;
    int32_t y = topDown ? i : rows - 1 - i;
    std::copy(src, src + width, out.pixels.begin() + static_cast<size_t>(y) * width);
  }
  image = std::move(out);
  return true;
}

bool ReadBmp8(const std::string& hostPath, BmpImage& image) {
  std::vector<uint8_t> bytes;
  if (!ReadFileBytes(hostPath, bytes, 64u * 1024u * 1024u)) return false;
  return DecodeBmp8(bytes, image);
}

std::vector<uint8_t> EncodeBmp8(const BmpImage& image) {
  size_t stride = (static_cast<size_t>(image.width) + 3) & ~static_cast<size_t>(3);
  uint32_t dataOffset = 14 + 40 + 1024;
  uint32_t dataSize = static_cast<uint32_t>(stride * image.height);
  ByteWriter w;
  w.U8('B');
  w.U8('M');
  w.U32(dataOffset + dataSize);
  w.U32(0);
  w.U32(dataOffset);
  w.U32(40);
  w.I32(image.width);
  w.I32(image.height);
  w.U16(1);
  w.U16(8);
  w.U32(0);
  w.U32(dataSize);
  w.U32(2835);  // 72 dpi
  w.U32(2835);
  w.U32(256);
  w.U32(256);
  for (int i = 0; i < 256; ++i) {
    w.U8(image.palette[i * 4 + 0]);
    w.U8(image.palette[i * 4 + 1]);
    w.U8(image.palette[i * 4 + 2]);
    w.U8(0);
  }
  for (int32_t i = 0; i < image.height; ++i) {
    int32_t y = image.height - 1 - i;
    w.Bytes(image.pixels.data() + static_cast<size_t>(y) * image.width, image.width);
    w.Zeros(stride - image.width);
  }
  return std::move(w.bytes());
}

}  // namespace torvel
