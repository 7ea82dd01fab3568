#include "world/items.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "gfx/draw_list.h"
#include "gfx/sprites.h"
#include "support/headless_fixture.h"

namespace torvel {
namespace {

using testing::HeadlessTest;

TEST(ItemLookTest, FramesAndBrightnessFollowTheClock) {
  const int l = -5;
  const struct {
    uint8_t item;
    uint8_t clock;
    int sprite;
    int bright;
    uint8_t colour;
    bool ghost;
    int height;
    bool shadow;
  } cases[] = {
      // Money turns one frame per four ticks through eight frames.
      {8, 0, 159, l, 255, false, 0, false},
      {8, 4, 160, l, 255, false, 0, false},
      {8, 31, 166, l, 255, false, 0, false},
      {8, 32, 159, l, 255, false, 0, false},
      {9, 13, 150, l, 255, false, 0, false},
      // The relic cycles through the eight ramps, brightest at the turn.
      {20, 16, 25, l, 0, false, 0, false},
      {20, 32, 25, l + 16, 1, false, 0, false},
      {20, 255, 25, l + 15, 7, false, 0, false},
      // The collectible pulses around six shades down.
      {11, 3, 7, l - 6, 255, true, 6, false},
      {11, 0, 7, l - 3, 255, true, 6, false},
      {1, 6, 0, l + 3, 255, true, 0, false},
      {2, 5, 64, l, 255, true, 8, true},
      {3, 8, 67, l, 255, true, 8, true},
      {4, 15, 82, l, 255, true, 8, true},
      {5, 7, 46, l, 255, false, 4, true},
      {5, 32, 43, l, 255, false, 4, true},
      {6, 8, 156, l + 2, 255, false, 0, false},
      {7, 9, 155, l, 255, false, 0, false},
      {12, 17, 84, l - 2, 255, false, 8, true},
      {13, 3, 102, l - 4, 255, false, 8, true},
      {14, 31, 130, l, 255, false, 8, true},
      {15, 0, 131, l - 1, 255, false, 8, true},
      {16, 9, 17, l, 255, false, 0, false},
      {19, 9, 20, l, 255, false, 0, false},
      {10, 0, 34, l, 255, false, 0, false},
      {30, 0, 32, l, 255, false, 0, false},
      {31, 0, 26, l, 255, false, 0, false},
      {32, 0, 42, l, 255, false, 0, false},
      {50, 0, 1, l, 255, false, 0, false},
      {51, 0, 27, l, 255, false, 0, false},
      {52, 0, 30, l, 255, false, 0, false},
      {53, 0, 31, l, 255, false, 0, false},
      {54, 0, 28, l, 255, false, 0, true},
      {55, 0, 36, l, 255, false, 0, true},
      {56, 0, 37, l, 255, false, 0, true},
      {69, 0, 39, l, 255, false, 0, true},
      {70, 0, 2, l, 255, false, 0, false},
      {79, 0, 29, l, 255, false, 0, true},
      {80, 0, 40, l, 255, false, 0, true},
      {81, 0, 157, l, 255, false, 0, true},
      {82, 0, 158, l, 255, false, 0, true},
  };
  for (const auto& c : cases) {
    const ItemLook look = LookOfItem(c.item, c.clock, l);
    ASSERT_TRUE(look.drawn) << int(c.item);
    EXPECT_EQ(look.sprite, c.sprite) << "item " << int(c.item) << " clock " << int(c.clock);
    EXPECT_EQ(look.bright, c.bright) << "item " << int(c.item) << " clock " << int(c.clock);
    EXPECT_EQ(look.colour, c.colour) << "item " << int(c.item) << " clock " << int(c.clock);
    EXPECT_EQ(look.ghost, c.ghost) << "item " << int(c.item);
    EXPECT_EQ(look.height, c.height) << "item " << int(c.item);
    EXPECT_EQ(look.shadow, c.shadow) << "item " << int(c.item);
    EXPECT_EQ(look.offsetX, 0) << "item " << int(c.item);
  }
}

TEST(ItemLookTest, LockedDoorsSitLowLeftAndUnlistedNumbersDrawNothing) {
  for (uint8_t item = 71; item <= 78; ++item) {
    const ItemLook look = LookOfItem(item, 5, 3);
    EXPECT_TRUE(look.drawn);
    EXPECT_EQ(look.sprite, item - 62);
    EXPECT_EQ(look.offsetX, -14);
    EXPECT_EQ(look.offsetY, 11);
    EXPECT_EQ(look.bright, 3);
    EXPECT_EQ(IconOfItem(item).sprite, item - 62);
    EXPECT_EQ(IconOfItem(item).offsetX, -14);
  }
  for (uint8_t item : {0, 21, 25, 29, 33, 49, 57, 68, 83, 255}) {
    EXPECT_FALSE(LookOfItem(item, 0, 0).drawn) << int(item);
    EXPECT_FALSE(IconOfItem(item).drawn) << int(item);
  }
}

TEST(ItemLookTest, EditorIconsAreStillFirstFramesOrTexts) {
  const struct {
    uint8_t item;
    int sprite;
  } cases[] = {{1, 0},  {2, 3},   {3, 4},   {4, 5},   {5, 43},  {8, 159}, {9, 147},
               {11, 7}, {12, 24}, {13, 21}, {14, 22}, {15, 23}, {20, 25}, {81, 157}};
  for (const auto& c : cases) {
    const ItemIcon icon = IconOfItem(c.item);
    EXPECT_TRUE(icon.drawn);
    EXPECT_EQ(icon.text, nullptr);
    EXPECT_EQ(icon.sprite, c.sprite) << int(c.item);
  }
  EXPECT_STREQ(IconOfItem(69).text, "SKLDOOR");
  EXPECT_STREQ(IconOfItem(80).text, "SKLDOOR2");
}

TEST(ItemClassTest, NumbersDecideWhatAnItemIs) {
  const struct {
    uint8_t item;
    bool pickup, blocksWalkers, blocksAll, door;
  } cases[] = {
      {0, false, false, false, false}, {1, true, false, false, false},
      {25, true, false, false, false}, {49, true, false, false, false},
      {50, false, true, false, false}, {68, false, true, false, false},
      {69, false, true, true, false},  {70, false, true, true, false},
      {71, false, true, true, true},   {78, false, true, true, true},
      {79, false, true, true, false},  {82, false, true, true, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ItemIsPickup(c.item), c.pickup) << int(c.item);
    EXPECT_EQ(ItemBlocksWalkers(c.item), c.blocksWalkers) << int(c.item);
    EXPECT_EQ(ItemBlocksAll(c.item), c.blocksAll) << int(c.item);
    EXPECT_EQ(IsLockedDoor(c.item), c.door) << int(c.item);
  }
  const struct {
    uint8_t door;
    int key;
  } keys[] = {{71, 0}, {72, 1}, {73, 2}, {74, 3}, {75, 0}, {76, 1}, {77, 2}, {78, 3}};
  for (const auto& k : keys) EXPECT_EQ(DoorKey(k.door), k.key) << int(k.door);
  EXPECT_TRUE(IsTorch(81));
  EXPECT_TRUE(IsTorch(82));
  EXPECT_FALSE(IsTorch(80));
}

// A stand-in item set: sprite n is one pixel of value n with its hot spot on it.
class ItemsTest : public HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    std::vector<Sprite> sprites;
    for (int n = 0; n < 167; ++n) {
      uint8_t pixel = static_cast<uint8_t>(n);
      sprites.push_back(EncodeSprite(&pixel, 1, 1, 1, 255, 0, 0));
    }
    std::filesystem::create_directories(dir() + "/graphics");
    ASSERT_TRUE(WriteSpriteSet(dir() + "/graphics/items.vsp", sprites));
    SetItemClock(77);
    ASSERT_TRUE(LoadItems());
    ClearDrawList();
    SetCamera(ToFixed(320), ToFixed(240));
  }
  void TearDown() override {
    FreeItems();
    ClearDrawList();
    HeadlessTest::TearDown();
  }
};

TEST_F(ItemsTest, LoadingStartsTheClockAndTicksWrapAt256) {
  EXPECT_EQ(ItemClock(), 0);
  for (int i = 0; i < 255; ++i) TickItems();
  EXPECT_EQ(ItemClock(), 255);
  TickItems();
  EXPECT_EQ(ItemClock(), 0);
  EXPECT_NE(GetItemSprite(166), nullptr);
  EXPECT_EQ(GetItemSprite(167), nullptr);
}

TEST_F(ItemsTest, DrawItemQueuesTheBodyAndItsShadow) {
  SetItemClock(5);
  DrawItem(100, 200, 2, -3);
  std::vector<DrawEntry> entries = DrawListInOrder();
  ASSERT_EQ(entries.size(), 2u);
  // The shadow goes first, on the ground, under the body's sprite.
  EXPECT_EQ(entries[0].flags, kDrawVisible | kDrawShadow);
  EXPECT_EQ(entries[0].z, 0);
  EXPECT_EQ(entries[0].object, reinterpret_cast<uintptr_t>(GetItemSprite(64)));
  EXPECT_EQ(entries[1].flags, kDrawVisible | kDrawGhost);
  EXPECT_EQ(entries[1].object, reinterpret_cast<uintptr_t>(GetItemSprite(64)));
  EXPECT_EQ(entries[1].x, 100);
  EXPECT_EQ(entries[1].y, 200);
  EXPECT_EQ(entries[1].z, 8);
  EXPECT_EQ(entries[1].bright, -3);
  EXPECT_EQ(entries[1].colour, 255);

  ClearDrawList();
  SetItemClock(40);
  DrawItem(100, 200, 20, 2);
  DrawItem(300, 200, 73, 0);
  DrawItem(400, 200, 25, 0);
  entries = DrawListInOrder();
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].colour, 1);
  EXPECT_EQ(entries[0].bright, 2 + 8);
  EXPECT_EQ(entries[0].flags, kDrawVisible);
  EXPECT_EQ(entries[1].x, 300 - 14);
  EXPECT_EQ(entries[1].y, 200 + 11);
  EXPECT_EQ(entries[1].object, reinterpret_cast<uintptr_t>(GetItemSprite(11)));
}

TEST_F(ItemsTest, IconsAndExitMarkersDrawStraightOntoTheScreen) {
  display().ClearScreen();
  SetItemClock(13);  // the editor's icons do not animate
  DrawItemIcon(10, 20, 2, 0, &display());
  DrawItemIcon(30, 20, 8, 0, &display());
  DrawItemIcon(50, 20, 76, 0, &display());  // a door sits low left
  DrawItemIcon(70, 20, 81, -2, &display());
  DrawExitMarker(90, 20, &display());
  EXPECT_EQ(Pixel(10, 20), 3);
  EXPECT_EQ(Pixel(30, 20), 159);
  EXPECT_EQ(Pixel(50 - 14, 20 + 11), 14);
  EXPECT_EQ(Pixel(70, 20), 157 - 2);
  EXPECT_EQ(Pixel(90, 20), 8);
}

// Every frame the item table ever asks for, at any clock, has art in the
// item set the forge writes.
TEST(ForgedItemsTest, EveryFrameTheTableDrawsHasArt) {
  SpriteSet set;
  ASSERT_TRUE(set.LoadFile(std::string(TORVEL_GAME_DIR) + "/graphics/items.vsp"));
  auto hasArt = [&](int index) {
    const Sprite* s = set.GetSprite(index);
    return s && s->width > 0 && s->height > 0;
  };
  for (int item = 1; item < 256; ++item) {
    for (int clock = 0; clock < 256; ++clock) {
      const ItemLook look = LookOfItem(static_cast<uint8_t>(item), static_cast<uint8_t>(clock), 0);
      if (look.drawn) {
        ASSERT_TRUE(hasArt(look.sprite)) << "item " << item << " clock " << clock;
      }
    }
    const ItemIcon icon = IconOfItem(static_cast<uint8_t>(item));
    if (icon.drawn && !icon.text) {
      EXPECT_TRUE(hasArt(icon.sprite)) << "icon of item " << item;
    }
  }
  EXPECT_TRUE(hasArt(8)) << "the exit marker";
}

TEST(ItemsWithoutSpritesTest, AMissingSetDrawsNothing) {
  FreeItems();
  EXPECT_EQ(GetItemSprite(0), nullptr);
  ClearDrawList();
  SetCamera(ToFixed(320), ToFixed(240));
  DrawItem(100, 100, 8, 0);
  // Queued with no sprite, which the list never draws.
  for (const DrawEntry& e : DrawListInOrder()) EXPECT_EQ(e.object, 0u);
  ClearDrawList();
}

}  // namespace
}  // namespace torvel
