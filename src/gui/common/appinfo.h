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
// The folder for the user's own files (settings, saved systems): the program folder when the data
// files are beside the executable and the folder is writable, else the user's application data
// folder, created when first asked for.
QString userFolder();

// " Sestara  Versione 1.0  <publisher>"
QString mainWindowCaption();

} // namespace appinfo
} // namespace sestara
