// The toolkit's own words in the run's language (the labels of its stock buttons: Yes, No, OK),
// beside the program's, which words/ProgramWords.cpp reads itself.
#include "words/ProgramWords.h"

#include "words/CarriedCatalogs.h"

#include <wx/translation.h>

#include <cstddef>
#include <string>

namespace words {
namespace {

// The toolkit looks its stock labels up in its domain ("wxstd" or "wxstd-3.2"); its catalogs are
// carried as toolkit-LANGUAGE.mo.
constexpr const char* kToolkitPrefix = "toolkit-";

std::string toolkitFileOf(const wxString& language) {
    return kToolkitPrefix + language.utf8_string() + ".mo";
}

// The catalogs are compiled into the program: a setup program on a disc has nothing beside it to
// look them up in.
class EmbeddedCatalogs : public wxTranslationsLoader {
public:
    wxMsgCatalog* LoadCatalog(const wxString& domain, const wxString& language) override {
        if (!domain.StartsWith("wxstd"))
            return nullptr;
        for (const EmbeddedFile* file = programCatalogFiles; file->name; ++file)
            if (file->name == toolkitFileOf(language))
                return wxMsgCatalog::CreateFromData(
                    wxScopedCharBuffer::CreateNonOwned(reinterpret_cast<const char*>(file->data),
                                                       file->size),
                    domain);
        return nullptr;
    }

    wxArrayString GetAvailableTranslations(const wxString& domain) const override {
        wxArrayString languages;
        const std::string prefix = kToolkitPrefix;
        for (const EmbeddedFile* file = programCatalogFiles; file->name; ++file) {
            const std::string name = file->name;
            if (domain.StartsWith("wxstd") && name.compare(0, prefix.size(), prefix) == 0)
                languages.push_back(wxString::FromUTF8(
                    name.substr(prefix.size(), name.rfind('.') - prefix.size())));
        }
        return languages;
    }
};

} // namespace

void useLanguage(const std::string& languageId) {
    useCatalog(languageId);
    auto* translations = new wxTranslations;
    translations->SetLoader(new EmbeddedCatalogs);
    const std::string language = catalogLanguage(languageId);
    translations->SetLanguage(language.empty() ? wxString("en") : wxString(language));
    translations->AddStdCatalog();
    wxTranslations::Set(translations);
}

} // namespace words
