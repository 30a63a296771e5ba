#pragma once
#include <cstddef>

// Lists the comment packet of a Speex stream (its encoder's name and the "NAME=value" comments)
// on the diagnostic stream. The packet is read within its bounds; a damaged one lists less.
void listSpeexComments(const unsigned char* packet, std::size_t size);
