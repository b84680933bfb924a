#pragma once

#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace qttestenv {

// Qt warns without a runtime folder, and CI runs as root with none: a private one for the run.
inline std::unique_ptr<QTemporaryDir> provideRuntimeFolder()
{
    if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        return nullptr;
    auto runtime = std::make_unique<QTemporaryDir>();
    if (runtime->isValid()) {
        QFile::setPermissions(runtime->path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime->path()));
    }
    return runtime;
}

// A warning from Qt is a fault of the program under test: it fails the test that caused it. The
// window-less test platform only says what it cannot do (raise a window, pass on size hints).
inline void failOnQtWarnings()
{
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
        const bool platformLimit = message.startsWith(QLatin1String("This plugin does not support"));
        if ((type == QtWarningMsg || type == QtCriticalMsg || type == QtFatalMsg) && !platformLimit)
            ADD_FAILURE() << "Qt: " << message.toStdString();
    });
}

} // namespace qttestenv
