#include "gui/mainwindow/singleinstance.h"

#include "tests/common/qttestenv.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <memory>
#include <vector>
#include <ostream>

// Failures show texts as text.
void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace {

using qttestenv::contents;
using qttestenv::ScopedEnv;
using qttestenv::writeFile;

QString userName()
{
    const passwd* entry = ::getpwuid(::geteuid());
    return entry ? QString::fromLocal8Bit(entry->pw_name) : QString::number(::geteuid());
}

// The permission bits of a file, as the system holds them.
mode_t modeOf(const QString& path)
{
    struct stat info {};
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_mode & 07777 : mode_t(-1);
}

// A private folder of the test, closed to others as a folder for running programs must be.
QString makeFolder(const QTemporaryDir& tmp, const QString& name)
{
    const QString path = tmp.filePath(name);
    QDir().mkpath(path);
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return path;
}

// One started copy of the guard probe.
class Probe {
public:
    explicit Probe(const QProcessEnvironment& environment, const QStringList& arguments = {})
    {
        process_.setProcessEnvironment(environment);
        process_.start(QStringLiteral(SESTARA_GUARD_PROBE), arguments);
    }
    ~Probe() { crash(); }
    Probe(const Probe&) = delete;
    Probe& operator=(const Probe&) = delete;

    // The next line the probe writes, without its end; empty when none comes in time.
    QString nextLine()
    {
        const QDeadlineTimer deadline(20000);
        while (!process_.canReadLine()) {
            if (deadline.hasExpired() || !process_.waitForReadyRead(int(deadline.remainingTime())))
                return {};
        }
        return QString::fromLocal8Bit(process_.readLine()).trimmed();
    }
    // Lets the probe take the guard.
    void go() { process_.write("go\n"); }
    // Waits for the probe to start, lets it take the guard and returns what it says then.
    QString take()
    {
        if (nextLine() != "ready")
            return "not ready: " + errors();
        go();
        return nextLine();
    }
    // Lets the probe end; true when it ended normally.
    bool end()
    {
        process_.closeWriteChannel();
        return process_.waitForFinished(10000) && process_.exitStatus() == QProcess::NormalExit &&
               process_.exitCode() == 0;
    }
    // Ends the probe as a crash would: no chance to clean up.
    void crash()
    {
        if (process_.state() == QProcess::NotRunning)
            return;
        process_.kill();
        process_.waitForFinished(10000);
    }
    qint64 pid() const { return process_.processId(); }
    QString errors() { return QString::fromLocal8Bit(process_.readAllStandardError()); }

private:
    QProcess process_;
};

// Copies started together, each waiting at the guard until all are up, so that they take it at
// the same moment: in every round exactly one holds it. Rounds alternate between a folder for
// running programs given by XDG_RUNTIME_DIR and none given (Qt then makes one in the temporary
// folder), and every third round starts from nothing: no lock file, or not even its folder.
TEST(SingleInstanceGuard, OfCopiesStartedTogetherExactlyOneHoldsIt)
{
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    const QString runtime = makeFolder(tmp, "runtime");
    const QString temp = makeFolder(tmp, "temp");
    const QString tempRuntime = QDir(temp).filePath("runtime-" + userName());

    for (int round = 0; round < 100; ++round) {
        SCOPED_TRACE(round);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("TMPDIR", temp);
        if (round % 2 == 0)
            environment.insert("XDG_RUNTIME_DIR", runtime);
        else
            environment.remove("XDG_RUNTIME_DIR");
        const QString lockFile = (round % 2 == 0 ? runtime : tempRuntime) + "/sestara.lock";
        if (round % 3 == 0) {
            QFile::remove(QDir(runtime).filePath("sestara.lock"));
            QDir(tempRuntime).removeRecursively();
        }

        std::array<std::unique_ptr<Probe>, 3> probes;
        for (auto& probe : probes)
            probe = std::make_unique<Probe>(environment);
        for (auto& probe : probes)
            ASSERT_EQ(probe->nextLine(), "ready") << probe->errors().toStdString();
        for (auto& probe : probes)
            probe->go();
        int held = 0;
        int refused = 0;
        for (auto& probe : probes) {
            const QString line = probe->nextLine();
            if (line == "held " + lockFile)
                ++held;
            else if (line == "refused " + lockFile)
                ++refused;
            else
                ADD_FAILURE() << line.toStdString() << '\n' << probe->errors().toStdString();
        }
        EXPECT_EQ(held, 1);
        EXPECT_EQ(refused, 2);
        for (auto& probe : probes)
            EXPECT_TRUE(probe->end());
        if (HasFailure())
            return;
    }
}

// The guard belongs to a live process only: whatever its lock file holds, a live holder keeps it,
// and the lock file of a holder killed outright is taken by the next copy at once.
TEST(SingleInstanceGuard, OnlyALiveHolderKeepsIt)
{
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    const QString runtime = makeFolder(tmp, "runtime");
    const QString lockFile = runtime + "/sestara.lock";
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_RUNTIME_DIR", runtime);

    Probe first(environment);
    ASSERT_EQ(first.take(), "held " + lockFile);
    EXPECT_EQ(contents(lockFile), QByteArray::number(first.pid()) + '\n');

    // A lock file that cannot be read, as one still being written looks, is neither removed nor
    // taken over while its holder lives.
    ASSERT_TRUE(writeFile(lockFile, "\xff\xfe"));
    Probe second(environment);
    EXPECT_EQ(second.take(), "refused " + lockFile);
    EXPECT_EQ(contents(lockFile), QByteArray("\xff\xfe"));
    EXPECT_TRUE(second.end());

    first.crash();
    ASSERT_TRUE(QFile::exists(lockFile));
    Probe third(environment);
    EXPECT_EQ(third.take(), "held " + lockFile);
    EXPECT_EQ(contents(lockFile), QByteArray::number(third.pid()) + '\n');
    EXPECT_TRUE(third.end());
}

// Copies started together with a file each, while the holder is still starting and not yet
// listening: every copy tries again until it can hand its file over, and every name arrives byte
// for byte, a newline or a byte that is not UTF-8 included.
TEST(SingleInstanceGuard, CopiesStartedTogetherAllHandTheirFileToTheHolder)
{
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    const QString runtime = makeFolder(tmp, "runtime");
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_RUNTIME_DIR", runtime);
    const QByteArray folder = QFile::encodeName(tmp.path());
    const QList<QByteArray> files{folder + "/a\nb.sup", folder + "/caff\xe8.sup"};

    Probe holder(environment, {"listen", "1500", QString::number(files.size())});
    ASSERT_EQ(holder.take(), "held " + runtime + "/sestara.lock");
    std::vector<std::unique_ptr<Probe>> copies;
    for (const QByteArray& file : files)
        copies.push_back(std::make_unique<Probe>(environment, QStringList{"send", QString::fromLatin1(file.toHex())}));
    for (auto& copy : copies)
        ASSERT_EQ(copy->nextLine(), "ready") << copy->errors().toStdString();
    for (auto& copy : copies)
        copy->go();
    for (auto& copy : copies)
        EXPECT_EQ(copy->nextLine(), "taken") << copy->errors().toStdString();
    QStringList received{holder.nextLine(), holder.nextLine()};
    received.sort();
    EXPECT_EQ(received, QStringList({"received " + QString::fromLatin1(files[0].toHex()),
                                     "received " + QString::fromLatin1(files[1].toHex())}));
    EXPECT_TRUE(holder.end());

    // A holder too busy to answer has the file all the same: no refusal, it opens later.
    Probe busy(environment, {"listen", "0", "0"});
    ASSERT_EQ(busy.take(), "held " + runtime + "/sestara.lock");
    Probe late(environment, {"send", QString::fromLatin1(files[0].toHex())});
    EXPECT_EQ(late.take(), "unanswered");
}

// Where the lock is kept when the user has no folder for running programs: in a folder of the
// user's cache made for it and closed to everyone else; and with no such folder either, the
// program is not refused.
TEST(SingleInstanceGuard, WithoutAFolderForRunningProgramsTheLockIsInAPrivateCacheFolder)
{
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    const ScopedEnv noRuntime("XDG_RUNTIME_DIR", QString());
    // Qt's own folder for running programs, in the temporary folder, is taken by a file.
    const QString temp = makeFolder(tmp, "temp");
    ASSERT_TRUE(writeFile(QDir(temp).filePath("runtime-" + userName())));
    const ScopedEnv tmpdir("TMPDIR", temp);
    const ScopedEnv cache("XDG_CACHE_HOME", tmp.filePath("cache"));
    const QString folder = tmp.filePath("cache/sestara");

    EXPECT_EQ(sestara::SingleInstanceGuard::defaultLockPath(), folder + "/sestara.lock");
    EXPECT_EQ(modeOf(folder), 0700u);
    // A folder of our own left open to others is closed again.
    ASSERT_EQ(::chmod(QFile::encodeName(folder).constData(), 0755), 0);
    EXPECT_EQ(sestara::SingleInstanceGuard::defaultLockPath(), folder + "/sestara.lock");
    EXPECT_EQ(modeOf(folder), 0700u);
    {
        sestara::SingleInstanceGuard first;
        ASSERT_TRUE(first.acquire());
        EXPECT_TRUE(first.held());
        sestara::SingleInstanceGuard second;
        EXPECT_FALSE(second.acquire());
        EXPECT_FALSE(second.held());
    }

    // A cache that is a file leaves no place for the lock at all.
    ASSERT_TRUE(writeFile(tmp.filePath("file")));
    const ScopedEnv cacheIsAFile("XDG_CACHE_HOME", tmp.filePath("file"));
    EXPECT_EQ(sestara::SingleInstanceGuard::defaultLockPath(), QString());
    sestara::SingleInstanceGuard unguarded;
    EXPECT_TRUE(unguarded.acquire());
    EXPECT_FALSE(unguarded.held());
}

} // namespace

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    QCoreApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
