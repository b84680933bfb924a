#include "gui/settings/frmoptions.h"

#include "core/settings/settingsfile.h"
#include "gui/common/messages.h"
#include "gui/settings/markpreview.h"

#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

namespace sestara {

namespace {

QScrollBar* scrollBar(QWidget* parent, const char* name, SettingRange range)
{
    auto* bar = new QScrollBar(Qt::Vertical, parent);
    bar->setObjectName(QLatin1String(name));
    bar->setRange(range.minimum, range.maximum);
    bar->setSingleStep(1);
    bar->setPageStep(10);
    bar->setFixedHeight(90);
    return bar;
}

// A read-only box showing its scroll bar's value divided by 100, as the user's locale writes it.
QLineEdit* hundredthsDisplay(QWidget* parent, const char* name, QScrollBar* bar)
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(QLatin1String(name));
    box->setReadOnly(true);
    box->setFixedWidth(70);
    const auto show = [box](int value) {
        box->setText(QLocale().toString(value / 100.0, 'g', QLocale::FloatingPointShortest));
    };
    QObject::connect(bar, &QScrollBar::valueChanged, box, show);
    show(bar->value());
    return box;
}

QGroupBox* frame(QWidget* parent, const char* name, const QString& caption)
{
    auto* box = new QGroupBox(caption, parent);
    box->setObjectName(QLatin1String(name));
    return box;
}

// A frame holding a scroll bar and what shows its value, side by side.
void layOut(QGroupBox* box, QScrollBar* bar, QWidget* display, QWidget* extra = nullptr)
{
    auto* row = new QHBoxLayout(box);
    row->addWidget(bar);
    row->addWidget(display, 0, Qt::AlignVCenter);
    if (extra)
        row->addWidget(extra, 0, Qt::AlignVCenter);
    row->addStretch();
}

int scrollValue(double value)
{
    return static_cast<int>(roundHalfEven(value));
}

} // namespace

FrmOptions* FrmOptions::open(QWidget* mainWindow, Settings& settings, const QString& iniPath)
{
    // The file must read through and hold values the scroll bars can take.
    const SettingsReading reading = loadSettingsFile(QFile::encodeName(iniPath).toStdString());
    if (!reading.ok()) {
        Messages::show(mainWindow, errorText(QString::fromStdString(reading.problem), iniPath),
                       MessageIcon::Critical);
        // A damaged file opens all the same, so that "Predefiniti" and "Applica" can repair it;
        // one that cannot be read at all has nothing to repair.
        const QFileInfo file(iniPath);
        if (!file.isFile() || !file.isReadable())
            return nullptr;
    }
    auto* dialog = new FrmOptions(mainWindow, settings, iniPath);
    dialog->show();
    return dialog;
}

QString FrmOptions::errorText(const QString& reason, const QString& iniPath)
{
    const QString path = QDir::toNativeSeparators(iniPath);
    return QStringLiteral("Errore nel file INI\n") + (reason.contains(path) ? QString() : path + QLatin1Char('\n')) +
           reason;
}

FrmOptions::FrmOptions(QWidget* mainWindow, Settings& settings, const QString& iniPath)
    : QDialog(nullptr, Qt::Dialog | Qt::WindowStaysOnTopHint)
    , mainWindow_(mainWindow)
    , settings_(settings)
    , iniPath_(iniPath)
{
    // A window of its own: a child of the main window would be disabled along with it.
    setObjectName(QStringLiteral("frmOptions"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Impostazioni Schedina"));

    QGroupBox* frame21 = frame(this, "Frame21", QStringLiteral("Dimensione Pallino :"));
    superPunto_ = scrollBar(frame21, "VScroll9", kSuperPuntoRange);
    superPuntoText_ = new QLabel(frame21);
    superPuntoText_->setObjectName(QStringLiteral("Label1"));
    superPuntoText_->setMinimumWidth(24);
    // Room for the largest mark, so the frame keeps its size as the mark grows.
    auto* markRoom = new QWidget(frame21);
    const int largest =
        static_cast<int>(8 * kSuperPuntoRange.maximum / MarkPreview::kTwipsPerPixel) + 2;
    markRoom->setFixedSize(largest, largest);
    shape_ = new MarkPreview(markRoom);
    shape_->setObjectName(QStringLiteral("Shape1"));
    auto* markLayout = new QHBoxLayout(markRoom);
    markLayout->setContentsMargins(0, 0, 0, 0);
    markLayout->addWidget(shape_, 0, Qt::AlignCenter);
    layOut(frame21, superPunto_, superPuntoText_, markRoom);

    QGroupBox* frame20 = frame(this, "Frame20", QStringLiteral("Costo colonna :"));
    costoColonna_ = scrollBar(frame20, "VScroll10", kCostoColonnaRange);
    layOut(frame20, costoColonna_, hundredthsDisplay(frame20, "Text11", costoColonna_));
    QGroupBox* superStarFrame = frame(this, "FrameCostoSuperStar", QStringLiteral("Costo SuperStar :"));
    costoSuperStar_ = scrollBar(superStarFrame, "VScrollSuperStar", kCostoSuperStarRange);
    layOut(superStarFrame, costoSuperStar_, hundredthsDisplay(superStarFrame, "TextSuperStar", costoSuperStar_));

    QGroupBox* frame17 = frame(this, "Frame17", QStringLiteral("Margini Schedina :"));
    QGroupBox* frame19 = frame(frame17, "Frame19", QStringLiteral("Margine Superiore"));
    margineSup_ = scrollBar(frame19, "VScroll8", kMargineRange);
    layOut(frame19, margineSup_, hundredthsDisplay(frame19, "Text10", margineSup_));
    QGroupBox* frame18 = frame(frame17, "Frame18", QStringLiteral("Margine Sinistro :"));
    margineSin_ = scrollBar(frame18, "VScroll7", kMargineRange);
    layOut(frame18, margineSin_, hundredthsDisplay(frame18, "Text3", margineSin_));
    auto* margins = new QHBoxLayout(frame17);
    margins->addWidget(frame19);
    margins->addWidget(frame18);

    auto* label2 = new QLabel(this);
    label2->setObjectName(QStringLiteral("Label2"));
    label2->setWordWrap(true);
    label2->setText(QStringLiteral(
        "Impostazione dei margini schedina : i margini schedina hanno i loro valori predefiniti,tuttavia a "
        "seconda della stampante è necessario impostare i margini tenendo conto che il valore visualizzato è "
        "espresso in cm Posizionamento delle schedine :le schedine vanno posizionate con la scritta "
        "superenalotto frontale e rovesciata ovvero verso il basso."));

    auto* command5 = new QPushButton(QStringLiteral("Predefiniti"), this);
    command5->setObjectName(QStringLiteral("Command5"));
    auto* cmdApply = new QPushButton(QStringLiteral("Applica"), this);
    cmdApply->setObjectName(QStringLiteral("cmdApply"));
    auto* cmdOK = new QPushButton(QStringLiteral("Chiudi"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    connect(command5, &QPushButton::clicked, this, &FrmOptions::predefiniti);
    connect(cmdApply, &QPushButton::clicked, this, &FrmOptions::applica);
    connect(cmdOK, &QPushButton::clicked, this, &FrmOptions::close);

    auto* grid = new QGridLayout;
    grid->addWidget(frame21, 0, 0);
    grid->addWidget(frame20, 0, 1);
    grid->addWidget(superStarFrame, 0, 2);
    grid->addWidget(frame17, 1, 0, 1, 3);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(command5);
    buttons->addStretch();
    buttons->addWidget(cmdApply);
    buttons->addWidget(cmdOK);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(label2);
    layout->addLayout(buttons);

    connect(superPunto_, &QScrollBar::valueChanged, this, &FrmOptions::showSuperPunto);
    costoColonna_->setValue(scrollValue(settings_.costoColonna));
    costoSuperStar_->setValue(settings_.costoSuperStar);
    superPunto_->setValue(settings_.superPunto);
    margineSin_->setValue(settings_.margine2sin);
    margineSup_->setValue(settings_.margine2sup);
    showSuperPunto(superPunto_->value());

    // The help text wraps within the width the frames take.
    setFixedWidth(qMax(sizeHint().width(), 460));
    label2->setMinimumHeight(label2->heightForWidth(width() - 24));
    adjustSize();

    if (mainWindow_)
        mainWindow_->setEnabled(false);
}

FrmOptions::~FrmOptions()
{
    enableMainWindow();
}

void FrmOptions::showSuperPunto(int value)
{
    superPuntoText_->setText(QString::number(value));
    shape_->setDiameterTwips(8 * value);
}

void FrmOptions::predefiniti()
{
    const Settings predefiniti;
    superPunto_->setValue(predefiniti.superPunto);
    margineSup_->setValue(predefiniti.margine2sup);
    margineSin_->setValue(predefiniti.margine2sin);
    costoColonna_->setValue(scrollValue(predefiniti.costoColonna));
    costoSuperStar_->setValue(predefiniti.costoSuperStar);
}

void FrmOptions::applica()
{
    settings_.costoColonna = costoColonna_->value();
    settings_.costoSuperStar = costoSuperStar_->value();
    settings_.margine2sup = margineSup_->value();
    settings_.margine2sin = margineSin_->value();
    settings_.superPunto = superPunto_->value();
    const std::string error = saveSettingsFile(QFile::encodeName(iniPath_).toStdString(), settings_);
    if (!error.empty())
        Messages::show(this, errorText(QString::fromStdString(error), iniPath_), MessageIcon::Critical);
}

void FrmOptions::enableMainWindow()
{
    if (mainWindow_)
        mainWindow_->setEnabled(true);
}

void FrmOptions::reject()
{
    close();
}

void FrmOptions::closeEvent(QCloseEvent* event)
{
    // Closing always succeeds: the base class would turn it into a rejection first.
    enableMainWindow();
    event->accept();
}

} // namespace sestara
