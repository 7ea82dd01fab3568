// The authored texts as the game shows them: every code they use has a glyph
// with ink in the font that prints it, and every line fits the place it is
// printed in, measured with the forged fonts and the forged dialogue box.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "forge/forged_data.h"
#include "gfx/font.h"
#include "gfx/sprites.h"
#include "shell/game_texts.h"

namespace torvel {
namespace {

using forge::testing::GameFile;

class GameTextsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(LoadFontFile(GameFile("graphics/listiumbig.vft"), big_), kFontOk);
    ASSERT_EQ(LoadFontFile(GameFile("graphics/listium.vft"), small_), kFontOk);
  }

  // Fails for a code the font does not cover or draws without ink.
  static void ExpectDrawn(const Font& font, const std::string& text, const char* where) {
    for (unsigned char code : text) {
      ASSERT_TRUE(code >= font.firstChar && code < font.firstChar + font.numChars)
          << where << ": no glyph for '" << code << "' in \"" << text << "\"";
      if (code == ' ') continue;
      uint32_t start = font.glyphStart[code - font.firstChar];
      int width = font.data[start];
      int ink = 0;
      for (int i = 0; i < width * font.height; ++i) ink += font.data[start + 1 + i] != 0;
      EXPECT_GT(ink, 0) << where << ": '" << code << "' draws nothing";
    }
  }

  // A markup line (credits, epilogue): the font it is printed in and its text.
  const Font& MarkupFont(const char* line, std::string& text) const {
    if (line[0] == '@') {
      text = line + 1;
      return big_;
    }
    text = line;
    return small_;
  }

  Font big_, small_;
};

TEST_F(GameTextsTest, MarkupTablesEndWithTheirDollarLineAndFitTheScreen) {
  struct Table {
    const char* name;
    const char* lines;
    int count, bytes;
  };
  const Table tables[] = {
      {"credits", &kCreditsTable[0][0], kCreditsLines, kCreditsLineBytes},
      {"epilogue", &kEpilogueTable[0][0], kEpilogueLines, kEpilogueLineBytes},
  };
  for (const Table& t : tables) {
    SCOPED_TRACE(t.name);
    for (int k = 0; k < t.count; ++k) {
      const char* line = t.lines + static_cast<size_t>(k) * t.bytes;
      ASSERT_LT(std::strlen(line), static_cast<size_t>(t.bytes)) << "line " << k;
      EXPECT_NE(line[0], '$') << "line " << k << " ends the table early";
      if (line[0] == '#' || line[0] == '%') continue;  // bars
      std::string text;
      const Font& font = MarkupFont(line, text);
      ExpectDrawn(font, text, t.name);
      // Centred on column 320: it must not run past either edge.
      EXPECT_LE(TextWidth(text.c_str(), font), 636) << "line " << k << " \"" << text << "\"";
    }
    EXPECT_EQ(t.lines[static_cast<size_t>(t.count) * t.bytes], '$');
  }
}

TEST_F(GameTextsTest, TheNoticeLineFitsRightOfItsColumn) {
  ExpectDrawn(small_, kTitleNotice, "notice");
  EXPECT_GT(std::strlen(kTitleNotice), 0u);
  // Printed from x 328 to the screen's right edge.
  EXPECT_LE(328 + TextWidth(kTitleNotice, small_), 639);
}

TEST_F(GameTextsTest, DialogueLinesFitInsideTheDialogueBox) {
  SpriteSet face;
  ASSERT_TRUE(face.LoadFile(GameFile("graphics/intface.vsp")));
  const Sprite* box = face.GetSprite(68);
  ASSERT_NE(box, nullptr);
  // The box is drawn with its hot spot at (180, 86); the lines start at x 69.
  int boxRight = 180 - box->ofsX + box->width - 1;
  for (int d = 0; d < kDialogueCount; ++d) {
    int shown = 0;
    for (int l = 0; l < kDialogueLines; ++l) {
      const char* line = kDialogueTable[d][l];
      SCOPED_TRACE("dialogue " + std::to_string(d) + " line " + std::to_string(l));
      ExpectDrawn(small_, line, "dialogue");
      EXPECT_LT(69 + TextWidth(line, small_), boxRight - 4) << line;
      shown += line[0] != 0;
    }
    EXPECT_GE(shown, 2) << "dialogue " << d << " says almost nothing";
  }
}

TEST_F(GameTextsTest, OnlyDialogueFiveCarriesTheCountdownPlaceholder) {
  for (int d = 0; d < kDialogueCount; ++d) {
    for (int l = 0; l < kDialogueLines; ++l) {
      const char* line = kDialogueTable[d][l];
      for (int c = 0; line[c]; ++c) {
        bool here = d == kCountdownDialogue && l == kCountdownLine && c == kCountdownColumn;
        EXPECT_EQ(line[c] == kCountdownPlaceholder, here)
            << "dialogue " << d << " line " << l << " column " << c;
      }
    }
  }
  // Any digit that replaces it is drawn.
  ExpectDrawn(small_, "12345", "countdown digits");
}

TEST_F(GameTextsTest, ShopDescriptionsStayLeftOfTheStatsPanel) {
  // The stats panel's lines start at x 370 on the same rows; the
  // descriptions start at x 5.
  for (int cell = 0; cell < kShopCells; ++cell) {
    int shown = 0;
    for (int l = 0; l < kShopDescriptionLines; ++l) {
      const char* line = kShopDescriptions[cell][l];
      SCOPED_TRACE("cell " + std::to_string(cell) + " line " + std::to_string(l));
      ExpectDrawn(small_, line, "shop");
      EXPECT_LE(5 + TextWidth(line, small_), 360) << line;
      shown += line[0] != 0;
    }
    EXPECT_GE(shown, 2) << "cell " << cell;
  }
}

}  // namespace
}  // namespace torvel
