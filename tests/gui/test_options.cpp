#include "tests/gui/guitest.h"

#include "gui/mainwindow/mdiform1.h"
#include "gui/settings/frmoptions.h"
#include "gui/settings/markpreview.h"
#include "gui/systemwindow/ortogonalisuper.h"

#include <QAction>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>

using namespace guitest;
using sestara::FrmOptions;
using sestara::MessageIcon;

namespace {

const char* const kBars[] = {"VScroll9", "VScroll10", "VScroll8", "VScroll7"};

class OptionsTest : public GuiTest {
protected:
    void SetUp() override { messages().clear(); }

    // The main window started with the user's folder holding `ini`, or nothing when null.
    void start(const QByteArray& ini = QByteArray())
    {
        ASSERT_TRUE(user_.isValid());
        if (!ini.isNull())
            writeFile(iniPath(), ini);
        main_ = new sestara::MDIForm1(QStringLiteral(SESTARA_PROGRAM_DIR), user_.path());
        main_->show();
        settle();
    }
    QString iniPath() const { return user_.filePath(QStringLiteral("Corvano.ini")); }

    FrmOptions* openFromToolBar()
    {
        for (QAction* a : find<QToolBar>(main_, "Toolbar1")->actions())
            if (a->data().toString() == QLatin1String("opzioni"))
                a->trigger();
        settle();
        return main_->options();
    }
    static QScrollBar* bar(FrmOptions* d, const char* name) { return find<QScrollBar>(d, QLatin1String(name)); }
    static QString box(FrmOptions* d, const char* name) { return find<QLineEdit>(d, QLatin1String(name))->text(); }
    static void click(FrmOptions* d, const char* name)
    {
        press(d, name);
        settle();
    }
    // The values and displays: VScroll9, VScroll10, VScroll8, VScroll7, Label1, Text11, Text10, Text3.
    static QStringList shown(FrmOptions* d)
    {
        QStringList values;
        for (const char* name : kBars)
            values << QString::number(bar(d, name)->value());
        return values << find<QLabel>(d, "Label1")->text() << box(d, "Text11") << box(d, "Text10")
                      << box(d, "Text3");
    }
    QList<double> settings() const
    {
        const sestara::Settings& s = main_->settings();
        return {s.costoColonna, double(s.superPunto), double(s.margine2sup), double(s.margine2sin)};
    }

    QTemporaryDir user_;
};

TEST_F(OptionsTest, TheShippedFileIsCopiedAndTheDialogShowsIt)
{
    start();
    EXPECT_EQ(contents(iniPath()), contents(QStringLiteral(SESTARA_SOURCE_DIR "/data/Corvano.ini")));
    EXPECT_EQ(contents(iniPath()), "Costocolonna=50\r\nSuperPunto=16\r\nMargine2sup=30\r\nMargine2sin=35\r\n");
    EXPECT_TRUE(messages().shown.empty());
    EXPECT_EQ(settings(), QList<double>({50, 16, 30, 35}));

    find<QAction>(main_, "mnuOpzioni")->trigger();
    settle();
    FrmOptions* d = main_->options();
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->objectName(), "frmOptions");
    EXPECT_EQ(d->windowTitle(), "Impostazioni Schedina");
    EXPECT_TRUE(d->isVisible());
    EXPECT_TRUE(d->isWindow());
    EXPECT_EQ(d->parentWidget(), nullptr);
    EXPECT_TRUE(d->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_FALSE(d->isModal());
    EXPECT_FALSE(main_->isEnabled());
    EXPECT_TRUE(d->isEnabled());
    // One at a time.
    EXPECT_EQ(main_->showOptions(), d);

    const std::pair<const char*, const char*> captions[] = {
        {"Frame21", "Dimensione Pallino :"}, {"Frame20", "Costo colonna :"}, {"Frame17", "Margini Schedina :"},
        {"Frame19", "Margine Superiore"},    {"Frame18", "Margine Sinistro :"}};
    for (const auto& [name, caption] : captions)
        EXPECT_EQ(find<QGroupBox>(d, QLatin1String(name))->title(), QLatin1String(caption));
    EXPECT_EQ(find<QGroupBox>(d, "Frame19")->parentWidget(), find<QGroupBox>(d, "Frame17"));
    EXPECT_EQ(find<QGroupBox>(d, "Frame18")->parentWidget(), find<QGroupBox>(d, "Frame17"));
    EXPECT_EQ(find<QPushButton>(d, "cmdApply")->text(), "Applica");
    EXPECT_EQ(find<QPushButton>(d, "cmdOK")->text(), "Chiudi");
    EXPECT_EQ(find<QPushButton>(d, "Command5")->text(), "Predefiniti");
    EXPECT_EQ(find<QLabel>(d, "Label2")->text(),
              QStringLiteral("Impostazione dei margini schedina : i margini schedina hanno i loro valori "
                             "predefiniti,tuttavia a seconda della stampante è necessario impostare i margini "
                             "tenendo conto che il valore visualizzato è espresso in cm Posizionamento delle "
                             "schedine :le schedine vanno posizionate con la scritta superenalotto frontale e "
                             "rovesciata ovvero verso il basso."));
    EXPECT_EQ(shown(d), QStringList({"16", "50", "30", "35", "16", "0,5", "0,3", "0,35"}));
    auto* shape = find<sestara::MarkPreview>(d, "Shape1");
    EXPECT_EQ(shape->diameterTwips(), 128);
    EXPECT_EQ(shape->size(), QSize(9, 9));

    // The user moves the bars by one step and to both ends; typing into a display changes nothing.
    bar(d, "VScroll9")->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    bar(d, "VScroll7")->triggerAction(QAbstractSlider::SliderSingleStepSub);
    QTest::keyClicks(find<QLineEdit>(d, "Text11"), "7");
    EXPECT_EQ(shown(d), QStringList({"17", "50", "30", "34", "17", "0,5", "0,3", "0,34"}));
    EXPECT_EQ(shape->diameterTwips(), 136);
    for (const char* name : kBars) {
        EXPECT_EQ(bar(d, name)->orientation(), Qt::Vertical) << name;
        bar(d, name)->triggerAction(QAbstractSlider::SliderToMinimum);
    }
    EXPECT_EQ(shown(d), QStringList({"10", "1", "0", "0", "10", "0,01", "0", "0"}));
    for (const char* name : kBars)
        bar(d, name)->triggerAction(QAbstractSlider::SliderToMaximum);
    EXPECT_EQ(shown(d), QStringList({"24", "1000", "1000", "1000", "24", "10", "10", "10"}));
    EXPECT_EQ(shape->size(), QSize(13, 13));

    click(d, "cmdOK");
    EXPECT_EQ(main_->options(), nullptr);
    EXPECT_TRUE(main_->isEnabled());
    EXPECT_EQ(settings(), QList<double>({50, 16, 30, 35}));
    EXPECT_TRUE(messages().shown.empty());
}

TEST_F(OptionsTest, OnlyApplicaStoresAndSaves)
{
    const QByteArray ini = "Ritenuta=8\r\nCostocolonna:75\r\n\r\nSuperPunto 12\r\nMargine2sup=0\r\n"
                           "Margine2sin=1000\r\n\r\nLink=a=b\r\n";
    start(ini);
    EXPECT_EQ(settings(), QList<double>({75, 12, 0, 1000}));
    sestara::OrtogonaliSuper* w = newSystem();
    clickNumbers(w, 1, 10);
    elaboraAndWait(w);
    EXPECT_EQ(text(w, "Label14"), QStringLiteral("157,50   €"));

    FrmOptions* d = openFromToolBar();
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(shown(d), QStringList({"12", "75", "0", "1000", "12", "0,75", "0", "10"}));
    click(d, "Command5");
    EXPECT_EQ(shown(d), QStringList({"16", "50", "30", "35", "16", "0,5", "0,3", "0,35"}));
    click(d, "cmdOK");
    EXPECT_EQ(settings(), QList<double>({75, 12, 0, 1000}));
    EXPECT_EQ(contents(iniPath()), ini);

    // Each opening starts from the settings.
    d = openFromToolBar();
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(shown(d), QStringList({"12", "75", "0", "1000", "12", "0,75", "0", "10"}));
    click(d, "Command5");
    bar(d, "VScroll10")->setValue(120);
    click(d, "cmdApply");
    EXPECT_EQ(main_->options(), d);
    EXPECT_FALSE(main_->isEnabled());
    EXPECT_EQ(settings(), QList<double>({120, 16, 30, 35}));
    EXPECT_EQ(contents(iniPath()), "Ritenuta=8\r\nCostocolonna:120\r\n\r\nSuperPunto 16\r\nMargine2sup=30\r\n"
                                   "Margine2sin=35\r\n\r\nLink=a=b\r\n");
    click(d, "cmdOK");
    EXPECT_TRUE(messages().shown.empty());

    // The figures on screen stay; the next development costs the new price.
    EXPECT_EQ(text(w, "Label14"), QStringLiteral("157,50   €"));
    elaboraAndWait(w);
    EXPECT_EQ(text(w, "Label14"), QStringLiteral("252,00   €"));
}

TEST_F(OptionsTest, ABadFileIsReportedAndTheProgramGoesOn)
{
    const QByteArray ini = "Costocolonna=75\r\nSuperPunto=25\r\nMargine2sup=abc\r\n";
    start(ini);
    const QString reason = QStringLiteral("riga 2, \"SuperPunto\": il valore 25 è fuori dall'intervallo da 10 a 24");
    ASSERT_EQ(messages().shown.size(), 1u);
    EXPECT_EQ(messages().shown[0].text, "Errore nel file INI\n" + reason);
    EXPECT_EQ(messages().shown[0].icon, MessageIcon::Critical);
    EXPECT_EQ(messages().shown[0].title, "Sestara");
    EXPECT_EQ(settings(), QList<double>({75, 16, 30, 0}));

    // The dialog refuses to open on it, and the program goes on.
    EXPECT_EQ(openFromToolBar(), nullptr);
    ASSERT_EQ(messages().texts(), QStringList({"Errore nel file INI\n" + reason, "Errore nel file INI\n" + reason}));
    EXPECT_EQ(messages().shown[1].icon, MessageIcon::Critical);
    EXPECT_TRUE(main_->isEnabled());
    EXPECT_TRUE(main_->isVisible());
    EXPECT_EQ(contents(iniPath()), ini);

    // A missing file keeps the dialog closed; one gone while it is open makes "Applica" say so,
    // and no file is created.
    QFile::remove(iniPath());
    EXPECT_EQ(openFromToolBar(), nullptr);
    EXPECT_EQ(messages().texts().last(), "Errore nel file INI\nimpossibile leggere il file \"" + iniPath() +
                                             "\": il file non esiste");
    writeFile(iniPath(), "Costocolonna=75\r\nSuperPunto=10\r\n");
    FrmOptions* d = openFromToolBar();
    ASSERT_NE(d, nullptr);
    QFile::remove(iniPath());
    messages().clear();
    click(d, "cmdApply");
    EXPECT_EQ(messages().texts(), QStringList({"Errore nel file INI\nimpossibile leggere il file \"" + iniPath() +
                                               "\": il file non esiste"}));
    EXPECT_EQ(main_->options(), d);
    EXPECT_FALSE(QFile::exists(iniPath()));
    d->close();
    settle();
    EXPECT_TRUE(main_->isEnabled());
}

} // namespace
