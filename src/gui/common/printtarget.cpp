#include "gui/common/printtarget.h"

#include <QAction>
#include <QPushButton>

namespace sestara {

void addPrintTargets(QPushButton* button, const std::function<void(PrintTarget)>& print)
{
    QObject::connect(button, &QPushButton::clicked, button, [print] { print(PrintTarget::Printer); });
    button->setContextMenuPolicy(Qt::ActionsContextMenu);
    const struct {
        const char* suffix;
        const char* caption;
        PrintTarget target;
    } targets[] = {{"_Anteprima", "Anteprima", PrintTarget::Preview}, {"_Pdf", "Esporta PDF", PrintTarget::Pdf}};
    for (const auto& t : targets) {
        auto* action = new QAction(QString::fromUtf8(t.caption), button);
        action->setObjectName(button->objectName() + QLatin1String(t.suffix));
        QObject::connect(action, &QAction::triggered, button, [print, target = t.target] { print(target); });
        button->addAction(action);
    }
}

} // namespace sestara
