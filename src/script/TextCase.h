#pragma once
// Letter case of the installer's texts and paths: ASCII letters only, byte by byte, as the
// script's names and the medium's paths are compared everywhere in the installer.
#include <string>

std::string toLowerCase(std::string text);
bool equalsIgnoringCase(const std::string& a, const std::string& b);
