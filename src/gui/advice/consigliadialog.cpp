#include "gui/advice/consigliadialog.h"

#include "core/guarantees/guarantees.h"
#include "gui/common/developmentrunner.h"
#include "gui/common/messages.h"
#include "gui/common/pagewidgets.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <cmath>

namespace sestara {

namespace {

constexpr int kFirstGoal = 2;
constexpr int kLastGoal = 5;
constexpr int kDefaultGoalIndex = 1; // "Almeno 3 punti"
constexpr double kDefaultBudget = 50.0;
constexpr double kLargestBudget = 10000000.0;
constexpr int kProgressSteps = 1000;
constexpr int kFirstCountColumn = 3; // after "Sistema", "Colonne", "Costo"

QString euro(std::uint64_t cents)
{
    return QLocale().toString(static_cast<double>(cents) / 100.0, 'f', 2) + QStringLiteral(" €");
}

QTableWidgetItem* cell(const QString& text, Qt::Alignment alignment = Qt::AlignRight | Qt::AlignVCenter)
{
    auto* item = new QTableWidgetItem(text);
    item->setTextAlignment(alignment);
    return item;
}

} // namespace

ConsigliaDialog::ConsigliaDialog(RunControl* control, QWidget* systemWindow, int numbers, std::uint64_t columnCents,
                                 const QString& dataDir)
    : QDialog(systemWindow)
    , runner_(new DevelopmentRunner(control, systemWindow))
    , numbers_(numbers)
    , columnCents_(columnCents)
    , dataDir_(dataDir)
{
    setObjectName(QStringLiteral("DialogoConsiglia"));
    setWindowTitle(QString::fromUtf8(kTitoloConsiglia) + QStringLiteral(" - ") +
                   QString::number(numbers) + QStringLiteral(" numeri"));

    budget_ = new QDoubleSpinBox;
    budget_->setObjectName(QStringLiteral("Budget"));
    budget_->setDecimals(2);
    budget_->setRange(0.01, kLargestBudget);
    budget_->setValue(kDefaultBudget);
    budget_->setSuffix(QStringLiteral(" €"));
    goal_ = new QComboBox;
    goal_->setObjectName(QStringLiteral("Obiettivo"));
    for (int k = kFirstGoal; k <= kLastGoal; ++k)
        goal_->addItem(QString::fromStdString(goalText(k)));
    goal_->setCurrentIndex(kDefaultGoalIndex);
    calcola_ = ui::button(QStringLiteral("Calcola"), QStringLiteral("Calcola"));
    calcola_->setDefault(false);
    connect(calcola_, &QPushButton::clicked, this, &ConsigliaDialog::calcola);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Budget:"), budget_);
    form->addRow(QStringLiteral("Obiettivo:"), goal_);
    auto* request = new QHBoxLayout;
    request->addLayout(form);
    request->addStretch();
    request->addWidget(calcola_, 0, Qt::AlignBottom);

    QStringList captions{QStringLiteral("Sistema"), QStringLiteral("Colonne"), QStringLiteral("Costo")};
    for (int j = kFirstGoal; j <= kLastGoal; ++j)
        captions << QString::fromStdString(goalText(j));
    table_ = ui::readOnlyTable(QStringLiteral("TabellaConsigli"), 0, captions);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setMinimumWidth(900);

    QLabel* note = ui::valueLabel(QStringLiteral("NotaRendimento"), QString::fromUtf8(kNotaRendimento));
    note->setWordWrap(true);

    usa_ = ui::button(QStringLiteral("Usa"), QStringLiteral("Usa"));
    usa_->setEnabled(false);
    connect(usa_, &QPushButton::clicked, this, &ConsigliaDialog::usa);
    connect(table_, &QTableWidget::itemSelectionChanged, this,
            [this] { usa_->setEnabled(chosen() != nullptr && !isRunning()); });
    QPushButton* close = ui::button(QStringLiteral("Chiudi"), QStringLiteral("Chiudi"));
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(request);
    layout->addWidget(table_, 1);
    layout->addWidget(note);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(usa_);
    buttons->addWidget(close);
    layout->addLayout(buttons);

    connect(runner_, &DevelopmentRunner::finished, this, &ConsigliaDialog::computationFinished);
}

ConsigliaDialog::~ConsigliaDialog()
{
    if (runner_)
        runner_->stop();
}

bool ConsigliaDialog::isRunning() const
{
    return runner_ && runner_->isRunning();
}

void ConsigliaDialog::stop()
{
    if (isRunning()) {
        runner_->stop();
        result_.reset();
        calcola_->setEnabled(true);
    }
}

void ConsigliaDialog::calcola()
{
    if (isRunning() || !runner_ || !runner_->begin())
        return;
    shown_ = Advice{};
    table_->setRowCount(0);
    usa_->setEnabled(false);
    calcola_->setEnabled(false);

    AdviceRequest request;
    request.numbers = numbers_;
    request.budgetCents = static_cast<std::uint64_t>(std::llround(budget_->value() * 100.0));
    request.columnCents = columnCents_;
    request.goal = kFirstGoal + goal_->currentIndex();
    request.dataDir = dataDir_.toStdString();
    shownGoal_ = request.goal;
    auto result = std::make_shared<Advice>();
    result_ = result;
    runner_->start(kProgressSteps, [request, result](const std::atomic<bool>& interrupt, RunCounters& counters) {
        *result = advise(request, interrupt, [&counters](double share) {
            counters.examined.store(static_cast<std::uint64_t>(share * kProgressSteps), std::memory_order_relaxed);
        });
    });
}

void ConsigliaDialog::computationFinished(bool completed)
{
    calcola_->setEnabled(true);
    const std::shared_ptr<Advice> result = std::move(result_);
    if (!completed || !result || result->interrupted)
        return;
    if (!result->error.empty()) {
        Messages::show(this, QString::fromStdString(result->error), MessageIcon::Exclamation);
        return;
    }
    shown_ = std::move(*result);
    showAdvice();
}

void ConsigliaDialog::showAdvice()
{
    const QLocale locale;
    const NumberText number = [&locale](double value, int decimals) {
        return locale.toString(value, 'f', decimals).toStdString();
    };
    table_->setRowCount(static_cast<int>(shown_.candidates.size()));
    for (int row = 0; row < table_->rowCount(); ++row) {
        const AdviceCandidate& c = shown_.candidates[static_cast<std::size_t>(row)];
        table_->setItem(row, 0, cell(QString::fromStdString(c.entryText), Qt::AlignLeft | Qt::AlignVCenter));
        table_->setItem(row, 1, cell(locale.toString(static_cast<qulonglong>(c.columns))));
        table_->setItem(row, 2, cell(euro(c.costCents)));
        for (int j = kFirstGoal; j <= kLastGoal; ++j) {
            auto* item = cell(QString::fromStdString(oneInText(c.draws(j), number)));
            item->setToolTip(QString::fromStdString(atLeastTip(c.draws(j), number)));
            table_->setItem(row, kFirstCountColumn + j - kFirstGoal, item);
        }
    }
    // The best row stands out; it is also the one chosen until the user picks another.
    for (int column = 0; column < table_->columnCount() && table_->rowCount() > 0; ++column) {
        QTableWidgetItem* item = table_->item(0, column);
        QFont font = item->font();
        font.setBold(true);
        item->setFont(font);
    }
    table_->resizeColumnsToContents();
    if (table_->rowCount() > 0)
        table_->selectRow(0);
}

const AdviceCandidate* ConsigliaDialog::chosen() const
{
    const QList<QTableWidgetItem*> selected = table_->selectedItems();
    if (selected.isEmpty())
        return nullptr;
    const int row = selected.front()->row();
    if (row < 0 || static_cast<std::size_t>(row) >= shown_.candidates.size())
        return nullptr;
    return &shown_.candidates[static_cast<std::size_t>(row)];
}

void ConsigliaDialog::usa()
{
    if (const AdviceCandidate* c = chosen()) {
        emit usaRequested(*c);
        accept();
    }
}

} // namespace sestara
