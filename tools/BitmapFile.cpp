#include "BitmapFile.h"

#include "platform/Files.h"

#include <cstdint>
#include <cstdio>

namespace {

std::uint32_t littleEndian(const unsigned char* bytes, int count) {
    std::uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i)
        value = value << 8 | bytes[i];
    return value;
}

} // namespace

bool isReadableBitmap(const std::string& relative) {
    std::FILE* file = platform::openFile(relative, "rb");
    if (!file)
        return false;
    unsigned char header[54] = {};
    const std::size_t read = std::fread(header, 1, sizeof header, file);
    std::fseek(file, 0, SEEK_END);
    const long fileSize = std::ftell(file);
    std::fclose(file);
    if (read < 26 || header[0] != 'B' || header[1] != 'M')
        return false;
    const std::uint32_t dataOffset = littleEndian(header + 10, 4);
    const std::uint32_t infoSize = littleEndian(header + 14, 4);
    const bool core = infoSize == 12;
    if (!core && (infoSize < 40 || read < 54))
        return false;
    const long long width = core ? littleEndian(header + 18, 2)
                                 : static_cast<std::int32_t>(littleEndian(header + 18, 4));
    long long height = core ? littleEndian(header + 20, 2)
                            : static_cast<std::int32_t>(littleEndian(header + 22, 4));
    const unsigned depth = littleEndian(header + (core ? 24 : 28), 2);
    const std::uint32_t compression = core ? 0 : littleEndian(header + 30, 4);
    height = height < 0 ? -height : height;
    const bool knownDepth =
        depth == 1 || depth == 4 || depth == 8 || depth == 16 || depth == 24 || depth == 32;
    if (width <= 0 || height <= 0 || !knownDepth ||
        dataOffset >= static_cast<unsigned long>(fileSize))
        return false;
    if (compression != 0 && compression != 3)
        return true; // run-length rows: their length is not known from the header
    const long long rowBytes = (width * depth + 31) / 32 * 4;
    return dataOffset + rowBytes * height <= fileSize;
}
