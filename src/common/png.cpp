#include "common/png.h"

#include <zlib.h>

#include "common/byte_io.h"

namespace torvel {

namespace {

void PutBigEndian32(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(static_cast<uint8_t>(v >> 24));
  out.push_back(static_cast<uint8_t>(v >> 16));
  out.push_back(static_cast<uint8_t>(v >> 8));
  out.push_back(static_cast<uint8_t>(v));
}

void PutChunk(std::vector<uint8_t>& out, const char type[4], const std::vector<uint8_t>& data) {
  PutBigEndian32(out, static_cast<uint32_t>(data.size()));
  size_t start = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  uLong crc = crc32(0L, Z_NULL, 0);
  crc = crc32(crc, out.data() + start, static_cast<uInt>(out.size() - start));
  PutBigEndian32(out, static_cast<uint32_t>(crc));
}

// Rows of `channels` bytes a pixel, packed: 3 is RGB, 4 RGB with alpha.
std::vector<uint8_t> EncodePng(const uint8_t* pixels, int width, int height, int channels) {
  const size_t rowBytes = static_cast<size_t>(channels) * width;
  std::vector<uint8_t> raw;
  raw.reserve(static_cast<size_t>(height) * (1 + rowBytes));
  for (int y = 0; y < height; ++y) {
    raw.push_back(0);  // filter: none
    const uint8_t* row = pixels + static_cast<size_t>(y) * rowBytes;
    raw.insert(raw.end(), row, row + rowBytes);
  }
  uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
  std::vector<uint8_t> packed(packedSize);
  if (compress2(packed.data(), &packedSize, raw.data(), static_cast<uLong>(raw.size()), 6) != Z_OK)
    return {};
  packed.resize(packedSize);

  std::vector<uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<uint8_t> header;
  PutBigEndian32(header, static_cast<uint32_t>(width));
  PutBigEndian32(header, static_cast<uint32_t>(height));
  header.push_back(8);                      // bit depth
  header.push_back(channels == 4 ? 6 : 2);  // colour type: RGB with alpha, or RGB
  header.push_back(0);
  header.push_back(0);
  header.push_back(0);
  PutChunk(out, "IHDR", header);
  PutChunk(out, "IDAT", packed);
  PutChunk(out, "IEND", {});
  return out;
}

}  // namespace

std::vector<uint8_t> EncodeRgbPng(const uint8_t* rgb, int width, int height) {
  return EncodePng(rgb, width, height, 3);
}

bool WriteRgbaPng(const std::string& hostPath, const uint8_t* rgba, int width, int height) {
  std::vector<uint8_t> bytes = EncodePng(rgba, width, height, 4);
  return !bytes.empty() && WriteFileBytes(hostPath, bytes);
}

bool WriteRgbPng(const std::string& hostPath, const uint8_t* rgb, int width, int height) {
  std::vector<uint8_t> bytes = EncodeRgbPng(rgb, width, height);
  return !bytes.empty() && WriteFileBytes(hostPath, bytes);
}

bool WritePalettedPng(const std::string& hostPath, const uint8_t* pixels, int width, int height,
                      int pitch, const uint8_t bgrx[1024]) {
  std::vector<uint8_t> rgb(static_cast<size_t>(width) * height * 3);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      uint8_t v = pixels[static_cast<size_t>(y) * pitch + x];
      uint8_t* p = &rgb[(static_cast<size_t>(y) * width + x) * 3];
      p[0] = bgrx[v * 4 + 2];
      p[1] = bgrx[v * 4 + 1];
      p[2] = bgrx[v * 4 + 0];
    }
  }
  return WriteRgbPng(hostPath, rgb.data(), width, height);
}

}  // namespace torvel
