// port.ini on arbitrary text: every setting comes out as on or off, and a
// setting the text does not name keeps its default.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "common/profile.h"
#include "platform/port_settings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const torvel::PortSettings settings = torvel::ParsePortSettings(text);
  const torvel::PortSettings defaults;
  std::string value;
  if (!torvel::FindProfileString(text, "Display", "Window", value) &&
      settings.forceWindow != defaults.forceWindow)
    std::abort();
  if (!torvel::FindProfileString(text, "Display", "IntegerScaling", value) &&
      settings.integerScaling != defaults.integerScaling)
    std::abort();
  if (!torvel::FindProfileString(text, "Display", "VSync", value) &&
      settings.vsync != defaults.vsync)
    std::abort();
  if (!torvel::FindProfileString(text, "Display", "PresentEveryFrame", value) &&
      settings.presentEveryFrame != defaults.presentEveryFrame)
    std::abort();
  return 0;
}
