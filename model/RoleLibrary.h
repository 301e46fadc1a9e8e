#pragma once

#include "Role.h"

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

// Copies a role profile file into the folder, asking before replacing a file of the same name,
// and tells the user when it has been added. A file that is not a readable role is refused.
bool addRoleFile(const std::string& source, const std::string& folder, UserPrompts& prompts);

inline constexpr const char* kRoleAdded = "Role profile added to your choice of roles.";

} // namespace RoleLibrary
