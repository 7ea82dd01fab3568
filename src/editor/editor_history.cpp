// Undo and redo, and the mark of unsaved changes.
//
// The history keeps the world's file image as it stands and, for every step,
// only the run of bytes that step changed (from the first differing byte to
// the last), before and after. Whatever changes the world, a painting stroke,
// a panel click, a typed message, the world menu or a new tileset, shows up
// in the image, so nothing can be missed; a stroke of a small brush costs a
// few hundred bytes.
#include <algorithm>

#include "editor/editor_internal.h"
#include "world/light.h"

namespace torvel {

namespace {

EditorHistory& H() {
  return Ed().history;
}

HistoryStep Difference(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
  size_t common = std::min(a.size(), b.size());
  size_t head = 0;
  while (head < common && a[head] == b[head]) ++head;
  size_t tail = 0;
  while (tail < common - head && a[a.size() - 1 - tail] == b[b.size() - 1 - tail]) ++tail;
  HistoryStep step;
  step.offset = head;
  step.before.assign(a.begin() + static_cast<std::ptrdiff_t>(head),
                     a.end() - static_cast<std::ptrdiff_t>(tail));
  step.after.assign(b.begin() + static_cast<std::ptrdiff_t>(head),
                    b.end() - static_cast<std::ptrdiff_t>(tail));
  return step;
}

// The image with `from` (now at the step's offset) replaced by `to`.
void Replace(std::vector<uint8_t>& image, size_t offset, const std::vector<uint8_t>& from,
             const std::vector<uint8_t>& to) {
  auto at = image.begin() + static_cast<std::ptrdiff_t>(offset);
  image.erase(at, at + static_cast<std::ptrdiff_t>(from.size()));
  image.insert(image.begin() + static_cast<std::ptrdiff_t>(offset), to.begin(), to.end());
}

// The world becomes the image; the map the step was made on is shown.
void Restore(uint8_t mapIndex) {
  EditorState& s = Ed();
  if (!ParseWorld(s.world, H().image.data(), H().image.size())) return;
  SelectMap(mapIndex < s.world.mapCount ? mapIndex : 0);
  UpdatePointerTile();
}

}  // namespace

void ResetHistory() {
  EditorHistory& h = H();
  h.steps.clear();
  h.position = 0;
  h.savedAt = 0;
  h.pending = false;
  h.typingRun = false;
  h.image = WorldBytes(Ed().world);
}

void NoteWorldChange(bool typing) {
  EditorHistory& h = H();
  // A pass that typed and also clicked is no longer only typing.
  h.pendingTyping = typing && (!h.pending || h.pendingTyping);
  h.pending = true;
}

void CommitWorldChanges() {
  EditorHistory& h = H();
  if (!h.pending) return;
  bool typing = h.pendingTyping;
  h.pending = false;
  h.pendingTyping = false;
  // The current light follows the base light every tick; the step keeps
  // them alike, as the next tick would.
  if (Ed().map) UpdateMapLight(*Ed().map, kLightEditor, Ed().world);
  std::vector<uint8_t> now = WorldBytes(Ed().world);
  if (now == h.image) return;

  // Redo steps past this point can no longer be reached.
  if (h.position < h.steps.size()) {
    if (h.savedAt > static_cast<long>(h.position)) h.savedAt = -1;
    h.steps.resize(h.position);
  }
  // Letters typed into one message one after another are one step.
  bool joins = typing && h.typingRun && !h.steps.empty() && h.typingSlot == Ed().specialSlot &&
               h.steps.back().mapIndex == Ed().mapIndex &&
               h.savedAt != static_cast<long>(h.position);
  if (joins) {
    HistoryStep step = Difference(h.typingBase, now);
    step.mapIndex = Ed().mapIndex;
    h.steps.back() = std::move(step);
  } else {
    HistoryStep step = Difference(h.image, now);
    step.mapIndex = Ed().mapIndex;
    if (typing) {
      h.typingBase = h.image;
      h.typingSlot = Ed().specialSlot;
    }
    h.steps.push_back(std::move(step));
    ++h.position;
  }
  h.typingRun = typing;
  if (!typing) h.typingBase.clear();
  h.image = std::move(now);

  while (h.steps.size() > kHistorySteps) {
    h.steps.erase(h.steps.begin());
    --h.position;
    h.savedAt = h.savedAt > 0 ? h.savedAt - 1 : -1;
  }
}

bool UndoStep() {
  EditorHistory& h = H();
  CommitWorldChanges();
  h.typingRun = false;
  if (h.position == 0) return false;
  const HistoryStep& step = h.steps[--h.position];
  Replace(h.image, step.offset, step.after, step.before);
  Restore(step.mapIndex);
  return true;
}

bool RedoStep() {
  EditorHistory& h = H();
  CommitWorldChanges();
  h.typingRun = false;
  if (h.position >= h.steps.size()) return false;
  const HistoryStep& step = h.steps[h.position++];
  Replace(h.image, step.offset, step.before, step.after);
  Restore(step.mapIndex);
  return true;
}

size_t UndoSteps() {
  return H().position;
}
size_t RedoSteps() {
  return H().steps.size() - H().position;
}

bool WorldDirty() {
  return H().savedAt != static_cast<long>(H().position);
}

void MarkWorldSaved() {
  CommitWorldChanges();
  H().savedAt = static_cast<long>(H().position);
  H().typingRun = false;
}

}  // namespace torvel
