// The small text layer under the level sources: lines split into words and
// quoted strings, "//" comments, UTF-8 cells, and the turning of a written
// Russian text into the letter coding the game's fonts draw.
#pragma once

#include <string>
#include <vector>

namespace torvel::forge {

// Where something was written, for messages: "river/02-mill.map:14", or
// just the file for the file as a whole (line 0).
struct SourceLocation {
  std::string file;
  int line = 0;
};
std::string Where(const SourceLocation& at);

struct Word {
  std::string text;  // a quoted string without its quotes
  bool quoted = false;
};

// Splits a line into words. A "//" at the start of the line or after a blank
// starts a comment; quoted strings keep their blanks and may hold \" and \\.
// False (with a message) for a quote left open.
bool SplitWords(const std::string& line, std::vector<Word>& words, std::string& error);

// The text split into lines without their line ends (\n or \r\n).
std::vector<std::string> SplitLines(const std::string& text);

// Decodes UTF-8 into code points; false for a malformed sequence.
bool DecodeUtf8(const std::string& text, std::u32string& out);
// One code point as UTF-8 (for messages).
std::string EncodeUtf8(char32_t c);
// A cell character as written in messages: 'x', or U+0009 for the unprintable.
std::string QuoteCell(char32_t c);

// A text for the game's fonts. Cyrillic letters become their codes (Ы is
// "bI", Й is "J", Ё is "E", Ъ is "b"), upper- or lower-case alike; the codes
// themselves (A-Z, b, digits, blank and ! ? . , : ; / - + $ % ( ) ' " &) pass
// unchanged, so a text may be written either way. Anything else cannot be
// shown and is refused, naming the character.
bool ToGameText(const std::string& utf8, std::string& coded, std::string& error);

// A whole decimal number (with an optional sign); false for anything else.
bool ParseInt(const std::string& text, int& value);

}  // namespace torvel::forge
