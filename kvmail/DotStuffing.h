#pragma once

#include <string>

// Doubles every body line that is a single "." so that the server does not take it for the end
// of the data. Lines that merely begin with "." are left as they are.
std::string dotStuffed(std::string body);
