#pragma once
// The program's own version and release date as the About dialog shows them.

#include <QString>

// Product version as "major.minor" (the build's project version).
QString GetProgramVersion();

// Release date of this version, yyyy-mm-dd.
QString releaseDate();
