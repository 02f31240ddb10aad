#pragma once
// What the whole process needs before the main window is created: its names, icon and font,
// where Qt keeps its own settings, and how a file size limit reaches the writers.

class QString;

// programDir is the folder of the database and the settings (with its trailing separator).
void setUpApplication(const QString& programDir);
