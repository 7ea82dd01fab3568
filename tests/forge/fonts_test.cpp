// The forged fonts, read with the game's font loader: every code the
// game's fixed texts use has a glyph in the font that prints it, and the
// sizes fit the screens that use them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "forged_data.h"
#include "gfx/font.h"

namespace torvel::forge {
namespace {

Font LoadForged(const char* file) {
  Font font;
  EXPECT_EQ(LoadFontFile(testing::GameFile(std::string("graphics/") + file), font), kFontOk)
      << file;
  return font;
}

bool Covered(const Font& font, uint8_t code) {
  return code >= font.firstChar && code < font.firstChar + font.numChars;
}

// Ink of a glyph: how many of its pixels are drawn.
int Ink(const Font& font, uint8_t code) {
  if (!Covered(font, code)) return 0;
  uint32_t start = font.glyphStart[code - font.firstChar];
  int w = font.data[start];
  int ink = 0;
  for (int i = 0; i < w * font.height; ++i) ink += font.data[start + 1 + i] != 0;
  return ink;
}

void ExpectEveryCodeDrawn(const Font& font, const std::vector<std::string>& texts,
                          const char* fontName) {
  for (const std::string& text : texts) {
    for (unsigned char code : text) {
      ASSERT_TRUE(Covered(font, code))
          << fontName << " lacks '" << code << "' of \"" << text << "\"";
      if (code != ' ') {
        EXPECT_GT(Ink(font, code), 0) << fontName << " draws nothing for '" << code << "'";
      }
    }
  }
}

// The game's fixed texts printed in font 0 (the big font).
const std::vector<std::string> kBigFontTexts = {"0TMEHA",
                                                "C4NTATb",
                                                "3ALNCb",
                                                "CDATbCR",
                                                "CSEGATb",
                                                "3BYK ",
                                                "0TK",
                                                "I",
                                                "II",
                                                "III",
                                                "BbINTN",
                                                "1",
                                                "2",
                                                "3",
                                                "H0BAR NFPA",
                                                "LP0D0VGNTb",
                                                "BbIX0D",
                                                "NFPA 1",
                                                "BbI CSEGAVN!",
                                                "3AH0B0!",
                                                "3AFPY3KA NFPbI",
                                                "ME4 3ABEPUEH!",
                                                "MAFA3NH",
                                                "H0BbIN MNP",
                                                "APMAFEDD0H!!",
                                                "0123456789",
                                                "$ & ' ( ) , - . / : ?"};

// The game's fixed texts printed in font 2 (the small font), the shop's
// and the stats panel's names among them.
const std::vector<std::string> kSmallFontTexts = {"FVABA 1",
                                                  "12:34  YP0B:05",
                                                  "LYCTNTE MEHR!",
                                                  "YVbTPAM0V0T BbIP0C!",
                                                  "R HACT0R&NN KVW4HNK",
                                                  "AAAAAA",
                                                  "P0CT YP0BHR",
                                                  "DNHEP0 L0P T0D0C!",
                                                  "COEPA ZHEPFNN!",
                                                  "CK0P0CTb!",
                                                  "0SPA&EHNE!",
                                                  "0TPAGEHNE!",
                                                  "3EVbE GN3HN!",
                                                  "3EVbE L0L0VHEHNR MAHbI!",
                                                  "4ACTb ME4A APMAFEDD0HA!",
                                                  "L0DBAV 0TKPbIT!!",
                                                  "TYMSVEP HE DBNFAETCR!",
                                                  "$00123",
                                                  "$45",
                                                  "OETP0BAR UVRLA",
                                                  "VYHHAR UVRLA",
                                                  "KVET4ATAR UVRLA",
                                                  "CTAVbHAR UVRLA",
                                                  "SYMAGHAR UVRLA",
                                                  "L0C0X N3 SAVb3A",
                                                  "L0C0X N3 C0CHbI",
                                                  "L0C0X N3 DYSA",
                                                  "L0C0X N3 TNCA",
                                                  "L0C0X MAFNN",
                                                  "MRFKNE S0TNHKN",
                                                  "K0GAHbIE S0TNHKN",
                                                  "D0KT0P MEPVNHC",
                                                  "S0TNHKN C4ACTbR",
                                                  "ZNP VAHCEV0TC",
                                                  "L0DBECKA-CEPDQE",
                                                  "AMYVET VYH",
                                                  "O0HAPb",
                                                  "BCE",
                                                  "APMAFEDD0H CBD",
                                                  "GN3Hb:045/064",
                                                  "MAHA:012/030",
                                                  "0LbIT:0100/0250",
                                                  "DEHbFN: $99",
                                                  "SKLDOOR",
                                                  "SKLDOOR2",
                                                  "JQW"};

// The editor's labels in font 1.
const std::vector<std::string> kEditorTexts = {"Floor",
                                               "Wall",
                                               "Item",
                                               "Mnstr",
                                               "Light",
                                               "Dark",
                                               "Smth",
                                               "Torch",
                                               "Spcl",
                                               "Lghts",
                                               "Walls",
                                               "Items",
                                               "Mstrs",
                                               "Spcls",
                                               "-",
                                               "+",
                                               "Song 02",
                                               "File Menu",
                                               "World Menu",
                                               "Edit Terrain",
                                               "Load Tileset",
                                               "Brush+",
                                               "Brush-",
                                               "Snow",
                                               "Boss",
                                               "Secrt",
                                               "Lit",
                                               "(031,064)",
                                               "Click on floor tile to use",
                                               "Click on wall tile to use",
                                               "Click on roof tile to use",
                                               "Click on 'next' tile",
                                               "Wall #012",
                                               "Impassable",
                                               "Icy",
                                               "Muddy",
                                               "Water",
                                               "Lava",
                                               "Pushable",
                                               "Can be pushed on",
                                               "Animates to next",
                                               "Changes when stepped on",
                                               "Changes when damaged",
                                               "Transparent Roof",
                                               "Next Terrain:",
                                               "Terrain #012",
                                               "Item #082",
                                               "03:river.vwd",
                                               "TYMSVEP",
                                               "UAFN NFP0KA",
                                               "UAFN BPAFA",
                                               "NFP0K B n KBADPATAX",
                                               "UVN n YP0BHEN",
                                               "L0VY4NTb BCE SPEVKN",
                                               "YSNTb n M0HCTP0B",
                                               "L0VY4NTb n YMA",
                                               "BbICTPEV B QEVb",
                                               "PA3SNTb QELb C0CEDA 0C0S0",
                                               "MH0F0KPATH0",
                                               "L0KA3 C00S&EHNN",
                                               "Effect",
                                               "None",
                                               "Summon",
                                               "Zap Wall",
                                               "MakeWall",
                                               "TogglWall",
                                               "Teleport",
                                               "Goto Map",
                                               "WinLevel",
                                               "Show Pic",
                                               "Trigger Value",
                                               "Effect Value",
                                               "Target X",
                                               "Target Y",
                                               "--",
                                               "++",
                                               "-255",
                                               "Message",
                                               "More Files",
                                               "New",
                                               "C4NTATb",
                                               "3ALNCb",
                                               "Quit",
                                               "New Small",
                                               "New Medium",
                                               "New Large",
                                               "Copy",
                                               "Edit",
                                               "Rename",
                                               "Delete",
                                               "# & ' ( ) + , : ; = [ ] _ { | ~ @ ! ? / * < >"};

TEST(ForgedFonts, EveryCodeOfTheFixedTextsHasAGlyph) {
  Font big = LoadForged("listiumbig.vft");
  Font editor = LoadForged("verdana.vft");
  Font small = LoadForged("listium.vft");
  ExpectEveryCodeDrawn(big, kBigFontTexts, "font 0");
  ExpectEveryCodeDrawn(big, kSmallFontTexts, "font 0");  // map names and messages share codes
  ExpectEveryCodeDrawn(small, kSmallFontTexts, "font 2");
  ExpectEveryCodeDrawn(small, kBigFontTexts, "font 2");
  ExpectEveryCodeDrawn(editor, kEditorTexts, "font 1");
}

// Sizes the screens rely on.
TEST(ForgedFonts, SizesFitTheScreensThatUseThem) {
  Font big = LoadForged("listiumbig.vft");
  Font editor = LoadForged("verdana.vft");
  Font small = LoadForged("listium.vft");
  EXPECT_GE(big.height, 22);
  EXPECT_LE(big.height, 30);
  EXPECT_GE(small.height, 11);
  EXPECT_LE(small.height, 16);
  EXPECT_LE(editor.height, 14);
  // A 31-character map name fits the screen in the big font; a 64-character
  // dialogue line fits between x 69 and 580 in the small font.
  EXPECT_LE(TextWidth("3AFPY3KA NFPbI H0BbIN MNP 3AH0B", big), 640);
  EXPECT_LE(TextWidth("L0DBECKA-CEPDQE  AMYVET VYH  0SPA&EHNE!  C4ACTb ME4A APMAFEDD0H", small),
            580 - 69);
  // The editor's buttons.
  EXPECT_LE(TextWidth("Load Tileset", editor), 84);
  for (const char* label : {"Mnstr", "Lghts", "Walls", "Items", "Mstrs", "Spcls", "Secrt", "Light"})
    EXPECT_LE(TextWidth(label, editor), 40) << label;
}

// I is a bare stem, so that b followed by I reads as one letter: it is much
// narrower than the letters around it. 0, 3 and 4 are digits and letters at
// once: full-height glyphs as wide as the other digits.
TEST(ForgedFonts, CodedLettersHaveTheirShapes) {
  for (const char* file : {"listiumbig.vft", "listium.vft"}) {
    Font font = LoadForged(file);
    EXPECT_LE(CharWidth('I', font) * 3, CharWidth('H', font) + 1) << file;
    for (char digit : {'0', '3', '4'}) {
      EXPECT_NEAR(CharWidth(static_cast<uint8_t>(digit), font), CharWidth('5', font), 3)
          << file << " " << digit;
    }
  }
}

// The editor's pointer is code 125 of font 1: an arrow whose tip is the
// glyph's top-left pixel, about 8 x 12.
TEST(ForgedFonts, EditorPointerArrow) {
  Font editor = LoadForged("verdana.vft");
  ASSERT_TRUE(Covered(editor, 125));
  uint32_t start = editor.glyphStart[125 - editor.firstChar];
  int w = editor.data[start];
  EXPECT_GE(w, 6);
  EXPECT_LE(w, 10);
  ASSERT_GE(editor.height, 11);
  const uint8_t* px = &editor.data[start + 1];
  EXPECT_NE(px[0], 0) << "the tip";
  EXPECT_EQ(px[w - 1], 0) << "the top row is only the tip";
  int rows = 0;
  for (int y = 0; y < editor.height; ++y) {
    bool any = false;
    for (int x = 0; x < w; ++x) any = any || px[y * w + x];
    rows += any;
  }
  EXPECT_GE(rows, 11);
}

}  // namespace
}  // namespace torvel::forge
