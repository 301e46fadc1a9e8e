// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Role.h"

#include <optional>
#include <string>
#include <vector>

class UserPrompts;

// The role profiles offered to the journal: the .kvr files of one folder.
namespace RoleLibrary {

struct Entry {
    std::string name; // the role's name as stored
    std::string path; // the file it came from
};

struct Listing {
    std::vector<Entry> roles;          // sorted by name; roles of the same name keep their file order
    std::vector<std::string> problems; // one line per file that could not be read as a role
};

// An empty or missing folder gives an empty listing. Unreadable files are skipped and named.
Listing list(const std::string& folder);
// The roles of several folders in one listing, sorted by name; roles of the same name keep the
// order of their folders.
Listing list(const std::vector<std::string>& folders);

// What the role choice shows for a selected role, read again from its file: the description, and
// each competency in order with the statements of its behaviours in order.
struct Showing {
    struct Competency {
        std::string name;
        std::vector<std::string> behaviours;
    };
    std::string description;
    std::vector<Competency> competencies;
};
// Nothing, with the reason in *problem, when the file no longer reads as a role.
std::optional<Showing> show(const std::string& path, std::string* problem);

// Copies a role profile file into the folder, asking before replacing a file of the same name,
// and tells the user when it has been added. A file that is not a readable role is refused.
bool addRoleFile(const std::string& source, const std::string& folder, UserPrompts& prompts);

inline constexpr const char* kRoleAdded = "Role profile added to your choice of roles.";

} // namespace RoleLibrary
