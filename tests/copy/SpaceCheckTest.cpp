// The space check's numbers: the need of an install type, the free space of the target's disk
// (even before the target exists), and the question's text.
#include "copy/SpaceCheck.h"

#include "copy/InstallSize.h"
#include "platform/Files.h"
#include "platform/Paths.h"
#include "SoundFixtures.h"
#include "script/SetupScript.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;

TEST(SpaceCheckTest, byteCountsReadAsPeopleSayThem) {
    const struct {
        std::uint64_t bytes;
        const char* text;
    } cases[] = {
        {0, "0 KB"},          {1, "1 KB"},         {1024, "1 KB"},      {1025, "2 KB"},
        {1048575, "1024 KB"}, {1048576, "1.0 MB"}, {3355443, "3.2 MB"}, {1610612736, "1.5 GB"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(formatByteCount(c.bytes), c.text) << c.bytes;
}

TEST(SpaceCheckTest, questionTakesTheScriptsTextOrTheBuiltInOne) {
    TempFolder folder;
    const auto script =
        folder.write("install.ini", "[Own]\nIDS_E_NO_SPACE=Need %s, have %s (100% sure) %s\n"
                                    "[Bare]\nIDS_NAZWA_GRY=x\n");
    SpaceNeed need;
    need.needed = 3355443;
    need.free = 2048;
    EXPECT_EQ(noSpaceText(SetupScript(script.string(), "Own"), need),
              "Need 3.2 MB, have 2 KB (100% sure) %s")
        << "two placeholders are filled, nothing else";
    const std::string builtIn = noSpaceText(SetupScript(script.string(), "Bare"), need);
    EXPECT_NE(builtIn.find("needs 3.2 MB, but only 2 KB is free"), std::string::npos) << builtIn;
}

// The medium and the target are folders of a temporary folder, named by their drive paths.
class MeasuredSpace : public testing::Test {
protected:
    void SetUp() override {
        folder.write("medium/install.ini", "[min]\nfiles=2\n0=a.bin\n1=sub\\\n");
        folder.write("medium/a.bin", std::string(1000, 'a'));
        folder.write("medium/sub/b.bin", std::string(234, 'b'));
        fs::create_directories(folder / "disk");
        medium = drivePath(folder / "medium");
        disk = drivePath(folder / "disk");
        saved = platform::currentFolder();
        platform::changeFolder(medium);
        platform::overrideOwnProgramPath(medium + "\\setup");
    }
    void TearDown() override {
        platform::overrideOwnProgramPath("");
        platform::changeFolder(saved);
        overrideFreeSpace({});
    }

    TempFolder folder;
    std::string medium;
    std::string disk;
    std::string saved;
};

TEST_F(MeasuredSpace, needIsTheInstallTypesBytesAndFreeIsAskedOfTheNearestFolder) {
    std::string asked;
    overrideFreeSpace([&](const std::string& target) {
        asked = target;
        return std::optional<std::uint64_t>(1233);
    });
    const SetupScript script(medium + "\\install.ini");
    const std::string target = disk + "\\New\\Deeper";
    const SpaceNeed small = measureSpaceNeed(script, "min", target);
    EXPECT_EQ(small.needed, 1234u);
    EXPECT_EQ(small.free, 1233u);
    EXPECT_FALSE(small.fits());
    EXPECT_EQ(asked, target);

    overrideFreeSpace({});
    // The real disk: a target that does not exist yet is measured on its nearest parent.
    const SpaceNeed real = measureSpaceNeed(script, "min", target);
    ASSERT_TRUE(real.free.has_value());
    const auto available = fs::space(folder / "disk").available;
    EXPECT_NEAR(static_cast<double>(*real.free), static_cast<double>(available), 64.0 * 1048576);
    EXPECT_TRUE(real.fits());
    EXPECT_FALSE(measureSpaceNeed(script, "min", "Q:\\Nowhere").free.has_value())
        << "no disk to ask: the check cannot tell, and does not stop the installation";
    EXPECT_TRUE(measureSpaceNeed(script, "min", "Q:\\Nowhere").fits());
}

} // namespace
