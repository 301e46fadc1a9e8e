// SPDX-License-Identifier: GPL-3.0-or-later
#include "RoleLibrary.h"

#include "AtomicFile.h"
#include "RoleFile.h"
#include "SuiteFile.h"
#include "TextRules.h"
#include "UserPrompts.h"

#include <algorithm>
#include <filesystem>

namespace fs = std::filesystem;

namespace RoleLibrary {

Listing list(const std::string& folder) {
    return list(std::vector<std::string>{folder});
}

Listing list(const std::vector<std::string>& folders) {
    Listing listing;
    std::vector<fs::path> files;
    for (const std::string& folder : folders) {
        std::error_code error;
        std::vector<fs::path> inFolder;
        for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
            const fs::path& path = it->path();
            if (endsWithIgnoringCase(path.filename().string(), ".kvr") && it->is_regular_file(error)) {
                inFolder.push_back(path);
            }
        }
        // Directory order differs between file systems; the file names make the listing repeatable.
        std::sort(inFolder.begin(), inFolder.end());
        files.insert(files.end(), inFolder.begin(), inFolder.end());
    }
    for (const fs::path& path : files) {
        CRole role;
        const ReadOutcome outcome = RoleFile::read(path.string(), role);
        if (!outcome.ok()) {
            listing.problems.push_back(SuiteFile::readFailureMessage(path.string(), outcome));
            continue;
        }
        listing.roles.push_back({role.name, path.string()});
    }
    std::stable_sort(listing.roles.begin(), listing.roles.end(),
                     [](const Entry& a, const Entry& b) { return foldedLess(a.name, b.name); });
    return listing;
}

std::optional<Showing> show(const std::string& path, std::string* problem) {
    CRole role;
    const ReadOutcome outcome = RoleFile::read(path, role);
    if (!outcome.ok()) {
        *problem = SuiteFile::readFailureMessage(path, outcome);
        return std::nullopt;
    }
    Showing showing;
    showing.description = role.description;
    for (std::size_t c = 0; c < role.framework.competencies.size(); ++c) {
        Showing::Competency& competency = showing.competencies.emplace_back();
        competency.name = role.framework.competencies[c].name;
        for (const CBehaviour& behaviour : role.framework.behaviours) {
            if (behaviour.competency == static_cast<std::int32_t>(c)) {
                competency.behaviours.push_back(behaviour.statement);
            }
        }
    }
    return showing;
}

bool addRoleFile(const std::string& source, const std::string& folder, UserPrompts& prompts) {
    std::string bytes;
    CRole role;
    const SuiteFile::Decoder keepingBytes = [&](std::string_view read) {
        bytes = read;
        return RoleFile::decode(read, role);
    };
    if (!SuiteFile::readTelling(source, keepingBytes, prompts).ok()) {
        return false;
    }
    const fs::path name = fs::path(source).filename();
    const std::string target = (fs::path(folder) / name).string();
    std::error_code ignored;
    if (fs::exists(target, ignored) &&
        !prompts.question("The file " + SuiteFile::displayName(source) +
                          " is already in your choice of roles.  Do you want to replace it?")) {
        return false;
    }
    std::string failure;
    if (!AtomicFile::write(target, bytes, &failure)) {
        prompts.message("Sorry, the role profile could not be added: " + failure + ".");
        return false;
    }
    prompts.message(kRoleAdded);
    return true;
}

} // namespace RoleLibrary
