// Exact native names, as an uninstall takes them from a journal a person may have edited.
#include "platform/NativeFiles.h"
#include "support/TempFolder.h"
#include "support/TestMachine.h"

#include <gtest/gtest.h>

namespace {

TEST(NativeFiles, aPathSaysWhereItLeadsOrIsRefused) {
    const std::vector<std::pair<std::string, bool>> paths =
        kTestsRunOnWindows
            ? std::vector<std::pair<std::string, bool>>{{"C:\\Games\\Demo\\a.exe", true},
                                                        {"C:\\Games\\..\\Windows\\x", false},
                                                        {"C:\\Games\\.\\x", false},
                                                        {"C:\\Games\\\\x", false},
                                                        {"Games\\x", false},
                                                        {"C:\\Games\\x:stream", false},
                                                        {"C:\\Games\\", false}}
            : std::vector<std::pair<std::string, bool>>{{"/home/u/Games/a.exe", true},
                                                        {"/home/u/Games/../../etc/x", false},
                                                        {"/home/u/./x", false},
                                                        {"/home//x", false},
                                                        {"home/u/x", false},
                                                        {"/home/u/", false},
                                                        {"/", false}};
    for (const auto& [path, plain] : paths)
        EXPECT_EQ(platform::isPlainNativePath(path), plain) << path;

    const std::string target = kTestsRunOnWindows ? "C:\\Games\\Demo" : "/home/u/Games/Demo";
    const std::string sep = kTestsRunOnWindows ? "\\" : "/";
    EXPECT_TRUE(platform::isNativePathInside(target + sep + "a.exe", target));
    EXPECT_TRUE(platform::isNativePathInside(target, target));
    EXPECT_FALSE(platform::isNativePathInside(target + " 2" + sep + "a.exe", target))
        << "a sibling whose name begins alike";
    EXPECT_FALSE(platform::isNativePathInside(target.substr(0, target.size() - 5), target));
}

TEST(NativeFiles, removesAFileOrAnEmptyFolderAndNothingMore) {
    const TempFolder temp;
    const std::string file = temp.write("Demo/a.txt", "a").string();
    const std::string folder = (temp / "Demo").string();
    EXPECT_FALSE(platform::removeNativeEmptyFolder(folder)) << "it holds a file";
    EXPECT_FALSE(platform::removeNativeFile(folder)) << "a folder is no file";
    platform::FileStamp before, after;
    ASSERT_TRUE(platform::nativeFileStamp(file, before));
    EXPECT_EQ(before.bytes, 1u);
    temp.write("Demo/a.txt", "ab");
    ASSERT_TRUE(platform::nativeFileStamp(file, after));
    EXPECT_FALSE(after == before);
    EXPECT_TRUE(platform::removeNativeFile(file));
    EXPECT_TRUE(platform::removeNativeEmptyFolder(folder));
    EXPECT_EQ(platform::nativeKind(folder), platform::NativeKind::Missing);
}

} // namespace
