// The special panel: the trigger flags, the effect, four number spinners and
// the message of one special slot of the current map.
#include <cstdio>
#include <cstring>

#include "editor/editor_internal.h"
#include "gfx/display.h"
#include "world/specials.h"

namespace torvel {

namespace {

struct TriggerBox {
  uint16_t bit;
  int32_t x, y;
  const char* label;
};

// The labels are the game's own texts, in its letter coding.
constexpr TriggerBox kTriggers[] = {
    {kTriggerHeroStep, 62, 26, "UAFN NFP0KA"},
    {kTriggerMonsterStep, 62, 40, "UAFN BPAFA"},
    {kTriggerHeroNear, 62, 54, "NFP0K B n KBADPATAX"},
    {kTriggerMapsDone, 62, 68, "UVN n YP0BHEN"},
    {kTriggerAllPieces, 62, 82, "L0VY4NTb BCE SPEVKN"},
    {kTriggerNoneOfKind, 62, 96, "YSNTb n M0HCTP0B"},
    {kTriggerCollected, 62, 110, "L0VY4NTb n YMA"},
    {kTriggerShot, 62, 124, "BbICTPEV B QEVb"},
    {kTriggerChained, 220, 54, "PA3SNTb QELb C0CEDA 0C0S0"},
    {kTriggerRepeat, 62, 148, "MH0F0KPATH0"},
    {kTriggerShowMessage, 62, 162, "L0KA3 C00S&EHNN"},
};

const char* const kEffectNames[10] = {"None",     "Summon", "Zap Wall", "MakeWall", "TogglWall",
                                      "Teleport", "Light",  "Goto Map", "WinLevel", "Show Pic"};

struct Spinner {
  int32_t x, y;
  int32_t min, max;
  const char* label;
};
constexpr Spinner kTrigValue = {210, 12, 0, 255, "Trigger Value"};
constexpr Spinner kEffectValue = {210, 180, -255, 255, "Effect Value"};
constexpr Spinner kTargetX = {370, 300, 0, 127, "Target X"};
constexpr Spinner kTargetY = {370, 330, 0, 127, "Target Y"};

Special& Edited() {
  return Ed().map->specials[static_cast<size_t>(Ed().specialSlot)];
}

bool In(int32_t v, int32_t lo, int32_t hi) {
  return v >= lo && v <= hi;
}

// The spinner's step under the pointer (0 when it is not on a button), and
// the value after it, wrapping past either end to the other.
int32_t Spin(const Spinner& sp, int32_t value, int32_t px, int32_t py) {
  if (!In(py, sp.y + 14, sp.y + 28)) return value;
  int32_t step = 0;
  if (In(px, sp.x, sp.x + 20)) step = -10;
  if (In(px, sp.x + 22, sp.x + 32)) step = -1;
  if (In(px, sp.x + 68, sp.x + 78)) step = 1;
  if (In(px, sp.x + 80, sp.x + 100)) step = 10;
  if (step == 0) return value;
  value += step;
  if (value < sp.min) value = sp.max;
  if (value > sp.max) value = sp.min;
  return value;
}

void DrawSpinner(const Spinner& sp, int32_t value) {
  Display& d = EdDisplay();
  EditorPrint(sp.x, sp.y, sp.label);
  struct Part {
    int32_t x1, x2;
    const char* label;
  };
  const Part parts[4] = {{0, 20, "--"}, {22, 32, "-"}, {68, 78, "+"}, {80, 100, "++"}};
  for (const Part& p : parts) {
    d.Box(sp.x + p.x1, sp.y + 14, sp.x + p.x2, sp.y + 28, 16);
    EditorPrint(sp.x + p.x1 + 2, sp.y + 16, p.label);
  }
  char text[32];
  std::snprintf(text, sizeof(text), "%03d", static_cast<int>(value));
  EditorPrint(sp.x + 38, sp.y + 16, text);
}

}  // namespace

void OpenSpecialAt(int32_t tx, int32_t ty) {
  EditorState& s = Ed();
  Map& map = *s.map;
  for (int i = 0; i < kSpecialSlots; ++i) {
    const Special& sp = map.specials[static_cast<size_t>(i)];
    if (sp.trigger != 0 && sp.x == tx && sp.y == ty) {
      s.specialSlot = i;
      s.mode = kModeSpecial;
      return;
    }
  }
  for (int i = 0; i < kSpecialSlots; ++i) {
    Special& sp = map.specials[static_cast<size_t>(i)];
    if (sp.trigger != 0) continue;
    sp.x = static_cast<uint8_t>(tx);
    sp.y = static_cast<uint8_t>(ty);
    s.specialSlot = i;
    s.mode = kModeSpecial;
    return;
  }
}

void SpecialClick() {
  const EditorState& s = Ed();
  Special& sp = Edited();
  int32_t px = s.pointerX, py = s.pointerY;

  if (In(px, 62, 71)) {
    constexpr struct {
      int32_t y1, y2;
      uint16_t bit;
    } kRows[] = {{26, 39, 0x0001},   {40, 53, 0x0002},  {54, 67, 0x0004},   {68, 81, 0x0008},
                 {82, 95, 0x0010},   {96, 109, 0x0020}, {110, 123, 0x0040}, {124, 137, 0x0080},
                 {148, 161, 0x0100}, {162, 175, 0x0200}};
    for (const auto& row : kRows) {
      if (In(py, row.y1, row.y2)) sp.trigger ^= row.bit;
    }
  }
  if (In(px, 220, 229) && In(py, 54, 67)) sp.trigger ^= kTriggerChained;

  // The effect rows are a little uneven; where two meet, the later one wins.
  if (In(px, 62, 132)) {
    if (In(py, 194, 208)) sp.effect = 0;
    if (In(py, 210, 226)) sp.effect = 1;
    if (In(py, 228, 242)) sp.effect = 2;
    if (In(py, 244, 256)) sp.effect = 3;
    if (In(py, 258, 270)) sp.effect = 4;
  }
  if (In(px, 134, 204)) {
    if (In(py, 194, 208)) sp.effect = 5;
    if (In(py, 210, 226)) sp.effect = 6;
    if (In(py, 228, 242)) sp.effect = 7;
    if (In(py, 242, 256)) sp.effect = 8;
    if (In(py, 258, 272)) sp.effect = 9;
  }

  sp.trigValue = static_cast<uint8_t>(Spin(kTrigValue, sp.trigValue, px, py));
  sp.value = Spin(kEffectValue, sp.value, px, py);
  sp.targetX = static_cast<uint8_t>(Spin(kTargetX, sp.targetX, px, py));
  sp.targetY = static_cast<uint8_t>(Spin(kTargetY, sp.targetY, px, py));
}

void SpecialKey(uint8_t key) {
  EditorState& s = Ed();
  Special& sp = Edited();
  size_t len = strnlen(sp.msg, sizeof(sp.msg));
  if (key == kKeyEscape) {
    s.mode = kModeMap;
  } else if (key == kKeyBackspace) {
    if (len > 0) sp.msg[len - 1] = '\0';
  } else if (key >= 32 && len < kMessageMax) {
    // Enter and the other control codes are not part of a message.
    sp.msg[len] = static_cast<char>(key);
    sp.msg[len + 1] = '\0';
  }
}

void DrawSpecialPanel() {
  Display& d = EdDisplay();
  const Special& sp = Edited();
  d.FillBox(60, 10, 480, 370, 8);
  d.Box(60, 10, 480, 370, 16);
  EditorPrintCoded(62, 12, "TYMSVEP");
  for (const TriggerBox& t : kTriggers) {
    DrawCheckbox(t.x, t.y, (sp.trigger & t.bit) != 0, "");
    EditorPrintCoded(t.x + 13, t.y, t.label);
  }
  EditorPrint(62, 180, "Effect");
  for (int e = 0; e < 10; ++e) {
    int32_t x1 = e < 5 ? 62 : 134, x2 = x1 + 70;
    int32_t y1 = 194 + 16 * (e % 5), y2 = y1 + 14;
    d.Box(x1, y1, x2, y2, sp.effect == e ? 31 : 16);
    EditorPrint(x1 + 2, y1 + 2, kEffectNames[e]);
  }
  DrawSpinner(kTrigValue, sp.trigValue);
  DrawSpinner(kEffectValue, sp.value);
  DrawSpinner(kTargetX, sp.targetX);
  DrawSpinner(kTargetY, sp.targetY);
  EditorPrint(62, 341, "Message");
  d.Box(62, 355, 362, 368, 16);
  d.FillBox(63, 356, 361, 367, 0);
  char msg[sizeof(sp.msg) + 1] = {};
  std::memcpy(msg, sp.msg, sizeof(sp.msg));
  EditorPrintCoded(64, 357, msg);
}

}  // namespace torvel
