// Shortcuts on Windows: the link file is read back through the shell link object.
#include "platform/ShellLink.h"
#include "platform/Paths.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>
#include <objbase.h>
#include <shlobj.h>
#include <windows.h>

namespace {

struct LinkFields {
    std::wstring target, arguments, workFolder, description;
};

// The link's fields as the shell reads them; false when it is no link file.
bool readLink(const std::filesystem::path& file, LinkFields& fields) {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    IShellLinkW* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(&link))))
        return false;
    IPersistFile* persist = nullptr;
    bool loaded = SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist))) &&
                  SUCCEEDED(persist->Load(file.wstring().c_str(), STGM_READ));
    wchar_t text[4][MAX_PATH] = {};
    loaded = loaded && SUCCEEDED(link->GetPath(text[0], MAX_PATH, nullptr, SLGP_RAWPATH)) &&
             SUCCEEDED(link->GetArguments(text[1], MAX_PATH)) &&
             SUCCEEDED(link->GetWorkingDirectory(text[2], MAX_PATH)) &&
             SUCCEEDED(link->GetDescription(text[3], MAX_PATH));
    fields = {text[0], text[1], text[2], text[3]};
    if (persist)
        persist->Release();
    link->Release();
    return loaded;
}

class ShellLinkWindowsTest : public testing::Test {
protected:
    std::string drive(const std::string& relative) const {
        return platform::toDrivePath((temp / relative).string());
    }
    TempFolder temp;
};

} // namespace

TEST_F(ShellLinkWindowsTest, LinkFileCarriesTargetArgumentsFolderAndDescription) {
    temp.write("game/demo.exe", "");
    std::filesystem::create_directories(temp / "menu");
    ASSERT_TRUE(platform::createShellLink(drive("game") + "\\demo.exe",
                                          drive("menu") + "\\Play Demo.lnk",
                                          "-x \"two words\" 100%", drive("game"),
                                          "Starts the demo"));
    LinkFields fields;
    ASSERT_TRUE(readLink(temp / "menu" / "Play Demo.lnk", fields));
    EXPECT_EQ(fields.target, (temp / "game" / "demo.exe").wstring());
    EXPECT_EQ(fields.arguments, L"-x \"two words\" 100%");
    EXPECT_EQ(fields.workFolder, (temp / "game").wstring());
    EXPECT_EQ(fields.description, L"Starts the demo");
}

TEST_F(ShellLinkWindowsTest, EmptyFieldsStayEmptyAndALinkIsReplaced) {
    ASSERT_TRUE(platform::createShellLink(drive("old.exe"), drive("a.lnk"), "", "", ""));
    ASSERT_TRUE(platform::createShellLink(drive("new.exe"), drive("a.lnk"), "", "", ""));
    LinkFields fields;
    ASSERT_TRUE(readLink(temp / "a.lnk", fields));
    EXPECT_EQ(fields.target, (temp / "new.exe").wstring());
    EXPECT_EQ(fields.arguments, L"");
    EXPECT_EQ(fields.workFolder, L"");
    EXPECT_EQ(fields.description, L"");
}

TEST_F(ShellLinkWindowsTest, FailsWhenTheFolderIsMissingOrTheLinkIsAFolder) {
    EXPECT_FALSE(platform::createShellLink(drive("t.exe"), drive("missing") + "\\a.lnk", "", "", ""));
    std::filesystem::create_directories(temp / "folder.lnk");
    EXPECT_FALSE(platform::createShellLink(drive("t.exe"), drive("folder.lnk"), "", "", ""));
    EXPECT_FALSE(platform::createShellLink("", drive("b.lnk"), "", "", ""));
    EXPECT_FALSE(std::filesystem::exists(temp / "missing"));
}
