// Window titles as the X server holds them. The platform plugin may decorate a window's title
// on its way to the window system, so each title is read back over a connection of our own,
// exactly as a window manager would read it.

#include "gui/mainwindow/about.h"
#include "gui/mainwindow/mdiform1.h"
#include "gui/mainwindow/startup.h"

#include "tests/common/qttestenv.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>
#include <xcb/xcb.h>

#include <cstdlib>
#include <functional>
#include <ostream>

// Titles appear as text in failure reports.
void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace {

const QString kMainCaption = QStringLiteral(" Sestara  Versione 1.0  Sestara Software");

class XServer {
public:
    XServer()
        : connection_(xcb_connect(nullptr, nullptr))
    {
    }
    ~XServer() { xcb_disconnect(connection_); }
    XServer(const XServer&) = delete;
    XServer& operator=(const XServer&) = delete;

    bool connected() const { return xcb_connection_has_error(connection_) == 0; }

    // The title a window manager shows: the UTF-8 name, else the legacy one.
    QString title(xcb_window_t window)
    {
        const QByteArray name = property(window, atom("_NET_WM_NAME"));
        return QString::fromUtf8(name.isNull() ? property(window, XCB_ATOM_WM_NAME) : name);
    }

    // The titles of the mapped top-level windows that the given process has put on screen.
    QStringList titlesOfProcess(qint64 pid)
    {
        QStringList titles;
        const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;
        xcb_query_tree_reply_t* tree = xcb_query_tree_reply(connection_, xcb_query_tree(connection_, root), nullptr);
        if (!tree)
            return titles;
        const xcb_window_t* children = xcb_query_tree_children(tree);
        const xcb_atom_t pidAtom = atom("_NET_WM_PID");
        for (int i = 0; i < xcb_query_tree_children_length(tree); ++i) {
            const QByteArray owner = property(children[i], pidAtom);
            if (owner.size() != 4 || *reinterpret_cast<const quint32*>(owner.constData()) != pid)
                continue;
            xcb_get_window_attributes_reply_t* attributes = xcb_get_window_attributes_reply(
                connection_, xcb_get_window_attributes(connection_, children[i]), nullptr);
            const bool viewable = attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE;
            std::free(attributes);
            if (viewable)
                titles << title(children[i]);
        }
        std::free(tree);
        return titles;
    }

private:
    xcb_atom_t atom(const char* name)
    {
        xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
            connection_, xcb_intern_atom(connection_, 1, static_cast<uint16_t>(qstrlen(name)), name), nullptr);
        const xcb_atom_t result = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
        std::free(reply);
        return result;
    }

    // A property's bytes; null when the window does not have it.
    QByteArray property(xcb_window_t window, xcb_atom_t name)
    {
        if (name == XCB_ATOM_NONE)
            return {};
        xcb_get_property_reply_t* reply = xcb_get_property_reply(
            connection_, xcb_get_property(connection_, 0, window, name, XCB_GET_PROPERTY_TYPE_ANY, 0, 4096), nullptr);
        QByteArray value;
        if (reply && reply->type != XCB_ATOM_NONE)
            value = QByteArray(static_cast<const char*>(xcb_get_property_value(reply)),
                               xcb_get_property_value_length(reply));
        std::free(reply);
        return value;
    }

    xcb_connection_t* connection_;
};

// Reads until the value satisfies the condition or the bound passes; returns the last value read.
template <typename T>
T readUntil(const std::function<T()>& read, const std::function<bool(const T&)>& done, int boundMs = 2000)
{
    QElapsedTimer timer;
    timer.start();
    T value = read();
    while (!done(value) && timer.elapsed() < boundMs) {
        QTest::qWait(20);
        value = read();
    }
    return value;
}

class WindowTitles : public ::testing::Test {
protected:
    // The title of a window of this process as the X server holds it.
    QString shownTitle(QWidget* window)
    {
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window));
        const auto id = static_cast<xcb_window_t>(window->winId());
        return readUntil<QString>([&] { return server.title(id); },
                                  [&](const QString& title) { return title == window->windowTitle(); });
    }

    XServer server;
};

TEST_F(WindowTitles, MainAndAboutWindowsReadExactly)
{
    ASSERT_TRUE(server.connected());
    sestara::MDIForm1 main(QStringLiteral(SESTARA_PROGRAM_DIR));
    main.show();
    EXPECT_EQ(shownTitle(&main), kMainCaption);

    auto* mnuInfo = main.findChild<QAction*>(QStringLiteral("mnuInfo"));
    ASSERT_NE(mnuInfo, nullptr);
    mnuInfo->trigger();
    sestara::About* about = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* a = qobject_cast<sestara::About*>(w); a && a->isVisible())
            about = a;
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(shownTitle(about), QStringLiteral("About  Sestara  Versione 1.0  Sestara Software"));
    about->close();
}

TEST_F(WindowTitles, TheProgramShowsItsMainCaptionExactly)
{
    ASSERT_TRUE(server.connected());
    QTemporaryDir lockFolder;
    ASSERT_TRUE(lockFolder.isValid());
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("TMPDIR"), lockFolder.path());
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    QProcess program;
    program.setProcessEnvironment(env);
    program.start(QStringLiteral(SESTARA_PROGRAM_DIR "/sestara"), {});
    ASSERT_TRUE(program.waitForStarted(10000));
    const auto titles = [&] { return server.titlesOfProcess(program.processId()); };
    const auto shown = [](const QStringList& list) { return !list.isEmpty(); };
    ASSERT_TRUE(shown(readUntil<QStringList>(titles, shown, 30000))) << "the program showed no window";
    const QStringList expected{kMainCaption};
    EXPECT_EQ(readUntil<QStringList>(titles, [&](const QStringList& list) { return list == expected; }), expected);
    program.kill();
    program.waitForFinished(10000);
}

} // namespace

int main(int argc, char** argv)
{
    // Only a real X server can say what the window system shows.
    qputenv("QT_QPA_PLATFORM", "xcb");
    const auto runtime = qttestenv::provideRuntimeFolder();
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    sestara::setUpApplication();
    qttestenv::failOnQtWarnings();
    return RUN_ALL_TESTS();
}
