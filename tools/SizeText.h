#pragma once
// The size an install type's text states ("Full (about 1.5 MB)", "Wersja pełna (ok. 0,6 MB)"),
// and whether it fairly describes what the install type writes.
#include <cstdint>
#include <optional>
#include <string>

struct StatedSize {
    std::string said; // the number and unit as written: "1.5 MB"
    double bytes = 0; // in the units the installer's own sizes use, 1 KB being 1024 bytes
};

// The first number with a unit of KB, MB or GB (any letter case, a KiB style too, a point or a
// comma before the decimals); nothing when the text holds none.
std::optional<StatedSize> statedSize(const std::string& text);

// Within a factor of 1.5 either way: a rounded "about 1 MB" for 0.8 MB agrees, while a wrong
// unit or a number from an older medium does not.
bool statedSizeAgrees(double statedBytes, std::uint64_t writtenBytes);
