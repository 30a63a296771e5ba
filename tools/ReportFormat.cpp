#include "ReportFormat.h"

#include "words/ProgramWords.h"

#include <cstdio>

namespace {

const char* severityName(Severity severity) {
    return severity == Severity::Error ? "error" : "warning";
}

std::string jsonString(const std::string& text) {
    std::string quoted = "\"";
    for (const char c : text) {
        switch (c) {
        case '"':
            quoted += "\\\"";
            break;
        case '\\':
            quoted += "\\\\";
            break;
        case '\n':
            quoted += "\\n";
            break;
        case '\r':
            quoted += "\\r";
            break;
        case '\t':
            quoted += "\\t";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
                quoted += escaped;
            } else {
                quoted += c; // the script's text is UTF-8 inside the program
            }
        }
    }
    return quoted + "\"";
}

std::string plural(int count, const char* word) {
    return std::to_string(count) + " " + word + (count == 1 ? "" : "s");
}

} // namespace

std::string reportText(const MediumReport& report) {
    std::string text;
    for (const Finding& finding : report.findings)
        text += "install.ini:" + (finding.line ? std::to_string(finding.line) + ":" : "") + " " +
                severityName(finding.severity) + ": " + finding.message + "\n";
    if (!report.sizes.empty()) {
        char line[160];
        std::snprintf(line, sizeof line, "%-12s %8s %16s %16s\n",
                      words::translate("install type").c_str(), words::translate("files").c_str(),
                      words::translate("bytes copied").c_str(),
                      words::translate("bytes of WAVE").c_str());
        text += line;
        for (const InstallTypeSize& type : report.sizes) {
            std::snprintf(
                line, sizeof line, "%-12s %8d %16llu %16llu%s\n", type.type.c_str(),
                type.size.files, static_cast<unsigned long long>(type.size.copiedBytes),
                static_cast<unsigned long long>(type.size.waveBytes),
                type.size.unmeasured
                    ? (" " + words::translate("(without what is missing or broken)")).c_str()
                    : "");
            text += line;
        }
    }
    // English counts its nouns; a catalog gives the counts a form that needs no plural.
    const std::string errors = std::to_string(report.count(Severity::Error));
    const std::string warnings = std::to_string(report.count(Severity::Warning));
    const char* counted = words::marked("%1 errors, %2 warnings");
    const std::string translated = words::translateWith(counted, {errors, warnings});
    text += (words::translate(counted) != counted
                 ? translated
                 : plural(report.count(Severity::Error), "error") + ", " +
                       plural(report.count(Severity::Warning), "warning")) +
            "\n";
    return text;
}

std::string reportJson(const MediumReport& report, const std::string& mediumFolder) {
    std::string json = "{\n  \"medium\": " + jsonString(mediumFolder) + ",\n";
    json += "  \"errors\": " + std::to_string(report.count(Severity::Error)) + ",\n";
    json += "  \"warnings\": " + std::to_string(report.count(Severity::Warning)) + ",\n";
    json += "  \"findings\": [";
    for (std::size_t i = 0; i < report.findings.size(); ++i) {
        const Finding& finding = report.findings[i];
        json += std::string(i ? "," : "") + "\n    {\"severity\": \"" +
                severityName(finding.severity) +
                "\", \"line\": " + (finding.line ? std::to_string(finding.line) : "null") +
                ", \"message\": " + jsonString(finding.message) + "}";
    }
    json += report.findings.empty() ? "],\n" : "\n  ],\n";
    json += "  \"installTypes\": [";
    for (std::size_t i = 0; i < report.sizes.size(); ++i) {
        const InstallTypeSize& type = report.sizes[i];
        json += std::string(i ? "," : "") + "\n    {\"type\": " + jsonString(type.type) +
                ", \"files\": " + std::to_string(type.size.files) +
                ", \"bytesCopied\": " + std::to_string(type.size.copiedBytes) +
                ", \"bytesOfWave\": " + std::to_string(type.size.waveBytes) +
                ", \"complete\": " + (type.size.unmeasured ? "false" : "true") + "}";
    }
    json += report.sizes.empty() ? "]\n}\n" : "\n  ]\n}\n";
    return json;
}
