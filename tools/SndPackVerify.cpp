#include "ArchiveCheck.h"
#include "SndPackCommands.h"
#include "SndPackSupport.h"
#include "words/ProgramWords.h"

#include <cstdio>

bool verifyArchive(const std::string& archive) {
    const ArchiveCheck check = checkArchive(nativeAbsolute(archive));
    if (!check.opened)
        return complain(archive, words::translate("cannot be opened"));
    for (const RecordCheck& record : check.records)
        std::printf("%-6s %s%s\n", record.knownCodec && record.decodes ? "ok" : "FAILED",
                    record.name.c_str(),
                    record.knownCodec ? "" : " (a codec the installer does not convert)");
    if (!check.brokenAt.empty())
        complain(archive, check.brokenAt);
    std::printf("%s: %zu records, %d failed\n", archive.c_str(), check.records.size(),
                check.failures());
    return check.good();
}
