#include "gfx/font.h"

#include <algorithm>
#include <filesystem>
#include <memory>
#include <system_error>

#include "common/byte_io.h"
#include "gfx/display.h"
#include "gfx/draw_list.h"
#include "gfx/ramp.h"
#include "platform/paths.h"

namespace torvel {

namespace {

constexpr size_t kHeaderBytes = 528;
constexpr int kMaxGlyphs = 128;
// 128 glyphs of at most 255 x 255 pixels and the header, with room to spare.
constexpr size_t kMaxFontFile = 16u * 1024u * 1024u;
constexpr uint8_t kPointerCode = 125;
constexpr int32_t kScreenCentre = 320;

const char* const kFontFiles[3] = {"graphics\\listiumbig.vft", "graphics\\verdana.vft",
                                   "graphics\\listium.vft"};

struct GraphicsState {
  Display* display = nullptr;
  std::unique_ptr<Font> fonts[3];
  uint8_t gamma = 0;
};
GraphicsState gGraphics;

// The glyph of a code (its width byte, then its pixels), or null.
const uint8_t* Glyph(uint8_t code, const Font& font) {
  const int c = static_cast<int8_t>(code);
  const int index = c - font.firstChar;
  if (index < 0 || index >= static_cast<int>(font.glyphStart.size())) return nullptr;
  return font.data.data() + font.glyphStart[index];
}

// Walks the non-zero pixels of a glyph that land inside the screen, column 0
// and row 0 excluded, and hands each screen byte and glyph pixel to op.
template <typename Op>
void DrawGlyph(Display* display, int64_t x, int64_t y, uint8_t code, const Font& font, Op op) {
  if (!display || !display->screen) return;
  const uint8_t* glyph = Glyph(code, font);
  if (!glyph) return;
  const int w = glyph[0];
  const uint8_t* pixels = glyph + 1;
  const int64_t pitch = display->pitch;
  const int64_t screenHeight = display->height;
  for (int r = 0; r < font.height; ++r) {
    const int64_t sy = y + r;
    if (sy <= 0 || sy >= screenHeight) continue;
    uint8_t* row = display->screen + sy * pitch;
    for (int c = 0; c < w; ++c) {
      const uint8_t p = pixels[r * w + c];
      const int64_t sx = x + c;
      if (p == 0 || sx <= 0 || sx >= pitch) continue;
      row[sx] = op(row[sx], p);
    }
  }
}

uint8_t PlainPixel(uint8_t, uint8_t p) {
  return p;
}

uint8_t GlowPixel(uint8_t d, uint8_t p) {
  return static_cast<uint8_t>(RampBase(d) | std::min(ShadeOf(d) + ShadeOf(p), 31));
}

struct BrightPixel {
  int b;
  uint8_t operator()(uint8_t, uint8_t p) const { return Brighten(p, b); }
};
struct SolidPixel {
  uint8_t k;
  uint8_t operator()(uint8_t, uint8_t) const { return k; }
};
struct GlowBrightPixel {
  int a;
  uint8_t operator()(uint8_t d, uint8_t p) const {
    // The sum wraps at 256 before it is compared, so light that leaves the
    // ramp (either way) saturates at the ramp's top.
    const uint8_t h = static_cast<uint8_t>(d + ShadeOf(p) + a);
    if (RampBase(h) != RampBase(d)) return static_cast<uint8_t>(RampBase(d) | 31);
    return h > d ? h : d;
  }
};

template <typename Op>
void DrawText(Display* display, int32_t x, int32_t y, const char* text, const Font& font, Op op) {
  if (!text) return;
  int64_t at = x;
  for (const char* s = text; *s; ++s) {
    const auto code = static_cast<uint8_t>(*s);
    DrawGlyph(display, at, y, code, font, op);
    at += font.gap + CharWidth(code, font);
  }
}

const Font* FontOrNull(int fontNo) {
  if (fontNo < 0 || fontNo > 2) return nullptr;
  return gGraphics.fonts[fontNo].get();
}

}  // namespace

int LoadFontBytes(const uint8_t* bytes, size_t size, Font& font) {
  FreeFont(font);
  if (!bytes) return kFontShortRead;
  ByteReader reader(bytes, size);
  Font loaded;
  loaded.numChars = reader.U8();
  loaded.firstChar = reader.U8();
  loaded.height = reader.U8();
  loaded.blankWidth = reader.U8();
  loaded.gap = reader.U8();
  reader.Skip(3);
  loaded.dataSize = reader.U32();
  reader.Seek(kHeaderBytes);
  if (!reader.ok()) return kFontShortRead;
  if (loaded.numChars < 1 || loaded.numChars > kMaxGlyphs) return kFontShortRead;
  if (loaded.dataSize > reader.Remaining()) return kFontShortRead;
  loaded.data.assign(reader.Here(), reader.Here() + loaded.dataSize);

  // Every glyph must lie whole inside the data.
  size_t at = 0;
  for (int i = 0; i < loaded.numChars; ++i) {
    if (at >= loaded.data.size()) return kFontShortRead;
    const size_t need = 1 + static_cast<size_t>(loaded.data[at]) * loaded.height;
    if (need > loaded.data.size() - at) return kFontShortRead;
    loaded.glyphStart.push_back(static_cast<uint32_t>(at));
    at += need;
  }
  font = std::move(loaded);
  return kFontOk;
}

int LoadFontFile(const std::string& hostPath, Font& font) {
  FreeFont(font);
  if (!FileExists(hostPath)) return kFontCannotOpen;
  std::error_code error;
  const auto fileSize = std::filesystem::file_size(hostPath, error);
  if (error) return kFontCannotOpen;
  // No font comes near this size; we will not take in a file that does.
  if (fileSize > kMaxFontFile) return kFontOutOfMemory;
  std::vector<uint8_t> bytes;
  if (!ReadFileBytes(hostPath, bytes, kMaxFontFile)) return kFontCannotOpen;
  return LoadFontBytes(bytes.data(), bytes.size(), font);
}

int LoadFont(const char* name, Font& font) {
  if (!name) {
    FreeFont(font);
    return kFontCannotOpen;
  }
  return LoadFontFile(DataPath(name), font);
}

void FreeFont(Font& font) {
  font = Font{};
}

int CharWidth(uint8_t code, const Font& font) {
  const uint8_t* glyph = Glyph(code, font);
  return glyph ? glyph[0] : font.blankWidth;
}

int32_t TextWidth(const char* text, const Font& font) {
  if (!text) return 0;
  int32_t width = 0;
  for (const char* s = text; *s; ++s) width += font.gap + CharWidth(static_cast<uint8_t>(*s), font);
  return width;
}

void DrawChar(Display* display, int32_t x, int32_t y, uint8_t code, const Font& font) {
  DrawGlyph(display, x, y, code, font, PlainPixel);
}
void DrawCharBright(Display* display, int32_t x, int32_t y, uint8_t code, const Font& font,
                    int8_t b) {
  DrawGlyph(display, x, y, code, font, BrightPixel{b});
}
void DrawCharSolid(Display* display, int32_t x, int32_t y, uint8_t code, const Font& font,
                   uint8_t k) {
  DrawGlyph(display, x, y, code, font, SolidPixel{k});
}
void DrawCharGlow(Display* display, int32_t x, int32_t y, uint8_t code, const Font& font) {
  DrawGlyph(display, x, y, code, font, GlowPixel);
}
void DrawCharGlowBright(Display* display, int32_t x, int32_t y, uint8_t code, const Font& font,
                        int8_t a) {
  DrawGlyph(display, x, y, code, font, GlowBrightPixel{a});
}

void DrawString(Display* display, int32_t x, int32_t y, const char* text, const Font& font) {
  DrawText(display, x, y, text, font, PlainPixel);
}
void DrawStringBright(Display* display, int32_t x, int32_t y, const char* text, const Font& font,
                      int8_t b) {
  DrawText(display, x, y, text, font, BrightPixel{b});
}
void DrawStringSolid(Display* display, int32_t x, int32_t y, const char* text, const Font& font,
                     uint8_t k) {
  DrawText(display, x, y, text, font, SolidPixel{k});
}
void DrawStringGlow(Display* display, int32_t x, int32_t y, const char* text, const Font& font) {
  DrawText(display, x, y, text, font, GlowPixel);
}
void DrawStringGlowBright(Display* display, int32_t x, int32_t y, const char* text,
                          const Font& font, int8_t a) {
  DrawText(display, x, y, text, font, GlowBrightPixel{a});
}

bool EncodeFont(uint8_t firstChar, uint8_t height, uint8_t blankWidth, uint8_t gap,
                const std::vector<FontGlyph>& glyphs, std::vector<uint8_t>& out) {
  out.clear();
  if (glyphs.empty() || glyphs.size() > kMaxGlyphs) return false;
  ByteWriter data;
  for (const FontGlyph& g : glyphs) {
    if (g.pixels.size() != static_cast<size_t>(g.width) * height) return false;
    data.U8(g.width);
    data.Bytes(g.pixels.data(), g.pixels.size());
  }
  ByteWriter w;
  w.U8(static_cast<uint8_t>(glyphs.size()));
  w.U8(firstChar);
  w.U8(height);
  w.U8(blankWidth);
  w.U8(gap);
  w.Zeros(3);
  w.U32(static_cast<uint32_t>(data.size()));
  w.Zeros(kHeaderBytes - w.size());
  w.Bytes(data.bytes().data(), data.size());
  out = std::move(w.bytes());
  return true;
}

bool WriteFont(const std::string& hostPath, uint8_t firstChar, uint8_t height, uint8_t blankWidth,
               uint8_t gap, const std::vector<FontGlyph>& glyphs) {
  std::vector<uint8_t> bytes;
  if (!EncodeFont(firstChar, height, blankWidth, gap, glyphs, bytes)) return false;
  return WriteFileAtomic(hostPath, bytes);
}

bool InitGraphics(Display* display) {
  gGraphics.display = display;
  gGraphics.gamma = 0;
  ClearDrawList();
  // Every font is tried, so that one missing file does not take the others'
  // text with it.
  bool ok = true;
  for (int i = 0; i < 3; ++i) {
    auto font = std::make_unique<Font>();
    if (LoadFont(kFontFiles[i], *font) == kFontOk) {
      gGraphics.fonts[i] = std::move(font);
    } else {
      gGraphics.fonts[i].reset();
      ok = false;
    }
  }
  return ok;
}

void ExitGraphics() {
  for (auto& font : gGraphics.fonts) font.reset();
  ClearDrawList();
  gGraphics.display = nullptr;
}

Display* GraphicsDisplay() {
  return gGraphics.display;
}

const Font* GetFont(int fontNo) {
  return FontOrNull(fontNo);
}

void Print(int32_t x, int32_t y, const char* text, int c, int fontNo) {
  const Font* font = FontOrNull(fontNo);
  if (!font) return;
  if (fontNo == kFontBig) {
    DrawStringBright(gGraphics.display, x, y, text, *font, static_cast<int8_t>(c));
  } else if (static_cast<uint8_t>(c) == 0) {
    DrawString(gGraphics.display, x, y, text, *font);
  } else {
    DrawStringSolid(gGraphics.display, x, y, text, *font, 0);
  }
}

void PrintBright(int32_t x, int32_t y, const char* text, int b, int fontNo) {
  if (const Font* font = FontOrNull(fontNo)) {
    DrawStringBright(gGraphics.display, x, y, text, *font, static_cast<int8_t>(b));
  }
}

void PrintGlow(int32_t x, int32_t y, const char* text, int fontNo) {
  if (const Font* font = FontOrNull(fontNo)) DrawStringGlow(gGraphics.display, x, y, text, *font);
}

void PrintGlowRight(int32_t x, int32_t y, const char* text, int fontNo) {
  if (const Font* font = FontOrNull(fontNo)) {
    DrawStringGlow(gGraphics.display, x - TextWidth(text, *font), y, text, *font);
  }
}

void PrintGlowBright(int32_t x, int32_t y, const char* text, int a, int fontNo) {
  if (const Font* font = FontOrNull(fontNo)) {
    DrawStringGlowBright(gGraphics.display, x, y, text, *font, static_cast<int8_t>(a));
  }
}

void PrintCentered(int32_t y, const char* text, int c, int fontNo) {
  Print(kScreenCentre - TextWidthOf(text, fontNo) / 2, y, text, c, fontNo);
}

void PrintGlowCentered(int32_t y, const char* text, int fontNo) {
  PrintGlow(kScreenCentre - TextWidthOf(text, fontNo) / 2, y, text, fontNo);
}

int32_t TextWidthOf(const char* text, int fontNo) {
  const Font* font = FontOrNull(fontNo);
  return font ? TextWidth(text, *font) : 0;
}

void DrawPointer(int32_t x, int32_t y) {
  const Font* font = FontOrNull(kFontEditor);
  if (!font) return;
  Display* d = gGraphics.display;
  DrawCharSolid(d, x - 1, y, kPointerCode, *font, 0);
  DrawCharSolid(d, x + 1, y, kPointerCode, *font, 0);
  DrawCharSolid(d, x, y - 1, kPointerCode, *font, 0);
  DrawCharSolid(d, x, y + 1, kPointerCode, *font, 0);
  DrawCharSolid(d, x, y, kPointerCode, *font, 31);
}

void GraphicsBox(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint8_t colour) {
  if (gGraphics.display) gGraphics.display->Box(x1, y1, x2, y2, colour);
}

void GraphicsFillBox(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint8_t colour) {
  if (gGraphics.display) gGraphics.display->FillBox(x1, y1, x2, y2, colour);
}

uint8_t GetGamma() {
  return gGraphics.gamma;
}
void SetGamma(uint8_t level) {
  gGraphics.gamma = level;
}

}  // namespace torvel
