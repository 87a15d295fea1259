#include "config/player_list.h"

#include <cstdio>

#include "config/game_settings.h"
#include "config/ini_store.h"
#include "platform/paths.h"

namespace {

// Latin-1 capitals: A-Z and 0xC0-0xDE except the multiplication sign.
unsigned char lowerLatin1(unsigned char c) {
    if (c >= 'A' && c <= 'Z') return static_cast<unsigned char>(c + 32);
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<unsigned char>(c + 32);
    return c;
}

bool isBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

bool samePlayerName(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (lowerLatin1(static_cast<unsigned char>(a[i])) != lowerLatin1(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

std::string storablePlayerName(const std::string& typed) {
    std::size_t begin = 0, end = typed.size();
    while (begin < end && (isBlank(typed[begin]) || typed[begin] == '=')) ++begin;
    while (end > begin && isBlank(typed[end - 1])) --end;
    std::string name = typed.substr(begin, end - begin);
    for (char& c : name) {
        // Line ends would end the value early; the file cannot hold them.
        if (c == '\r' || c == '\n') c = ' ';
    }
    if (name.size() > PlayerList::kMaxNameLength) name.resize(PlayerList::kMaxNameLength);
    return name;
}

void PlayerList::load() {
    names_.clear();
    for (int i = 0; i < kMaxNames; ++i) {
        char key[16];
        std::snprintf(key, sizeof key, "%d", i);
        std::string name = iniReadString(kProfilesIni, "users", key);
        if (name.empty()) break;
        if (name.size() > kMaxNameLength) name.resize(kMaxNameLength);
        names_.push_back(std::move(name));
    }
}

int PlayerList::save(int current) const {
    char line[32];
    std::snprintf(line, sizeof line, "current=%d\r\n", current);
    std::string text = "[main]\r\n";
    text += line;
    text += "[users]\r\n";
    for (std::size_t i = 0; i < names_.size(); ++i) {
        std::snprintf(line, sizeof line, "%zu=", i);
        text += line;
        text += names_[i];
        text += "\r\n";
    }
    // One save for the whole list: written key by key, a failure half-way
    // would leave a file that has lost the players after it.
    const int result = platform::writeFileAtomic(kProfilesIni, text.data(), text.size());
    // The store may hold the old text; the next read must see the new one.
    iniReleaseCache();
    return result == 0 ? 0 : -1;
}

int PlayerList::find(const std::string& name) const {
    for (std::size_t i = 0; i < names_.size(); ++i) {
        if (samePlayerName(names_[i], name)) return static_cast<int>(i);
    }
    return -1;
}

int PlayerList::add(const std::string& name) {
    if (name.empty() || full()) return -1;
    names_.push_back(name);
    return size() - 1;
}

void PlayerList::remove(int index) {
    if (index < 0 || index >= size()) return;
    names_.erase(names_.begin() + index);
}
