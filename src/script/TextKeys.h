#pragma once
// Every key of the language section that the program looks up, in one place: the program reads
// its texts through these names, and the medium checker asks each language section for them.

namespace textkeys {

// Captions, labels, buttons and messages.
inline constexpr char kMainCaption[] = "IDS_NAZWA_GRY2";
inline constexpr char kGameName[] = "IDS_NAZWA_GRY";
inline constexpr char kNext[] = "IDS_DALEJ";
inline constexpr char kExit[] = "IDS_WYJSCIE";
inline constexpr char kBack[] = "IDS_POWROT";
inline constexpr char kCompanyName[] = "IDS_COMPANY_NAME";
inline constexpr char kProgramName[] = "IDS_PROGRAM_NAME";
inline constexpr char kDefaultFolder[] = "IDS_DOMYSLNY_KATALOG";
inline constexpr char kFinished[] = "IDS_KONIEC_INST";
inline constexpr char kFolderMissing[] = "IDS_E_DIR_DOESNOT_EXIST";
inline constexpr char kFolderNotCreated[] = "IDS_E_CREATING_DIR";
inline constexpr char kCopyEnded[] = "IDS_E_COPYING_FILES";
inline constexpr char kShortcutFailed[] = "IDS_E_CREATING_SHORTCUT";
inline constexpr char kDirectXQuestion[] = "IDS_INST_DX";
inline constexpr char kDriveLabel[] = "IDS_DYSK";
inline constexpr char kFolderLabel[] = "IDS_KATALOG_NAME";
inline constexpr char kInstallTypeCaption[] = "IDS_RODZAJ_INST";
inline constexpr char kInstallTypeGroup[] = "IDS_WYBIERZ_INST";
inline constexpr char kMinimal[] = "IDS_WERSJA_MIN";
inline constexpr char kStandard[] = "IDS_WERSJA_STD";
inline constexpr char kFull[] = "IDS_WERSJA_MAX";
inline constexpr char kLicenceCaption[] = "IDS_LICENCJA";
inline constexpr char kAccept[] = "IDS_AKCEPT_UMOWE";
inline constexpr char kDecline[] = "IDS_NIE";
inline constexpr char kCopyCaption[] = "IDS_KOPIOWANIE_PLIKOW";
inline constexpr char kAbort[] = "IDS_PRZERWIJ";
inline constexpr char kCopying[] = "IDS_KOPIUJE_TERAZ_PLIK";
inline constexpr char kWriteFailed[] = "IDS_E_WRITEOFILE";

// A text with a built-in English fallback, so a script may lack it: "%s" twice, the bytes
// needed and the bytes free.
inline constexpr char kNoSpace[] = "IDS_E_NO_SPACE";

// File names: their files are checked, not their texts.
inline constexpr char kLicenceFile[] = "IDS_LICENCE_FILE_NAME";
inline constexpr char kDirectXProgram[] = "IDS_DXINSTALL_PATH";

// When a text is shown: always, or only when the script switches its page on.
enum class Shown { Always, WithLicencePage, WithInstallTypePage };

struct LanguageText {
    const char* key;
    Shown shown;
};

// Every text above, with when it is shown.
inline constexpr LanguageText kLanguageTexts[] = {
    {kMainCaption, Shown::Always},
    {kGameName, Shown::Always},
    {kNext, Shown::Always},
    {kExit, Shown::Always},
    {kBack, Shown::Always},
    {kCompanyName, Shown::Always},
    {kProgramName, Shown::Always},
    {kDefaultFolder, Shown::Always},
    {kFinished, Shown::Always},
    {kFolderMissing, Shown::Always},
    {kFolderNotCreated, Shown::Always},
    {kCopyEnded, Shown::Always},
    {kShortcutFailed, Shown::Always},
    {kDirectXQuestion, Shown::Always},
    {kDriveLabel, Shown::Always},
    {kFolderLabel, Shown::Always},
    {kInstallTypeCaption, Shown::WithInstallTypePage},
    {kInstallTypeGroup, Shown::WithInstallTypePage},
    {kMinimal, Shown::WithInstallTypePage},
    {kStandard, Shown::WithInstallTypePage},
    {kFull, Shown::WithInstallTypePage},
    {kLicenceCaption, Shown::WithLicencePage},
    {kAccept, Shown::WithLicencePage},
    {kDecline, Shown::WithLicencePage},
    {kCopyCaption, Shown::Always},
    {kAbort, Shown::Always},
    {kCopying, Shown::Always},
    {kWriteFailed, Shown::Always},
};

} // namespace textkeys
