#pragma once

#include <QString>

namespace sestara {

// What the program says about itself: names and version, shown in captions and message boxes.
namespace appinfo {

QString productName();   // "Sestara", also the title of every message box
QString publisherName();
int versionMajor();
int versionMinor();
// The folder of the executable.
QString programFolder();
// The folder with the data files: beside the executable (the build tree, a copied program
// folder) or else in the installed share/sestara next to the executable's bin folder. With
// neither, the program folder, so messages about a missing file name where it was expected.
QString dataFolder();
// The folder for the user's own files: `program` when the data files are beside the executable
// there and the folder is writable, else `installed`, created when first asked for.
QString ownFolder(const QString& program, const QString& installed);
// The settings: the program folder or else the user's application data folder.
QString userFolder();
// Saved systems: the program folder or else "Sestara" in the user's documents folder.
QString systemsFolder();

// " Sestara  Versione 1.0  <publisher>"
QString mainWindowCaption();

} // namespace appinfo
} // namespace sestara
