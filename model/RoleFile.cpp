// SPDX-License-Identifier: GPL-3.0-or-later
#include "RoleFile.h"

#include "SuiteFile.h"

namespace RoleFile {

std::string encode(const CRole& role) {
    ArchiveWriter out;
    out.writeInt(CRole::kFileFormat);
    role.store(out);
    return out.takeBytes();
}

ReadOutcome decode(std::string_view bytes, CRole& role) {
    ArchiveReader in(bytes);
    const std::int32_t format = in.readInt();
    if (in.ok() && format != CRole::kFileFormat) {
        return {ReadStatus::Unsupported, "the role profile format " + std::to_string(format) + " is not supported"};
    }
    CRole read;
    read.load(in);
    if (!in.ok()) {
        return ReadOutcome::fromReader(in);
    }
    role = std::move(read);
    return {};
}

ReadOutcome read(const std::string& path, CRole& role) {
    return SuiteFile::read(path, [&role](std::string_view bytes) { return decode(bytes, role); });
}

} // namespace RoleFile
