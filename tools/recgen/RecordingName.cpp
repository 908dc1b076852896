#include "RecordingName.h"

#include <array>
#include <cstdio>

namespace kyvo::recgen {
namespace {

struct KindNames {
    RecordingKind kind;
    std::string_view prefix;
    std::string_view keyword;
};

constexpr std::array<KindNames, 3> kKinds{{
    {RecordingKind::Normal, "drf_", "normal"},
    {RecordingKind::Event, "evt_", "event"},
    {RecordingKind::Manual, "muevt_", "manual"},
}};

const KindNames& namesOf(RecordingKind kind) {
    for (const KindNames& names : kKinds)
        if (names.kind == kind)
            return names;
    return kKinds[0];
}

}  // namespace

std::string_view kindPrefix(RecordingKind kind) { return namesOf(kind).prefix; }
std::string_view kindKeyword(RecordingKind kind) { return namesOf(kind).keyword; }

std::optional<RecordingKind> parseKindKeyword(std::string_view keyword) {
    for (const KindNames& names : kKinds)
        if (names.keyword == keyword)
            return names.kind;
    return std::nullopt;
}

std::string recordingName(RecordingKind kind, const CivilTime& start, std::string_view extension) {
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%04d%02d%02d_%02d%02d%02d", start.year, start.month, start.day, start.hour,
                  start.minute, start.second);
    return std::string(kindPrefix(kind)) + stamp + std::string(extension);
}

std::optional<ParsedName> parseRecordingName(std::string_view fileName) {
    for (const KindNames& names : kKinds) {
        if (!fileName.starts_with(names.prefix))
            continue;
        // yyyymmdd_hhmmss.ext
        const std::string_view rest = fileName.substr(names.prefix.size());
        constexpr std::size_t kStampLength = 15;
        constexpr std::size_t kSeparator = 8;
        if (rest.size() <= kStampLength || rest[kSeparator] != '_' || rest[kStampLength] != '.')
            return std::nullopt;
        const std::string iso = std::string(rest.substr(0, 4)) + '-' + std::string(rest.substr(4, 2)) + '-' +
                                std::string(rest.substr(6, 2)) + ' ' + std::string(rest.substr(9, 2)) + ':' +
                                std::string(rest.substr(11, 2)) + ':' + std::string(rest.substr(13, 2));
        const auto start = parseCivilTime(iso);
        if (!start)
            return std::nullopt;
        return ParsedName{names.kind, *start, std::string(rest.substr(kStampLength))};
    }
    return std::nullopt;
}

}  // namespace kyvo::recgen
