// The INI store, over any text: every section listed is read, then a value
// written into it must read back as written, and the rest of the file must
// read as it did before the write.

#include <cstring>
#include <string>
#include <vector>

#include "config/ini_store.h"
#include "config/ini_syntax.h"
#include "fuzz_support.h"

namespace {

constexpr const char* kPath = "data\\fuzz.ini";

// Every value of a few keys the screens and settings read.
std::vector<std::string> readKeys(const std::vector<std::string>& sections) {
    std::vector<std::string> values;
    for (const std::string& section : sections)
        for (const char* key : {"path", "x", "type", "0"}) values.emplace_back(iniReadString(kPath, section.c_str(), key));
    return values;
}

// Every key a section's index holds is where the line-by-line scan finds it.
void checkSectionIndexes(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    for (const std::size_t header : ini::headerStarts(text)) {
        const std::size_t close = text.find(']', header);
        if (close == std::string_view::npos) continue;
        for (const auto& [name, value] : ini::sectionKeys(text, close + 1)) {
            if (ini::keyIndexable(name)) fuzzCheck(ini::findKeyValue(text, close + 1, name) == value);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::scratchRoot();
    static const bool folder = platform::makeDirectories("data");
    (void)folder;
    iniReleaseCache();
    fuzz::writeInput(kPath, data, size);
    checkSectionIndexes(data, size);

    char list[4096];
    const int count = iniListSections(kPath, list, sizeof list);
    std::vector<std::string> sections;
    for (const char* p = list; *p; p += std::strlen(p) + 1) sections.emplace_back(p);
    fuzzCheck(int(sections.size()) == count);
    sections.emplace_back("main");

    for (const std::string& section : sections) {
        iniReadInt(kPath, section.c_str(), "xs");
        iniReadFloat(kPath, section.c_str(), "volume");
    }
    const std::vector<std::string> before = readKeys(sections);

    const std::string& target = sections[size % sections.size()];
    if (iniWriteString(kPath, target.c_str(), "fuzzkey", "written value") == 0) {
        fuzzCheck(std::strcmp(iniReadString(kPath, target.c_str(), "fuzzkey"), "written value") == 0);
        fuzzCheck(readKeys(sections) == before);
        // What was saved reads back the same from disk.
        iniReleaseCache();
        fuzzCheck(std::strcmp(iniReadString(kPath, target.c_str(), "fuzzkey"), "written value") == 0);
        fuzzCheck(readKeys(sections) == before);
    }
    iniReleaseCache();
    return 0;
}
