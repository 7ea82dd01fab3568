// The .ini reader on arbitrary text: it must never read outside it, and a
// value it finds is a piece of the text with no line break in it.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "common/profile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  for (const char* key : {"UpKey", "FireKey", "Window"}) {
    for (const char* section : {"Keyboard", "Display"}) {
      std::string value;
      if (!torvel::FindProfileString(text, section, key, value)) continue;
      if (value.find('\n') != std::string::npos) std::abort();
      if (!value.empty() && text.find(value) == std::string::npos) std::abort();
    }
  }
  return 0;
}
