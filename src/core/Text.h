// Text rules shared by everything in core that reads or writes INI files and skin names.
// Only spaces and tabs count as blanks, and only ASCII letters fold case: the files come from
// a desktop whose rules are exactly these.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace huebird {

bool IsBlank(char c);
// The text without leading blanks; points into text.
std::string_view TrimLeadingBlanksView(std::string_view text);
// The text without leading and trailing blanks; points into text.
std::string_view TrimBlanksView(std::string_view text);
// The same, as a string of its own.
std::string TrimBlanks(std::string_view text);

// Equal when ASCII letters are folded to one case; every other byte must match exactly.
bool EqualsIgnoringCase(std::string_view a, std::string_view b);

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool IsValidUtf8(std::string_view text);
// The longest start of a UTF-8 text of at most `bytes` bytes that splits no character; points
// into text.
std::string_view Utf8PrefixView(std::string_view text, std::size_t bytes);
// How much of a text reads as UTF-8: its well-formed multi-byte sequences, and the bytes that
// start none (a stray Latin-1 byte, or most bytes of GB18030 text).
struct Utf8Tally {
    std::size_t sequences = 0;
    std::size_t strayBytes = 0;
};
Utf8Tally TallyUtf8(std::string_view text);

// What the INI format cannot hold, each as the reason ("contains a line break"), or nothing.
// A name or value that has one of these would be lost, renamed or break the lines around it.
std::optional<std::string> SectionNameProblem(std::string_view name);
std::optional<std::string> KeyNameProblem(std::string_view name);
std::optional<std::string> ValueProblem(std::string_view value);

// A message with its %1 to %9 replaced by args[0] to args[8], all in one pass, so an argument
// that holds "%2" itself (a path may) stays as it is; a marker with no argument stays too.
std::string FillIn(std::string_view text, const std::vector<std::string>& args);

}  // namespace huebird
