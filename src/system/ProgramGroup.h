#pragma once
// The product's program group: a folder in the current user's Start-menu programs folder.
#include <string>

// The current user's programs folder as the registry's "Shell Folders" list records it.
bool readProgramsFolder(std::string& folder);

// programs\company\program\ with one backslash after the programs folder, as the group is made.
std::string programGroupFolder(const std::string& programsFolder, const std::string& companyName,
                               const std::string& programName);

// The folder with a backslash added unless it ends with one; empty gives a lone backslash.
std::string withTrailingBackslash(const std::string& folder);
