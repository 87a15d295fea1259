#pragma once
// How the INI store reads the text of an INI file: where sections and keys
// are and where a value starts and ends. Kept apart from the cache so the
// reader and the writer find things by exactly the same rules; a write that
// the reader could not find again would be a silent loss.
//
// Lines end at CR or LF in any mix. Whitespace is space, tab, CR and LF.
// Names compare case-insensitively for A to Z only, like the files were
// always read. Every position is an index into `text`; npos means "not found".

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace ini {

constexpr std::size_t npos = std::string_view::npos;

bool isWhitespace(char c);
bool isLineEnd(char c);

std::size_t skipWhitespace(std::string_view text, std::size_t pos);

// Index of the first CR or LF at or after `pos`, or text.size().
std::size_t findLineEnd(std::string_view text, std::size_t pos);

// The start of the line after the one holding `pos` (blank lines and
// indentation skipped), or text.size().
std::size_t nextLineStart(std::string_view text, std::size_t pos);

// Where every header may be: the index of each line start holding "[", in
// file order. Only a "[" at a line start opens a header, so a byte-order mark
// or any other byte before it hides that section. Found once per text, so a
// reader asking for many keys does not read the file from its top for each.
std::vector<std::size_t> headerStarts(std::string_view text);

// Index just after the "]" of the first of `headers` (the header starts of
// `text`) that names `section`, or npos.
std::size_t findSectionBody(std::string_view text, const std::vector<std::size_t>& headers,
                            std::string_view section);

// Searches the section whose body starts at `body` (just after its "]") for
// `key`. Returns the index of the first value byte (past the "=" and any
// "=", space and tab after it), or npos when the section ends first.
std::size_t findKeyValue(std::string_view text, std::size_t body, std::string_view key);

// A name as the rules compare it: A to Z made lower case.
std::string foldedName(std::string_view name);

// The keys of the section whose body starts at `body`, each by its folded
// name with the index of its first value byte, as findKeyValue would find
// them; a key written twice keeps its first place. One pass over the section
// answers every later lookup of a keyIndexable key.
using SectionKeys = std::unordered_map<std::string, std::size_t>;
SectionKeys sectionKeys(std::string_view text, std::size_t body);

// False for a key holding "=" or a line end, or ending in a blank: only
// findKeyValue's own scan answers those the way it always has.
bool keyIndexable(std::string_view key);

}  // namespace ini
