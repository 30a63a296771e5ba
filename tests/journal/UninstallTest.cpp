#include "journal/JournalRecords.h"
#include "journal/Uninstall.h"
#include "platform/Registry.h"
#include "support/TempFolder.h"
#include "support/TestMachine.h"
#include "system/RegistryStrings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <set>

namespace fs = std::filesystem;
using journal::Line;
using Outcome = RemovalReport::Outcome;

namespace {

constexpr const char* kRecordKey = "Software\\Tervalis\\Demo_English";
constexpr const char* kUninstallKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Demo_English";

class Uninstall : public testing::Test {
protected:
    Uninstall() {
        setenv("XDG_DATA_HOME", (temp / "data").string().c_str(), 1);
        setenv("XDG_CONFIG_HOME", (temp / "config").string().c_str(), 1);
    }
    ~Uninstall() override {
        unsetenv("XDG_DATA_HOME");
        unsetenv("XDG_CONFIG_HOME");
    }

    static Line runLine(const fs::path& target) {
        return {journal::kind::kRun,
                {"2026-12-11T00:00:00Z", "C:\\Demo", target.string(), "std", "", "", kRecordKey,
                 kUninstallKey}};
    }
    // The line the installation writes for a file now in place.
    static Line fileLine(const fs::path& path, const char* role = journal::role::kCopied) {
        const auto digest = digestOfNativeFile(path.string());
        EXPECT_TRUE(digest) << path;
        return {journal::kind::kFile,
                {path.string(), std::to_string(digest ? digest->bytes : 0),
                 digest ? digest->sha256 : "", role}};
    }
    static Line folderLine(const fs::path& path) { return {journal::kind::kFolder, {path.string()}}; }

    // What each thing came to, by its path.
    std::map<std::string, Outcome> remove(const std::vector<Line>& lines, int* problems = nullptr) {
        journal::Journal listed;
        listed.product = {"Demo_English", "Demo"};
        listed.lines = lines;
        std::map<std::string, Outcome> outcomes;
        RemovalReport report;
        report.tell = [&](Outcome outcome, const std::string& thing, const std::string&) {
            outcomes[thing] = outcome;
        };
        removeListed(listed, 0, report);
        if (problems)
            *problems = report.problems;
        return outcomes;
    }

    // Every file under the folder, relative.
    static std::set<std::string> filesUnder(const fs::path& root) {
        std::set<std::string> files;
        if (fs::exists(root))
            for (const auto& item : fs::recursive_directory_iterator(root))
                if (!item.is_directory())
                    files.insert(fs::relative(item.path(), root).generic_string());
        return files;
    }

    TempFolder temp;
    TestRegistry registry{temp / "hives"};
};

// The disasters users report of uninstallers: what the person had or added, and whatever lies
// outside the installation, stays, however the journal reads.
TEST_F(Uninstall, removesWhatTheInstallationMadeAndNothingElse) {
    const struct Case {
        const char* name;
        std::vector<std::string> personsBefore; // in the target before the installation
        std::vector<std::string> installed;
        bool targetMade;
        std::vector<std::string> personsAfter;   // added or changed after it
        std::vector<std::string> leftInTarget;
        // Lines a journal edited by someone adds, given the target and a folder outside it.
        std::function<std::vector<Line>(const fs::path&, const fs::path&)> edited;
    } cases[] = {
        {"save games beside the game", {}, {"game.exe", "data/level.dat"}, true,
         {"saves/slot1.sav"}, {"saves/slot1.sav"}, {}},
        {"a target that held the person's files", {"notes.txt", "Other Game/other.exe"},
         {"game.exe", "data/level.dat"}, false, {}, {"notes.txt", "Other Game/other.exe"}, {}},
        {"a file the person changed", {}, {"game.exe", "config.ini"}, true, {"config.ini"},
         {"config.ini"}, {}},
        {"a journal naming a file outside the target", {}, {"game.exe"}, true, {}, {},
         [](const fs::path&, const fs::path& outside) {
             return std::vector<Line>{fileLine(outside / "thesis.txt")};
         }},
        {"a journal climbing out of the target", {}, {"game.exe"}, true, {}, {},
         [](const fs::path& target, const fs::path& outside) {
             Line line = fileLine(outside / "thesis.txt");
             line.fields[0] = (target / ".." / ".." / "outside" / "thesis.txt").string();
             return std::vector<Line>{line, folderLine(target / ".." / ".." / "outside" / "empty")};
         }},
        {"a journal naming the person's folder", {}, {"game.exe"}, true, {}, {},
         [](const fs::path&, const fs::path& outside) {
             return std::vector<Line>{folderLine(outside / "empty")};
         }},
    };
    for (const Case& each : cases) {
        SCOPED_TRACE(each.name);
        const fs::path root = temp / each.name;
        const fs::path target = root / "Games" / "Demo";
        const fs::path outside = root / "outside";
        temp.write(fs::relative(outside / "thesis.txt", temp.path()).string(), "years of work");
        fs::create_directories(outside / "empty");
        for (const std::string& file : each.personsBefore)
            temp.write(fs::relative(target / file, temp.path()).string(), "the person's " + file);
        std::vector<Line> lines{runLine(target)};
        if (each.targetMade) {
            fs::create_directories(target);
            lines.push_back(folderLine(root / "Games"));
            lines.push_back(folderLine(target));
        }
        for (const std::string& file : each.installed) {
            const fs::path path = target / file;
            if (!fs::exists(path.parent_path())) {
                fs::create_directories(path.parent_path());
                lines.push_back(folderLine(path.parent_path()));
            }
            temp.write(fs::relative(path, temp.path()).string(), "the game's " + file);
            lines.push_back(fileLine(path));
        }
        std::size_t editedLines = 0;
        if (each.edited)
            for (const Line& line : each.edited(target, outside)) {
                lines.push_back(line);
                ++editedLines;
            }
        for (const std::string& file : each.personsAfter)
            temp.write(fs::relative(target / file, temp.path()).string(), "the person's " + file);
        int problems = 0;
        remove(lines, &problems);

        EXPECT_EQ(filesUnder(target),
                  std::set<std::string>(each.leftInTarget.begin(), each.leftInTarget.end()));
        EXPECT_EQ(readWholeFile(outside / "thesis.txt"), "years of work");
        EXPECT_TRUE(fs::is_directory(outside / "empty"));
        EXPECT_EQ(problems, static_cast<int>(editedLines)) << "every edited line is refused";
        const bool targetEmpty = each.leftInTarget.empty() && each.personsBefore.empty();
        EXPECT_EQ(fs::exists(target), !targetEmpty || !each.targetMade)
            << "a folder it made goes once empty, one it found stays";
    }
}

TEST_F(Uninstall, neverFollowsALinkOutOfTheTarget) {
    if (kTestsRunOnWindows)
        GTEST_SKIP() << "links inside a target are made by people on Linux";
    const fs::path target = temp / "Demo";
    const fs::path outside = temp / "outside";
    const fs::path thesis = temp.write("outside/thesis.txt", "years of work");
    fs::create_directories(target);
    fs::create_directory_symlink(outside, target / "saves");
    const Line listed = fileLine(target / "saves" / "thesis.txt");
    int problems = 0;
    const auto outcomes = remove({runLine(target), listed}, &problems);
    EXPECT_EQ(outcomes.at(listed.fields[0]), Outcome::Refused);
    EXPECT_EQ(problems, 1);
    EXPECT_TRUE(fs::exists(thesis));
}

TEST_F(Uninstall, takesBackOnlyTheValuesAsWrittenAndKeysOnceEmpty) {
    using platform::RegistryHive;
    ASSERT_TRUE(writeRegistryString(RegistryHive::CurrentUser, kRecordKey, "ProgramPath", "C:\\Demo"));
    ASSERT_TRUE(writeRegistryString(RegistryHive::CurrentUser, kRecordKey, "Lang", "Polski"));
    ASSERT_TRUE(writeRegistryString(RegistryHive::LocalMachine, kUninstallKey, "DisplayName", "Demo"));
    ASSERT_TRUE(writeRegistryString(RegistryHive::LocalMachine, kUninstallKey, "Other", "theirs"));
    const std::vector<Line> lines = {
        runLine(temp / "Demo"),
        {journal::kind::kKey, {"HKCU", kRecordKey}},
        {journal::kind::kValue, {"HKCU", kRecordKey, "ProgramPath", "C:\\Demo", "", "no"}},
        // Changed since: another run wrote its own language.
        {journal::kind::kValue, {"HKCU", kRecordKey, "Lang", "English", "", "no"}},
        {journal::kind::kKey, {"HKLM", kUninstallKey}},
        {journal::kind::kValue, {"HKLM", kUninstallKey, "DisplayName", "Demo", "", "no"}},
        // Not the installation's keys at all.
        {journal::kind::kValue, {"HKCU", "Software\\Other", "Path", "x", "", "no"}},
        {journal::kind::kKey, {"HKCU", "Software\\Microsoft"}},
    };
    int problems = 0;
    const auto outcomes = remove(lines, &problems);
    std::string value;
    EXPECT_FALSE(readRegistryString(RegistryHive::CurrentUser, kRecordKey, "ProgramPath", value));
    EXPECT_TRUE(readRegistryString(RegistryHive::CurrentUser, kRecordKey, "Lang", value));
    EXPECT_EQ(value, "Polski");
    EXPECT_FALSE(readRegistryString(RegistryHive::LocalMachine, kUninstallKey, "DisplayName", value));
    EXPECT_TRUE(readRegistryString(RegistryHive::LocalMachine, kUninstallKey, "Other", value));
    EXPECT_EQ(outcomes.at(std::string("HKEY_CURRENT_USER\\") + kRecordKey), Outcome::Kept);
    EXPECT_EQ(outcomes.at(std::string("HKEY_LOCAL_MACHINE\\") + kUninstallKey), Outcome::Kept);
    EXPECT_EQ(problems, 2);

    // Once the other values are gone, a second uninstall takes the keys.
    (void)deleteRegistryValue(RegistryHive::CurrentUser, kRecordKey, "Lang");
    (void)deleteRegistryValue(RegistryHive::LocalMachine, kUninstallKey, "Other");
    remove(lines);
    platform::RegistryKey key;
    EXPECT_FALSE(key.open(RegistryHive::CurrentUser, kRecordKey));
    EXPECT_FALSE(key.open(RegistryHive::LocalMachine, kUninstallKey));
}

} // namespace
