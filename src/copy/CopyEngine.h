#pragma once
// The work of the copy without its window: the copy list, done in its order, each unit (one
// plain file copied, or one record of a .snd archive unpacked and converted) as fast as the
// machine allows. The records of an archive convert beside one another, one per core, and land
// in the archive's order; a unit that fails ends the copy, and nothing after it lands.
#include "journal/InstallJournal.h"
#include "platform/Files.h"
#include "script/SetupScript.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

class CopyAhead;
class ResumeIndex;
struct RecordExtraction;

class CopyEngine {
public:
    enum class Result {
        Finished, // every entry was processed
        Failed,   // a unit failed; errorText names the entry
        Stopped,  // stop became true: the unit under way was undone; errorText names its entry
    };

    // targetFolder is borrowed and read whenever a path is formed; the script is the run's
    // reading, with its language.
    CopyEngine(const std::string* targetFolder, SetupScript script);
    ~CopyEngine();

    void setInstallMode(const std::string& mode) { installMode = mode; }
    // Units whose result an earlier run into the target left in place are not done again; the
    // index outlives the copy.
    void resumeFrom(const ResumeIndex* index) { resume = index; }
    // A file the copy replaces is first moved aside beside itself (and the journal says where),
    // so that a run that fails can put it back.
    void keepReplacedAside(bool keep) { keepAside = keep; }

    // Builds fileList from the install mode's section; afterwards entryCount is its size.
    void buildList();
    // Copies the list from its start to its end on the calling thread. When stop is given and
    // becomes true, the copy ends within a few milliseconds, whatever unit is under way.
    Result copyAll(const std::atomic<bool>* stop = nullptr);
    // Builds the list and copies it whole.
    Result copyToTheEnd(const std::atomic<bool>* stop = nullptr);

    const std::string& getErrorText() const { return errorText; }
    // Why the entry failed, for a line of its own under the box's text: a plain entry's cause,
    // or a full disk for either kind (an archive's other reasons are in the error text already).
    enum class Failure { None, Missing, NotAFile, Unreadable, NotWritten, DiskFull };
    Failure failure() const { return failureCause; }
    // The system's words for a file that could not be written ("" when it gave none).
    const std::string& systemReason() const { return failureWords; }
    // The entry under way when the copy ended, as the list names it.
    const std::string& lastEntry() const { return currentEntry; }
    int getEntryCount() const { return entryCount; }

    // The text a language key gives, from the language section of the script.
    std::string text(const char* key) const;

    // Told what the status line and the bar should show, on the thread that copies.
    std::function<void(const std::string&)> showStatus;
    std::function<void(int)> showPosition;

private:
    Result copyPlainEntry(const std::string& entry, const std::atomic<bool>* stop);
    void startCopyAhead(int firstIndex);
    void notePlainFailure(const std::string& entry, const std::string& source,
                          const platform::FileFailure& written);
    Result copyArchive(const std::string& entry, const std::atomic<bool>* stop);
    void setStatus(const std::string& name);
    // Where a record begins in its archive, for the reason that names it.
    struct RecordPlace {
        int index;
        std::uint64_t byte;
    };
    // reason is the English text, logged as it is and shown in the run's language.
    void addReason(const std::string& archivePath, const char* reason,
                   const RecordPlace* place = nullptr);
    void setPosition(int position);
    // Makes the folder an entry goes into, once per copy.
    void makeEntryFolder(const std::string& entry);
    // Where a plain entry is read and written, as native paths; the folder of each is looked up
    // once for the entries of one folder that follow one another.
    struct EntryPlaces {
        std::string source;
        std::string destination;
        std::string nativeDestination; // for the journal, which names files as the system does
    };
    journal::Source sourceOf(const std::string& nativeSource) const;
    void journalPlainFile(const EntryPlaces& places);
    void journalSoundFile(const RecordExtraction& record, journal::Source source,
                          int recordIndex);
    void noteReplacedFile(const std::string& nativeDestination);
    EntryPlaces placesOf(const std::string& entry);
    void logWrittenFile(const char* kind, const std::string& name, const std::string& path);

    int entryCount = 0;
    const std::string* targetFolder;
    std::string errorText;
    Failure failureCause = Failure::None;
    std::string failureWords;
    std::string currentEntry;
    std::string installMode = "std";
    const ResumeIndex* resume = nullptr;
    bool keepAside = false;
    std::string mediumFolder; // the current folder the list's names start from, as the system names it
    SetupScript script;
    // The two texts every unit shows, read from the script once per copy.
    std::string copyingText;
    std::string writeFailedText;
    std::vector<std::string> fileList;
    std::unique_ptr<CopyAhead> ahead;  // the plain entries after the archive under way
    std::set<std::string> madeFolders; // of this copy, as the entries name them
    std::string placesFolder;          // the folder part whose native folders these are
    std::string sourceFolder;
    std::string destinationFolder;
};
