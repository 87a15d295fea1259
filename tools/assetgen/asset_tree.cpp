#include "asset_tree.h"

#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

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

bool AssetTree::writeFile(const std::string& relativePath, const std::vector<std::uint8_t>& bytes) {
    const std::string path = normalise(relativePath);
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
    sheet_.emplace_back(name, picture);
}

void AssetTree::describe(const std::string& kind, const std::string& relativePath, const std::string& details) {
    const std::string path = normalise(relativePath);
    manifest_[path] = kind + " " + path + (details.empty() ? "" : " " + details);
}

bool AssetTree::finish() {
    std::string text;
    for (const auto& [path, line] : manifest_) text += line + "\n";
    return writeText("manifest.txt", text);
}
