#include "journal/ResumeIndex.h"

#include "journal/JournalRecords.h"

#include <cstdlib>

namespace {

std::uint64_t number(const std::string& text) {
    return std::strtoull(text.c_str(), nullptr, 10);
}

} // namespace

ResumeIndex ResumeIndex::of(const journal::Journal& journal, const std::string& targetNative) {
    ResumeIndex index;
    bool intoTarget = false;
    for (const journal::Line& line : journal.lines) {
        if (line.kind == journal::kind::kRun)
            intoTarget = line.field(journal::runfield::kTargetNative) == targetNative;
        if (!intoTarget || line.kind != journal::kind::kFile)
            continue;
        using namespace journal::filefield;
        const std::string& role = line.field(kRole);
        if (role != journal::role::kCopied && role != journal::role::kSound)
            continue;
        Placed placed;
        placed.digest = {number(line.field(kBytes)), line.field(kSha256)};
        placed.source = line.field(kSource);
        placed.stamp = {number(line.field(kSourceBytes)),
                        static_cast<std::int64_t>(std::strtoll(line.field(kSourceChanged).c_str(),
                                                               nullptr, 10))};
        placed.record = static_cast<int>(std::strtol(line.field(kRecord).c_str(), nullptr, 10));
        placed.changed = std::strtoll(line.field(kChanged).c_str(), nullptr, 10);
        index.files[line.field(kPath)] = placed;
    }
    return index;
}

const ResumeIndex::Placed* ResumeIndex::sameSource(const std::string& nativePath,
                                                   const std::string& sourceNative,
                                                   int record) const {
    const auto found = files.find(nativePath);
    if (found == files.end() || found->second.source != sourceNative ||
        found->second.record != record)
        return nullptr;
    platform::FileStamp now;
    if (!platform::nativeFileStamp(sourceNative, now) || !(now == found->second.stamp))
        return nullptr;
    return &found->second;
}

bool ResumeIndex::likelyInPlace(const std::string& nativePath,
                                const std::string& sourceNative) const {
    const Placed* placed = sameSource(nativePath, sourceNative, -1);
    platform::FileStamp there;
    return placed && platform::nativeFileStamp(nativePath, there) &&
           there.bytes == placed->digest.bytes;
}

std::optional<FileDigest> ResumeIndex::inPlace(const std::string& nativePath,
                                               const std::string& sourceNative, int record) const {
    const Placed* placed = sameSource(nativePath, sourceNative, record);
    if (!placed || platform::nativeKind(nativePath) != platform::NativeKind::File)
        return std::nullopt;
    platform::FileStamp there;
    if (!platform::nativeFileStamp(nativePath, there) || there.bytes != placed->digest.bytes)
        return std::nullopt;
    // Untouched since it was placed: its size and time of change are as they were then.
    if (placed->changed != 0 && there.changed == placed->changed)
        return placed->digest;
    std::optional<FileDigest> digest = digestOfNativeFile(nativePath);
    if (!digest || !(*digest == placed->digest))
        return std::nullopt;
    return digest;
}
