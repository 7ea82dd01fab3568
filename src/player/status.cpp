// The status display.
//
// What it shows trails the player record a little: the bars and the
// collection gauge move 2 a frame toward their values, the spell cards rise
// and sink a pixel a frame, and the gauge and the creature bar slide in and
// out, so that every change reads as movement.
#include "player/status.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "actors/kinds.h"
#include "gfx/display.h"
#include "gfx/font.h"
#include "gfx/sprites.h"
#include "player/player.h"
#include "player/player_record.h"
#include "world/prepare.h"

namespace torvel {

namespace {

constexpr int32_t kBarHiddenY = 500;
constexpr int32_t kBarShownY = 462;
constexpr uint16_t kBarFrames = 60;
constexpr int32_t kGaugeOutX = 680;  // off the right edge
constexpr int32_t kGaugeInX = 640;
constexpr int kGolemKind = 20;  // the summoned golem shows its own bar

struct StatusState {
  SpriteSet sprites;
  uint8_t shownLife = 0;
  uint8_t shownMana = 0;
  uint8_t shownGauge = 0;
  uint8_t spellRaise[kSpellSlots] = {};
  uint8_t frameCounter = 0;
  uint16_t barTimer = 0;
  int32_t barValue = 0;
  int32_t barTarget = 0;
  int32_t barY = kBarHiddenY;
  char barName[32] = {};
  bool barSteady = false;
  int32_t gaugeX = kGaugeOutX;
};
StatusState gStatus;

// One step of a shown value toward its target.
uint8_t StepToward(uint8_t shown, int32_t target) {
  if (shown < target) return static_cast<uint8_t>(shown + 1);
  if (shown > target) return static_cast<uint8_t>(shown - 1);
  return shown;
}

void VLine(int32_t x, int32_t y1, int32_t y2, uint8_t colour) {
  GraphicsFillBox(x, y1, x, y2, colour);
}
void HLine(int32_t x1, int32_t x2, int32_t y, uint8_t colour) {
  GraphicsFillBox(x1, y, x2, y, colour);
}

// A bar of value v out of m at (x, y): rounded ends, a light stripe along
// the top and a shaded body; green, gold or red by how full it is (kind 0),
// or blue (kind 1). An end mark shows where a short bar would be full.
void DrawBar(int32_t x, int32_t y, int32_t v, int32_t m, int kind) {
  if (v < m && m < 128) VLine(x + m - 1, y + 1, y + 7, 16);
  if (v <= 0) return;
  const int32_t o = v - 1;
  int32_t f = 111;
  if (kind == 0) f = o > m * 2 / 3 ? 44 : (o > m / 3 ? 174 : 140);
  VLine(x, y + 1, y + 7, static_cast<uint8_t>(f - 6));
  VLine(x + o, y + 1, y + 7, static_cast<uint8_t>(f - 6));
  if (v >= 2) {
    VLine(x + 1, y + 1, y + 7, static_cast<uint8_t>(f - 1));
    VLine(x + o - 1, y + 1, y + 7, static_cast<uint8_t>(f - 1));
  }
  if (v >= 4) {
    const int32_t a = x + 2, b = x + o - 2;
    HLine(a, b, y, static_cast<uint8_t>(f - 3));
    HLine(a, b, y + 8, static_cast<uint8_t>(f - 3));
    HLine(a, b, y + 1, static_cast<uint8_t>(f));
    HLine(a, b, y + 7, static_cast<uint8_t>(f));
    HLine(a, b, y + 2, static_cast<uint8_t>(f + 8));
    GraphicsFillBox(a, y + 3, b, y + 6, static_cast<uint8_t>(f + 4));
  }
}

// The collection gauge's value: 128 with nothing collected, down to 0 when
// all is collected or the map has nothing to collect.
int32_t GaugeTarget(const PlayerRecord& p) {
  uint32_t total = CollectibleTotal();
  if (total == 0) return 0;
  uint32_t collected = std::min(p.collected, total);
  return 128 - static_cast<int32_t>(collected * 128 / total);
}

void DrawCreatureBar(Display* display) {
  if (gStatus.barTimer == 0) return;
  --gStatus.barTimer;
  if (gStatus.barValue < gStatus.barTarget) {
    gStatus.barValue = std::min(gStatus.barValue + 4, gStatus.barTarget);
  } else if (gStatus.barValue > gStatus.barTarget) {
    gStatus.barValue = std::max(gStatus.barValue - 4, gStatus.barTarget);
  }
  // In for most of its time, out again over its last ten frames.
  if (gStatus.barTimer < 11) {
    gStatus.barY += 4;
  } else {
    gStatus.barY = std::max(gStatus.barY - 4, kBarShownY);
  }
  const int32_t y = gStatus.barY;
  Draw(StatusSprite(30), 0, y, display);
  DrawBar(2, y + 4, gStatus.barValue, 128, 0);
  Print(10, y - 20, gStatus.barName, 1, kFontSmall);
  if (gStatus.barSteady || (gStatus.frameCounter & 2) == 0)
    Print(9, y - 21, gStatus.barName, 0, kFontSmall);
}

void DrawKeys(Display* display, const PlayerRecord& p) {
  if (p.specialKeys[2]) Draw(StatusSprite(2), 86, -17, display);
  if (p.specialKeys[0]) Draw(StatusSprite(3), 86, -17, display);
  if (p.specialKeys[1]) Draw(StatusSprite(4), 86, -17, display);
  if (p.keys >= 1) Draw(StatusSprite(p.keys >= 3 ? 7 : 4 + p.keys), 86, -17, display);
}

// Empty from the top: the black part is what is still needed for the next level.
void DrawExperienceGauge(const PlayerRecord& p) {
  int32_t needed = p.experienceNeeded;
  int32_t remaining = 19;
  if (needed != 0) remaining = (needed - std::min<int32_t>(p.experience, needed)) * 19 / needed;
  for (int32_t i = 0; i < 19; ++i) {
    uint8_t colour = i < remaining ? 0 : static_cast<uint8_t>(152 + remaining - i);
    HLine(2, 36, 33 + i, colour);
  }
}

void DrawSpells(Display* display, const PlayerRecord& p) {
  for (int slot = 0; slot < kSpellSlots; ++slot) {
    uint8_t& raise = gStatus.spellRaise[slot];
    if (slot == p.selectedSpell) {
      if (raise < 10) ++raise;
    } else if (raise > 0) {
      --raise;
    }
  }
  for (int slot = kSpellSlots - 1; slot >= 0; --slot) {
    if (p.spells[slot] == 0) continue;
    const int raise = gStatus.spellRaise[slot];
    Draw(StatusSprite(11 + 2 * slot + (p.spells[slot] >= 2 ? 1 : 0)), 512 + 12 * slot + raise,
         22 + raise, display);
  }
  if (p.selectedSpell < kSpellSlots && p.spells[p.selectedSpell] != 0) {
    const char* name = p.spells[p.selectedSpell] >= 2 ? SpellUpgradedName(p.selectedSpell)
                                                      : SpellLearnedName(p.selectedSpell);
    PrintGlowRight(638, -1, name, kFontSmall);
  }
}

void DrawCollectionGauge(Display* display) {
  int32_t& x = gStatus.gaugeX;
  if (gStatus.shownGauge != 0) {
    if (x > kGaugeInX) --x;
  } else if (x < kGaugeOutX) {
    ++x;
  }
  Draw(StatusSprite(8), x, 479, display);
  if (gStatus.shownGauge != 0)
    GraphicsFillBox(x - 19, 477 - gStatus.shownGauge, x - 4, 476,
                    static_cast<uint8_t>(109 + gStatus.shownGauge / 8));
  Draw(StatusSprite(9), x, 479, display);
}

}  // namespace

bool LoadStatusSprites() {
  return gStatus.sprites.Load("graphics\\intface.vsp");
}
void FreeStatusSprites() {
  gStatus.sprites.Free();
}
const Sprite* StatusSprite(int index) {
  return gStatus.sprites.GetSprite(index);
}

void ResetStatus() {
  gStatus.gaugeX = kGaugeOutX;
  gStatus.shownLife = 0;
  gStatus.shownMana = 0;
  gStatus.shownGauge = 0;
  gStatus.barTimer = 0;
  std::memset(gStatus.spellRaise, 0, sizeof gStatus.spellRaise);
}

void DrawStatus(Display* display) {
  const PlayerRecord& p = Player();
  ++gStatus.frameCounter;
  const int32_t gauge = GaugeTarget(p);
  for (int i = 0; i < 2; ++i) {
    gStatus.shownLife = StepToward(gStatus.shownLife, p.life);
    gStatus.shownMana = StepToward(gStatus.shownMana, p.mana);
    gStatus.shownGauge = StepToward(gStatus.shownGauge, gauge);
  }

  Draw(StatusSprite(0), 0, -1, display);
  DrawBar(2, 3, gStatus.shownLife, p.lifeMax, 0);
  DrawBar(2, 19, gStatus.shownMana, p.manaMax, 1);

  if (p.shotDelay < 12)
    DrawGhost(StatusSprite(31 + (12 - p.shotDelay) * 8 / 12), 244, 14, display, -4);
  if (p.shotFlags & kShotFlag1) DrawGhost(StatusSprite(40), 255, 14, display, -4);
  if (p.shotFlags & kShotFlag2) DrawGhost(StatusSprite(41), 266, 14, display, -6);
  for (int i = 0; i < p.shotPower; ++i) Draw(StatusSprite(1), 21 * i, -1, display);

  DrawCreatureBar(display);
  DrawKeys(display, p);
  DrawExperienceGauge(p);
  Draw(StatusSprite(43 + p.level / 10), 0, 31, display);
  Draw(StatusSprite(53 + p.level % 10), 0, 31, display);
  Draw(StatusSprite(42), 443, -1, display);
  DrawSpells(display, p);

  char money[16];
  std::snprintf(money, sizeof money, "$%05d", p.money);
  PrintGlow(320, -1, money, kFontSmall);
  DrawCollectionGauge(display);
}

void ShowCreatureBar(const char* name, int32_t from, int32_t to, bool steady) {
  std::snprintf(gStatus.barName, sizeof gStatus.barName, "%s", name ? name : "");
  gStatus.barValue = from;
  gStatus.barTarget = to;
  gStatus.barSteady = steady;
  if (gStatus.barTimer == 0) gStatus.barY = kBarHiddenY;
  gStatus.barTimer = kBarFrames;
}

bool CreatureBarShowsOther() {
  return gStatus.barTimer > 0 && gStatus.barY < kBarHiddenY &&
         std::strcmp(gStatus.barName, KindName(kGolemKind)) != 0;
}

}  // namespace torvel
