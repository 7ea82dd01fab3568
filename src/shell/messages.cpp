// The two message lines.
//
// The big line drops in from above, bounces on row 200 with ever smaller
// bounces and flashes once; the small line rises from below the screen to row
// 448. Both leave the screen the way they came once their time is up.
#include "shell/messages.h"

#include <cstring>

#include "audio/sound.h"
#include "gfx/font.h"

namespace torvel {

namespace {

constexpr int kTextBytes = 32;
constexpr int32_t kBigStartY = -100;
constexpr int32_t kBigFloorY = 200;
constexpr int32_t kSmallStartY = 484;
constexpr int32_t kSmallStartSpeed = -8;
constexpr int32_t kOffScreenY = 480;
constexpr int32_t kFlashTop = 32;
constexpr int kHintSound = 33;

struct MessageLine {
  char text[kTextBytes] = {};
  int32_t x = 0;
  int32_t y = 0;
  int32_t ySpeed = 0;
  int32_t time = 0;
  int32_t brightness = 0;
  int8_t brightnessStep = 0;
};

struct MessagesState {
  MessageLine big;
  MessageLine small;
};

MessagesState gMessages;

void CopyText(char (&dst)[kTextBytes], const char* text) {
  std::memset(dst, 0, sizeof(dst));
  if (!text) return;
  // Room for 31 characters and the terminating zero.
  std::strncpy(dst, text, kTextBytes - 1);
}

void StartLine(MessageLine& line, const char* text, int32_t steps, int fontNo, int32_t y,
               int32_t ySpeed) {
  CopyText(line.text, text);
  line.x = 320 - TextWidthOf(line.text, fontNo) / 2;
  line.y = y;
  line.ySpeed = ySpeed;
  line.time = steps;
  line.brightness = -32;
  line.brightnessStep = 2;
}

// Counts the time down; false once it has run out (the line then fades).
bool CountDown(MessageLine& line) {
  if (line.time > 0) {
    --line.time;
  } else {
    line.brightnessStep = -2;
  }
  return line.time > 0;
}

// A settled flash: once the step has turned downward and the brightness
// passed 0, it stays at normal brightness.
void SettleFlash(MessageLine& line) {
  if (line.brightnessStep < 0 && line.brightness < 0) {
    line.brightnessStep = 0;
    line.brightness = 0;
  }
}

void LeaveScreen(MessageLine& line) {
  if (line.y > kOffScreenY) {
    line.text[0] = 0;
    line.y = 0;
    line.ySpeed = 0;
  }
}

void StepBig(MessageLine& line) {
  line.y += line.ySpeed;
  line.ySpeed += 2;
  line.brightness += line.brightnessStep;
  if (CountDown(line)) {
    if (line.y > kBigFloorY) {
      line.y = kBigFloorY;
      // Each bounce keeps half the speed; a bounce too small to see is none.
      line.ySpeed = -(line.ySpeed / 2);
      if (line.ySpeed > -2 && line.ySpeed < 2) line.ySpeed = 0;
    }
    if (line.brightness >= kFlashTop) line.brightnessStep = -1;
    SettleFlash(line);
  }
  LeaveScreen(line);
}

void StepSmall(MessageLine& line) {
  line.y += line.ySpeed;
  line.ySpeed += 1;
  line.brightness += line.brightnessStep;
  if (CountDown(line)) {
    if (line.ySpeed >= 0) line.ySpeed = 0;
    if (line.brightness >= kFlashTop) line.brightnessStep = -2;
    SettleFlash(line);
  }
  LeaveScreen(line);
}

}  // namespace

void ResetMessages() {
  gMessages = MessagesState{};
  ResetDialogue();
}

void ShowBigMessage(const char* text, int32_t steps) {
  StartLine(gMessages.big, text, steps, kFontBig, kBigStartY, 0);
}

void ShowSmallMessage(const char* text, int32_t steps) {
  StartLine(gMessages.small, text, steps, kFontSmall, kSmallStartY, kSmallStartSpeed);
}

void ShowHint(const char* text, int32_t steps) {
  if (!text) return;
  if (std::strncmp(gMessages.small.text, text, kTextBytes - 1) == 0) return;
  ShowSmallMessage(text, steps);
  MakeNormalSound(kHintSound);
}

void ClearSmallMessage() {
  gMessages.small = MessageLine{};
}

const char* BigMessageText() {
  return gMessages.big.text;
}
const char* SmallMessageText() {
  return gMessages.small.text;
}

MessagePlace BigMessagePlace() {
  const MessageLine& l = gMessages.big;
  return {l.x, l.y, l.ySpeed, l.time, l.brightness};
}

MessagePlace SmallMessagePlace() {
  const MessageLine& l = gMessages.small;
  return {l.x, l.y, l.ySpeed, l.time, l.brightness};
}

void UpdateMessages() {
  if (gMessages.big.text[0]) StepBig(gMessages.big);
  if (gMessages.small.text[0]) StepSmall(gMessages.small);
}

void DrawMessages() {
  const MessageLine& small = gMessages.small;
  if (small.text[0]) PrintBright(small.x, small.y, small.text, small.brightness / 2, kFontSmall);
  const MessageLine& big = gMessages.big;
  if (big.text[0]) Print(big.x, big.y, big.text, big.brightness / 2, kFontBig);
}

}  // namespace torvel
