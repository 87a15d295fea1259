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
#include <string_view>
#include <vector>

#include "image.h"
#include "po_catalogue.h"
#include "translation_template.h"

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

    // The text a player reads, in the language being written: the
    // catalogue's translation of `english` shown as `context`, or `english`
    // itself. Every text said in English is listed, with `comment` for the
    // translator, in the template catalogue (templateMessages).
    std::string say(std::string_view context, std::string_view english, std::string_view comment);
    const std::vector<Message>& templateMessages() const { return said_; }

    // From here on the generators write one language's files: a file meant
    // for data\... goes to `folder` (data\lang\CODE) in its place, unless it
    // is the English file to the byte (the game falls back to that); files
    // outside data\ (the review pictures) are left as English wrote them; and
    // `say` answers from `catalogue`. English again after endLanguage.
    void beginLanguage(const std::string& folder, const PoCatalogue& catalogue);
    void endLanguage();
    // The folder of the language being written; empty for English.
    const std::string& language() const { return languageFolder_; }

    // Writes manifest.txt; removes nothing.
    bool finish();
    // Files written (or, comparing only, files that differ from the tree's).
    int changedFiles() const { return changed_; }
    const std::vector<std::string>& changedPaths() const { return changedPaths_; }
    int failures() const { return failures_; }
    // A generator that could not make something it should counts a failure.
    void reportFailure() { ++failures_; }

private:
    // Where a file of the data tree goes in the language being written;
    // empty for a file outside data\, which only English writes.
    std::string placed(const std::string& path) const;

    std::string root_;
    std::string languageFolder_;  // normalised, empty while writing English
    const PoCatalogue* catalogue_ = nullptr;
    std::vector<Message> said_;
    std::set<std::pair<std::string, std::string>> saidKeys_;
    Mode mode_;
    std::vector<std::string> changedPaths_;
    std::map<std::string, std::string> manifest_;
    std::set<std::string> written_;
    std::vector<std::pair<std::string, Image>> sheet_;
    int changed_ = 0;
    int failures_ = 0;
};

std::string lowerCase(std::string text);
