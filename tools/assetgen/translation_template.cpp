#include "translation_template.h"

namespace {

// A PO string: quoted, with the escapes the format knows.
std::string quoted(const std::string& text) {
    std::string out = "\"";
    for (const char c : text) {
        switch (c) {
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            case '\n': out += "\\n"; break;
            case '\t': out += "\\t"; break;
            default: out += c;
        }
    }
    return out + "\"";
}

}  // namespace

std::string templateCatalogue(const std::vector<Message>& messages) {
    std::string text =
        "# The texts of Shardfall, for translators. Made by the data generator;\n"
        "# po/README says how to start or update a language.\n"
        "msgid \"\"\n"
        "msgstr \"\"\n"
        "\"Project-Id-Version: shardfall\\n\"\n"
        "\"Language: \\n\"\n"
        "\"MIME-Version: 1.0\\n\"\n"
        "\"Content-Type: text/plain; charset=UTF-8\\n\"\n"
        "\"Content-Transfer-Encoding: 8bit\\n\"\n";
    for (const Message& m : messages) {
        text += "\n";
        if (!m.comment.empty()) text += "#. " + m.comment + "\n";
        // msgfmt --check then makes sure a translation keeps the number's place.
        if (m.english.find("%d") != std::string::npos) text += "#, c-format\n";
        if (!m.context.empty()) text += "msgctxt " + quoted(m.context) + "\n";
        text += "msgid " + quoted(m.english) + "\n";
        text += "msgstr \"\"\n";
    }
    return text;
}
