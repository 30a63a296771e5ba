// The install type page's texts against what each type writes: a size a text states should be
// the size the installation turns out to be.
#include "MediumScript.h"
#include "SizeText.h"

#include "copy/SpaceCheck.h"
#include "script/TextKeys.h"
#include "words/ProgramWords.h"

namespace {

const char* choiceKey(const std::string& type) {
    return type == "min"   ? textkeys::kMinimal
           : type == "max" ? textkeys::kFull
                           : textkeys::kStandard;
}

} // namespace

void checkSizeTexts(MediumScript& medium, const std::vector<std::string>& languageSections,
                    const std::vector<InstallTypeSize>& sizes) {
    if (!medium.script().readFlag("Option", "show_install_mode"))
        return; // the page and its texts are not shown
    for (const std::string& section : languageSections)
        for (const InstallTypeSize& type : sizes) {
            // What is missing or broken is reported already, and its size is not known.
            if (type.size.unmeasured > 0)
                continue;
            const char* key = choiceKey(type.type);
            const std::string text = medium.script().readText(section, key);
            const auto stated = statedSize(text);
            const std::uint64_t written = type.size.copiedBytes + type.size.waveBytes;
            if (stated && !statedSizeAgrees(stated->bytes, written))
                medium.add(
                    Severity::Warning, medium.lineOf(section, key),
                    words::translateWith(
                        "[%1] %2=%3 says %4, but the %5 install type writes %6",
                        {section, key, text, stated->said, type.type, formatByteCount(written)}));
        }
}
