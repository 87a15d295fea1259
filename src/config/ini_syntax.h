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
#include <string_view>

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

// Index just after the "]" of the first header that names `section`, or npos.
// Only a "[" at a line start opens a header, so a byte-order mark or any
// other byte before it hides that section.
std::size_t findSectionBody(std::string_view text, std::string_view section);

// Searches the section whose body starts at `body` (just after its "]") for
// `key`. Returns the index of the first value byte (past the "=" and any
// "=", space and tab after it), or npos when the section ends first.
std::size_t findKeyValue(std::string_view text, std::size_t body, std::string_view key);

}  // namespace ini
