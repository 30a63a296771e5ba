#pragma once
#include <cstdint>
// The finishing actions after a successful installation. None of them can make it fail.
#include "script/SetupScript.h"
#include "session/SetupSession.h"
#include "system/QuestionAsker.h"

// Opens the program group in the desktop's file manager, not waited for.
void openProgramGroup(const SetupSession& session);

// Asks "Message%d" for each of the "OTHERFILES" further programs (default No); on Yes runs
// "Exe%d" from the setup program's folder and waits for it. A program that cannot start is
// passed over.
void offerOtherPrograms(const SetupScript& script, QuestionAsker& asker);

// Runs "IDS_DXINSTALL_PATH" from the source drive (its first character replaced by the drive
// letter) and waits for it; true when it ended with exit code 0.
bool runDirectXSetup(const SetupSession& session, const SetupScript& script);

// Asks "IDS_INST_DX" (Yes is the default) and on Yes runs the DirectX set-up as above.
void offerDirectXSetup(const SetupSession& session, const SetupScript& script, QuestionAsker& asker);

// Opens "readme.txt" of the setup program's folder with its default program, not waited for,
// owned by the given native window (the main window).
void openReadme(std::uintptr_t ownerWindow);

// The captions of the finishing questions.
inline constexpr const char* kOtherProgramCaption = "Uwaga !";
inline constexpr const char* kDirectXCaption = "DirectX";
