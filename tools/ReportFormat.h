#pragma once
// setupcheck's output: lines for people, or one JSON object for build pipelines.
#include "MediumCheck.h"

#include <string>

std::string reportText(const MediumReport& report);
std::string reportJson(const MediumReport& report, const std::string& mediumFolder);
