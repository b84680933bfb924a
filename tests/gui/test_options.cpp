#include "tests/gui/guitest.h"

#include "core/settings/settingsfile.h"
#include "gui/settings/frmoptions.h"
#include "gui/settings/markpreview.h"

#include <QLineEdit>
#include <QScrollBar>

using namespace guitest;
using sestara::FrmOptions;

namespace {

const char* const kBars[] = {"VScroll9", "VScroll10", "VScroll8", "VScroll7"};
const QStringList kPredefiniti{"16", "100", "30", "35", "16", "1", "0,3", "0,35"};

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

    // The dialog from the tool bar, or from the menu entry of that name.
    FrmOptions* open(const char* action = "opzioni")
    {
        find<QAction>(main_, action)->trigger();
        settle();
        return main_->options();
    }
    static QScrollBar* bar(FrmOptions* d, const char* name) { return find<QScrollBar>(d, QLatin1String(name)); }
    static void click(FrmOptions* d, const char* name)
    {
        press(d, name);
        settle();
    }
    static QStringList shown(FrmOptions* d)
    {
        QStringList values;
        for (const char* name : kBars)
            values << QString::number(bar(d, name)->value());
        values << find<QLabel>(d, "Label1")->text();
        for (const char* name : {"Text11", "Text10", "Text3"})
            values << find<QLineEdit>(d, QLatin1String(name))->text();
        return values;
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
    EXPECT_TRUE(messages().shown.empty());
    EXPECT_EQ(settings(), QList<double>({100, 16, 30, 35}));

    FrmOptions* d = open("mnuOpzioni");
    ASSERT_NE(d, nullptr);
    EXPECT_TRUE(d->isVisible());
    // A window of its own, so that disabling the main window leaves it usable.
    EXPECT_EQ(d->parentWidget(), nullptr);
    EXPECT_TRUE(d->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_FALSE(main_->isEnabled());
    // One at a time.
    EXPECT_EQ(main_->showOptions(), d);
    EXPECT_EQ(shown(d), kPredefiniti);
    auto* shape = find<sestara::MarkPreview>(d, "Shape1");
    EXPECT_EQ(shape->diameterTwips(), 128);
    EXPECT_EQ(shape->size(), QSize(9, 9));

    // The user moves the bars by one step and to both ends; typing into a display changes nothing.
    bar(d, "VScroll9")->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    bar(d, "VScroll7")->triggerAction(QAbstractSlider::SliderSingleStepSub);
    QTest::keyClicks(find<QLineEdit>(d, "Text11"), "7");
    EXPECT_EQ(shown(d), QStringList({"17", "100", "30", "34", "17", "1", "0,3", "0,34"}));
    EXPECT_EQ(shape->diameterTwips(), 136);
    for (const char* name : kBars)
        bar(d, name)->triggerAction(QAbstractSlider::SliderToMinimum);
    EXPECT_EQ(shown(d), QStringList({"10", "1", "0", "0", "10", "0,01", "0", "0"}));
    for (const char* name : kBars)
        bar(d, name)->triggerAction(QAbstractSlider::SliderToMaximum);
    EXPECT_EQ(shown(d), QStringList({"24", "1000", "1000", "1000", "24", "10", "10", "10"}));
    EXPECT_EQ(shape->size(), QSize(13, 13));

    click(d, "cmdOK");
    EXPECT_EQ(main_->options(), nullptr);
    EXPECT_TRUE(main_->isEnabled());
}

TEST_F(OptionsTest, OnlyApplicaStoresAndSaves)
{
    const QByteArray ini = "Ritenuta=8\r\nCostocolonna:75\r\n\r\nSuperPunto 12\r\nMargine2sup=0\r\n"
                           "Margine2sin=1000\r\n\r\nLink=a=b\r\n";
    start(ini);
    EXPECT_EQ(settings(), QList<double>({75, 12, 0, 1000}));
    sestara::OrtogonaliSuper* w = newSystem();
    develop(w, 1, 10);
    EXPECT_EQ(text(w, "Label14"), QStringLiteral("157,50   €"));

    // Each opening starts from the settings, and "Predefiniti" alone stores nothing.
    const QStringList fromFile{"12", "75", "0", "1000", "12", "0,75", "0", "10"};
    FrmOptions* d = open();
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(shown(d), fromFile);
    click(d, "Command5");
    EXPECT_EQ(shown(d), kPredefiniti);
    click(d, "cmdOK");
    EXPECT_EQ(settings(), QList<double>({75, 12, 0, 1000}));
    EXPECT_EQ(contents(iniPath()), ini);
    d = open();
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(shown(d), fromFile);
    click(d, "Command5");
    bar(d, "VScroll10")->setValue(120);
    click(d, "cmdApply");
    EXPECT_EQ(main_->options(), d);
    EXPECT_FALSE(main_->isEnabled());
    EXPECT_EQ(settings(), QList<double>({120, 16, 30, 35}));
    const QByteArray applied = "Ritenuta=8\r\nCostocolonna:120\r\n\r\nSuperPunto 16\r\nMargine2sup=30\r\n"
                               "Margine2sin=35\r\n\r\nLink=a=b\r\n";
    EXPECT_EQ(contents(iniPath()), applied);
    // The SuperStar price: 50 cents by default, its line added once it differs.
    bar(d, "VScrollSuperStar")->setValue(70);
    EXPECT_EQ(find<QLineEdit>(d, "TextSuperStar")->text(), "0,7");
    click(d, "cmdApply");
    EXPECT_EQ(main_->settings().costoSuperStar, 70);
    EXPECT_EQ(contents(iniPath()), applied + "Costosuperstar=70\r\n");
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
    const QString bad = "Errore nel file INI\n" + iniPath() +
                        "\nriga 2, \"SuperPunto\": il valore 25 è fuori dall'intervallo da 10 a 24";
    EXPECT_EQ(messages().texts(), QStringList{bad});
    EXPECT_EQ(settings(), QList<double>({75, 16, 30, 0}));

    // The dialog says so again and opens on the values that read, so "Applica" repairs the file.
    FrmOptions* repair = open();
    ASSERT_NE(repair, nullptr);
    ASSERT_EQ(messages().texts(), QStringList({bad, bad}));
    EXPECT_EQ(contents(iniPath()), ini);
    messages().clear();
    click(repair, "cmdApply");
    EXPECT_TRUE(messages().shown.empty()) << messages().texts().join('|').toStdString();
    const sestara::SettingsReading repaired = sestara::loadSettingsFile(QFile::encodeName(iniPath()).toStdString());
    EXPECT_TRUE(repaired.ok()) << repaired.problem;
    EXPECT_EQ(repaired.settings.costoColonna, 75);
    EXPECT_EQ(repaired.settings.superPunto, 16);
    repair->close();
    settle();
    EXPECT_TRUE(main_->isEnabled());

    // A missing file keeps the dialog closed; one gone while it is open makes "Applica" say so,
    // and no file is created.
    const QString missing =
        "Errore nel file INI\nimpossibile leggere il file \"" + iniPath() + "\": il file non esiste";
    QFile::remove(iniPath());
    EXPECT_EQ(open(), nullptr);
    EXPECT_EQ(messages().texts().last(), missing);
    writeFile(iniPath(), "Costocolonna=75\r\nSuperPunto=10\r\n");
    FrmOptions* d = open();
    ASSERT_NE(d, nullptr);
    QFile::remove(iniPath());
    messages().clear();
    click(d, "cmdApply");
    EXPECT_EQ(messages().texts(), QStringList{missing});
    EXPECT_EQ(main_->options(), d);
    EXPECT_FALSE(QFile::exists(iniPath()));
    d->close();
    settle();
}

} // namespace
