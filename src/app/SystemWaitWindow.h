#pragma once
// How the program shows the system's own work (platform/SystemActivity.h): a small window that
// says what it waits for and stays alive meanwhile, and the facts written to the run's log.

// From now on; withWindow false (an unattended run that shows nothing) keeps only the log.
void showSystemActivity(bool withWindow);
