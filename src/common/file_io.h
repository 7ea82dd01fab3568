// Whole-file helpers beyond byte_io.h's: reading the start of a file of any
// size, and the stops a test can put into the atomic write.
//
// WriteFileAtomic writes a temporary file beside the target, syncs it,
// renames it over the target and syncs the folder, checking every step
// (closes included), so that a crash or a power cut at any moment leaves
// either the old file or the new one, never half of one. It is false when
// any step fails (a full disk, say); the old file is then untouched.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace torvel {

// At most the first maxSize bytes of a file of any size; false when it
// cannot be read at all.
bool ReadFileHead(const std::string& hostPath, std::vector<uint8_t>& out, size_t maxSize);

// For tests that stop a writer at the moments a crash would hurt most: half
// of the bytes in the temporary file, and the whole file written and synced
// but not yet renamed. Null (the default) calls nothing.
enum class AtomicWriteStage { kHalfWritten, kBeforeRename };
using AtomicWriteHook = void (*)(AtomicWriteStage stage, const std::string& tempPath);
void SetAtomicWriteHook(AtomicWriteHook hook);

}  // namespace torvel
