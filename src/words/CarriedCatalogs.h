#pragma once
// The catalog files compiled into the program by the build (po/ and the toolkit's own), ended by
// an entry without a name: "pl.mo", "toolkit-pl.mo".
#include <cstddef>

struct EmbeddedFile {
    const char* name;
    const unsigned char* data;
    std::size_t size;
};
extern const EmbeddedFile programCatalogFiles[];
