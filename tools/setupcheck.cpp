// setupcheck: checks a product's medium before it is pressed, with the installer's own code.
#include "MediumCheck.h"
#include "ReportFormat.h"
#include "platform/Locale.h"
#include "words/ProgramWords.h"

#include <cstdio>
#include <cstring>
#include <new>
#include <string>

namespace {

const char* const kUsage = words::marked(
    "Usage: setupcheck [--json] MEDIUM-FOLDER\n"
    "Checks the setup script (install.ini) in MEDIUM-FOLDER and the files it names, reading\n"
    "them as the installer does:\n"
    "  - the language list and language mappings name existing sections; every install type\n"
    "    has a usable list; no count promises more keys than are present;\n"
    "  - every language section holds every text the program shows (a button without its\n"
    "    text is an error), and a size the install type page's texts state is within a\n"
    "    factor of 1.5 of what the type writes;\n"
    "  - every file and folder of the lists is on the medium (a warning when it is found only\n"
    "    with letter case ignored, or when a folder lists no files);\n"
    "  - every .snd sound archive decodes, as with 'sndpack verify';\n"
    "  - the setup program (setup.exe, or setup for Linux), licence file, title picture (a\n"
    "    readable BMP), readme, uninstallers, further programs and DirectX program are there;\n"
    "    every shortcut's target is installed.\n"
    "Each finding gives the script's line and its severity (error or warning). Then, per\n"
    "install type: the files written, the bytes copied and the bytes of WAVE that its sound\n"
    "archives become (told from the Ogg streams without decoding them).\n"
    "\n"
    "  --json    print the same as one JSON object\n"
    "  --help    print this text\n"
    "\n"
    "Exit status: 0 without errors (warnings allowed), 1 with errors, 2 for a wrong command "
    "line.\n");

int usageError(const std::string& message) {
    std::fprintf(stderr, "setupcheck: %s\n%s", message.c_str(), words::translate(kUsage).c_str());
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    words::useCatalog(platform::systemLanguageId());
    bool json = false;
    std::string medium;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--help" || argument == "-h") {
            std::fputs(words::translate(kUsage).c_str(), stdout);
            return 0;
        }
        if (argument == "--json")
            json = true;
        else if (!argument.empty() && argument[0] == '-')
            return usageError(words::translateWith("unknown option %1", {argument}));
        else if (!medium.empty())
            return usageError(words::translate("more than one medium folder given"));
        else
            medium = argument;
    }
    if (medium.empty())
        return usageError(words::translate("no medium folder given"));
    try {
        const MediumReport report = checkMedium(medium);
        const std::string output = json ? reportJson(report, medium) : reportText(report);
        std::fputs(output.c_str(), stdout);
        return report.count(Severity::Error) > 0 ? 1 : 0;
    } catch (const std::bad_alloc&) {
        // Sound records are read in pieces, so this is the machine running short: said, not a
        // crash.
        std::fprintf(stderr, "setupcheck: %s\n",
                     words::translate("not enough memory to go on").c_str());
        return 1;
    }
}
