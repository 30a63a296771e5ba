#pragma once
// setupcheck's findings about a product's medium: its setup script read with the installer's
// own code, the files the script names, the sound archives, and what each install type writes.
#include "copy/InstallSize.h"

#include <string>
#include <vector>

enum class Severity { Error, Warning };

struct Finding {
    Severity severity;
    int line; // in install.ini, from 1; 0 when no line of the script holds it
    std::string message;
};

struct InstallTypeSize {
    std::string type; // "min", "std" or "max"
    InstallSize size;
};

struct MediumReport {
    std::vector<Finding> findings; // ordered by line
    std::vector<InstallTypeSize> sizes;
    int count(Severity severity) const;
};

// mediumFolder: a native path to the folder holding install.ini and the setup program.
MediumReport checkMedium(const std::string& mediumFolder);
