#include "gui/mainwindow/startup.h"

#include "core/util/commandline.h"
#include "core/util/files.h"
#include "gui/common/appinfo.h"
#include "gui/common/messages.h"
#include "gui/mainwindow/filehandoff.h"
#include "gui/mainwindow/mdiform1.h"
#include "gui/mainwindow/singleinstance.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QStringList>
#include <QThread>
#include <QTranslator>

#include <iostream>

namespace sestara {

namespace {

// How long a copy tries to reach the copy holding the guard, which listens only once its main
// window is up, and how long it waits between two tries.
constexpr int kRetryMs = 5000;
constexpr int kRetryStepMs = 100;
// How long the copy holding the guard has to answer once the file's name reached it.
constexpr int kAnswerMs = 5000;

const char* const kMsgNonRisponde = "La copia di %1 già in funzione è occupata e non ha ancora risposto: "
                                    "aprirà il file \"%2\" appena potrà.";

} // namespace

int answerCommandLine(const std::vector<std::string>& args, bool toolkitFirst)
{
    const CommandLineCheck check = checkCommandLine(args, CommandLineOptions{{}, {}, toolkitFirst});
    switch (check.request) {
    case CommandLineRequest::Help:
        std::cout << "Uso:\n"
                     "  sestara [FILE.sup]\n"
                     "  sestara --help | --version\n"
                     "Apre Sestara; un file di sistema dato si apre in una finestra e viene sviluppato,\n"
                     "anche quando il programma è già in funzione.\n";
        return std::cout.flush() ? 0 : 1;
    case CommandLineRequest::Version:
        std::cout << "sestara " << appinfo::versionMajor() << '.' << appinfo::versionMinor() << '\n';
        return std::cout.flush() ? 0 : 1;
    case CommandLineRequest::UnknownOption:
        std::cerr << unknownOptionText("sestara", check.option) << '\n';
        return 2;
    case CommandLineRequest::Run:
        break;
    }
    return -1;
}

void setUpApplication()
{
    QCoreApplication::setApplicationName(QStringLiteral("sestara"));
    loadQtTranslations();
}

bool loadQtTranslations()
{
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(QLocale(QLocale::Italian, QLocale::Italy), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return QCoreApplication::installTranslator(translator);
    delete translator;
    return false;
}

HandOver handOver(SingleInstanceGuard& guard, const QByteArray& nativeFile, int retryMs)
{
    const QDeadlineTimer deadline(retryMs);
    for (;;) {
        if (guard.acquire())
            return HandOver::Run;
        if (nativeFile.isEmpty())
            return HandOver::Refused;
        switch (FileHandoff::send(FileHandoff::socketPath(guard.lockPath()), nativeFile, kAnswerMs)) {
        case FileHandoff::Sent::Taken:
            return HandOver::Taken;
        case FileHandoff::Sent::Unanswered:
            return HandOver::Unanswered;
        case FileHandoff::Sent::NotDelivered:
            break;
        }
        if (deadline.hasExpired())
            return HandOver::Refused;
        QThread::msleep(kRetryStepMs);
    }
}

bool checkSingleInstance(SingleInstanceGuard& guard, const QList<QByteArray>& arguments)
{
    const QByteArray file = systemFileArgument(arguments);
    switch (handOver(guard, file, kRetryMs)) {
    case HandOver::Run:
        return true;
    case HandOver::Taken:
        return false;
    case HandOver::Unanswered:
        // Never a refusal here: the file is on its way and opens as soon as that copy reads it.
        Messages::show(nullptr,
                       QString::fromUtf8(kMsgNonRisponde)
                           .arg(appinfo::productName(), QFileInfo(QFile::decodeName(file)).fileName()),
                       MessageIcon::Information, QMessageBox::Ok);
        return false;
    case HandOver::Refused:
        break;
    }
    // The program's name as the user knows it, not the lower-case name of the executable file.
    const QString text =
        QStringLiteral("Una copia di ") + appinfo::productName() + QStringLiteral(" è già in funzione");
    Messages::show(nullptr, text, MessageIcon::None, QMessageBox::Ok);
    return false;
}

StartSettings caricaIni(const QString& userFolder, const QString& dataFolder)
{
    const QString name = QString::fromLatin1(kSettingsFileName);
    StartSettings out;
    out.path = QDir(userFolder).filePath(name);
    const std::string path = QFile::encodeName(out.path).toStdString();
    const QString shipped = QDir(dataFolder).filePath(name);
    if (!QFileInfo::exists(out.path) && QFileInfo::exists(shipped)) {
        const std::string from = QFile::encodeName(shipped).toStdString();
        const FileContents contents = readRegularFile(from, 1 << 20);
        const std::string error = contents.ok() ? writeFileAtomically(path, contents.bytes) : contents.error;
        if (!error.empty()) {
            out.reading.problem = "impossibile copiare il file \"" + from + "\" in \"" + path + "\": " + error;
            return out;
        }
    }
    out.reading = loadSettingsFile(path);
    return out;
}

void openSystemFileArgument(MDIForm1& mainWindow, const QList<QByteArray>& arguments)
{
    const QByteArray file = systemFileArgument(arguments);
    if (!file.isEmpty())
        mainWindow.apriSistemaInCoda(file);
}

} // namespace sestara
