// The replay reader on arbitrary bytes: it must never read outside them, and
// whatever it accepts must write back as a file that reads as the same replay.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "shell/replay.h"

namespace {

bool SameReplay(const torvel::Replay& a, const torvel::Replay& b) {
  if (a.continuing != b.continuing || a.slotCursor != b.slotCursor ||
      a.randomState != b.randomState || a.record != b.record || a.saveFile != b.saveFile ||
      a.finished != b.finished || a.steps.size() != b.steps.size())
    return false;
  if (std::memcmp(a.worldHashes, b.worldHashes, sizeof(a.worldHashes)) != 0) return false;
  if (a.finished && (a.recordedSteps != b.recordedSteps || a.recordedDigest != b.recordedDigest))
    return false;
  for (size_t i = 0; i < a.steps.size(); ++i) {
    if (a.steps[i].held != b.steps[i].held || a.steps[i].pressed != b.steps[i].pressed ||
        a.steps[i].key != b.steps[i].key)
      return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::vector<uint8_t> bytes(data, data + size);
  torvel::Replay replay;
  std::string error;
  if (!torvel::DecodeReplay(bytes, replay, error)) return 0;
  torvel::Replay again;
  if (!torvel::DecodeReplay(torvel::EncodeReplay(replay), again, error)) std::abort();
  if (!SameReplay(replay, again)) std::abort();
  return 0;
}
