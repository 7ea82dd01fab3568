#include "audio/wav.h"

#include "common/byte_io.h"

namespace torvel {

namespace {

constexpr uint16_t kFormatPcm = 1;
// Far beyond any sample the game plays (a long song is a few megabytes); a
// larger file is refused rather than read whole.
constexpr size_t kMaxWavFile = 256u * 1024u * 1024u;
// Rates outside this range are not sound anyone made on purpose.
constexpr uint32_t kMinRate = 100;
constexpr uint32_t kMaxRate = 384000;

bool IsTag(const uint8_t* p, const char* tag) {
  return p[0] == tag[0] && p[1] == tag[1] && p[2] == tag[2] && p[3] == tag[3];
}

}  // namespace

bool ParseWav(const uint8_t* bytes, size_t size, WavSound& out) {
  ByteReader r(bytes, size);
  uint8_t riff[4], wave[4];
  r.Bytes(riff, 4);
  r.U32();  // the RIFF size; chunks are walked against the bytes actually present
  r.Bytes(wave, 4);
  if (!r.ok() || !IsTag(riff, "RIFF") || !IsTag(wave, "WAVE")) return false;

  bool haveFormat = false;
  WaveFormat format;
  const uint8_t* data = nullptr;
  size_t dataSize = 0;
  while (r.Remaining() >= 8 && !(haveFormat && data)) {
    uint8_t id[4];
    r.Bytes(id, 4);
    uint32_t chunkSize = r.U32();
    size_t start = r.pos();
    size_t available = r.Remaining();
    if (IsTag(id, "fmt ") && !haveFormat) {
      if (chunkSize < 16 || chunkSize > available) return false;
      format.formatTag = r.U16();
      format.channels = r.U16();
      format.samplesPerSec = r.U32();
      format.avgBytesPerSec = r.U32();
      format.blockAlign = r.U16();
      format.bitsPerSample = r.U16();
      haveFormat = true;
    } else if (IsTag(id, "data") && !data) {
      // A writer that could not seek back (a pipe) leaves the size too large
      // or unset: the sample is whatever follows.
      data = bytes + start;
      dataSize = chunkSize <= available ? chunkSize : available;
    }
    // Chunks start on even offsets: an odd-sized chunk has one pad byte.
    uint64_t next = uint64_t{start} + chunkSize + (chunkSize & 1);
    if (next > size) break;
    r.Seek(static_cast<size_t>(next));
  }
  if (!haveFormat || !data) return false;

  if (format.formatTag != kFormatPcm) return false;
  if (format.channels != 1 && format.channels != 2) return false;
  if (format.bitsPerSample != 8 && format.bitsPerSample != 16) return false;
  if (format.samplesPerSec < kMinRate || format.samplesPerSec > kMaxRate) return false;
  uint16_t frameBytes = static_cast<uint16_t>(format.channels * format.bitsPerSample / 8);
  if (format.blockAlign != frameBytes) return false;
  // Some writers get the byte rate wrong; it follows from the rest.
  format.avgBytesPerSec = format.samplesPerSec * frameBytes;

  size_t whole = dataSize - dataSize % frameBytes;
  if (whole == 0) return false;
  out.format = format;
  out.data.assign(data, data + whole);
  return true;
}

bool LoadWav(const std::string& hostPath, WavSound& out) {
  std::vector<uint8_t> bytes;
  if (!ReadFileBytes(hostPath, bytes, kMaxWavFile)) return false;
  return ParseWav(bytes.data(), bytes.size(), out);
}

}  // namespace torvel
