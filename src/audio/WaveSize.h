#pragma once
// The size of the WAVE file a compressed sound becomes, told from its Ogg pages and stream
// header without decoding it: for checking a medium and for the space an installation needs.
// The file is read in pieces, so that a sound of any length costs only a page's worth of memory.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>

// Takes the next piece of the file; false when the source should stop.
using WavePieceTaker = std::function<bool(const unsigned char* bytes, std::size_t count)>;
// Hands the whole file, in order, to take; false when it could not be read whole (the size is
// then nothing). SoundArchive::readRecordData is one.
using WavePieceSource = std::function<bool(const WavePieceTaker& take)>;

// Bytes the transcoder writes for an Ogg Vorbis file: the 44-byte header and 16-bit samples up
// to each link's last granule position. Nothing when it is not Ogg Vorbis.
std::optional<std::uint64_t> vorbisWaveBytes(const WavePieceSource& source);
std::optional<std::uint64_t> vorbisWaveBytes(const unsigned char* data, std::size_t size);

// The same for an Ogg Speex file: every audio packet up to the end of the first stream gives
// the header's frames per packet of the mode's frame size. Nothing when the header is refused.
std::optional<std::uint64_t> speexWaveBytes(const WavePieceSource& source);
std::optional<std::uint64_t> speexWaveBytes(const unsigned char* data, std::size_t size);
