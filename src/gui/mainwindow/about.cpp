#include "gui/mainwindow/about.h"

#include "gui/common/appinfo.h"
#include "gui/common/messages.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QStyle>
#include <QVBoxLayout>

namespace sestara {

namespace {

// One pixel is 15 twips on a 96 dpi screen; the title is laid out in twips.
constexpr double kTwipsPerPixel = 15.0;

QPixmap publisherLogo()
{
    QPixmap pm(48, 48);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(100, 10, 180));
    p.setPen(Qt::NoPen);
    p.drawEllipse(2, 2, 44, 44);
    p.setPen(Qt::white);
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setBold(true);
    f.setPixelSize(26);
    p.setFont(f);
    p.drawText(QRect(0, 0, 48, 48), Qt::AlignCenter, QStringLiteral("S"));
    return pm;
}

// "Impact" where installed; otherwise a plain sans-serif rather than whatever the font matcher
// substitutes for it.
QFont titleFont()
{
    QFont font(QStringLiteral("Impact"));
    font.setFamilies({QStringLiteral("Impact"), QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    font.setStyleHint(QFont::SansSerif);
    return font;
}

} // namespace

About::About(QWidget* mainWindow)
    : QDialog(nullptr, Qt::Dialog | Qt::WindowStaysOnTopHint)
    , mainWindow_(mainWindow)
{
    setObjectName(QStringLiteral("About"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("About  ") + appinfo::productName() + QStringLiteral("  Versione ") +
                   QString::number(appinfo::versionMajor()) + QStringLiteral(".") +
                   QString::number(appinfo::versionMinor()) + QStringLiteral("  ") + appinfo::publisherName());

    auto* picture1 = new QLabel(this);
    picture1->setObjectName(QStringLiteral("Picture1"));
    if (mainWindow && !mainWindow->windowIcon().isNull())
        picture1->setPixmap(mainWindow->windowIcon().pixmap(48, 48));
    else
        picture1->setPixmap(style()->standardIcon(QStyle::SP_ComputerIcon).pixmap(48, 48));

    auto* picture2 = new QLabel(this);
    picture2->setObjectName(QStringLiteral("Picture2"));
    picture2->setPixmap(publisherLogo());
    picture2->setToolTip(appinfo::publisherName());

    label3_ = new QLabel(QStringLiteral("Copyright © ") + appinfo::publisherName() +
                             QStringLiteral(". Tutti i diritti riservati."),
                         this);
    label3_->setObjectName(QStringLiteral("Label3"));

    label4_ = new QLabel(this);
    label4_->setObjectName(QStringLiteral("Label4"));
    label4_->setWordWrap(true);
    label4_->setText(QStringLiteral(
        "Attenzione: questo programma è protetto dalle leggi sul diritto d'autore e dai trattati "
        "internazionali. La riproduzione o la distribuzione non autorizzata di questo programma, o di "
        "una sua parte, è vietata. Le violazioni saranno perseguite nella misura massima consentita "
        "dalla legge."));

    auto* command1 = new QPushButton(QStringLiteral("Chiudi"), this);
    command1->setObjectName(QStringLiteral("Command1"));
    command1->setDefault(true);
    connect(command1, &QPushButton::clicked, this, &About::close);

    auto* cmdSysInfo = new QPushButton(QStringLiteral("&System Info..."), this);
    cmdSysInfo->setObjectName(QStringLiteral("cmdSysInfo"));
    connect(cmdSysInfo, &QPushButton::clicked, this, [this] { startSysInfo(); });

    // Room for the drawn title below Label3.
    QFont font = titleFont();
    font.setPixelSize(static_cast<int>(28 * 20 / kTwipsPerPixel + 0.5));
    titleHeight_ = QFontMetrics(font).height() + 6;

    auto* text = new QVBoxLayout;
    text->addWidget(label3_);
    text->addSpacing(titleHeight_);
    text->addWidget(label4_);
    text->addStretch();

    auto* top = new QHBoxLayout;
    top->addWidget(picture1, 0, Qt::AlignTop);
    top->addLayout(text, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(picture2);
    buttons->addStretch();
    buttons->addWidget(command1);
    buttons->addWidget(cmdSysInfo);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);
    // Word-wrapped text needs its width fixed before the height can follow.
    const int width = 540;
    label4_->setMinimumHeight(label4_->heightForWidth(width - 48 - 40) + 4);
    setFixedWidth(width);
    setMinimumHeight(sizeHint().height());
    adjustSize();

    if (mainWindow_)
        mainWindow_->setEnabled(false);
}

About::~About()
{
    enableMainWindow();
}

QString About::titleText()
{
    // The program's name as the user knows it, not the lower-case name of the executable file.
    return appinfo::productName() + QStringLiteral(" Ver. ") + QString::number(appinfo::versionMajor()) +
           QStringLiteral(".") + QString::number(appinfo::versionMinor());
}

QStringList About::systemInfoTools()
{
    return {QStringLiteral("kinfocenter"), QStringLiteral("hardinfo2"), QStringLiteral("hardinfo"),
            QStringLiteral("gnome-system-monitor")};
}

bool About::startSysInfo()
{
    for (const QString& tool : systemInfoTools()) {
        const QString path = QStandardPaths::findExecutable(tool);
        if (!path.isEmpty() && QProcess::startDetached(path, {}))
            return true;
    }
    Messages::show(this, QStringLiteral("System Information Is Unavailable At This Time"), MessageIcon::None);
    return false;
}

void About::paintEvent(QPaintEvent* event)
{
    QDialog::paintEvent(event);
    QPainter painter(this);
    drawTitle(painter);
}

void About::drawTitle(QPainter& painter)
{
    // The raised title: ten purple copies stepping one twip down-right, then the light one on top.
    const QPoint origin = label3_->geometry().bottomLeft() + QPoint(0, 1);
    painter.save();
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.translate(origin);
    painter.scale(1.0 / kTwipsPerPixel, 1.0 / kTwipsPerPixel);
    QFont font = titleFont();
    font.setPixelSize(28 * 20); // 28 points in twips
    painter.setFont(font);
    const int ascent = QFontMetrics(font).ascent();
    const QString text = titleText();
    for (int i = 0; i <= 10; ++i) {
        painter.setPen(i < 10 ? QColor(100, 10, 180) : QColor(110, 60, 255));
        painter.drawText(QPointF(40 - i, i + ascent), text);
    }
    painter.restore();
}

void About::enableMainWindow()
{
    if (mainWindow_)
        mainWindow_->setEnabled(true);
}

void About::closeEvent(QCloseEvent* event)
{
    enableMainWindow();
    QDialog::closeEvent(event);
}

} // namespace sestara
