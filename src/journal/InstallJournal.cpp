#include "journal/InstallJournal.h"

#include "journal/JournalRecords.h"
#include "platform/MadeFiles.h"

#include <chrono>
#include <cstdio>
#include <mutex>

namespace journal {
namespace {

struct OpenJournal {
    std::mutex lock;
    std::FILE* file = nullptr;
    std::string path;
};

OpenJournal& current() {
    static OpenJournal journal;
    return journal;
}

} // namespace

// A name the file system takes for any product key: letters, digits, '-', '_' and '.' stay.
std::string journalFileNameOf(const std::string& key) {
    std::string name;
    for (const char c : key) {
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                           (c >= '0' && c <= '9') || c == '-' || c == '_' || c == '.';
        name += plain ? c : '_';
    }
    if (name.empty() || name.front() == '.')
        name.insert(name.begin(), '_');
    return name + ".journal";
}

namespace {

std::string utcTime() {
    using namespace std::chrono;
    const auto now = floor<seconds>(system_clock::now());
    const auto day = floor<days>(now);
    const year_month_day date{day};
    const hh_mm_ss time{now - day};
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02u-%02uT%02ld:%02ld:%02ldZ", int(date.year()),
                  unsigned(date.month()), unsigned(date.day()), long(time.hours().count()),
                  long(time.minutes().count()), long(time.seconds().count()));
    return text;
}

void listenToPlatform() {
    platform::listenToMadeFiles([](platform::Made made, const std::string& path) {
        switch (made) {
        case platform::Made::Folder:
            folderMade(path);
            break;
        case platform::Made::MenuEntry:
            filePlaced(role::kMenuEntry, path);
            break;
        case platform::Made::MenuFolder:
            filePlaced(role::kMenuFolder, path);
            break;
        case platform::Made::Icon:
            filePlaced(role::kIcon, path);
            break;
        case platform::Made::WinePrefix:
            add({kind::kPrefix, {path}});
            break;
        }
    });
}

} // namespace

std::string journalPathOf(const std::string& productKey) {
    const std::string folder = platform::journalFolder();
    if (folder.empty())
        return {};
    return platform::nativeJoin(folder, journalFileNameOf(productKey));
}

bool open(const Product& product) {
    const std::string path = journalPathOf(product.key);
    if (path.empty() || !platform::makeNativeFolders(platform::nativeFolderOf(path)))
        return false;
    return openAt(path, product);
}

bool openAt(const std::string& nativePath, const Product& product) {
    close();
    const bool fresh = platform::nativeKind(nativePath) == platform::NativeKind::Missing;
    std::FILE* file = platform::openNativeForAppending(nativePath);
    if (!file)
        return false;
    {
        const std::lock_guard<std::mutex> held(current().lock);
        current().file = file;
        current().path = nativePath;
    }
    if (fresh) {
        std::fputs("# The installation journal: what each run of the setup program made, one line "
                   "a thing.\n# Uninstall, resume, verify and repair go by it; fields are "
                   "separated by tabs.\n",
                   file);
        add({kind::kProduct, {product.key, product.displayName}});
    }
    listenToPlatform();
    return true;
}

void close() {
    platform::listenToMadeFiles(nullptr);
    const std::lock_guard<std::mutex> held(current().lock);
    if (current().file)
        std::fclose(current().file);
    current().file = nullptr;
    current().path.clear();
}

bool isOpen() {
    const std::lock_guard<std::mutex> held(current().lock);
    return current().file != nullptr;
}

std::string openPath() {
    const std::lock_guard<std::mutex> held(current().lock);
    return current().path;
}

// Each line reaches the system at once: a run killed after it still leaves it.
void add(const Line& line) {
    const std::lock_guard<std::mutex> held(current().lock);
    if (!current().file)
        return;
    std::fputs(formatLine(line).c_str(), current().file);
    std::fflush(current().file);
}

void runBegun(const RunFacts& facts) {
    add({kind::kRun,
         {utcTime(), facts.target, facts.targetNative, facts.installType, facts.mediumNative,
          facts.winePrefix, facts.recordKey, facts.uninstallKey}});
}

void filePlaced(const char* role, const std::string& nativePath,
                const std::optional<Source>& source) {
    if (!isOpen())
        return;
    if (const std::optional<FileDigest> digest = digestOfNativeFile(nativePath))
        filePlaced(role, nativePath, *digest, source);
}

void filePlaced(const char* role, const std::string& nativePath, const FileDigest& digest,
                const std::optional<Source>& source) {
    Line line{kind::kFile, {nativePath, std::to_string(digest.bytes), digest.sha256, role}};
    if (source) {
        line.fields.push_back(source->native);
        line.fields.push_back(std::to_string(source->stamp.bytes));
        line.fields.push_back(std::to_string(source->stamp.changed));
        line.fields.push_back(std::to_string(source->record));
        // The file's own time of change: a later run that finds it unchanged need not read it.
        platform::FileStamp placed;
        if (platform::nativeFileStamp(nativePath, placed) && placed.bytes == digest.bytes)
            line.fields.push_back(std::to_string(placed.changed));
    }
    add(line);
}

void folderMade(const std::string& nativePath) {
    add({kind::kFolder, {nativePath}});
}

void fileReplaced(const std::string& nativePath, const std::string& keptAt) {
    add({kind::kReplaced, {nativePath, keptAt}});
}

void keyMade(platform::RegistryHive hive, const std::string& key) {
    add({kind::kKey, {hiveName(hive), key}});
}

void valueWritten(platform::RegistryHive hive, const std::string& key, const std::string& name,
                  const std::string& text, const std::optional<std::string>& earlier) {
    add({kind::kValue,
         {hiveName(hive), key, name, text, earlier.value_or(""), earlier ? "yes" : "no"}});
}

void runEnded(const char* how) {
    add({kind::kEnd, {how}});
}

const char* hiveName(platform::RegistryHive hive) {
    return hive == platform::RegistryHive::CurrentUser ? kCurrentUser : kLocalMachine;
}

std::optional<platform::RegistryHive> hiveNamed(const std::string& name) {
    if (name == kCurrentUser)
        return platform::RegistryHive::CurrentUser;
    if (name == kLocalMachine)
        return platform::RegistryHive::LocalMachine;
    return std::nullopt;
}

} // namespace journal
