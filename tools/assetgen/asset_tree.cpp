#include "asset_tree.h"

#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/latin1_text.h"

AssetTree::AssetTree(std::string root, Mode mode) : root_(std::move(root)), mode_(mode) {}

std::string lowerCase(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

namespace {

std::string normalise(const std::string& relativePath) {
    std::string path = lowerCase(relativePath);
    for (char& c : path) {
        if (c == '\\') c = '/';
    }
    return path;
}

bool sameBytes(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::vector<std::uint8_t> old((std::istreambuf_iterator<char>(in)), {});
    return old == bytes;
}

}  // namespace

std::string AssetTree::placed(const std::string& path) const {
    constexpr std::string_view data = "data/";
    if (languageFolder_.empty()) return path;
    if (path.compare(0, data.size(), data) != 0) return {};
    return languageFolder_ + "/" + path.substr(data.size());
}

void AssetTree::beginLanguage(const std::string& folder, const PoCatalogue& catalogue) {
    languageFolder_ = normalise(folder);
    catalogue_ = &catalogue;
}

void AssetTree::endLanguage() {
    languageFolder_.clear();
    catalogue_ = nullptr;
}

std::string AssetTree::say(std::string_view context, std::string_view english, std::string_view comment) {
    const std::string id = platform::latin1ToUtf8(english);
    if (!catalogue_) {
        if (saidKeys_.emplace(std::string(context), id).second)
            said_.push_back({std::string(context), id, std::string(comment)});
        return std::string(english);
    }
    const std::string* translation = catalogue_->find(context, id);
    return translation ? *translation : std::string(english);
}

bool AssetTree::writeFile(const std::string& relativePath, const std::vector<std::uint8_t>& bytes) {
    const std::string english = normalise(relativePath);
    const std::string path = placed(english);
    // The review pictures outside the data tree show the English game.
    if (path.empty()) return true;
    if (path != english && sameBytes(std::filesystem::path(root_) / english, bytes)) {
        // The language needs no copy of its own; one left from an earlier
        // build would hide the English file.
        const std::filesystem::path stale = std::filesystem::path(root_) / path;
        std::error_code ec;
        if (std::filesystem::exists(stale, ec)) {
            ++changed_;
            changedPaths_.push_back(path);
            if (mode_ == Mode::Write) std::filesystem::remove(stale, ec);
        }
        return true;
    }
    // Two generators naming the same file would silently give one of them
    // the other's picture.
    if (!written_.insert(path).second) {
        std::fprintf(stderr, "assetgen: %s is written twice\n", path.c_str());
        ++failures_;
    }
    if (manifest_.find(path) == manifest_.end()) manifest_[path] = "file " + path;
    const std::filesystem::path full = std::filesystem::path(root_) / path;
    if (sameBytes(full, bytes)) return true;
    ++changed_;
    changedPaths_.push_back(path);
    if (mode_ == Mode::CompareOnly) return true;
    std::error_code ec;
    std::filesystem::create_directories(full.parent_path(), ec);
    const std::filesystem::path temp = full.string() + ".tmp";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        if (!out) {
            std::fprintf(stderr, "assetgen: cannot write %s\n", full.c_str());
            ++failures_;
            return false;
        }
    }
    std::filesystem::rename(temp, full, ec);
    if (ec) {
        ++failures_;
        return false;
    }
    return true;
}

bool AssetTree::writeText(const std::string& relativePath, const std::string& text) {
    return writeFile(relativePath, std::vector<std::uint8_t>(text.begin(), text.end()));
}

bool AssetTree::writeTextIfMissing(const std::string& relativePath, const std::string& text) {
    const std::string path = normalise(relativePath);
    manifest_[path] = "file " + path;
    if (std::filesystem::exists(std::filesystem::path(root_) / path)) return true;
    return writeText(relativePath, text);
}

void AssetTree::addToContactSheet(const std::string& name, const Image& picture) {
    if (!languageFolder_.empty()) return;  // the sheet shows the English game
    sheet_.emplace_back(name, picture);
}

void AssetTree::describe(const std::string& kind, const std::string& relativePath, const std::string& details) {
    const std::string path = placed(normalise(relativePath));
    if (!languageFolder_.empty() && !written_.count(path)) return;  // the English file serves
    manifest_[path] = kind + " " + path + (details.empty() ? "" : " " + details);
}

bool AssetTree::finish() {
    std::string text;
    for (const auto& [path, line] : manifest_) text += line + "\n";
    return writeText("manifest.txt", text);
}
