// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/ToolFiles.h"

#include "tools/Command.h"

#include "model/AtomicFile.h"

#include <iostream>
#include <iterator>

std::string readInputFile(const std::string& path) {
    if (path == "-") {
        std::string bytes{std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>()};
        if (std::cin.bad()) {
            throw CommandFailure("standard input: cannot be read");
        }
        return bytes;
    }
    std::string error;
    auto bytes = readWholeFile(path, &error);
    if (!bytes) {
        throw CommandFailure(path + ": " + (error.empty() ? std::string("cannot be read") : error));
    }
    return std::move(*bytes);
}

void writeOutputFile(const std::string& path, std::string_view bytes) {
    std::string error;
    if (!AtomicFile::write(path, bytes, &error)) {
        throw CommandFailure(path + ": cannot be written: " + error);
    }
}

void requireReadable(const std::string& path, const ReadOutcome& outcome) {
    if (outcome.ok()) {
        return;
    }
    std::string problem = outcome.problem;
    if (problem.empty()) {
        switch (outcome.status) {
        case ReadStatus::Unsupported:
            problem = "this version of the file is not supported";
            break;
        case ReadStatus::Unreadable:
            problem = "cannot be read";
            break;
        default:
            problem = "the file is damaged";
            break;
        }
    }
    throw CommandFailure(path + ": " + problem);
}
