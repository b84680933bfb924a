#include "guitest.h"

#include "shell/singleinstance.h"
#include "shell/startup.h"

#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

using namespace guitest;

namespace {

// The real program, started as the first copy with its guard in a private temporary folder.
class SingleInstanceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        messages().clear();
        ASSERT_TRUE(tmp.isValid());
        savedTmp = qgetenv("TMPDIR");
        qputenv("TMPDIR", tmp.path().toLocal8Bit());
    }
    void TearDown() override
    {
        if (first.state() != QProcess::NotRunning) {
            first.kill();
            first.waitForFinished(10000);
        }
        if (savedTmp.isNull())
            qunsetenv("TMPDIR");
        else
            qputenv("TMPDIR", savedTmp);
        messages().clear();
    }
    void startFirstCopy()
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("TMPDIR", tmp.path());
        env.insert("QT_QPA_PLATFORM", "offscreen");
        first.setProcessEnvironment(env);
        first.start(QStringLiteral(SESTARA_PROGRAM_DIR) + "/sestara", {});
        ASSERT_TRUE(first.waitForStarted(10000));
        // The first copy holds the guard once its lock file names it.
        ASSERT_TRUE(waitUntil(
            [&] {
                QLockFile probe(sestara::SingleInstanceGuard::defaultLockPath());
                qint64 pid = 0;
                QString host, app;
                return probe.getLockInfo(&pid, &host, &app) && pid == first.processId();
            },
            20000));
    }
    QTemporaryDir tmp;
    QByteArray savedTmp;
    QProcess first;
};

TEST_F(SingleInstanceTest, LockFileLivesInTheTemporaryFolder)
{
    EXPECT_TRUE(sestara::SingleInstanceGuard::defaultLockPath().startsWith(tmp.path()));
}

TEST_F(SingleInstanceTest, SecondCopyIsRefusedAndTheFirstGoesOn)
{
    startFirstCopy();
    sestara::SingleInstanceGuard second;
    EXPECT_FALSE(sestara::checkSingleInstance(second, QStringLiteral("sestara")));
    ASSERT_EQ(messages().shown.size(), 1u);
    EXPECT_EQ(messages().shown[0].text, QStringLiteral("Una copia di sestara è già in funzione"));
    EXPECT_EQ(messages().shown[0].title, "Sestara");
    EXPECT_EQ(messages().shown[0].icon, sestara::MessageIcon::None);
    EXPECT_EQ(messages().shown[0].buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    EXPECT_FALSE(second.held());
    EXPECT_EQ(first.state(), QProcess::Running);
}

TEST_F(SingleInstanceTest, GuardLeftByACrashDoesNotLockTheUserOut)
{
    startFirstCopy();
    first.kill(); // no chance to clean up
    ASSERT_TRUE(first.waitForFinished(10000));
    ASSERT_TRUE(QFile::exists(sestara::SingleInstanceGuard::defaultLockPath()));
    sestara::SingleInstanceGuard next;
    EXPECT_TRUE(sestara::checkSingleInstance(next, QStringLiteral("sestara")));
    EXPECT_TRUE(messages().shown.empty());
    EXPECT_TRUE(next.held());
}

TEST_F(SingleInstanceTest, UnreadableGuardFileIsTakenOver)
{
    QFile junk(sestara::SingleInstanceGuard::defaultLockPath());
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("\xff\xfe garbage");
    junk.close();
    sestara::SingleInstanceGuard guard;
    EXPECT_TRUE(guard.acquire());
}

TEST_F(SingleInstanceTest, TheGuardIsFreedWhenTheProgramEnds)
{
    {
        sestara::SingleInstanceGuard a;
        ASSERT_TRUE(a.acquire());
        sestara::SingleInstanceGuard b;
        EXPECT_FALSE(b.acquire());
    }
    sestara::SingleInstanceGuard c;
    EXPECT_TRUE(c.acquire());
}

TEST(SecondCopyMessage, NamesTheExecutable)
{
    EXPECT_EQ(sestara::secondCopyMessage("sestara"), QStringLiteral("Una copia di sestara è già in funzione"));
}

} // namespace
