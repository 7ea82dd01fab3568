// Keeping the designer's work: saving and loading with a word on how it
// went, and the question asked before unsaved changes would be dropped (by
// Escape, New, Load or the window's close button).
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "editor/editor_internal.h"
#include "gfx/display.h"
#include "gfx/font.h"
#include "platform/paths.h"

namespace torvel {

namespace {

constexpr int32_t kAskLeft = 130, kAskTop = 150, kAskRight = 510, kAskBottom = 262;
struct AskButton {
  int32_t x1, x2;
  const char* label;
};
constexpr int32_t kAskButtonTop = 228, kAskButtonBottom = 242;
constexpr AskButton kAskSave = {140, 230, "Save"};
constexpr AskButton kAskLeave = {250, 370, "Don't save"};
constexpr AskButton kAskCancel = {390, 480, "Cancel"};
constexpr int32_t kNameBoxLeft = 200, kNameBoxTop = 196, kNameBoxRight = 500;

bool In(int32_t v, int32_t lo, int32_t hi) {
  return v >= lo && v <= hi;
}

bool OnButton(const AskButton& b) {
  const EditorState& s = Ed();
  return In(s.pointerX, b.x1, b.x2) && In(s.pointerY, kAskButtonTop, kAskButtonBottom);
}

void DrawAskButton(const AskButton& b) {
  EdDisplay().Box(b.x1, kAskButtonTop, b.x2, kAskButtonBottom, OnButton(b) ? 31 : 16);
  EditorPrint(b.x1 + 2, kAskButtonTop + 2, b.label);
}

void Proceed() {
  EditorState& s = Ed();
  s.mode = kModeMap;
  switch (s.askAction) {
    case kAskQuit:
      s.endRequested = true;
      break;
    case kAskClose:
      s.closed = true;
      break;
    case kAskNew:
      StartNewWorld();
      break;
    case kAskLoad:
      LoadWorldNamed(s.fileNameBox);
      break;
    default:
      break;
  }
}

void SaveThenProceed() {
  EditorState& s = Ed();
  // A failed save keeps the question open, with the reason in the notice.
  if (SaveWorldAs(s.askNameBox)) Proceed();
}

// A name as the notices show it.
std::string Shown(const std::string& name) {
  return name.empty() ? std::string("(no name)") : name;
}

}  // namespace

std::string WithWorldExtension(const char* typed) {
  std::string name = typed;
  // Names the file system would take for folders are left to be refused.
  if (name.empty() || name == "." || name == "..") return name;
  size_t dot = name.rfind('.');
  // "river" and "river." get ".vwd"; "notes.txt" is taken as meant.
  if (dot == std::string::npos || dot == 0) return name + ".vwd";
  if (dot + 1 == name.size()) return name + "vwd";
  return name;
}

void ShowNotice(const std::string& text) {
  EditorState& s = Ed();
  s.notice = text;
  s.noticeUntil = s.ticks + kNoticeTicks;
}

bool SaveWorldAs(const char* typed) {
  EditorState& s = Ed();
  CommitWorldChanges();
  if (typed[0] == '\0') {
    ShowNotice("could not save: type a file name first");
    return false;
  }
  std::string name = WithWorldExtension(typed);
  if (!SafeFileName(name.c_str())) {
    ShowNotice("could not save " + name + ": not a usable file name");
    return false;
  }
  errno = 0;
  if (!SaveWorld(s.world, name.c_str())) {
    int err = errno;
    ShowNotice("could not save " + name + ": " +
               (err != 0 ? std::strerror(err) : "the file could not be written"));
    return false;
  }
  s.worldName = name;
  MarkWorldSaved();
  ShowNotice("saved " + name);
  return true;
}

void LoadWorldNamed(const char* typed) {
  EditorState& s = Ed();
  std::string name = WithWorldExtension(typed);
  std::string reason;
  if (typed[0] == '\0') {
    reason = "type or pick a file name first";
  } else if (!SafeFileName(name.c_str())) {
    reason = "not a usable file name";
  } else if (!FileExists(ReadPath(name))) {
    reason = "no such file";
  } else if (!LoadWorld(s.world, name.c_str())) {
    // The world read nothing into itself: the one in hand stays.
    reason = "not a world file, or a damaged one";
  }
  if (!reason.empty()) {
    ShowNotice("could not load " + Shown(name) + ": " + reason);
    return;
  }
  s.worldName = name;
  SelectMap(0);
  UpdatePointerTile();
  ResetHistory();
  ShowNotice("loaded " + name);
}

void StartNewWorld() {
  EditorState& s = Ed();
  FreeWorld(s.world);
  NewWorld(s.world, s.display);
  s.worldName.clear();
  SelectMap(0);
  UpdatePointerTile();
  ResetHistory();
}

void AskOrDo(uint8_t action) {
  EditorState& s = Ed();
  CommitWorldChanges();
  s.askAction = action;
  if (!WorldDirty()) {
    Proceed();
    return;
  }
  // The name offered is the world's own, else whatever the file box holds.
  std::snprintf(s.askNameBox, sizeof(s.askNameBox), "%s",
                s.worldName.empty() ? s.fileNameBox : s.worldName.c_str());
  s.mode = kModeAsk;
}

void AskClick() {
  EditorState& s = Ed();
  if (OnButton(kAskSave)) {
    SaveThenProceed();
  } else if (OnButton(kAskLeave)) {
    Proceed();
  } else if (OnButton(kAskCancel)) {
    s.mode = kModeMap;
  }
}

void AskKey(uint8_t key) {
  EditorState& s = Ed();
  char* box = s.askNameBox;
  size_t len = std::strlen(box);
  if (key == kKeyEscape) {
    s.mode = kModeMap;
  } else if (key == kKeyEnter) {
    SaveThenProceed();
  } else if (key == kKeyBackspace) {
    if (len > 0) box[len - 1] = '\0';
  } else if (FileNameChar(key) && len < kFileNameMax) {
    box[len] = static_cast<char>(key);
    box[len + 1] = '\0';
  }
}

void DrawAsk() {
  const EditorState& s = Ed();
  Display& d = EdDisplay();
  d.FillBox(kAskLeft, kAskTop, kAskRight, kAskBottom, 8);
  d.Box(kAskLeft, kAskTop, kAskRight, kAskBottom, 16);
  static const char* const kWhy[] = {"before leaving the editor", "before the window closes",
                                     "before starting a new world", "before loading another"};
  EditorPrint(140, 160, "This world has changes that are not saved.");
  char line[80];
  std::snprintf(line, sizeof(line), "Save them %s?", kWhy[s.askAction & 3]);
  EditorPrint(140, 174, line);
  EditorPrint(140, 198, "Save as:");
  d.Box(kNameBoxLeft, kNameBoxTop, kNameBoxRight, kNameBoxTop + 14, 16);
  d.FillBox(kNameBoxLeft + 1, kNameBoxTop + 1, kNameBoxRight - 1, kNameBoxTop + 13, 0);
  EditorPrint(kNameBoxLeft + 2, kNameBoxTop + 2, s.askNameBox);
  DrawAskButton(kAskSave);
  DrawAskButton(kAskLeave);
  DrawAskButton(kAskCancel);
  EditorPrint(140, 246, "Enter saves, Escape cancels");
}

void DrawStatus() {
  const EditorState& s = Ed();
  Display& d = EdDisplay();
  // Beside the map flags: the unsaved mark, the file name, the test level.
  EditorPrint(532, 424, WorldDirty() ? "* unsaved" : "saved");
  char name[12];
  std::snprintf(name, sizeof(name), "%.10s", s.worldName.empty() ? "(new)" : s.worldName.c_str());
  EditorPrint(532, 440, name);
  char level[16];
  std::snprintf(level, sizeof(level), "F5 lv %02d", s.testLevel);
  EditorPrint(532, 456, level);
  if (s.ticks < s.noticeUntil && !s.notice.empty()) {
    // A strip along the top of the panel, clear of the tile position.
    int32_t right = std::min<int32_t>(574, 8 + TextWidthOf(s.notice.c_str(), kFontEditor));
    d.FillBox(0, 404, right, 419, 8);
    d.Box(0, 404, right, 419, 16);
    EditorPrint(4, 406, s.notice.c_str());
  }
}

}  // namespace torvel
