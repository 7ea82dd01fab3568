// Reading Windows-style profile (.ini) files, as hand-edited files expect:
// section and key names match regardless of case, spaces around the value are
// trimmed, CRLF and a missing final newline are fine, lines starting with ';'
// are comments, and a UTF-8 byte-order mark at the start is skipped.
#pragma once

#include <string>

namespace torvel {

// The value of key in [section]; false when the file, section or key is missing.
bool ReadProfileString(const std::string& hostPath, const std::string& section,
                       const std::string& key, std::string& value);
// The same over text already in memory.
bool FindProfileString(const std::string& text, const std::string& section, const std::string& key,
                       std::string& value);

}  // namespace torvel
