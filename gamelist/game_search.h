// Search as you type: the text a game is found by, folded once when the
// list takes its records, and the typed words matched against it. Pure;
// the list (game_list.cpp) keeps one folded text per loaded game.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quillet {

// Appends `text` folded for searching: ASCII lowercased, accented Latin
// letters taken to their base letters ("É" -> "e", "ß" -> "ss", "Æ" -> "ae"),
// Greek and Cyrillic capitals lowercased, fullwidth ASCII made plain; every
// other character stays as it is. The text is UTF-8; a byte that starts no
// valid UTF-8 sequence is read as the Latin-1 character of that number (the
// era's catalogues hold ANSI text of the Western code page).
void AppendFolded(std::string& out, std::string_view text);
std::string Folded(std::string_view text);

// The fold of one character: its base letters, or nullptr when the table
// holds no fold for it (the character then stands for itself).
const char* FoldOfCodePoint(uint32_t codePoint);

// The words of a search box's text (UTF-8), folded; blanks separate words.
std::vector<std::string> SearchWords(std::string_view typed);

// The separator between the fields of a game's folded text: no typed word
// holds it, so no word is ever found across two fields.
constexpr char kSearchFieldSeparator = '\x01';

// The folded text a game is found by: its ROM name, description and
// manufacturer, each folded, separated by kSearchFieldSeparator.
void AppendSearchText(std::string& out, std::string_view romName, std::string_view description,
                      std::string_view manufacturer);

// True when every word occurs in the folded text (each word anywhere, in
// any order); true for no words at all.
bool MatchesEveryWord(std::string_view searchText, const std::vector<std::string>& words);

}  // namespace quillet
