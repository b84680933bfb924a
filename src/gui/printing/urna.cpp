#include "gui/printing/urna.h"

#include "gui/common/pagewidgets.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace sestara {

namespace {
constexpr int kRowLength = 10;
const QColor kHighlighted(255, 255, 0);
const QColor kPressedAgain(192, 192, 192);
} // namespace

Urna::Urna(QWidget* parent)
    : QGroupBox(QStringLiteral("URNA"), parent)
{
    setObjectName(QStringLiteral("Frame28"));
    auto* grid = new QGridLayout;
    grid->setSpacing(2);
    for (int i = 0; i < 90; ++i) {
        auto* b = new QPushButton(QString::number(i + 1));
        b->setObjectName(QStringLiteral("Command9_%1").arg(i));
        b->setAutoDefault(false);
        b->setFocusPolicy(Qt::NoFocus);
        b->setFixedSize(30, 24);
        connect(b, &QPushButton::clicked, this, [this, i] { pressed(i); });
        grid->addWidget(b, i / kRowLength, i % kRowLength);
        buttons_[static_cast<std::size_t>(i)] = b;
    }

    panels_ = new QComboBox;
    panels_->setObjectName(QStringLiteral("Combo4"));
    panels_->addItems({QStringLiteral("Primo Pannello"), QStringLiteral("Secondo Pannello"),
                       QStringLiteral("Terzo Pannello"), QStringLiteral("Quarto Pannello"),
                       QStringLiteral("Quinto Pannello")});
    panels_->setCurrentIndex(0);
    connect(panels_, &QComboBox::activated, this, &Urna::panelChosen);
    QPushButton* resetButton = ui::button(QStringLiteral("Command11"), QStringLiteral("Reset"));
    connect(resetButton, &QPushButton::clicked, this, &Urna::reset);
    QPushButton* cancel = ui::button(QStringLiteral("Command7"), QStringLiteral("Cancel"), QStringLiteral("Pulisci Schedina"));
    connect(cancel, &QPushButton::clicked, this, &Urna::cancelRequested);

    auto* controls = new QHBoxLayout;
    controls->addWidget(panels_, 1);
    controls->addWidget(resetButton);
    controls->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(controls);
}

int Urna::panel() const
{
    return panels_->currentIndex();
}

bool Urna::setPanel(int panel)
{
    if (panel == panels_->currentIndex())
        return false;
    panels_->setCurrentIndex(panel);
    return true;
}

void Urna::reset()
{
    for (int i = 0; i < 90; ++i) {
        buttons_[static_cast<std::size_t>(i)]->setPalette(QPalette());
        highlighted_[static_cast<std::size_t>(i)] = false;
    }
}

void Urna::pressed(int index)
{
    bool& on = highlighted_[static_cast<std::size_t>(index)];
    if (on) {
        // The mark placed before stays on the slip.
        paint(index, kPressedAgain);
        on = false;
        return;
    }
    paint(index, kHighlighted);
    on = true;
    emit numberPicked(index + 1);
}

void Urna::paint(int index, const QColor& color)
{
    QPushButton* b = buttons_[static_cast<std::size_t>(index)];
    QPalette p = b->palette();
    p.setColor(QPalette::Button, color);
    b->setPalette(p);
}

} // namespace sestara
