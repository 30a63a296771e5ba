// The manifests the built programs carry, read back through the system's resource functions as
// the program loader reads them: the setup program asks for administrator rights, the tools do not,
// and all ask for common controls 6 and DPI awareness.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <windows.h>

namespace {

std::wstring builtProgram(const std::wstring& name) {
    const char* build = std::getenv("SETUP_BUILD_DIR");
    std::wstring folder;
    for (const char* c = build ? build : "."; *c; ++c)
        folder += static_cast<wchar_t>(*c == '/' ? '\\' : *c);
    return folder + L"\\bin\\" + name;
}

// Resource type 24, id 1: the manifest the loader applies when the program starts.
std::string manifestOf(const std::wstring& program) {
    HMODULE module = LoadLibraryExW(program.c_str(), nullptr,
                                    LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    if (!module)
        return "<cannot load " + std::to_string(GetLastError()) + ">";
    std::string text = "<no manifest>";
    if (HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24))) {
        const DWORD size = SizeofResource(module, found);
        const HGLOBAL loaded = LoadResource(module, found);
        const void* bytes = loaded ? LockResource(loaded) : nullptr;
        if (bytes)
            text.assign(static_cast<const char*>(bytes), size);
    }
    FreeLibrary(module);
    return text;
}

struct ProgramManifest {
    const wchar_t* program;
    const char* executionLevel;
};

class ManifestTest : public testing::TestWithParam<ProgramManifest> {};

TEST_P(ManifestTest, AsksForItsRightsCommonControls6AndDpiAwareness) {
    const std::string manifest = manifestOf(builtProgram(GetParam().program));
    EXPECT_NE(manifest.find(std::string("<requestedExecutionLevel level=\"") +
                            GetParam().executionLevel + "\" uiAccess=\"false\"/>"),
              std::string::npos)
        << manifest;
    EXPECT_NE(manifest.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""),
              std::string::npos)
        << manifest;
    EXPECT_NE(manifest.find(">true</dpiAware>"), std::string::npos) << manifest;
}

INSTANTIATE_TEST_SUITE_P(BuiltPrograms, ManifestTest,
                         testing::Values(ProgramManifest{L"setup.exe", "requireAdministrator"},
                                         ProgramManifest{L"sndpack.exe", "asInvoker"},
                                         ProgramManifest{L"setupcheck.exe", "asInvoker"}),
                         [](const auto& info) {
                             std::string name;
                             for (const wchar_t* c = info.param.program; *c && *c != L'.'; ++c)
                                 name += static_cast<char>(*c);
                             return name;
                         });

} // namespace
