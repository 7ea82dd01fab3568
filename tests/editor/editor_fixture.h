// The editor through the headless backend: the forged game folder for its
// fonts, tiles and sprites, a fresh user folder for what it writes, and
// helpers that move the pointer, press the button and type, a tick at a time.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "actors/guys.h"
#include "common/fixed.h"
#include "editor/editor.h"
#include "gfx/draw_list.h"
#include "shell/program.h"
#include "support/headless_fixture.h"
#include "world/world.h"

namespace torvel::testing {

class EditorTest : public HeadlessTest {
 protected:
  using Ev = HeadlessPlatform::EventType;

  void SetUp() override {
    HeadlessTest::SetUp();
    SetGameDir(TORVEL_GAME_DIR);
    SetUserDir(dir());
    GlobalInit(&display());
    ResetEditorChoices();
    EditorStart(&display());
    running_ = true;
  }
  void TearDown() override {
    if (running_) EditorStop();
    GlobalShutdown();
    HeadlessTest::TearDown();
  }

  EditorStatus St() { return GetEditorStatus(); }

  // Runs passes until n more ticks have run; false once the editor ended.
  bool Ticks(int n) {
    uint32_t target = St().ticks + static_cast<uint32_t>(n);
    for (int guard = 0; St().ticks < target; ++guard) {
      if (guard > 10 * n + 10) ADD_FAILURE() << "the editor ran no ticks";
      if (guard > 10 * n + 10 || !EditorPass()) {
        ended_ = true;
        return false;
      }
    }
    return true;
  }
  // The pointer to screen (x, y), as the mouse moves it: by its offset from
  // the centre, where the editor puts the system pointer back every tick.
  void MoveTo(int x, int y) {
    EditorStatus st = St();
    platform().SetMousePosition(320 + x - st.pointerX, 240 + y - st.pointerY);
    Ticks(1);
    ASSERT_EQ(St().pointerX, x);
    ASSERT_EQ(St().pointerY, y);
  }
  // The pointer to the middle of map tile (tx, ty) of the current view.
  void PointAtTile(int tx, int ty) {
    int32_t cx = 0, cy = 0;
    GetCamera(cx, cy);
    MoveTo(tx * 32 - cx + 320 + 16, ty * 24 - cy + 240 + 12);
    ASSERT_EQ(St().pointerTileX, tx);
    ASSERT_EQ(St().pointerTileY, ty);
  }
  void Press() {
    platform().Push({Ev::MouseDown});
    Ticks(1);
  }
  void Release() {
    platform().Push({Ev::MouseUp});
    Ticks(1);
  }
  void Click(int x, int y) {
    MoveTo(x, y);
    Press();
    Release();
  }
  // A typed character: delivered in one tick, taken up by the next pass.
  bool Type(uint8_t c) {
    platform().PushChar(c);
    return Ticks(2);
  }
  void TypeText(const std::string& text) {
    for (char c : text) Type(static_cast<uint8_t>(c));
  }
  void TypeTimes(uint8_t c, int n) {
    for (int i = 0; i < n; ++i) Type(c);
  }
  // The camera to whole pixels (cx, cy) with the view keys.
  void CameraTo(int32_t cx, int32_t cy) {
    int32_t x = 0, y = 0;
    GetCamera(x, y);
    for (; x < cx; x += 32) Type('6');
    for (; x > cx; x -= 32) Type('4');
    for (; y < cy; y += 24) Type('2');
    for (; y > cy; y -= 24) Type('8');
  }
  void SelectTool(uint8_t tool) {
    while (St().tool != tool) Type(' ');
  }
  // Clears the current map to floor 0, no walls, light 0 and nothing on it.
  void BlankMap() {
    Map& map = EditorMap();
    for (Tile& t : map.tiles) t = Tile{};
  }
  Tile& At(int x, int y) { return MapTile(EditorMap(), x, y); }
  int GuysOfKind(uint8_t kind) {
    int n = 0;
    for (int i = 0; i < GuyPoolSize(); ++i) {
      Guy* g = GetGuy(i);
      if (g && g->kind == kind) ++n;
    }
    return n;
  }
  // Map k again through the world menu, which places its monster starts' guys.
  void ReselectMap(int k) {
    Type('m');
    Click(100, 14 + 14 * k + 6);
    Type(27);
    ASSERT_EQ(St().mode, kModeMap);
    ASSERT_EQ(St().mapIndex, k);
  }
  // Lets the undo history take in changes a test made to the world directly
  // (each key the editor takes in map view is such a moment).
  void Settle() {
    Type('l');
    Type('l');
  }
  // The unsaved-changes question's buttons.
  enum class Answer { Save, Leave, Cancel };
  void AnswerAsk(Answer a) {
    ASSERT_EQ(St().mode, kModeAsk);
    int x = a == Answer::Save ? 180 : (a == Answer::Leave ? 300 : 430);
    Click(x, 235);
  }
  // The world's whole file image, tile images included.
  static std::vector<uint8_t> WorldImage() { return WorldBytes(EditorWorld()); }
  void Stop() {
    EditorStop();
    running_ = false;
  }

  bool running_ = false;
  bool ended_ = false;
};

}  // namespace torvel::testing
