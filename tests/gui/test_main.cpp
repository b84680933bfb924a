#include "tests/common/qttestenv.h"
#include "tests/gui/guitest.h"

#include "gui/common/filedialogs.h"

#include <QLocale>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const auto runtime = qttestenv::provideRuntimeFolder();
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    qttestenv::failOnQtWarnings();
    // Figures are checked as an Italian user reads them.
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    // No test ever waits on a real message box or file dialog.
    sestara::Messages::setHandler([](const sestara::MessageRequest& request) {
        guitest::MessageLog& log = guitest::messages();
        log.shown.push_back(request);
        if (log.answers.empty())
            return QMessageBox::Ok;
        const QMessageBox::StandardButton answer = log.answers.front();
        log.answers.pop_front();
        return answer;
    });
    sestara::FileDialogs::setHandler([](const sestara::FileDialogRequest& request) {
        guitest::fileDialogs().folders << request.folder;
        guitest::fileDialogs().names << request.name;
        return guitest::fileDialogs().answer;
    });
    return RUN_ALL_TESTS();
}
