#pragma once
// What a stream's header may say for a sound file to be made of it: a rate and channel count
// that a WAVE header holds and players take, and, for Speex, packets laid out as encoders lay
// them out. The decoders refuse the rest before any output exists, the size of an installation
// counts no file for it, and the packer's and the medium checker's checks meet the same refusal.
#include <string>

#include <speex/speex_header.h>

namespace audio {

// Why no WAVE file is made of a stream of this rate (samples per second) and channel count, or
// empty when one is.
std::string waveFormatRefusal(long long sampleRate, long long channels);

// The same for a Speex header, with its frames per packet and extra header packets; the mode
// and the bit-stream version are the decoder library's to judge.
std::string speexHeaderRefusal(const SpeexHeader& header);

} // namespace audio
