#pragma once

#include "core/settings/settingsfile.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <string>
#include <vector>

namespace sestara {

class MDIForm1;
class OrtogonaliSuper;
class SingleInstanceGuard;

// Names the running application "sestara", the name its folder for the user's files follows, and
// loads Qt's Italian translations.
// No display name is set: the X11 platform would append it to every window title, and each
// window's caption must read exactly as the program sets it.
void setUpApplication();
// The program speaks Italian whatever the desktop's language: Qt's own texts too (the buttons of
// message boxes, the file and print dialogs). False when Qt's translations are not installed.
bool loadQtTranslations();

// The command-line conventions of the desktop program, read before anything of the desktop is
// touched: "--help" prints the usage and "--version" the version on standard output, an unknown
// option one line on standard error. `args` come without the program's name; with `toolkitFirst`
// options of one dash are left for Qt to take. The exit code when the program ends here, else -1.
int answerCommandLine(const std::vector<std::string>& args, bool toolkitFirst);

// What a copy does about the guard and its file. Copies started together (a file manager opening
// several files) find the guard held before its holder listens: each tries again for `retryMs`,
// and takes the guard itself when the holder has ended meanwhile.
enum class HandOver {
    Run,        // this copy holds the guard (or none can be had): it runs
    Taken,      // the running copy took the file
    Unanswered, // the file went to the running copy, which has not answered yet: it opens later
    Refused,    // another copy runs and the file (if any) could not be given to it
};
HandOver handOver(SingleInstanceGuard& guard, const QByteArray& nativeFile, int retryMs);

// The start-up check: takes the guard and returns true; or else hands the system file named in the
// arguments (as their bytes stand) to the running copy and returns false: the program ends at
// once. Without a file, or when the running copy cannot be reached, it shows "Una copia di Sestara
// è già in funzione"; when the running copy got the file but did not answer in time, it says so.
bool checkSingleInstance(SingleInstanceGuard& guard, const QList<QByteArray>& arguments);

// The settings file at start and what was read from it.
struct StartSettings {
    QString path; // "Corvano.ini" in the user's folder
    SettingsReading reading;
};

// Reads "Corvano.ini" from the user's folder, copying the file shipped in the data folder there
// first when the user has none yet. Nothing else is written.
StartSettings caricaIni(const QString& userFolder, const QString& dataFolder);

// The program started with a file ("sestara FILE.sup", as the desktop opens a system file): that
// file opens in a new system window as the archive opens it. Only the first file is opened, since
// its development is the one run the program allows at a time; files handed over later wait for it.
void openSystemFileArgument(MDIForm1& mainWindow, const QList<QByteArray>& arguments);

} // namespace sestara
