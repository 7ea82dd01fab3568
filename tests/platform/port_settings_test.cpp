#include "platform/port_settings.h"

#include <gtest/gtest.h>

#include <string>

#include "common/byte_io.h"
#include "support/headless_fixture.h"

namespace torvel {
namespace {

bool Same(const PortSettings& a, const PortSettings& b) {
  return a.forceWindow == b.forceWindow && a.integerScaling == b.integerScaling &&
         a.vsync == b.vsync && a.presentEveryFrame == b.presentEveryFrame;
}

PortSettings With(bool window, bool integer, bool vsync, bool every) {
  PortSettings s;
  s.forceWindow = window;
  s.integerScaling = integer;
  s.vsync = vsync;
  s.presentEveryFrame = every;
  return s;
}

TEST(PortSettings, OnAndOffWordsInAnyCaseAndDefaultsForTheRest) {
  const PortSettings defaults;
  struct Case {
    const char* what;
    const char* text;
    PortSettings want;
  } cases[] = {
      {"nothing", "", defaults},
      {"every setting turned round",
       "[Display]\nWindow=1\nIntegerScaling=0\nVSync=0\nPresentEveryFrame=1\n",
       With(true, false, false, true)},
      {"words in any case, CRLF lines",
       "[Display]\r\nWindow=YES\r\nIntegerScaling=Off\r\nVSync=False\r\nPresentEveryFrame=On\r\n",
       With(true, false, false, true)},
      {"true and no", "[Display]\nWindow=true\nIntegerScaling=no\n",
       With(true, false, true, false)},
      // A value the game does not know keeps the default, whichever it is.
      {"unknown values", "[Display]\nWindow=2\nIntegerScaling=maybe\nVSync=\nPresentEveryFrame=x\n",
       defaults},
      {"another section", "[Sound]\nWindow=1\nVSync=0\n", defaults},
      {"garbage", "\x01\xff[Display\nWindow\n=1\n", defaults},
  };
  for (const Case& c : cases) {
    const PortSettings got = ParsePortSettings(c.text);
    EXPECT_TRUE(Same(got, c.want))
        << c.what << ": window " << got.forceWindow << " integer " << got.integerScaling
        << " vsync " << got.vsync << " every " << got.presentEveryFrame;
  }
}

class PortSettingsFileTest : public testing::HeadlessTest {};

TEST_F(PortSettingsFileTest, AMissingFileGivesTheDefaultsAndALongOneIsReadForItsStart) {
  const std::string path = dir() + "/port.ini";
  EXPECT_TRUE(Same(ReadPortSettings(path), PortSettings{}));

  // The settings at the start of a file far longer than any real port.ini.
  std::string text = "[Display]\nWindow=1\n";
  text += std::string(1u << 20, ';');
  ASSERT_TRUE(WriteFileBytes(path, text.data(), text.size()));
  EXPECT_TRUE(ReadPortSettings(path).forceWindow);
}

}  // namespace
}  // namespace torvel
