#include "MediumCheck.h"
#include "MediumScript.h"
#include "words/ProgramWords.h"

#include <algorithm>
#include <filesystem>

int MediumReport::count(Severity severity) const {
    return static_cast<int>(std::count_if(findings.begin(), findings.end(), [&](const Finding& f) {
        return f.severity == severity;
    }));
}

MediumReport checkMedium(const std::string& mediumFolder) {
    MediumReport report;
    std::error_code error;
    const auto status = std::filesystem::status(mediumFolder, error);
    if (!std::filesystem::is_directory(status)) {
        report.findings.push_back({Severity::Error, 0,
                                   words::translateWith(std::filesystem::exists(status)
                                                            ? words::marked("%1 is not a folder")
                                                            : words::marked("%1 does not exist"),
                                                        {mediumFolder})});
        return report;
    }
    MediumScript medium(mediumFolder);
    if (!medium.scriptFound()) {
        report.findings.push_back(
            {Severity::Error, 0, words::translate("the folder holds no install.ini")});
        return report;
    }
    std::vector<std::string> languageSections, usableTypes;
    checkLanguages(medium, languageSections);
    checkInstallTypes(medium, usableTypes);
    for (const std::string& section : languageSections)
        checkLanguageSection(medium, section, usableTypes);
    checkCopyLists(medium, usableTypes);
    checkProgramFiles(medium, usableTypes, languageSections);
    for (const std::string& type : usableTypes)
        report.sizes.push_back({type, measureInstallType(medium.script(), type)});
    checkSizeTexts(medium, languageSections, report.sizes);
    report.findings = std::move(medium.findings);
    std::stable_sort(report.findings.begin(), report.findings.end(),
                     [](const Finding& a, const Finding& b) { return a.line < b.line; });
    return report;
}
