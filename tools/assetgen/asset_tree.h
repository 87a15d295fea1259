#pragma once
// The data tree the generator writes. Every file goes through here: paths
// are written in lower case, bytes are compared with what is already on disk
// and only changed files are rewritten (so timestamps stay still and a
// rebuild with nothing new touches nothing), and every file is listed in the
// manifest the tests walk.

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "image.h"

class AssetTree {
public:
    enum class Mode {
        Write,        // write what differs (the build)
        CompareOnly,  // write nothing; count what would differ (the determinism check)
    };
    explicit AssetTree(std::string root, Mode mode = Mode::Write);

    // Writes a file (relative path, any spelling; stored lower case).
    bool writeFile(const std::string& relativePath, const std::vector<std::uint8_t>& bytes);
    bool writeText(const std::string& relativePath, const std::string& text);
    // Writes only when the file does not exist yet: settings the game writes
    // back must survive regeneration.
    bool writeTextIfMissing(const std::string& relativePath, const std::string& text);

    // Records a picture for the contact sheet, with a note (frame count...).
    void addToContactSheet(const std::string& name, const Image& picture);
    const std::vector<std::pair<std::string, Image>>& contactSheet() const { return sheet_; }

    // A line of the manifest: "kind path details".
    void describe(const std::string& kind, const std::string& relativePath, const std::string& details);

    // Writes manifest.txt; removes nothing.
    bool finish();
    // Files written (or, comparing only, files that differ from the tree's).
    int changedFiles() const { return changed_; }
    const std::vector<std::string>& changedPaths() const { return changedPaths_; }
    int failures() const { return failures_; }
    // A generator that could not make something it should counts a failure.
    void reportFailure() { ++failures_; }

private:
    std::string root_;
    Mode mode_;
    std::vector<std::string> changedPaths_;
    std::map<std::string, std::string> manifest_;
    std::set<std::string> written_;
    std::vector<std::pair<std::string, Image>> sheet_;
    int changed_ = 0;
    int failures_ = 0;
};

std::string lowerCase(std::string text);
