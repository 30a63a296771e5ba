#pragma once

// Copies the maker's shared uninstaller "Ulvarest.exe" from the setup program's folder into the
// Windows folder's "TL" subfolder, replacing an older (even read-only) copy. Nothing is reported;
// without a Windows folder nothing is done.
void installSharedUninstaller();
