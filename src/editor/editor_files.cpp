// The file menu (world files), the world menu (the world's maps) and the
// tileset picker (pictures cut into the world's tile images).
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "common/fixed.h"
#include "editor/editor_internal.h"
#include "gfx/bmp.h"
#include "gfx/display.h"
#include "gfx/draw_list.h"
#include "gfx/font.h"

namespace torvel {

namespace {

constexpr char kWorldPattern[] = "*.vwd";
constexpr char kPicturePattern[] = "graphics\\*.bmp";

bool In(int32_t v, int32_t lo, int32_t hi) {
  return v >= lo && v <= hi;
}

void StoreName(int slot, const std::string& name) {
  char* row = Ed().fileList[slot];
  std::snprintf(row, sizeof(Ed().fileList[slot]), "%s", name.c_str());
}

void ClearList() {
  for (auto& row : Ed().fileList) std::memset(row, 0, sizeof(row));
}

// Fills the page from the open search, starting with the name in hand.
void FillPage(std::string name) {
  EditorState& s = Ed();
  StoreName(0, name);
  for (int slot = 1; slot < kFileListRows; ++slot) {
    if (!s.search.Next(name)) break;
    StoreName(slot, name);
  }
}

void FirstPage() {
  EditorState& s = Ed();
  ClearList();
  std::string name;
  s.searchOpen = s.search.First(s.searchPattern, name);
  if (s.searchOpen) FillPage(name);
}

// The next page; past the last one the listing starts over.
void NextPage() {
  EditorState& s = Ed();
  ClearList();
  std::string name;
  if (s.searchOpen && s.search.Next(name)) {
    FillPage(name);
    return;
  }
  CloseSearch();
  FirstPage();
}

void OpenListing(uint8_t mode, const char* pattern) {
  EditorState& s = Ed();
  CloseSearch();
  s.searchPattern = pattern;
  FirstPage();
  s.mode = mode;
}

void CloseListing() {
  CloseSearch();
  Ed().mode = kModeMap;
}

// A list row or "More Files"; true when the click was one of them.
bool ListingClick(char* box) {
  const EditorState& s = Ed();
  int32_t x = s.pointerX, y = s.pointerY;
  if (In(x, 105, 361)) {
    for (int k = 0; k < kFileListRows; ++k) {
      if (In(y, 86 + 14 * k, 98 + 14 * k)) {
        // A name longer than the box holds is cut to fit.
        size_t n = strnlen(s.fileList[k], kFileNameMax);
        std::memset(box, 0, kFileNameMax + 1);
        std::memcpy(box, s.fileList[k], n);
        return true;
      }
    }
  }
  if (In(x, 103, 181) && In(y, 359, 371)) {
    NextPage();
    return true;
  }
  return false;
}

// Typing into a name box of `limit` characters; false for Escape.
bool TypeInto(char* box, size_t limit, uint8_t key, bool fileName) {
  size_t len = std::strlen(box);
  if (key == kKeyEscape) return false;
  if (key == kKeyBackspace) {
    if (len > 0) box[len - 1] = '\0';
  } else if (fileName ? FileNameChar(key) : key >= 32) {
    if (len < limit) {
      box[len] = static_cast<char>(key);
      box[len + 1] = '\0';
    }
  }
  return true;
}

void DrawListing(const char* box) {
  const EditorState& s = Ed();
  Display& d = EdDisplay();
  d.FillBox(100, 80, 430, 400, 8);
  d.Box(100, 80, 430, 400, 16);
  d.Box(102, 82, 362, 340, 16);
  d.FillBox(103, 83, 361, 339, 0);
  for (int k = 0; k < kFileListRows; ++k) {
    if (In(s.pointerX, 105, 361) && In(s.pointerY, 86 + 14 * k, 98 + 14 * k))
      d.Box(104, 84 + 14 * k, 360, 98 + 14 * k, 16);
    EditorPrint(107, 86 + 14 * k, s.fileList[k]);
  }
  d.Box(102, 342, 362, 356, 16);
  d.FillBox(103, 343, 361, 355, 0);
  EditorPrint(104, 344, box);
  d.Box(102, 358, 182, 372, 16);
  EditorPrint(104, 360, "More Files");
}

void ListingButton(int32_t y, const char* label, bool coded = false) {
  EdDisplay().Box(370, y, 420, y + 14, 16);
  if (coded) {
    EditorPrintCoded(372, y + 2, label);
  } else {
    EditorPrint(372, y + 2, label);
  }
}

void RebuildMapList() {
  EditorState& s = Ed();
  for (int k = 0; k < kMaxMaps; ++k) {
    char* row = s.mapList[k];
    std::memset(row, 0, sizeof(s.mapList[k]));
    const Map* map = k < s.world.mapCount ? s.world.maps[static_cast<size_t>(k)].get() : nullptr;
    if (!map) continue;
    char name[sizeof(map->name) + 1] = {};
    std::memcpy(name, map->name, sizeof(map->name));
    std::snprintf(row, sizeof(s.mapList[k]), "%02d: %s", k, name);
  }
}

// Makes map k current with the view at the map's top-left corner.
void ShowMap(uint8_t k) {
  SelectMap(k);
  SetCamera(ToFixed(320), ToFixed(240));
  UpdatePointerTile();
  Ed().selectedMap = k;
}

void AddMap(uint8_t sizeClass, const Map* copyOf) {
  World& world = Ed().world;
  if (world.mapCount >= kMaxMaps) return;
  auto map = std::make_unique<Map>();
  if (copyOf) {
    CopyMap(*map, *copyOf);
  } else {
    NewMap(*map, sizeClass, Ed().mapNameBox);
  }
  world.maps[world.mapCount] = std::move(map);
  ++world.mapCount;
}

void DeleteSelectedMap() {
  EditorState& s = Ed();
  World& world = s.world;
  uint8_t k = s.selectedMap;
  // Map 0 always stays.
  if (k == 0 || k >= world.mapCount) return;
  FreeMap(*world.maps[k]);
  for (int i = k; i + 1 < world.mapCount; ++i) world.maps[i] = std::move(world.maps[i + 1]);
  world.maps[world.mapCount - 1].reset();
  --world.mapCount;
  ShowMap(0);
}

// The picture goes onto the screen with its palette and is cut into tiles.
// A picture that cannot be read leaves the tiles as they were.
void LoadTileset(const char* name) {
  if (!SafeFileName(name)) return;
  BmpImage image;
  if (!ReadBmp8(ReadPath(std::string("graphics\\") + name), image)) return;
  Display& d = EdDisplay();
  d.SetPalette(image.palette.data());
  d.RealizePalette();
  std::vector<uint8_t> picture(640 * 480, 0);
  int32_t rows = std::min(image.height, 480), cols = std::min(image.width, 640);
  for (int32_t y = 0; y < rows; ++y) {
    std::memcpy(picture.data() + y * 640,
                image.pixels.data() + static_cast<size_t>(y) * image.width,
                static_cast<size_t>(cols));
  }
  for (int32_t y = 0; y < std::min(d.height, 480); ++y) {
    std::memcpy(d.screen + static_cast<size_t>(y) * d.pitch, picture.data() + y * 640,
                static_cast<size_t>(std::min(d.width, 640)));
  }
  CutTiles(picture.data());
}

}  // namespace

bool FileNameChar(uint8_t c) {
  if (c < 32 || c > 126) return false;
  return std::strchr("/\\:*?\"<>|", c) == nullptr;
}

bool SafeFileName(const char* name) {
  if (name[0] == '\0') return false;
  if (std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0) return false;
  for (const char* p = name; *p; ++p) {
    if (!FileNameChar(static_cast<uint8_t>(*p))) return false;
  }
  return true;
}

void CloseSearch() {
  EditorState& s = Ed();
  s.search.Close();
  s.searchOpen = false;
}

void OpenFileMenu() {
  OpenListing(kModeFileMenu, kWorldPattern);
}
void OpenTilesetPicker() {
  OpenListing(kModeTileset, kPicturePattern);
}

void OpenWorldMenu() {
  EditorState& s = Ed();
  s.selectedMap = s.mapIndex;
  RebuildMapList();
  s.mode = kModeWorldMenu;
}

void FileMenuClick() {
  EditorState& s = Ed();
  if (ListingClick(s.fileNameBox)) return;
  if (!In(s.pointerX, 371, 419)) return;
  int32_t y = s.pointerY;
  if (In(y, 93, 105)) {
    CloseListing();
    AskOrDo(kAskNew);
  } else if (In(y, 181, 193)) {
    // A load that fails keeps the world in hand and says why.
    CloseListing();
    AskOrDo(kAskLoad);
  } else if (In(y, 271, 283)) {
    CloseListing();
    SaveWorldAs(s.fileNameBox);
  } else if (In(y, 371, 383)) {
    CloseListing();
  }
}

void WorldMenuClick() {
  EditorState& s = Ed();
  int32_t x = s.pointerX, y = s.pointerY;
  if (In(x, 65, 361)) {
    for (int k = 0; k < kMaxMaps && k < s.world.mapCount; ++k) {
      if (In(y, 14 + 14 * k, 27 + 14 * k)) ShowMap(static_cast<uint8_t>(k));
    }
  }
  if (In(x, 380, 470)) {
    if (In(y, 12, 25)) AddMap(kSizeSmall, nullptr);
    if (In(y, 29, 42)) AddMap(kSizeMedium, nullptr);
    if (In(y, 45, 58)) AddMap(kSizeLarge, nullptr);
    if (In(y, 61, 74)) AddMap(0, s.world.maps[s.selectedMap].get());
    if (In(y, 121, 134)) {
      s.mode = kModeMap;
      return;
    }
    if (In(y, 201, 214)) std::memcpy(s.world.maps[s.selectedMap]->name, s.mapNameBox, 32);
    if (In(y, 281, 294)) DeleteSelectedMap();
  }
  RebuildMapList();
}

void TilesetClick() {
  EditorState& s = Ed();
  if (ListingClick(s.tilesetNameBox)) return;
  if (!In(s.pointerX, 371, 419)) return;
  if (In(s.pointerY, 181, 193)) {
    CloseListing();
    LoadTileset(s.tilesetNameBox);
  } else if (In(s.pointerY, 371, 383)) {
    CloseListing();
  }
}

void FileMenuKey(uint8_t key) {
  if (!TypeInto(Ed().fileNameBox, kFileNameMax, key, true)) CloseListing();
}

void WorldMenuKey(uint8_t key) {
  if (!TypeInto(Ed().mapNameBox, kMapNameMax, key, false)) Ed().mode = kModeMap;
}

void TilesetKey(uint8_t key) {
  if (!TypeInto(Ed().tilesetNameBox, kFileNameMax, key, true)) CloseListing();
}

void DrawFileMenu() {
  DrawListing(Ed().fileNameBox);
  ListingButton(92, "New");
  ListingButton(180, "C4NTATb", true);
  ListingButton(270, "3ALNCb", true);
  ListingButton(370, "Quit");
}

void DrawTilesetPicker() {
  DrawListing(Ed().tilesetNameBox);
  ListingButton(180, "C4NTATb", true);
  ListingButton(370, "Quit");
}

void DrawWorldMenu() {
  const EditorState& s = Ed();
  Display& d = EdDisplay();
  d.FillBox(60, 10, 480, 370, 8);
  d.Box(60, 10, 480, 370, 16);
  d.Box(62, 12, 362, 352, 16);
  d.FillBox(63, 13, 361, 351, 0);
  for (int k = 0; k < kMaxMaps; ++k) {
    if (In(s.pointerX, 65, 361) && In(s.pointerY, 14 + 14 * k, 27 + 14 * k))
      d.Box(64, 14 + 14 * k, 360, 28 + 14 * k, 16);
    if (k == s.selectedMap) d.Box(64, 14 + 14 * k, 360, 28 + 14 * k, 31);
    // Map names are the game's own texts, in its letter coding; the number
    // before them is a number.
    const char* entry = s.mapList[k];
    const char* name = std::strstr(entry, ": ");
    if (name) {
      std::string number(entry, static_cast<size_t>(name - entry) + 2);
      EditorPrint(67, 16 + 14 * k, number.c_str());
      EditorPrintCoded(67 + TextWidthOf(number.c_str(), kFontEditor), 16 + 14 * k, name + 2);
    } else {
      EditorPrintCoded(67, 16 + 14 * k, entry);
    }
  }
  d.Box(62, 354, 362, 368, 16);
  d.FillBox(63, 355, 361, 367, 0);
  EditorPrintCoded(64, 356, s.mapNameBox);
  struct Button {
    int32_t y;
    const char* label;
  };
  constexpr Button kButtons[] = {{12, "New Small"}, {28, "New Medium"}, {44, "New Large"},
                                 {60, "Copy"},      {120, "Edit"},      {200, "Rename"},
                                 {280, "Delete"}};
  for (const Button& b : kButtons) {
    d.Box(380, b.y, 470, b.y + 14, 16);
    EditorPrint(382, b.y + 2, b.label);
  }
}

}  // namespace torvel
