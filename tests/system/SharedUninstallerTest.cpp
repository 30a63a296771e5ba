#include "system/SharedUninstaller.h"
#include "system/SystemFixture.h"

#include <filesystem>

namespace fs = std::filesystem;

namespace {

class SharedUninstallerTest : public SystemFixture {
protected:
    void writeSource(const std::string& content) {
        const auto source = native("d/Ulvarest.exe");
        if (fs::exists(source))
            fs::permissions(source, fs::perms::owner_write, fs::perm_options::add);
        temp.write("d/Ulvarest.exe", content);
        // Files on a medium are read-only.
        fs::permissions(source,
                        fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    }
    fs::path destination() const { return native("c/Windows/TL/Ulvarest.exe"); }
    bool destinationWritable() const {
        return (fs::status(destination()).permissions() & fs::perms::owner_write) !=
               fs::perms::none;
    }
};

} // namespace

TEST_F(SharedUninstallerTest, CopiesIntoTheWindowsFolderAndClearsReadOnly) {
    fs::create_directories(native("c/Windows"));
    setenv("WINDIR", "C:\\Windows", 1);
    writeSource("first maker's uninstaller");
    installSharedUninstaller();
    EXPECT_EQ(readWholeFile(destination()), "first maker's uninstaller");
    EXPECT_TRUE(destinationWritable());
}

TEST_F(SharedUninstallerTest, ASecondProductReplacesAReadOnlyCopy) {
    fs::create_directories(native("c/Windows/TL"));
    setenv("WINDIR", "C:\\Windows", 1);
    writeNative("c/Windows/TL/Ulvarest.exe", "older");
    fs::permissions(destination(), fs::perms::owner_read);
    writeSource("newer");
    installSharedUninstaller();
    EXPECT_EQ(readWholeFile(destination()), "newer");
    EXPECT_TRUE(destinationWritable());
}

TEST_F(SharedUninstallerTest, WithoutAWindowsFolderNothingIsMade) {
    writeSource("uninstaller");
    const auto before = fs::current_path();
    installSharedUninstaller();
    EXPECT_FALSE(fs::exists(before / "TL"));
    for (const auto& entry : fs::recursive_directory_iterator(temp.path()))
        EXPECT_NE(entry.path().filename(), "TL") << entry.path();
    EXPECT_FALSE(fs::exists(native("c/Windows/TL")));
}

TEST_F(SharedUninstallerTest, AMissingSourceLeavesNoCopyAndNoComplaint) {
    fs::create_directories(native("c/Windows"));
    setenv("WINDIR", "C:\\Windows", 1);
    installSharedUninstaller();
    EXPECT_TRUE(fs::is_directory(native("c/Windows/TL")));
    EXPECT_FALSE(fs::exists(destination()));
}
