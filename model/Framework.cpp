// SPDX-License-Identifier: GPL-3.0-or-later
#include "Framework.h"

#include "Archive.h"

void CPavexFramework::reset() {
    descriptionsFlag = 1;
    competencies.clear();
    scales.clear();
    behaviours.clear();
}

const CResponseScale* CPavexFramework::scaleOf(const CBehaviour& behaviour) const {
    if (behaviour.scale < 0 || static_cast<std::size_t>(behaviour.scale) >= scales.size()) {
        return nullptr;
    }
    return &scales[static_cast<std::size_t>(behaviour.scale)];
}

void CPavexFramework::store(ArchiveWriter& out) const {
    out.writeInt(kCurrentVersion);
    out.writeInt(descriptionsFlag);
    const bool withDescriptions = hasDescriptions();

    out.writeInt(static_cast<std::int32_t>(competencies.size()));
    for (const CCompetency& competency : competencies) {
        out.writeText(competency.name);
        if (withDescriptions) {
            out.writeText(competency.description);
        }
    }

    out.writeInt(static_cast<std::int32_t>(scales.size()));
    for (const CResponseScale& scale : scales) {
        out.writeInt(scale.optionCount);
        for (std::int32_t i = 0; i < scale.optionCount && i < kMaxOptions; ++i) {
            out.writeText(scale.labels[static_cast<std::size_t>(i)]);
            out.writeInt(scale.values[static_cast<std::size_t>(i)]);
        }
        out.writeInt(scale.maximum);
    }

    out.writeInt(static_cast<std::int32_t>(behaviours.size()));
    for (const CBehaviour& behaviour : behaviours) {
        out.writeText(behaviour.statement);
        out.writeInt(behaviour.competency);
        out.writeInt(behaviour.scale);
        out.writeText(behaviour.reserved);
        out.writeInt(behaviour.marked);
        if (withDescriptions) {
            out.writeText(behaviour.description);
        }
    }

    if (withDescriptions) {
        out.writeText(description);
    }
}

bool CPavexFramework::load(ArchiveReader& in) {
    CPavexFramework read;
    read.version = in.readInt();
    if (in.ok() && (read.version < 1 || read.version > kCurrentVersion)) {
        in.fail(ReadStatus::Unsupported,
                "the role framework version " + std::to_string(read.version) + " is not supported");
    }
    if (read.version >= 3) {
        read.descriptionsFlag = in.readInt();
    } else {
        read.descriptionsFlag = read.version == 2 ? 1 : 0;
    }
    const bool withDescriptions = read.hasDescriptions();

    const std::int32_t competencyCount = in.readCount(kMaxCompetencies, "competencies");
    for (std::int32_t i = 0; i < competencyCount && in.ok(); ++i) {
        CCompetency& competency = read.competencies.emplace_back();
        competency.name = in.readText();
        if (withDescriptions) {
            competency.description = in.readText();
        }
    }

    const std::int32_t scaleCount = in.readCount(kMaxScales, "response scales");
    for (std::int32_t i = 0; i < scaleCount && in.ok(); ++i) {
        CResponseScale& scale = read.scales.emplace_back();
        scale.optionCount = in.readCount(kMaxOptions, "options of a response scale");
        for (std::int32_t k = 0; k < scale.optionCount && in.ok(); ++k) {
            scale.labels[static_cast<std::size_t>(k)] = in.readText();
            scale.values[static_cast<std::size_t>(k)] = in.readInt();
        }
        if (read.version < 3) {
            // Older frameworks kept a text and an integer per scale that nothing uses.
            in.readText();
            in.readInt();
        }
        scale.maximum = in.readInt();
    }

    const std::int32_t behaviourCount = in.readCount(kMaxBehaviours, "behaviours");
    for (std::int32_t i = 0; i < behaviourCount && in.ok(); ++i) {
        CBehaviour& behaviour = read.behaviours.emplace_back();
        behaviour.statement = in.readText();
        behaviour.competency = in.readInt();
        behaviour.scale = in.readInt();
        behaviour.reserved = in.readText();
        behaviour.marked = in.readInt();
        if (withDescriptions) {
            behaviour.description = in.readText();
        }
    }

    if (withDescriptions) {
        read.description = in.readText();
    }

    if (!in.ok()) {
        return false;
    }
    *this = std::move(read);
    return true;
}
