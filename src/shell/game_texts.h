// The texts this game's authors wrote, compiled in from content/texts/ by
// the build: the credits, the epilogue, the title's notice line, the friendly
// creatures' dialogues and the shop's descriptions. All of them are in the
// game's letter coding, each line zero-terminated within its slot.
#pragma once

namespace torvel {

// The credits: 49 lines of 32 bytes, then a line that begins with "$".
// First character: "@" a title (big font; "@T" only after the ending), "#" a
// long bar, "%" a short bar, anything else a line in the small font.
constexpr int kCreditsLines = 49;
constexpr int kCreditsLineBytes = 32;
extern const char kCreditsTable[kCreditsLines + 1][kCreditsLineBytes];

// The epilogue: 25 lines of 64 bytes, then a "$" line; the same markup.
constexpr int kEpilogueLines = 25;
constexpr int kEpilogueLineBytes = 64;
extern const char kEpilogueTable[kEpilogueLines + 1][kEpilogueLineBytes];

// The line at the foot of the title screen.
constexpr int kTitleNoticeBytes = 64;
extern const char kTitleNotice[kTitleNoticeBytes];

// The dialogue table: 18 dialogues of 4 lines of 64 bytes.
constexpr int kDialogueCount = 18;
constexpr int kDialogueLines = 4;
constexpr int kDialogueLineBytes = 64;
extern const char kDialogueTable[kDialogueCount][kDialogueLines][kDialogueLineBytes];
// Dialogue 5 counts the lands left: its line 3 holds this character at
// column 22, to be replaced by a digit before the dialogue is shown.
constexpr int kCountdownDialogue = 5;
constexpr int kCountdownLine = 3;
constexpr int kCountdownColumn = 22;
constexpr char kCountdownPlaceholder = '*';

// The shop's four-line description of each of its 16 cells.
constexpr int kShopCells = 16;
constexpr int kShopDescriptionLines = 4;
constexpr int kShopDescriptionBytes = 64;
extern const char kShopDescriptions[kShopCells][kShopDescriptionLines][kShopDescriptionBytes];

}  // namespace torvel
