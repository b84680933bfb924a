#include "gui/common/messages.h"

#include "gui/common/appinfo.h"

#include <utility>

namespace sestara {

namespace {

Messages::Handler& handler()
{
    static Messages::Handler h;
    return h;
}

QMessageBox::Icon qtIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Exclamation:
        return QMessageBox::Warning;
    case MessageIcon::Critical:
        return QMessageBox::Critical;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

QMessageBox::StandardButton Messages::show(QWidget* parent, const QString& text, MessageIcon icon,
                                           QMessageBox::StandardButtons buttons,
                                           QMessageBox::StandardButton defaultButton)
{
    MessageRequest request;
    request.title = appinfo::productName();
    request.text = text;
    request.icon = icon;
    request.buttons = buttons;
    request.defaultButton = defaultButton;
    if (handler())
        return handler()(request);

    QMessageBox box(qtIcon(icon), request.title, text, buttons, parent);
    if (defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(defaultButton);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

Messages::Handler Messages::setHandler(Handler h)
{
    return std::exchange(handler(), std::move(h));
}

bool confirmReplace(QWidget* parent, const QString& fileName)
{
    const QString text = QStringLiteral("Attenzione: Vuoi sovrascivere il file ") + fileName + QStringLiteral(" ?");
    return Messages::show(parent, text, MessageIcon::Exclamation, QMessageBox::Yes | QMessageBox::No) ==
           QMessageBox::Yes;
}

} // namespace sestara
