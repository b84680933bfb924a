#include "tests/gui/guitest.h"

#include "core/development/development.h"
#include "core/development/run.h"
#include "core/document/systemdocument.h"
#include "core/settings/settings.h"
#include "gui/common/appinfo.h"
#include "gui/common/filedialogs.h"
#include "gui/common/loading.h"
#include "gui/common/runcontrol.h"
#include "gui/mainwindow/mdiform1.h"
#include "gui/printing/printjobs.h"
#include "gui/systemwindow/ortogonalisuper.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinterInfo>
#include <QProcess>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QWidget>
#include <QtTest/QTest>

#include <memory>
#include <optional>
#include <string>
#include <vector>

using namespace guitest;
using sestara::DevelopedSystem;
using sestara::FileDialogRequest;
using sestara::FileDialogs;
using sestara::MarkList;
using sestara::MessageIcon;
using sestara::PrintTarget;
using sestara::SlipPrintOutcome;
using sestara::SlipSelection;

namespace {

DevelopedSystem developed(std::size_t columns)
{
    DevelopedSystem system;
    system.entryText = "10 numeri sistema Integrale";
    system.pronostico = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    auto development = std::make_shared<sestara::Development>();
    for (std::size_t k = 0; k < columns; ++k)
        development->append(sestara::Column{1, 2, 3, 4, 5, static_cast<std::uint8_t>(7 + k % 80)});
    system.development = development;
    return system;
}

QString run(const QString& program, const QStringList& arguments)
{
    QProcess p;
    p.start(program, arguments);
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return QStringLiteral("(%1 failed)").arg(program);
    return QString::fromUtf8(p.readAllStandardOutput());
}

QString pdfInfo(const QString& file, const QString& field)
{
    for (const QString& line : run(QStringLiteral("pdfinfo"), {file}).split(QLatin1Char('\n')))
        if (line.startsWith(field + QLatin1Char(':')))
            return line.mid(field.size() + 1).trimmed();
    return {};
}

// The text of one page (from 1) as laid out, line by line, each run of blanks read as one: the
// blanks the layout keeps depend on the widths of the glyphs.
std::vector<std::string> pdfPage(const QString& file, int page)
{
    const QString n = QString::number(page);
    std::vector<std::string> lines;
    for (const QString& line :
         run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), QStringLiteral("-f"), n, QStringLiteral("-l"), n,
                                           file, QStringLiteral("-")})
             .split(QLatin1Char('\n'))) {
        const QString l = line.simplified();
        if (!l.isEmpty())
            lines.push_back(l.toStdString());
    }
    return lines;
}

class Printing : public ::testing::Test {
protected:
    void SetUp() override
    {
        messages().clear();
        ASSERT_TRUE(folder_.isValid());
        FileDialogs::setHandler([this](const FileDialogRequest& request) {
            requests_.push_back(request);
            return nextFile_;
        });
        window_.resize(400, 300);
    }
    void TearDown() override
    {
        FileDialogs::setHandler({});
        messages().clear();
    }
    // The next PDF file chosen, without its suffix (the flow adds it).
    QString pdf(const QString& name)
    {
        nextFile_ = QDir(folder_.path()).filePath(name);
        return nextFile_ + QStringLiteral(".pdf");
    }
    // A print of the listing, waited for until its run ends.
    void listing(PrintTarget target, const DevelopedSystem* system)
    {
        jobs_.printListing(target, system, name_, cost_, settings_);
        ASSERT_TRUE(waitUntil([&] { return !jobs_.isRunning(); }, 30000));
    }
    // A print of slips; its outcome once it is over.
    SlipPrintOutcome slips(PrintTarget target, const SlipSelection& selection, const DevelopedSystem* system,
                           const MarkList& marks)
    {
        std::optional<SlipPrintOutcome> outcome;
        jobs_.printSlips(target, selection, system, name_, cost_, settings_, marks,
                         [&outcome](const SlipPrintOutcome& o) { outcome = o; });
        EXPECT_TRUE(waitUntil([&] { return outcome.has_value(); }, 30000));
        return outcome.value_or(SlipPrintOutcome{});
    }

    QTemporaryDir folder_;
    QString nextFile_;
    std::vector<FileDialogRequest> requests_;
    QWidget window_;
    sestara::PrintJobs jobs_{nullptr, &window_};
    sestara::Settings settings_;
    const QString name_ = QStringLiteral("Sistema 1");
    const QString cost_ = QStringLiteral("22,50   €");
};

} // namespace

TEST_F(Printing, ListingPdfHasTheHeaderOnEveryPageAndSplitsAfterFortyFourLines)
{
    const DevelopedSystem system = developed(45);
    const QString file = pdf(QStringLiteral("sviluppo"));
    listing(PrintTarget::Pdf, &system);
    ASSERT_EQ(requests_.size(), 1u);
    EXPECT_EQ(requests_[0].caption, QStringLiteral("Esporta PDF"));
    EXPECT_EQ(requests_[0].filter, QStringLiteral("Documenti PDF (*.pdf)"));
    EXPECT_EQ(pdfInfo(file, QStringLiteral("Pages")), QStringLiteral("2"));
    EXPECT_EQ(pdfInfo(file, QStringLiteral("Page size")), QStringLiteral("595 x 842 pts (A4)"));

    EXPECT_TRUE(run(QStringLiteral("pdffonts"), {file}).contains(QStringLiteral("Mono"))); // a fixed-pitch font

    // The header's texts are the layout's (tested there); here they reach the page, 8 non-empty
    // lines above the listing, again on the second page.
    const std::vector<std::string> first = pdfPage(file, 1);
    ASSERT_EQ(first.size(), 8u + 44u);
    EXPECT_EQ(first[0], "Pagina: 1");
    EXPECT_EQ(first[8], "1 > 1-2-3-4-5-7");
    EXPECT_EQ(first.back(), "44 > 1-2-3-4-5-50");
    const std::vector<std::string> second = pdfPage(file, 2);
    ASSERT_EQ(second.size(), 8u + 1u);
    EXPECT_EQ(second.front(), "Pagina: 2");
    EXPECT_EQ(second.back(), "45 > 1-2-3-4-5-51");
    EXPECT_TRUE(messages().shown.empty());
}

TEST_F(Printing, SlipPdfsAllWithTheSummaryARangeAndTheMarksAlone)
{
    const DevelopedSystem system = developed(12);
    SlipSelection all;
    all.slipsLoaded = true;
    MarkList hand;
    hand.record({4.0, 4.0});
    const QString allFile = pdf(QStringLiteral("tutte"));
    const SlipPrintOutcome outcome = slips(PrintTarget::Pdf, all, &system, hand);
    EXPECT_TRUE(outcome.printed);
    EXPECT_FALSE(outcome.endSlipMode);
    EXPECT_EQ(outcome.marks.count(), 1);
    EXPECT_EQ(pdfInfo(allFile, QStringLiteral("Pages")), QStringLiteral("4"));
    EXPECT_EQ(pdfPage(allFile, 1), std::vector<std::string>{"1"});
    EXPECT_EQ(pdfPage(allFile, 3), std::vector<std::string>{"3"});
    EXPECT_EQ(pdfPage(allFile, 4).back(), "22,50 €");

    SlipSelection range = all;
    range.range = true;
    range.rangeFirst = range.rangeLast = 1;
    const QString rangeFile = pdf(QStringLiteral("intervallo"));
    slips(PrintTarget::Pdf, range, &system, hand);
    EXPECT_EQ(pdfInfo(rangeFile, QStringLiteral("Pages")), QStringLiteral("1"));
    EXPECT_EQ(pdfPage(rangeFile, 1), std::vector<std::string>{"2"});

    const QString aloneFile = pdf(QStringLiteral("segni"));
    const SlipPrintOutcome alone = slips(PrintTarget::Pdf, SlipSelection{}, nullptr, hand);
    EXPECT_TRUE(alone.printed);
    EXPECT_EQ(pdfInfo(aloneFile, QStringLiteral("Pages")), QStringLiteral("1"));
    EXPECT_TRUE(pdfPage(aloneFile, 1).empty());
    // The mark sits at its place offset by the margins, from the paper's corner: 4.35 cm across,
    // 4.3 cm down, 48 dots of 1/600 inch wide.
    const QString picture = QDir(folder_.path()).filePath(QStringLiteral("segni"));
    run(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("100"), QStringLiteral("-gray"),
                                     QStringLiteral("-singlefile"), aloneFile, picture});
    const QImage image(picture + QStringLiteral(".pgm"));
    ASSERT_FALSE(image.isNull());
    double sumX = 0, sumY = 0, dark = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 128) {
                sumX += x + 0.5;
                sumY += y + 0.5;
                ++dark;
            }
    ASSERT_GT(dark, 0);
    EXPECT_NEAR(sumX / dark, 4.35 / 2.54 * 100, 1.0);
    EXPECT_NEAR(sumY / dark, 4.3 / 2.54 * 100, 1.0);
    EXPECT_NEAR(dark, 3.14159 * 4 * 4, 12); // a disc 8 pixels across

    nextFile_.clear(); // the user cancels the file choice
    EXPECT_FALSE(slips(PrintTarget::Pdf, all, &system, hand).printed);
    EXPECT_TRUE(messages().shown.empty());
}

TEST_F(Printing, RefusalsAndPrinterFailuresShowTheirMessages)
{
    ASSERT_TRUE(QPrinterInfo::defaultPrinter().isNull()) << "the tests must not reach a real printer";
    const DevelopedSystem system = developed(12);
    const DevelopedSystem empty = developed(0);
    MarkList hand;
    hand.record({4.0, 4.0});
    SlipSelection all;
    all.slipsLoaded = true;
    SlipSelection reversed = all;
    reversed.range = true;
    reversed.rangeFirst = 2;
    reversed.rangeLast = 1;
    SlipSelection one = all;
    one.slip = 3;

    listing(PrintTarget::Printer, &empty);
    listing(PrintTarget::Printer, &system);
    const SlipPrintOutcome reversedOutcome = slips(PrintTarget::Printer, reversed, &system, hand);
    const SlipPrintOutcome allOutcome = slips(PrintTarget::Printer, all, &system, hand);
    const SlipPrintOutcome oneOutcome = slips(PrintTarget::Printer, one, &system, hand);
    const SlipPrintOutcome aloneOutcome = slips(PrintTarget::Printer, SlipSelection{}, nullptr, hand);

    const QString failure = QStringLiteral("Problemi durante l'operazione di Stampa");
    EXPECT_EQ(messages().texts(), (QStringList{QStringLiteral("Elaborare Sistema"), QStringLiteral("Errore di Stampa"),
                                               QStringLiteral("Cambiare l'intervallo di stampa"),
                                               failure + QStringLiteral("\nverificare impostazioni stampante"),
                                               failure + QStringLiteral("\nverificare impostazioni stampante"),
                                               failure}));
    const MessageIcon icons[] = {MessageIcon::Exclamation, MessageIcon::Critical, MessageIcon::Exclamation,
                                 MessageIcon::Critical,    MessageIcon::Critical, MessageIcon::Critical};
    for (std::size_t i = 0; i < messages().shown.size(); ++i)
        EXPECT_EQ(messages().shown[i].icon, icons[i]) << i;
    EXPECT_FALSE(reversedOutcome.endSlipMode);
    EXPECT_TRUE(allOutcome.endSlipMode);
    EXPECT_TRUE(oneOutcome.endSlipMode);
    EXPECT_FALSE(aloneOutcome.endSlipMode);
    EXPECT_EQ(allOutcome.marks.count(), 1);
    EXPECT_FALSE(allOutcome.printed || oneOutcome.printed || aloneOutcome.printed);

    // A PDF file that cannot be written fails as the printer does.
    messages().clear();
    pdf(QStringLiteral("mancante/sviluppo"));
    listing(PrintTarget::Pdf, &system);
    EXPECT_TRUE(slips(PrintTarget::Pdf, all, &system, hand).endSlipMode);
    EXPECT_EQ(messages().texts(), (QStringList{QStringLiteral("Errore di Stampa"),
                                               failure + QStringLiteral("\nverificare impostazioni stampante")}));
}

TEST_F(Printing, PreviewShowsEveryPageUpToItsBound)
{
    const DevelopedSystem system = developed(12);
    SlipSelection all;
    all.slipsLoaded = true;
    window_.show();
    EXPECT_TRUE(slips(PrintTarget::Preview, all, &system, MarkList{}).printed);
    auto* dialog = window_.findChild<QPrintPreviewDialog*>(QStringLiteral("printPreview"));
    ASSERT_TRUE(dialog);
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Anteprima - Sistema 1"));
    auto* preview = dialog->findChild<QPrintPreviewWidget*>();
    ASSERT_TRUE(preview);
    EXPECT_TRUE(waitUntil([&] { return preview->pageCount() == 4; }, 10000)) << preview->pageCount();
    dialog->close();
    settle();
    EXPECT_FALSE(window_.findChild<QPrintPreviewDialog*>());

    // A listing of 103 pages: the first 100 drawn, at once and without a run.
    const DevelopedSystem big = developed(44 + 46 * 102);
    jobs_.printListing(PrintTarget::Preview, &big, name_, cost_, settings_);
    EXPECT_FALSE(jobs_.isRunning());
    dialog = window_.findChild<QPrintPreviewDialog*>(QStringLiteral("printPreview"));
    ASSERT_TRUE(dialog);
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Anteprima - Sistema 1 (prime 100 pagine)"));
    preview = dialog->findChild<QPrintPreviewWidget*>();
    ASSERT_TRUE(preview);
    EXPECT_TRUE(waitUntil([&] { return preview->pageCount() == 100; }, 30000)) << preview->pageCount();
    dialog->close();
    settle();
    EXPECT_TRUE(messages().shown.empty());
}

// The print buttons, their other targets and the main window's menu, through a system window.
class PrintingFromTheWindow : public GuiTest {
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        ASSERT_TRUE(folder_.isValid());
        FileDialogs::setHandler([this](const FileDialogRequest&) {
            ++fileChoices_;
            return nextFile_;
        });
    }
    void TearDown() override
    {
        FileDialogs::setHandler({});
        GuiTest::TearDown();
    }
    QString pdf(const QString& name)
    {
        nextFile_ = QDir(folder_.path()).filePath(name + QStringLiteral(".pdf"));
        return nextFile_;
    }
    // Chooses a print target and waits for the print to end.
    void printAndWait(sestara::OrtogonaliSuper* w, QAction* target)
    {
        ASSERT_TRUE(target);
        target->trigger();
        ASSERT_TRUE(waitUntil([&] { return !w->isRunning(); }, 30000));
        settle();
    }
    static QAction* action(QWidget* root, const QString& name)
    {
        auto* a = root->findChild<QAction*>(name);
        if (!a)
            ADD_FAILURE() << "no action named " << name.toStdString();
        return a;
    }

    QTemporaryDir folder_;
    QString nextFile_;
    int fileChoices_ = 0;
};

TEST_F(PrintingFromTheWindow, ListingAndSlipsGoWhereTheUserAsks)
{
    sestara::OrtogonaliSuper* w = newSystem();
    clickNumbers(w, 1, 10);
    elaboraAndWait(w); // 210 columns: 5 listing pages, 42 slips

    // No printer here: a click on the button itself reaches the printer and fails.
    find<QPushButton>(w, "Command6")->click();
    EXPECT_EQ(messages().texts(), QStringList{"Errore di Stampa"});

    const QString listing = pdf(QStringLiteral("sviluppo"));
    printAndWait(w, action(w, "Command6_Pdf"));
    EXPECT_EQ(pdfInfo(listing, QStringLiteral("Pages")), "5");
    EXPECT_EQ(pdfPage(listing, 1).at(0), "Pagina: 1");
    EXPECT_EQ(pdfPage(listing, 1).at(2), "Nome Sistema : Sistema 1");

    // The slips loaded, slip 3 chosen: the PDF holds that one slip, numbered 3.
    messages().clear();
    messages().answers = {QMessageBox::Ok};
    find<QPushButton>(w, "Command5")->click();
    messages().clear();
    chooseItem(find<QComboBox>(w, "Combo6"), QStringLiteral("Scheda N° 3"));
    const QString one = pdf(QStringLiteral("scheda3"));
    printAndWait(w, action(w, "Command8_Pdf"));
    EXPECT_EQ(pdfInfo(one, QStringLiteral("Pages")), "1");
    EXPECT_EQ(pdfPage(one, 1), std::vector<std::string>{"3"});

    // "TUTTE" from the main window's menu: every slip and the summary page.
    chooseItem(find<QComboBox>(w, "Combo6"), QStringLiteral("TUTTE"));
    const QString all = pdf(QStringLiteral("tutte"));
    printAndWait(w, action(main_, "mnuPdfSchedine"));
    EXPECT_EQ(pdfInfo(all, QStringLiteral("Pages")), "43");
    EXPECT_EQ(pdfPage(all, 42), std::vector<std::string>{"42"});
    EXPECT_EQ(pdfPage(all, 43).at(1), "Sestara " + sestara::appinfo::publisherName().toStdString());
    EXPECT_TRUE(messages().shown.empty());
}

TEST_F(PrintingFromTheWindow, ALongExportRefusesOtherRunsAndStopsAtInterrompi)
{
    sestara::OrtogonaliSuper* w = newSystem();
    clickNumbers(w, 1, 20);
    elaboraAndWait(w); // 38,760 columns: 7,752 slips, some seconds of PDF
    messages().answers = {QMessageBox::Ok};
    find<QPushButton>(w, "Command5")->click();
    sestara::OrtogonaliSuper* other = newSystem();
    clickNumbers(other, 1, 10);
    messages().clear();

    const QString all = pdf(QStringLiteral("tutte"));
    action(w, "Command8_Pdf")->trigger();
    ASSERT_TRUE(w->isRunning());
    auto* tabs = find<QTabWidget>(w, "SSTab1");
    EXPECT_FALSE(tabs->isEnabled());
    // One run in the whole program: "Elabora" elsewhere is refused, so is a print to a file before
    // the file is asked for, and this window prints nothing more.
    EXPECT_EQ(fileChoices_, 1);
    QTest::mouseClick(find<QPushButton>(other, "Command4"), Qt::LeftButton);
    EXPECT_FALSE(other->isRunning());
    action(other, "Command8_Pdf")->trigger();
    const QString refusal = QString::fromUtf8(sestara::kMsgAltraElaborazione);
    EXPECT_EQ(messages().texts(), QStringList({refusal, refusal}));
    EXPECT_EQ(messages().shown[1].icon, MessageIcon::Exclamation);
    action(w, "Command6_Pdf")->trigger();
    EXPECT_EQ(messages().shown.size(), 2u);
    EXPECT_EQ(fileChoices_, 1);
    messages().clear();

    auto* loading = main_->findChild<sestara::Loading*>(QStringLiteral("Loading"));
    ASSERT_NE(loading, nullptr);
    QElapsedTimer clock;
    clock.start();
    QTest::mouseClick(find<QPushButton>(loading, "Command27"), Qt::LeftButton);
    ASSERT_TRUE(waitUntil([&] { return !w->isRunning(); }, 10000));
    EXPECT_LT(clock.elapsed(), 1000);
    settle();
    EXPECT_FALSE(QFile::exists(all));
    EXPECT_TRUE(messages().shown.empty());
    EXPECT_TRUE(tabs->isEnabled());
    EXPECT_FALSE(main_->runControl()->busy());

    // The slips stay loaded: slip 2 goes out, and the other window develops again.
    chooseItem(find<QComboBox>(w, "Combo6"), QStringLiteral("Scheda N° 2"));
    const QString one = pdf(QStringLiteral("scheda2"));
    printAndWait(w, action(w, "Command8_Pdf"));
    EXPECT_EQ(pdfPage(one, 1), std::vector<std::string>{"2"});
    elaboraAndWait(other);
    EXPECT_TRUE(messages().shown.empty());
    EXPECT_EQ(other->document().developed()->development->size(), 210u);
}
