#pragma once
// Where the program shows the system's own message boxes (Windows), tests answer them through the
// toolkit's modal hooks as if they were the toolkit's boxes: each box is handed to the hooks as a
// message dialog with the same text, caption, buttons and icon, and never shown. A box that no
// hook answers fails the test and is answered with Cancel, so that a run never waits for a person.
void answerSystemMessageBoxesThroughModalHooks();
