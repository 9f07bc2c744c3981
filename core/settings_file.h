// Keeps the copy table in Corvanta.ini, in the Windows directory, between runs.
#pragma once

// Fills all four slots from the file (absent file, section or key: empty text), then recaptions.
void LoadSettings();

// Writes all eight values, per slot the path before the description, then recaptions. When the
// platform reports any write failed, the user is told once; the table keeps its values for the run.
// Returns false in that case.
bool SaveSettings();
