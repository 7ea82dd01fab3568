#include "platform/port_settings.h"

#include <cctype>
#include <vector>

#include "common/byte_io.h"
#include "common/file_io.h"
#include "common/profile.h"

namespace torvel {

namespace {

// No real port.ini comes near this; a bigger file is read for its start.
constexpr size_t kMaxPortIniBytes = 64u * 1024u;

void ReadFlag(const std::string& text, const char* key, bool& flag) {
  std::string value;
  if (!FindProfileString(text, "Display", key, value)) return;
  for (char& c : value) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (value == "1" || value == "yes" || value == "true" || value == "on") flag = true;
  if (value == "0" || value == "no" || value == "false" || value == "off") flag = false;
}

}  // namespace

PortSettings ParsePortSettings(const std::string& text) {
  PortSettings settings;
  ReadFlag(text, "Window", settings.forceWindow);
  ReadFlag(text, "IntegerScaling", settings.integerScaling);
  ReadFlag(text, "VSync", settings.vsync);
  ReadFlag(text, "PresentEveryFrame", settings.presentEveryFrame);
  return settings;
}

PortSettings ReadPortSettings(const std::string& hostPath) {
  std::vector<uint8_t> bytes;
  if (!ReadFileHead(hostPath, bytes, kMaxPortIniBytes)) return PortSettings{};
  return ParsePortSettings(std::string(bytes.begin(), bytes.end()));
}

}  // namespace torvel
