#pragma once

#include <QString>

class QTranslator;

// The program was made for a desktop whose file names ignore case; the files it opens by a
// name built from a setting are found here whatever the case of their names on disk.
namespace CZKPlatform {

// The name (without folder) of the file in `folder` whose name equals `name` ignoring case;
// an exact match wins. Empty when there is none.
QString findFileNoCase(const QString& folder, const QString& name);

// QTranslator::load(baseName, folder) with its usual search (name + ".qm", name, then the
// name cut at its last '_', and again), each candidate looked up ignoring case.
bool loadTranslation(QTranslator* translator, const QString& baseName, const QString& folder);

// The program's own folder, where its translations lie: the application's folder, unless a test
// has pointed it at another one (an empty folder brings the application's back).
QString programFolder();
void setProgramFolder(const QString& folder);

// Local time is read from the system's zone file. Unless TZ is set, the C library looks at that
// file again for every conversion (a stat per stored date or decoded time stamp); naming it once
// in TZ, before any thread starts, makes it read the file once. The zone stays the same.
void pinLocalTimeZone();

// The forms are drawn for the desktop's 8-point dialog font. While a style sheet is in force Qt
// gives a widget the application's font rather than its parent's, and keeps it once the sheet is
// gone; with the application font at the forms' size every widget looks the same in either skin.
void useDialogFont();

} // namespace CZKPlatform
