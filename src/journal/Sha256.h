#pragma once
// The checksum a journal keeps of every file an installation put in place: SHA-256, so that a
// file changed since is told from the one installed, whatever the change.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

class Sha256 {
public:
    Sha256();
    void add(const void* bytes, std::size_t size);
    // The digest in lower-case hexadecimal; the object is spent afterwards.
    std::string hex();

private:
    void compress(const unsigned char* block);

    std::uint32_t state[8];
    unsigned char pending[64];
    std::size_t pendingBytes = 0;
    std::uint64_t totalBytes = 0;
};

struct FileDigest {
    std::uint64_t bytes = 0;
    std::string sha256;
    bool operator==(const FileDigest&) const = default;
};

// The size and checksum of a regular file at a native path; nothing when it cannot be read.
std::optional<FileDigest> digestOfNativeFile(const std::string& nativePath);
