#pragma once
#include <string>
#include <vector>

namespace Util {

// The characters that text functions treat as blanks.
inline const std::string kBlanks = " \t\n\r";

std::string trimLeft(const std::string& text, const std::string& set = kBlanks);
std::string trimRight(const std::string& text, const std::string& set = kBlanks);
std::string trim(const std::string& text, const std::string& set = kBlanks);

bool startsWith(const std::string& text, const std::string& prefix);
bool endsWith(const std::string& text, const std::string& suffix);

// The text after its first n characters; empty when it is shorter.
std::string tail(const std::string& text, size_t n);
// The text before / after the first occurrence of the character; all of it when absent.
std::string textBefore(const std::string& text, char character);
std::string textAfter(const std::string& text, char character);
// The text before the last '/'; all of it when there is none.
std::string directoryOf(const std::string& path);

// Replaces every non-overlapping occurrence, left to right. An empty "from" matches nothing
// (it would otherwise match everywhere for ever), so the text comes back unchanged.
std::string replaceAll(const std::string& text, const std::string& from, const std::string& to);

// Appends every token found between an opening and a closing character, left to right.
void extractBetween(const std::string& text, char open, char close, std::vector<std::string>& out);

// Appends the pieces between occurrences of the delimiter; returns the list's size afterwards.
// Without keepEmpty, empty pieces (after trimming) are dropped; with it, a trailing delimiter
// yields a final empty piece and an empty text one empty piece.
size_t split(const std::string& text, const std::string& delimiter, std::vector<std::string>& out,
             bool keepEmpty = false, bool trimEach = true);

// "key <sep> value": false when the separator is missing. The value is left as it was when
// nothing follows the separator, so callers pass a fresh value to read "X = " as empty.
bool parseKeyValue(const std::string& line, std::string& key, std::string& value, char separator = '=');

}  // namespace Util
