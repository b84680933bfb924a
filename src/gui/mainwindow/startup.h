#pragma once

#include "core/settings/settingsfile.h"

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

// The start-up check: takes the guard and returns true; or else hands the system file named in the
// arguments to the running copy, or when there is none (or the running copy does not take it)
// shows "Una copia di Sestara è già in funzione", and returns false: the program ends at once.
bool checkSingleInstance(SingleInstanceGuard& guard, const QStringList& arguments);

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
// its development is the one run the program allows at a time. Null when no file was given.
OrtogonaliSuper* openSystemFileArgument(MDIForm1& mainWindow, const QStringList& arguments);

} // namespace sestara
