#pragma once
// The work of the copy dialog without its window: the copy list, and one unit per step (one
// plain file copied, or one record of an open .snd archive unpacked and converted).
#include "copy/SoundArchive.h"

#include <functional>
#include <string>
#include <vector>

class CopyEngine {
public:
    enum class Step {
        Continue, // a unit was done; more may follow
        Finished, // every entry was processed
        Failed,   // a unit failed; errorText names the entry
    };

    // targetFolder is borrowed and read whenever a path is formed.
    CopyEngine(const std::string* targetFolder, std::string languageSection,
               std::string scriptPath);

    void setInstallMode(const std::string& mode) { installMode = mode; }

    // Builds fileList from the install mode's section; afterwards entryCount is its size.
    void buildList();
    // Does one unit.
    Step copyStep();
    // Builds the list and copies it whole, for a run that shows no window: Finished or Failed.
    Step copyToTheEnd();
    // Closes an open archive; the copy cannot go on afterwards.
    void closeArchive();

    const std::string& getErrorText() const { return errorText; }
    int getEntryCount() const { return entryCount; }

    // The text a language key gives, from the language section of the script.
    std::string text(const char* key) const;

    // Told what the status line and the bar should show.
    std::function<void(const std::string&)> showStatus;
    std::function<void(int)> showPosition;

private:
    Step copyPlainEntry();
    Step openArchive(const std::string& entry);
    Step copyArchiveRecord();
    void setStatus(const std::string& name);
    void addReason(const std::string& reason);
    void setPosition(int position);
    void logWrittenFile(const char* kind, const std::string& name, const std::string& path);

    int entryCount = 0;
    int currentIndex = 0;
    const std::string* targetFolder;
    std::string errorText;
    bool archiveActive = false;
    int recordIndex = 0; // of the open archive's next record
    SoundArchive archiveFile;
    std::string languageSection;
    std::string archivePath;
    std::string installMode = "std";
    std::string scriptPath;
    std::vector<std::string> fileList;
};
