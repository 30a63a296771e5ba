#pragma once
// The journal's vocabulary: the kinds of its lines, the roles of the files it lists, and where
// each line keeps what. One line a thing, in the order the run made them.
//
//   product  KEY  DISPLAY NAME                     the first line: whose journal this is
//   run      TIME  TARGET  TARGET(native)  TYPE  MEDIUM  WINE PREFIX  RECORD KEY  UNINSTALL KEY
//   folder   PATH                                  a folder the run made
//   file     PATH  BYTES  SHA-256  ROLE  SOURCE  SOURCE BYTES  SOURCE CHANGED  RECORD  CHANGED
//   replaced PATH  KEPT AT                         a file that was there before the run's
//   key      HIVE  KEY                             a registry key the run made
//   value    HIVE  KEY  NAME  TEXT  EARLIER  HAD EARLIER
//   prefix   PATH                                  the Wine prefix the run made
//   end      HOW                                   installed, failed, stopped, given back
#include "journal/JournalLine.h"

namespace journal {

namespace kind {
constexpr const char* kProduct = "product";
constexpr const char* kRun = "run";
constexpr const char* kFolder = "folder";
constexpr const char* kFile = "file";
constexpr const char* kReplaced = "replaced";
constexpr const char* kKey = "key";
constexpr const char* kValue = "value";
constexpr const char* kPrefix = "prefix";
constexpr const char* kEnd = "end";
} // namespace kind

namespace role {
constexpr const char* kCopied = "copied";  // a plain file of the copy list
constexpr const char* kSound = "sound";    // a WAVE file decoded from a sound archive's record
constexpr const char* kScript = "script";  // the script's copy with its language
constexpr const char* kPicture = "picture";
constexpr const char* kShared = "shared";  // the maker's shared uninstaller, other products' too
constexpr const char* kMenuEntry = "menu entry";
constexpr const char* kMenuFolder = "menu folder";
constexpr const char* kIcon = "icon";
} // namespace role

// Positions of the fields of a file line.
namespace filefield {
constexpr std::size_t kPath = 0, kBytes = 1, kSha256 = 2, kRole = 3, kSource = 4,
                      kSourceBytes = 5, kSourceChanged = 6, kRecord = 7, kChanged = 8;
}
// Positions of the fields of a run line.
namespace runfield {
constexpr std::size_t kTime = 0, kTarget = 1, kTargetNative = 2, kInstallType = 3, kMedium = 4,
                      kWinePrefix = 5, kRecordKey = 6, kUninstallKey = 7;
}

// Hives as the journal names them.
constexpr const char* kCurrentUser = "HKCU";
constexpr const char* kLocalMachine = "HKLM";

} // namespace journal
