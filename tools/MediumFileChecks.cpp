// Checks of the files the script names: the copy lists' entries, the sound archives, and the
// programs, pictures and texts the installer opens or starts.
#include "ArchiveCheck.h"
#include "BitmapFile.h"
#include "MediumScript.h"

#include "copy/CopyList.h"
#include "copy/CopyPaths.h"
#include "copy/SoundArchive.h"
#include "platform/AsciiCase.h"
#include "platform/Files.h"
#include "script/TextKeys.h"
#include "session/SetupSession.h"
#include "words/ProgramWords.h"

#include <algorithm>
#include <cstdio>
#include <map>

namespace {

struct ListedEntry {
    std::string entry;
    int line = 0;
    std::vector<std::string> types;
};

// Every entry of the usable install types' lists, once, at its first line.
std::vector<ListedEntry> listedEntries(const MediumScript& medium,
                                       const std::vector<std::string>& usableTypes) {
    std::vector<ListedEntry> entries;
    std::map<std::string, std::size_t> byName;
    for (const std::string& type : usableTypes) {
        const int files = std::min(medium.script().readCount(type, "files"), 100000);
        for (int i = 0; i < files; ++i) {
            const std::string key = std::to_string(i);
            const std::string entry = medium.script().readText(type, key);
            if (entry.empty())
                continue; // reported with the count
            const auto [at, added] =
                byName.try_emplace(platform::asciiLower(entry), entries.size());
            if (added)
                entries.push_back({entry, medium.lineOf(type, key), {}});
            entries[at->second].types.push_back(type);
        }
    }
    return entries;
}

// Reports a named file of the medium that is missing, found only with letter case ignored,
// named as Windows refuses, or one the installer cannot read.
bool checkNamedFile(MediumScript& medium, int line, const std::string& what,
                    const std::string& relative, Severity whenMissing = Severity::Error) {
    if (const std::string refused = windowsRefusal(relative); !refused.empty()) {
        medium.add(Severity::Error, line, what + " " + relative + ": " + refused);
        return false;
    }
    const MediumScript::Presence presence = medium.file(relative);
    if (!presence.exists) {
        medium.add(whenMissing, line,
                   words::translateWith("%1 %2 is not on the medium", {what, relative}));
        return false;
    }
    if (!presence.exactCase)
        medium.add(Severity::Warning, line,
                   words::translateWith("%1 %2 is found only when letter case is ignored",
                                        {what, relative}));
    if (const std::string problem = copyProblem(relative); !problem.empty()) {
        medium.add(Severity::Error, line, what + " " + relative + " " + problem);
        return false;
    }
    return true;
}

// The files a folder entry copies, each as the copy will meet it.
void checkFolderEntry(MediumScript& medium, const ListedEntry& listed, const std::string& where) {
    std::vector<std::string> files;
    listFolderFiles(listed.entry, files);
    if (files.empty())
        medium.add(Severity::Warning, listed.line,
                   words::translateWith("folder entry %1 (%2) lists no files",
                                        {listed.entry, joined(listed.types)}));
    for (const std::string& file : files) {
        const std::string refused = windowsRefusal(file.substr(listed.entry.size()));
        const std::string problem = refused.empty() ? copyProblem(file) : std::string();
        if (!refused.empty() || !problem.empty())
            medium.add(Severity::Error, listed.line,
                       refused.empty()
                           ? words::translateWith("%1 holds %2, which %3", {where, file, problem})
                           : words::translateWith("%1 holds %2: %3", {where, file, refused}));
    }
}

void checkArchiveEntry(MediumScript& medium, const ListedEntry& listed) {
    const ArchiveCheck check = checkArchive(listed.entry, true, "setupcheck");
    if (check.good())
        return;
    std::vector<std::string> problems;
    if (!check.opened)
        problems.push_back(words::translate("it cannot be opened"));
    for (const RecordCheck& record : check.records)
        if (!record.knownCodec)
            problems.push_back(words::translateWith("%1 has a codec the installer does not convert",
                                                    {record.name}));
        else if (!record.decodes)
            problems.push_back(record.reason.empty()
                                   ? words::translateWith("%1 does not decode", {record.name})
                                   : words::translateWith("%1 does not decode (%2)",
                                                          {record.name, record.reason}));
    if (!check.brokenAt.empty())
        problems.push_back(check.brokenAt);
    medium.add(Severity::Error, listed.line,
               words::translateWith("sound archive %1 does not verify: %2",
                                    {listed.entry, joined(problems)}));
}

// What an install type leaves in the target folder, relative to it, lower-cased: its plain
// entries and the WAVE files of its archives' records.
std::vector<std::string> installedNames(const MediumScript& medium, const std::string& type) {
    std::vector<std::string> fileList, names;
    int entryCount = 0;
    buildFileList(medium.script(), type, fileList, entryCount);
    for (const std::string& entry : fileList) {
        if (!isArchiveEntry(entry)) {
            names.push_back(platform::asciiLower(entry));
            continue;
        }
        SoundArchive archive;
        if (!archive.open(entry))
            continue;
        // Names only: the data is skipped, however large.
        SoundArchiveRecord record;
        while (!archive.atEnd() && archive.readRecordHeader(record) == ArchiveStatus::Ok &&
               archive.skipRecordData() == ArchiveStatus::Ok)
            names.push_back(platform::asciiLower(folderPrefix(entry)) +
                            recordDisplayName(record.name));
    }
    return names;
}

// The installer opens the readme by its fixed name; the line to mend is the first that names it
// (a copy list's entry or a shortcut's target), else the product's [Option].
int readmeLine(const MediumScript& medium, const std::vector<std::string>& usableTypes,
               const std::vector<std::string>& languageSections, const std::string& readme) {
    for (const ListedEntry& listed : listedEntries(medium, usableTypes))
        if (platform::equalsIgnoringCase(listed.entry, readme))
            return listed.line;
    for (const std::string& section : languageSections) {
        const int rows =
            std::clamp(medium.script().readCount(section, "Shortcuts"), 0, kShortcutRows);
        for (int i = 0; i < rows; ++i) {
            const std::string key = SetupScript::indexedKey("File%d", i);
            if (platform::equalsIgnoringCase(medium.script().readText(section, key), readme))
                return medium.lineOf(section, key);
        }
    }
    return medium.lineOf("Option");
}

// The installer's own program beside its script: setup.exe, or setup on a medium for Linux.
void checkSetupProgram(MediumScript& medium) {
    for (const char* program : {"setup.exe", "setup"})
        if (medium.file(program).exists) {
            checkNamedFile(medium, 0, words::translate("setup program"), program);
            return;
        }
    medium.add(Severity::Error, 0,
               words::translate("setup program setup.exe (or setup, for Linux) is not on the "
                                "medium"));
}

} // namespace

bool anyTypeCopies(MediumScript& medium, const std::vector<std::string>& usableTypes,
                   const std::string& relative) {
    std::string wanted = platform::asciiLower(relative);
    std::replace(wanted.begin(), wanted.end(), '/', '\\');
    for (const std::string& type : usableTypes) {
        auto [at, added] = medium.installedByType.try_emplace(type);
        if (added)
            at->second = installedNames(medium, type);
        const std::vector<std::string>& names = at->second;
        if (std::find(names.begin(), names.end(), wanted) != names.end())
            return true;
    }
    return false;
}

void checkCopyLists(MediumScript& medium, const std::vector<std::string>& usableTypes) {
    for (const ListedEntry& listed : listedEntries(medium, usableTypes)) {
        const bool folderEntry = listed.entry.back() == '\\';
        const std::string where = words::translateWith(folderEntry ? words::marked("folder %1 (%2)")
                                                                   : words::marked("file %1 (%2)"),
                                                       {listed.entry, joined(listed.types)});
        // Checked first: on Windows a device name is found, as the device, in any folder.
        if (const std::string refused = windowsRefusal(listed.entry); !refused.empty()) {
            medium.add(Severity::Error, listed.line, where + ": " + refused);
            continue;
        }
        const MediumScript::Presence presence =
            folderEntry ? medium.folder(listed.entry) : medium.file(listed.entry);
        if (!presence.exists) {
            medium.add(Severity::Error, listed.line,
                       words::translateWith("%1 is not on the medium", {where}));
            continue;
        }
        if (!presence.exactCase)
            medium.add(
                Severity::Warning, listed.line,
                words::translateWith("%1 is found only when letter case is ignored", {where}));
        if (folderEntry)
            checkFolderEntry(medium, listed, where);
        else if (const std::string problem = copyProblem(listed.entry); !problem.empty())
            medium.add(Severity::Error, listed.line, where + " " + problem);
        else if (isArchiveEntry(listed.entry))
            checkArchiveEntry(medium, listed);
    }
}

void checkProgramFiles(MediumScript& medium, const std::vector<std::string>& usableTypes,
                       const std::vector<std::string>& languageSections) {
    const SetupScript& script = medium.script();
    const std::string uninstaller = script.readText("Option", "DEINSTALLEXE_NAME");
    if (uninstaller.empty())
        medium.add(Severity::Warning, medium.lineOf("Option"),
                   words::translate("[Option] names no uninstaller (DEINSTALLEXE_NAME)"));
    else if (!anyTypeCopies(medium, usableTypes, uninstaller))
        medium.add(
            Severity::Error, medium.lineOf("Option", "DEINSTALLEXE_NAME"),
            words::translateWith("uninstaller %1: no install type copies it", {uninstaller}));
    checkSetupProgram(medium);
    checkNamedFile(medium, 0, words::translate("shared uninstaller"), "Ulvarest.exe",
                   Severity::Warning);
    checkNamedFile(medium, readmeLine(medium, usableTypes, languageSections, "readme.txt"),
                   words::translate("readme"), "readme.txt", Severity::Warning);

    for (const std::string& section : languageSections) {
        const std::string prefix = "[" + section + "] ";
        const std::string bitmap = script.readText(section, "Bitmap");
        const int bitmapLine = medium.lineOf(section, "Bitmap");
        if (bitmap.empty())
            medium.add(Severity::Warning, bitmapLine,
                       prefix + words::translate("names no title picture (Bitmap)"));
        else if (checkNamedFile(medium, bitmapLine, prefix + words::translate("title picture"),
                                bitmap) &&
                 !isReadableBitmap(bitmap))
            medium.add(Severity::Error, bitmapLine,
                       prefix + words::translateWith("title picture %1 is not a readable BMP file",
                                                     {bitmap}));

        if (script.readFlag("Option", "show_licence")) {
            const std::string licence = script.readText(section, textkeys::kLicenceFile);
            const int line = medium.lineOf(section, textkeys::kLicenceFile);
            if (licence.empty())
                medium.add(
                    Severity::Error, line,
                    prefix + words::translate("shows the licence page but names no licence file"));
            else
                checkNamedFile(medium, line, prefix + words::translate("licence file"), licence);
        }

        const int others = std::min(script.readCount(section, "OTHERFILES"), 1000);
        for (int i = 0; i < others; ++i) {
            const std::string key = SetupScript::indexedKey("Exe%d", i);
            const std::string program = script.readText(section, key);
            if (!program.empty())
                checkNamedFile(medium, medium.lineOf(section, key),
                               prefix + words::translate("further program"), program);
        }

        // The program's drive letter is replaced by the medium's: the rest is from its root.
        const std::string directX = script.readText(section, textkeys::kDirectXProgram);
        const int directXLine = medium.lineOf(section, textkeys::kDirectXProgram);
        if (directX.empty())
            medium.add(Severity::Warning, directXLine,
                       prefix +
                           words::translate("asks about DirectX but names no DirectX program"));
        else if (directX.size() < 4 || directX.compare(1, 2, ":\\") != 0)
            medium.add(Severity::Error, directXLine,
                       prefix + words::translateWith("DirectX program %1 is not a path from a "
                                                     "drive's root",
                                                     {directX}));
        else
            checkNamedFile(medium, directXLine, prefix + words::translate("DirectX program"),
                           directX.substr(3));
    }
}
