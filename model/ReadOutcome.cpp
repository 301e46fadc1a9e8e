#include "ReadOutcome.h"

ReadOutcome ReadOutcome::fromReader(const ArchiveReader& reader) {
    switch (reader.status()) {
    case ReadStatus::Ok:
        return {};
    case ReadStatus::Unsupported:
        return {Result::Unsupported, reader.problem()};
    case ReadStatus::Truncated:
    case ReadStatus::Corrupt:
        break;
    }
    return {Result::Damaged, reader.problem()};
}
