#pragma once

#include <QString>

namespace sestara {

// What the program says about itself: names and version, shown in captions and message boxes.
namespace appinfo {

QString productName();   // "Sestara", also the title of every message box
QString publisherName();
int versionMajor();
int versionMinor();
// The name of the running executable, without folder (e.g. "sestara").
QString executableName();
// The folder of the executable, where the data files live.
QString programFolder();

// " Sestara  Versione 1.0  <publisher>"
QString mainWindowCaption();

} // namespace appinfo
} // namespace sestara
