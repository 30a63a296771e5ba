#include "support/DesktopOpener.h"

#include <cstdlib>

struct DesktopOpener::State {
    std::string savedPath;
};

DesktopOpener::DesktopOpener(const TempFolder& folder, const std::filesystem::path&)
    : record(folder / "opened.txt"), state(std::make_unique<State>()) {
    const auto opener = folder.write("bin/xdg-open", "#!/bin/sh\nprintf '%s\\n' \"$1\" >> \"" +
                                                         record.string() + "\"\n");
    std::filesystem::permissions(opener, std::filesystem::perms::owner_all);
    state->savedPath = std::getenv("PATH") ? std::getenv("PATH") : "/usr/bin:/bin";
    setenv("PATH", ((folder / "bin").string() + ":" + state->savedPath).c_str(), 1);
}

DesktopOpener::~DesktopOpener() {
    setenv("PATH", state->savedPath.c_str(), 1);
}

std::filesystem::path DesktopOpener::windowsFolder() const {
    return {};
}
