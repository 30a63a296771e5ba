// sndpack: builds, lists, extracts and verifies the .snd sound archives of a product's medium.
#include "SndPackCommands.h"
#include "platform/Locale.h"
#include "words/ProgramWords.h"

#include <cstdio>
#include <cstring>
#include <new>
#include <string>
#include <vector>

namespace {

const char* const kUsage = words::marked(
    "Usage: sndpack COMMAND ARGUMENTS\n"
    "Builds and checks the .snd sound archives that the installer unpacks into WAVE files.\n"
    "\n"
    "  pack ARCHIVE FILE...     pack Ogg Vorbis (.ogg) and Ogg Speex (.spx) files into ARCHIVE;\n"
    "                           each record is named after its file, without the folder part\n"
    "  list ARCHIVE             print each record's codec, data size, record size and name\n"
    "  extract [--overwrite] ARCHIVE FOLDER\n"
    "                           write each record's compressed file into FOLDER; a file of that\n"
    "                           name already there is only replaced with --overwrite, and never\n"
    "                           a link, a read-only file or anything but a regular file\n"
    "  verify ARCHIVE           decode every record with the installer's own decoders\n"
    "  --help                   print this text\n"
    "\n"
    "The codec of a packed file comes from its Ogg stream, not from its name. The exit status\n"
    "is 0 when everything succeeded, 1 on any failure and 2 for a wrong command line.\n");

int usageError(const std::string& message) {
    std::fprintf(stderr, "sndpack: %s\n%s", message.c_str(), words::translate(kUsage).c_str());
    return 2;
}

int run(const std::string& command, const std::vector<std::string>& args) {
    if (command == "pack" && args.size() >= 2)
        return packArchive(args[0], {args.begin() + 1, args.end()}) ? 0 : 1;
    if (command == "list" && args.size() == 1)
        return listArchive(args[0]) ? 0 : 1;
    if (command == "extract" && args.size() == 2)
        return extractArchive(args[0], args[1], false) ? 0 : 1;
    if (command == "extract" && args.size() == 3 && args[0] == "--overwrite")
        return extractArchive(args[1], args[2], true) ? 0 : 1;
    if (command == "verify" && args.size() == 1)
        return verifyArchive(args[0]) ? 0 : 1;
    if (command == "pack" || command == "list" || command == "extract" || command == "verify")
        return usageError(words::translateWith("wrong arguments for %1", {command}));
    return usageError(words::translateWith("unknown command %1", {command}));
}

} // namespace

int main(int argc, char** argv) {
    words::useCatalog(platform::systemLanguageId());
    if (argc < 2)
        return usageError(words::translate("no command given"));
    if (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
        std::fputs(words::translate(kUsage).c_str(), stdout);
        return 0;
    }
    try {
        return run(argv[1], std::vector<std::string>(argv + 2, argv + argc));
    } catch (const std::bad_alloc&) {
        // Records are read in pieces, so this is the machine running short: said, not a crash.
        std::fprintf(stderr, "sndpack: %s\n",
                     words::translate("not enough memory to go on").c_str());
        return 1;
    }
}
