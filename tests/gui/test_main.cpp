#include "guitest.h"

#include <QApplication>
#include <QDir>
#include <QLocale>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QtMessageHandler g_defaultHandler = nullptr;

// A warning from Qt is a fault of the program under test: it fails the test that caused it. The
// window-less test platform only says what it cannot do (raise a window, pass on size hints).
void failOnWarning(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    const bool platformLimit = message.startsWith(QLatin1String("This plugin does not support"));
    if ((type == QtWarningMsg || type == QtCriticalMsg || type == QtFatalMsg) && !platformLimit)
        ADD_FAILURE() << "Qt: " << message.toStdString();
    if (g_defaultHandler)
        g_defaultHandler(type, context, message);
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Qt warns without a runtime folder; CI runs as root with none.
    QTemporaryDir runtime;
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR") && runtime.isValid()) {
        QFile::setPermissions(runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
    }
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    g_defaultHandler = qInstallMessageHandler(failOnWarning);
    // Figures are checked as an Italian user reads them.
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    // No test ever waits on a real message box.
    sestara::Messages::setHandler([](const sestara::MessageRequest& request) {
        guitest::MessageLog& log = guitest::messages();
        log.shown.push_back(request);
        if (log.onShow)
            log.onShow(request);
        if (log.answers.empty())
            return QMessageBox::Ok;
        const QMessageBox::StandardButton answer = log.answers.front();
        log.answers.pop_front();
        return answer;
    });
    return RUN_ALL_TESTS();
}
