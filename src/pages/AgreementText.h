#pragma once
#include <string>

// The agreement file's text for showing: the whole file up to its first zero byte, in UTF-8.
// A file that is valid UTF-8 is taken as it is (without a byte order mark), any other in the
// system's 8-bit code page.
// Empty when no file is named; for a file that is missing, no regular file, cannot be read or is
// larger than any licence, a line in the run's language that says so. A relative name is taken
// from the current folder.
std::string loadAgreementText(const std::string& fileName);

// The decoding step alone, for bytes already read.
std::string decodeAgreementBytes(const std::string& bytes);
