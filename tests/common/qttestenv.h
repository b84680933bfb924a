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

// An environment variable set while the object lives, a null value unsetting it; the old value
// (or its absence) comes back after.
struct ScopedEnv {
    ScopedEnv(const char* n, const QString& value)
        : name(n)
        , old(qEnvironmentVariableIsSet(n) ? qgetenv(n) : QByteArray())
    {
        put(value.isNull() ? QByteArray() : QFile::encodeName(value));
    }
    ~ScopedEnv() { put(old); }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

    void put(const QByteArray& value) const
    {
        if (value.isNull())
            qunsetenv(name);
        else
            qputenv(name, value);
    }
    const char* name;
    QByteArray old;
};

// A file's bytes, or "(missing)" when it cannot be read.
inline QByteArray contents(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(missing)");
}

// Writes the file whole; a failure fails the test and gives false.
inline bool writeFile(const QString& path, const QByteArray& bytes = {})
{
    QFile f(path);
    const bool written = f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
    EXPECT_TRUE(written) << "cannot write " << path.toStdString();
    return written;
}

} // namespace qttestenv
