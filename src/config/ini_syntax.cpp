#include "config/ini_syntax.h"

namespace ini {
namespace {

char foldCase(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// Index just after `name` when the text at `pos` spells it, else npos.
std::size_t matchName(std::string_view text, std::size_t pos, std::string_view name) {
    if (text.size() - pos < name.size()) return npos;
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (foldCase(text[pos + i]) != foldCase(name[i])) return npos;
    }
    return pos + name.size();
}

// The body after the header at `pos` when that header names `section`.
std::size_t bodyIfNamed(std::string_view text, std::size_t pos, std::string_view section) {
    const std::size_t end = matchName(text, pos + 1, section);
    return end != npos && end < text.size() && text[end] == ']' ? end + 1 : npos;
}

}  // namespace

bool isWhitespace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool isLineEnd(char c) {
    return c == '\r' || c == '\n';
}

std::size_t skipWhitespace(std::string_view text, std::size_t pos) {
    while (pos < text.size() && isWhitespace(text[pos])) ++pos;
    return pos;
}

std::size_t findLineEnd(std::string_view text, std::size_t pos) {
    while (pos < text.size() && !isLineEnd(text[pos])) ++pos;
    return pos;
}

std::size_t nextLineStart(std::string_view text, std::size_t pos) {
    return skipWhitespace(text, findLineEnd(text, pos));
}

std::vector<std::size_t> headerStarts(std::string_view text) {
    std::vector<std::size_t> headers;
    for (std::size_t pos = skipWhitespace(text, 0); pos < text.size(); pos = nextLineStart(text, pos))
        if (text[pos] == '[') headers.push_back(pos);
    return headers;
}

std::size_t findSectionBody(std::string_view text, const std::vector<std::size_t>& headers,
                            std::string_view section) {
    for (std::size_t pos : headers)
        if (const std::size_t body = bodyIfNamed(text, pos, section); body != npos) return body;
    return npos;
}

std::size_t findKeyValue(std::string_view text, std::size_t body, std::string_view key) {
    // The rest of the header line counts as the section's first line, so a
    // key written straight after "]" is still found.
    for (std::size_t pos = skipWhitespace(text, body); pos < text.size(); pos = nextLineStart(text, pos)) {
        if (text[pos] == '[') return npos;
        std::size_t at = matchName(text, pos, key);
        if (at == npos) continue;
        while (at < text.size() && isBlank(text[at])) ++at;
        if (at >= text.size() || text[at] != '=') continue;
        while (at < text.size() && (text[at] == '=' || isBlank(text[at]))) ++at;
        return at;
    }
    return npos;
}

std::string foldedName(std::string_view name) {
    std::string folded(name);
    for (char& c : folded) c = foldCase(c);
    return folded;
}

SectionKeys sectionKeys(std::string_view text, std::size_t body) {
    SectionKeys keys;
    for (std::size_t pos = skipWhitespace(text, body); pos < text.size(); pos = nextLineStart(text, pos)) {
        if (text[pos] == '[') break;
        const std::size_t lineEnd = findLineEnd(text, pos);
        const std::size_t equals = text.substr(0, lineEnd).find('=', pos);
        if (equals == npos) continue;
        std::size_t nameEnd = equals;
        while (nameEnd > pos && isBlank(text[nameEnd - 1])) --nameEnd;
        std::size_t at = equals;
        while (at < text.size() && (text[at] == '=' || isBlank(text[at]))) ++at;
        keys.emplace(foldedName(text.substr(pos, nameEnd - pos)), at);
    }
    return keys;
}

bool keyIndexable(std::string_view key) {
    if (!key.empty() && isBlank(key.back())) return false;
    for (char c : key)
        if (c == '=' || isLineEnd(c)) return false;
    return true;
}

}  // namespace ini
