#include "words/ProgramWords.h"
#include "words/TranslationLookup.h"

#include <wx/translation.h>

#include <cstddef>
#include <optional>
struct EmbeddedFile {
    const char* name;
    const unsigned char* data;
    std::size_t size;
};
extern const EmbeddedFile programCatalogFiles[];

namespace words {
namespace {

constexpr const char* kDomain = "cd-setup";
// The toolkit's own words, whose stock buttons' labels it looks up in its domain ("wxstd" or
// "wxstd-3.2"), are carried as toolkit-LANGUAGE.mo.
constexpr const char* kToolkitPrefix = "toolkit-";

// The language of a carried catalog file when it is one of the domain's: ours are named by their
// language alone, the toolkit's with its prefix.
std::optional<std::string> languageOfFile(const wxString& domain, const std::string& file) {
    const std::size_t prefix = std::string(kToolkitPrefix).size();
    const bool toolkitFile = file.compare(0, prefix, kToolkitPrefix) == 0;
    const std::string language = file.substr(0, file.rfind('.'));
    if (domain == kDomain && !toolkitFile)
        return language;
    if (domain.StartsWith("wxstd") && toolkitFile)
        return language.substr(prefix);
    return std::nullopt;
}

// The catalogs are compiled into the program: a setup program on a disc has nothing beside it to
// look them up in.
class EmbeddedCatalogs : public wxTranslationsLoader {
public:
    wxMsgCatalog* LoadCatalog(const wxString& domain, const wxString& language) override {
        for (const EmbeddedFile* file = programCatalogFiles; file->name; ++file)
            if (languageOfFile(domain, file->name) == language.utf8_string())
                return wxMsgCatalog::CreateFromData(
                    wxScopedCharBuffer::CreateNonOwned(reinterpret_cast<const char*>(file->data),
                                                       file->size),
                    domain);
        return nullptr;
    }

    wxArrayString GetAvailableTranslations(const wxString& domain) const override {
        wxArrayString languages;
        for (const EmbeddedFile* file = programCatalogFiles; file->name; ++file)
            if (const auto language = languageOfFile(domain, file->name))
                languages.push_back(wxString::FromUTF8(*language));
        return languages;
    }
};

std::optional<std::string> lookUp(const char* english) {
    if (const wxTranslations* translations = wxTranslations::Get())
        if (const wxString* translated = translations->GetTranslatedString(english, kDomain))
            return translated->utf8_string();
    return std::nullopt;
}

} // namespace

void useLanguage(const std::string& languageId) {
    auto* translations = new wxTranslations;
    translations->SetLoader(new EmbeddedCatalogs);
    const std::string language = catalogLanguage(languageId);
    translations->SetLanguage(language.empty() ? wxString("en") : wxString(language));
    translations->AddCatalog(kDomain, wxLANGUAGE_ENGLISH_US);
    translations->AddStdCatalog();
    wxTranslations::Set(translations);
    setLookup(lookUp);
}

} // namespace words
