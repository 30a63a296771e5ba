#include "journal/InstalledFiles.h"

#include "journal/JournalRecords.h"
#include "journal/Sha256.h"
#include "platform/NativeFiles.h"

#include <map>

namespace {

using namespace journal::filefield;

// The source's path on the medium where it is now.
std::string sourceOnMedium(const std::string& source, const std::string& mediumThen,
                           const std::string& mediumNow) {
    if (mediumThen.empty() || !platform::isNativePathInside(source, mediumThen))
        return {};
    // The medium's root ends with its separator ("D:"), a folder of it does not.
    std::size_t start = mediumThen.size();
    while (start < source.size() && (source[start] == '/' || source[start] == '\\'))
        ++start;
    return start < source.size() ? platform::nativeJoin(mediumNow, source.substr(start))
                                 : std::string();
}

bool mediumDiffers(const journal::Line& line, const std::string& mediumThen,
                   const std::string& mediumNow) {
    const std::string source = sourceOnMedium(line.field(kSource), mediumThen, mediumNow);
    platform::FileStamp stamp;
    if (source.empty() || !platform::nativeFileStamp(source, stamp))
        return true;
    if (line.field(kRole) == journal::role::kSound)
        // A record decodes to the same WAVE file from the same archive.
        return std::to_string(stamp.bytes) != line.field(kSourceBytes);
    const auto digest = digestOfNativeFile(source);
    return !digest || digest->sha256 != line.field(kSha256);
}

} // namespace

bool comesFromMedium(const std::string& role) {
    return role == journal::role::kCopied || role == journal::role::kSound;
}

std::vector<FileFinding> checkInstalledFiles(const journal::Journal& journal,
                                             const std::string& mediumNative) {
    std::vector<std::string> order;
    std::map<std::string, std::pair<const journal::Line*, std::string>> newest; // and its medium
    std::string medium;
    for (const journal::Line& line : journal.lines) {
        if (line.kind == journal::kind::kRun)
            medium = line.field(journal::runfield::kMedium);
        if (line.kind != journal::kind::kFile || line.field(kRole) == journal::role::kShared)
            continue;
        if (!newest.count(line.field(kPath)))
            order.push_back(line.field(kPath));
        newest[line.field(kPath)] = {&line, medium};
    }
    std::vector<FileFinding> findings;
    for (const std::string& path : order) {
        const journal::Line& line = *newest[path].first;
        const std::string& role = line.field(kRole);
        const auto digest = digestOfNativeFile(path);
        if (!digest)
            findings.push_back({FileFinding::Kind::Missing, path, role});
        else if (std::to_string(digest->bytes) != line.field(kBytes) ||
                 digest->sha256 != line.field(kSha256))
            findings.push_back({FileFinding::Kind::Changed, path, role});
        else if (!mediumNative.empty() && comesFromMedium(role) &&
                 mediumDiffers(line, newest[path].second, mediumNative))
            findings.push_back({FileFinding::Kind::MediumDiffers, path, role});
    }
    return findings;
}
