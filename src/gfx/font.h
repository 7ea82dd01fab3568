// Bitmap fonts and text, and the small graphics module state they share (the
// display text draws to, the three fonts, the gamma level).
//
// Font file (".vft"), little-endian: u8 numChars (1..128), u8 firstChar,
// u8 height, u8 blankWidth, u8 gap, 3 unused bytes, u32 dataSize, 516 bytes
// not read (528 in all); then dataSize bytes of glyphs in code order, each one
// byte width w and w * height pixels row by row. Pixel 0 is transparent.
//
// A string's bytes are signed codes: only 0..127 can have glyphs; any code
// outside the font's range draws nothing and advances by blankWidth. Every
// character advances by gap + its width. Text never writes screen column 0 or
// row 0, nor anything outside the screen.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace torvel {

class Display;

struct Font {
  uint8_t numChars = 0;
  uint8_t firstChar = 0;
  uint8_t height = 0;
  uint8_t blankWidth = 0;
  uint8_t gap = 0;
  uint32_t dataSize = 0;
  std::vector<uint8_t> data;         // the glyphs
  std::vector<uint32_t> glyphStart;  // offset of each glyph's width byte in data
};

// LoadFont results.
constexpr int kFontOk = 0;
constexpr int kFontCannotOpen = 1;
constexpr int kFontOutOfMemory = 2;
constexpr int kFontShortRead = 3;  // also: glyphs that do not fit the data

// Reads a font from the game folder ("graphics\\verdana.vft"); on failure the
// font is left empty (it then draws nothing and every code has width 0).
int LoadFont(const char* name, Font& font);
int LoadFontFile(const std::string& hostPath, Font& font);
int LoadFontBytes(const uint8_t* bytes, size_t size, Font& font);
void FreeFont(Font& font);

// The width of a code (its glyph's, or blankWidth when not covered).
int CharWidth(uint8_t code, const Font& font);
// Sum of gap + width over the string (the last gap included).
int32_t TextWidth(const char* text, const Font& font);

// The five ways of drawing a glyph with its top-left corner at (x, y); each
// non-zero glyph pixel p over screen pixel d becomes:
// plain p;
void DrawChar(Display* display, int32_t x, int32_t y, uint8_t code, const Font& font);
// bright p brightened by b within its ramp;
void DrawCharBright(Display* display, int32_t x, int32_t y, uint8_t code, const Font& font,
                    int8_t b);
// solid colour k;
void DrawCharSolid(Display* display, int32_t x, int32_t y, uint8_t code, const Font& font,
                   uint8_t k);
// glow d lightened by shade(p) within its ramp;
void DrawCharGlow(Display* display, int32_t x, int32_t y, uint8_t code, const Font& font);
// glow-bright d + shade(p) + a, kept only where it is lighter than d (and
// within d's ramp; out of the ramp it becomes the ramp's top).
void DrawCharGlowBright(Display* display, int32_t x, int32_t y, uint8_t code, const Font& font,
                        int8_t a);
// Each glyph of the string at x, then x += gap + width.
void DrawString(Display* display, int32_t x, int32_t y, const char* text, const Font& font);
void DrawStringBright(Display* display, int32_t x, int32_t y, const char* text, const Font& font,
                      int8_t b);
void DrawStringSolid(Display* display, int32_t x, int32_t y, const char* text, const Font& font,
                     uint8_t k);
void DrawStringGlow(Display* display, int32_t x, int32_t y, const char* text, const Font& font);
void DrawStringGlowBright(Display* display, int32_t x, int32_t y, const char* text,
                          const Font& font, int8_t a);

// Font writer (the forge). A glyph is width * height pixels, row by row.
struct FontGlyph {
  uint8_t width = 0;
  std::vector<uint8_t> pixels;
};
// The file bytes of a font with glyphs for codes firstChar onward; false when
// there are no glyphs or more than 128, or a glyph's pixels are not width *
// height.
bool EncodeFont(uint8_t firstChar, uint8_t height, uint8_t blankWidth, uint8_t gap,
                const std::vector<FontGlyph>& glyphs, std::vector<uint8_t>& out);
bool WriteFont(const std::string& hostPath, uint8_t firstChar, uint8_t height, uint8_t blankWidth,
               uint8_t gap, const std::vector<FontGlyph>& glyphs);

// The graphics module.
// Font numbers.
constexpr int kFontBig = 0;     // "graphics\listiumbig.vft": title and pause menus, big messages
constexpr int kFontEditor = 1;  // "graphics\verdana.vft": the editor, and its pointer glyph
constexpr int kFontSmall = 2;   // "graphics\listium.vft": status, shop, messages

// Start-up: keeps the display, loads the three fonts and clears the draw list.
// False when a font failed to load (text in that font then draws nothing).
bool InitGraphics(Display* display);
void ExitGraphics();
// The display text and the draw list draw to.
Display* GraphicsDisplay();
// Font fontNo (0..2), or null when it is not loaded.
const Font* GetFont(int fontNo);

// Program-level text. Brightness and colour arguments are bytes; callers may
// pass 246 for -10.
// Font 0: bright variant with b = c; fonts 1 and 2: c = 0 plain, else solid black.
void Print(int32_t x, int32_t y, const char* text, int c, int fontNo);
void PrintBright(int32_t x, int32_t y, const char* text, int b, int fontNo);
void PrintGlow(int32_t x, int32_t y, const char* text, int fontNo);
// Glow text that ends at x.
void PrintGlowRight(int32_t x, int32_t y, const char* text, int fontNo);
void PrintGlowBright(int32_t x, int32_t y, const char* text, int a, int fontNo);
// As Print, centred on column 320.
void PrintCentered(int32_t y, const char* text, int c, int fontNo);
void PrintGlowCentered(int32_t y, const char* text, int fontNo);
int32_t TextWidthOf(const char* text, int fontNo);
// The editor's pointer: glyph 125 of font 1, outlined in black, filled in colour 31.
void DrawPointer(int32_t x, int32_t y);
void GraphicsBox(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint8_t colour);
void GraphicsFillBox(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint8_t colour);
// The gamma level (0..3) the play loop's gamma key cycles.
uint8_t GetGamma();
void SetGamma(uint8_t level);

}  // namespace torvel
