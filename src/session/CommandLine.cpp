#include "session/CommandLine.h"

#include "paths/CharacterCount.h"
#include "paths/DrivePath.h"
#include "paths/FolderPath.h"
#include "platform/Medium.h"
#include "platform/TextEncoding.h"
#include "words/ProgramWords.h"

#include <cctype>
#include <cstddef>
#include <optional>

namespace {

CommandLine failure(const std::string& error) {
    CommandLine line;
    line.action = CommandLine::Action::Error;
    line.error = error;
    return line;
}

std::string* valueSlot(CommandLine& line, const std::string& name) {
    if (name == "--dir")
        return &line.folder;
    if (name == "--type")
        return &line.installType;
    if (name == "--language")
        return &line.language;
    if (name == "--log")
        return &line.logPath;
    return nullptr;
}

bool* flagSlot(CommandLine& line, const std::string& name) {
    if (name == "--silent")
        return &line.silent;
    if (name == "--quiet")
        return &line.quiet;
    if (name == "--ignore-space")
        return &line.ignoreSpace;
    if (name == "--undo-on-failure")
        return &line.undoOnFailure;
    return nullptr;
}

// The commands that work on an installed product, named by their option.
std::optional<CommandLine::Action> productAction(const std::string& name) {
    if (name == "--uninstall")
        return CommandLine::Action::Uninstall;
    if (name == "--verify")
        return CommandLine::Action::Verify;
    if (name == "--repair")
        return CommandLine::Action::Repair;
    return std::nullopt;
}

bool worksOnProduct(const CommandLine& line) {
    return line.action == CommandLine::Action::Uninstall ||
           line.action == CommandLine::Action::Verify || line.action == CommandLine::Action::Repair;
}

// An installed product's command takes its medium and a log, nothing of an installation.
std::string checkProductCommand(const CommandLine& line) {
    if (line.silent || line.quiet || line.ignoreSpace || line.undoOnFailure ||
        !line.folder.empty() || !line.installType.empty() || !line.language.empty())
        return words::translate("--uninstall, --verify and --repair take no installation's "
                                "options");
    if (line.action == CommandLine::Action::Uninstall && !line.medium.empty())
        return words::translate("--uninstall needs no medium");
    if (line.action == CommandLine::Action::Repair && line.medium.empty())
        return words::translate("--repair needs the medium to take the files from");
    return {};
}

std::string checkAnswers(const CommandLine& line) {
    if (!line.silent && (!line.folder.empty() || !line.installType.empty() ||
                         !line.language.empty() || line.ignoreSpace))
        return words::translate("--dir, --type, --language and --ignore-space answer an unattended "
                                "run: add --silent");
    if (line.undoOnFailure && !line.silent)
        return words::translate("--undo-on-failure is for an unattended run: add --silent");
    if (!line.folder.empty() && !isFullDrivePath(line.folder))
        return words::translate(
            "--dir needs a full path with a drive letter, such as C:\\Games\\Product");
    if (const RefusedComponent refused = refusedComponent(line.folder);
        refused.why != NameRefusal::None)
        return "--dir: " + platform::withUnsafeCharactersShown(refused.name) + " " +
               words::translate(describeNameRefusal(refused.why));
    if (characterCount(line.folder) > kFolderPathLimit)
        return words::translateWith("--dir is longer than %1 characters",
                                    {std::to_string(kFolderPathLimit)});
    if (!line.installType.empty() && line.installType != "min" && line.installType != "std" &&
        line.installType != "max")
        return words::translate("--type must be min, std or max");
    return {};
}

} // namespace

CommandLine parseCommandLine(const std::vector<std::string>& arguments) {
    CommandLine line;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        std::string name = arguments[i];
        std::string value;
        bool hasValue = false;
        if (const auto equals = name.find('='); name.rfind("--", 0) == 0 && equals != name.npos) {
            value = name.substr(equals + 1);
            name.resize(equals);
            hasValue = true;
        }
        if (name == "--help" || name == "-h" || name == "/?") {
            line.action = CommandLine::Action::Help;
            return line;
        }
        if (bool* flag = flagSlot(line, name)) {
            if (hasValue)
                return failure(words::translateWith("%1 takes no value", {name}));
            *flag = true;
            continue;
        }
        std::string* slot = valueSlot(line, name);
        if (const auto action = productAction(name)) {
            if (line.action != CommandLine::Action::Run)
                return failure(words::translate(
                    "one of --uninstall, --verify and --repair at a time"));
            line.action = *action;
            slot = &line.product;
        }
        if (slot == nullptr && !name.starts_with("-") && !hasValue) {
            // An installed product's medium is the one it came from, wherever this program is.
            if (!platform::canStartOnMedium() && !worksOnProduct(line))
                return failure(words::translateWith(
                    "unknown argument: %1 (this program installs from the medium it is on)",
                    {name}));
            if (!line.medium.empty())
                return failure(
                    words::translateWith("one medium at a time: %1 and %2", {line.medium, name}));
            line.medium = name;
            continue;
        }
        if (slot == nullptr)
            return failure(words::translateWith("unknown argument: %1", {name}));
        if (!hasValue) {
            if (i + 1 >= arguments.size())
                return failure(words::translateWith("%1 needs a value", {name}));
            value = arguments[++i];
        }
        if (value.empty())
            return failure(words::translateWith("%1 needs a value", {name}));
        if (!slot->empty())
            return failure(words::translateWith("%1 is given twice", {name}));
        *slot = value;
    }
    if (worksOnProduct(line)) {
        if (const std::string error = checkProductCommand(line); !error.empty())
            return failure(error);
        return line;
    }
    line.silent = line.silent || line.quiet;
    if (const std::string error = checkAnswers(line); !error.empty())
        return failure(error);
    line.folder = tidyDrivePath(line.folder);
    return line;
}

std::string usageText(const std::string& programName) {
    const bool onMedium = platform::canStartOnMedium();
    std::string text =
        words::translateWith("Usage: %1 [--silent | --quiet] [--dir FOLDER] [--type min|std|max]\n"
                             "       [--language SECTION] [--ignore-space] [--log FILE]",
                             {programName});
    if (onMedium)
        text += words::translate(" [MEDIUM]");
    text += "\n\n" + words::translate("Without arguments the installation asks its questions in "
                                      "windows.\n");
    if (onMedium)
        text += words::translateWith(
            "MEDIUM is the disc to install from: a folder holding install.ini (a mounted\n"
            "disc, a copy of one) or a disc image (.iso), mounted for the run. Without it\n"
            "the program installs from its own folder, else from the mounted disc that\n"
            "holds install.ini. A game installed from an image into Wine starts as\n"
            "  %1 --with-disc IMAGE -- COMMAND...\n"
            "which mounts the image for as long as COMMAND runs.\n",
            {programName});
    text += words::translate(
        "  --undo-on-failure  with --silent: a failed or stopped installation takes back\n"
        "                  what it made and puts back what it replaced\n");
    text += words::translate(
        "  --uninstall NAME   remove the installed product NAME (as the list of installed\n"
        "                  programs names it): exactly what its installation made\n"
        "  --verify NAME [MEDIUM]  check the installed files against their checksums and,\n"
        "                  given the medium, against it\n"
        "  --repair NAME MEDIUM    put back from the medium the files that are missing or\n"
        "                  changed\n");
    return text +
           words::translate(
               "  --silent        install without pages or questions; the folder is created when\n"
               "                  missing; further programs, the readme and DirectX are skipped\n"
               "  --quiet         as --silent, showing no window at all, not even the copy's "
               "progress\n"
               "  --dir FOLDER    the target folder (default: the script's), e.g. "
               "\"C:\\Games\\Product\"\n"
               "  --type TYPE     min, std or max (default: std)\n"
               "  --language SECTION  a language section of the script (default: the system's)\n"
               "  --ignore-space  with --silent: install even when the target's disk looks too "
               "small\n"
               "  --log FILE      list every step of the run in FILE\n"
               "  --help          show this text\n"
               "\n"
               "Exit status: 0 installed, 1 the installation failed or stopped, 2 bad command "
               "line.\n");
}
