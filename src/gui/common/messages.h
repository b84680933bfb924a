#pragma once

#include <QMessageBox>
#include <QString>

#include <functional>

class QWidget;

namespace sestara {

enum class MessageIcon { None, Information, Exclamation, Critical, Question };

// One message box as the program asks for it.
struct MessageRequest {
    QString title;
    QString text;
    MessageIcon icon = MessageIcon::None;
    QMessageBox::StandardButtons buttons = QMessageBox::Ok;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
};

// Every message box of the program goes through here: titled with the product name, with the
// requested icon and buttons. A handler installed by the tests answers instead of a real box.
class Messages {
public:
    using Handler = std::function<QMessageBox::StandardButton(const MessageRequest&)>;

    static QMessageBox::StandardButton show(QWidget* parent, const QString& text,
                                            MessageIcon icon = MessageIcon::Exclamation,
                                            QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                                            QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);

    // Replaces the real boxes (an empty handler restores them); returns the handler it replaced.
    static Handler setHandler(Handler handler);
};

// Asks before a file named `fileName` is replaced; true on "Sì".
bool confirmReplace(QWidget* parent, const QString& fileName);

} // namespace sestara
