#include "tests/gui/guitest.h"

#include "core/development/development.h"
#include "core/development/run.h"
#include "core/settings/settings.h"
#include "gui/common/appinfo.h"
#include "gui/printing/printjobs.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinterInfo>
#include <QProcess>

#include <algorithm>
#include <optional>

using namespace guitest;
using sestara::DevelopedSystem;
using sestara::MarkList;
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

QString pages(const QString& file)
{
    return run("pdfinfo", {file}).section("Pages:", 1).section('\n', 0, 0).trimmed();
}

// The text of one page (from 1) as laid out, line by line, each run of blanks read as one: the
// blanks the layout keeps depend on the widths of the glyphs.
std::vector<std::string> pdfPage(const QString& file, int page)
{
    const QString n = QString::number(page);
    std::vector<std::string> lines;
    for (const QString& line : run("pdftotext", {"-layout", "-f", n, "-l", n, file, "-"}).split('\n'))
        if (!line.simplified().isEmpty())
            lines.push_back(line.simplified().toStdString());
    return lines;
}

// The slips loaded: one slip (0 for all), or the range of entries from `first` to `last`.
SlipSelection loaded(int slip = 0, int first = -1, int last = -1)
{
    return SlipSelection{true, first >= 0, slip, first, last};
}

// Prints straight through PrintJobs, or through a system window of the main window; the PDF file
// dialog answers with the file named last.
class Printing : public GuiTest {
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        ASSERT_TRUE(folder_.isValid());
        hand_.record({4.0, 4.0});
    }
    // The next PDF file chosen, without its suffix (the flow adds it).
    QString pdf(const QString& name)
    {
        fileDialogs().answer = QDir(folder_.path()).filePath(name);
        return fileDialogs().answer + ".pdf";
    }
    void listing(PrintTarget target, const DevelopedSystem* system)
    {
        jobs_.printListing(target, system, name_, cost_, settings_);
        ASSERT_TRUE(waitUntil([&] { return !jobs_.isRunning(); }, 30000));
    }
    SlipPrintOutcome slips(PrintTarget target, const SlipSelection& selection, const DevelopedSystem* system)
    {
        std::optional<SlipPrintOutcome> outcome;
        jobs_.printSlips(target, selection, system, name_, cost_, settings_, hand_,
                         [&outcome](const SlipPrintOutcome& o) { outcome = o; });
        EXPECT_TRUE(waitUntil([&] { return outcome.has_value(); }, 30000));
        return outcome.value_or(SlipPrintOutcome{});
    }
    void printAndWait(sestara::OrtogonaliSuper* w, QAction* target)
    {
        ASSERT_TRUE(target);
        target->trigger();
        waitForRun(w);
    }

    QTemporaryDir folder_;
    MarkList hand_;
    QWidget window_;
    sestara::PrintJobs jobs_{nullptr, &window_};
    sestara::Settings settings_;
    const QString name_ = QStringLiteral("Sistema 1");
    const QString cost_ = QStringLiteral("22,50   €");
};

} // namespace

TEST_F(Printing, PdfExportProposesTheCaptionAndReplacesAFileOnlyWhenTold)
{
    const DevelopedSystem system = developed(10);
    const QString file = pdf("esistente");
    QFile old(file);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("vecchio");
    old.close();
    messages().answers.push_back(QMessageBox::No);
    listing(PrintTarget::Pdf, &system);
    EXPECT_EQ(fileDialogs().names, QStringList({"Sistema 1.pdf"}));
    EXPECT_EQ(messages().texts(), QStringList({"Attenzione: Vuoi sovrascivere il file esistente.pdf ?"}));
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), "vecchio");
    old.close();

    messages().clear();
    messages().answers.push_back(QMessageBox::Yes);
    listing(PrintTarget::Pdf, &system);
    EXPECT_EQ(pages(file), "1");
    // The next export starts in the folder of this one.
    fileDialogs().answer.clear();
    listing(PrintTarget::Pdf, &system);
    EXPECT_EQ(fileDialogs().folders.last(), folder_.path());
}

TEST_F(Printing, PdfFilesOfTheListingTheSlipsARangeAndTheMarksAlone)
{
    const DevelopedSystem longer = developed(45);
    const QString listingFile = pdf("sviluppo");
    listing(PrintTarget::Pdf, &longer);
    EXPECT_EQ(pages(listingFile), "2");
    EXPECT_TRUE(run("pdfinfo", {listingFile}).contains("595 x 842 pts (A4)"));
    EXPECT_TRUE(run("pdffonts", {listingFile}).contains("Mono")); // a fixed-pitch font
    // The header's texts are the layout's (tested there); here its 8 lines reach every page.
    const std::vector<std::string> first = pdfPage(listingFile, 1);
    ASSERT_EQ(first.size(), 8u + 44u);
    EXPECT_EQ(first[8], "1 > 1-2-3-4-5-7");
    EXPECT_EQ(first.back(), "44 > 1-2-3-4-5-50");
    const std::vector<std::string> second = pdfPage(listingFile, 2);
    ASSERT_EQ(second.size(), 8u + 1u);
    EXPECT_EQ(second.back(), "45 > 1-2-3-4-5-51");

    // A header of twelve long groups leaves room for fewer lines, and the 55 numbers of a
    // prediction take two lines: on paper every column and every number is there, in order, and
    // nothing runs past the page.
    DevelopedSystem crowded = developed(100);
    crowded.pronostico.clear();
    for (int n = 1; n <= 55; ++n)
        crowded.pronostico.push_back(static_cast<std::uint8_t>(n));
    crowded.conditions.gruppiAttivi = true;
    crowded.conditions.gruppi.assign(12, {"-1-2-3-4-5-6-7-8-9-10-11-12-13-14-15-16-17-18-19-20", 0, 6});
    const QString crowdedFile = pdf("affollato");
    listing(PrintTarget::Pdf, &crowded);
    std::string numbers;
    std::vector<std::string> columns;
    const int crowdedPages = pages(crowdedFile).toInt();
    ASSERT_GE(crowdedPages, 3);
    for (int page = 1; page <= crowdedPages; ++page) {
        const std::vector<std::string> lines = pdfPage(crowdedFile, page);
        const auto at = std::find(lines.begin(), lines.end(), "Elementi:");
        ASSERT_NE(at, lines.end());
        numbers = *(at + 1) + " " + *(at + 2);
        for (const std::string& line : lines)
            if (line.find(" > ") != std::string::npos)
                columns.push_back(line.substr(0, line.find(' ')));
    }
    std::string expectedNumbers;
    for (int n = 1; n <= 55; ++n)
        expectedNumbers += std::to_string(n) + (n < 55 ? " " : "");
    EXPECT_EQ(numbers, expectedNumbers);
    ASSERT_EQ(columns.size(), 100u);
    for (std::size_t k = 0; k < columns.size(); ++k)
        EXPECT_EQ(columns[k], std::to_string(k + 1));

    // Every slip and the summary page; a PDF file leaves the marks as they were.
    const DevelopedSystem system = developed(12);
    const QString allFile = pdf("tutte");
    const SlipPrintOutcome outcome = slips(PrintTarget::Pdf, loaded(), &system);
    EXPECT_TRUE(outcome.printed);
    EXPECT_FALSE(outcome.endSlipMode);
    EXPECT_EQ(outcome.marks.count(), 1);
    EXPECT_EQ(pages(allFile), "4");

    const QString rangeFile = pdf("intervallo");
    slips(PrintTarget::Pdf, loaded(0, 1, 1), &system);
    EXPECT_EQ(pages(rangeFile), "1");
    EXPECT_EQ(pdfPage(rangeFile, 1), std::vector<std::string>{"2"});

    const QString aloneFile = pdf("segni");
    EXPECT_TRUE(slips(PrintTarget::Pdf, SlipSelection{}, nullptr).printed);
    EXPECT_EQ(pages(aloneFile), "1");
    EXPECT_TRUE(pdfPage(aloneFile, 1).empty());
    // The mark sits at its place offset by the margins, from the paper's corner: 4.35 cm across,
    // 4.3 cm down, 48 dots of 1/600 inch wide.
    const QString picture = QDir(folder_.path()).filePath("segni");
    run("pdftoppm", {"-r", "100", "-gray", "-singlefile", aloneFile, picture});
    const QImage image(picture + ".pgm");
    ASSERT_FALSE(image.isNull());
    const auto [centre, dark] = darkPixels(image, 128);
    EXPECT_NEAR(centre.x(), 4.35 / 2.54 * 100, 1.0);
    EXPECT_NEAR(centre.y(), 4.3 / 2.54 * 100, 1.0);
    EXPECT_NEAR(dark, 3.14159 * 4 * 4, 12); // a disc 8 pixels across

    fileDialogs().answer.clear(); // the user cancels the file choice
    EXPECT_FALSE(slips(PrintTarget::Pdf, loaded(), &system).printed);
    EXPECT_TRUE(messages().shown.empty());
}

TEST_F(Printing, RefusalsAndPrinterFailuresShowTheirMessages)
{
    ASSERT_TRUE(QPrinterInfo::defaultPrinter().isNull()) << "the tests must not reach a real printer";
    const DevelopedSystem system = developed(12);
    const DevelopedSystem empty = developed(0);
    listing(PrintTarget::Printer, &empty);
    listing(PrintTarget::Printer, &system);
    EXPECT_FALSE(slips(PrintTarget::Printer, loaded(0, 2, 1), &system).endSlipMode);
    const SlipPrintOutcome all = slips(PrintTarget::Printer, loaded(), &system);
    const SlipPrintOutcome oneOutcome = slips(PrintTarget::Printer, loaded(3), &system);
    const SlipPrintOutcome alone = slips(PrintTarget::Printer, SlipSelection{}, nullptr);

    const QString failure = "Problemi durante l'operazione di Stampa";
    const QString slipFailure = failure + "\nverificare impostazioni stampante";
    EXPECT_EQ(messages().texts(), QStringList({"Elaborare Sistema", "Errore di Stampa",
                                               "Cambiare l'intervallo di stampa", slipFailure, slipFailure, failure}));
    EXPECT_TRUE(all.endSlipMode);
    EXPECT_TRUE(oneOutcome.endSlipMode);
    EXPECT_FALSE(alone.endSlipMode);
    EXPECT_EQ(all.marks.count(), 1);
    EXPECT_FALSE(all.printed || oneOutcome.printed || alone.printed);

    // A PDF file that cannot be written fails as the printer does.
    messages().clear();
    pdf("mancante/sviluppo");
    listing(PrintTarget::Pdf, &system);
    EXPECT_TRUE(slips(PrintTarget::Pdf, loaded(), &system).endSlipMode);
    EXPECT_EQ(messages().texts(), QStringList({"Errore di Stampa", slipFailure}));
}

TEST_F(Printing, PreviewShowsEveryPageUpToItsBound)
{
    const DevelopedSystem system = developed(12);
    window_.show();
    EXPECT_TRUE(slips(PrintTarget::Preview, loaded(), &system).printed);
    // A listing of 103 pages: the first 100 drawn, at once and without a run.
    const DevelopedSystem big = developed(44 + 46 * 102);
    jobs_.printListing(PrintTarget::Preview, &big, name_, cost_, settings_);
    EXPECT_FALSE(jobs_.isRunning());

    const QList<QPrintPreviewDialog*> dialogs = window_.findChildren<QPrintPreviewDialog*>("printPreview");
    ASSERT_EQ(dialogs.size(), 2);
    EXPECT_EQ(dialogs[0]->windowTitle(), "Anteprima - Sistema 1");
    EXPECT_EQ(dialogs[1]->windowTitle(), "Anteprima - Sistema 1 (prime 100 pagine)");
    const int expected[] = {4, 100};
    for (int k = 0; k < 2; ++k) {
        auto* preview = dialogs[k]->findChild<QPrintPreviewWidget*>();
        ASSERT_TRUE(preview);
        EXPECT_TRUE(waitUntil([&] { return preview->pageCount() == expected[k]; }, 30000)) << preview->pageCount();
        dialogs[k]->close();
    }
    settle();
    EXPECT_FALSE(window_.findChild<QPrintPreviewDialog*>());
    EXPECT_TRUE(messages().shown.empty());
}

// One window's prints go where the user asks; while another's long export runs nothing else
// starts, and "Interrompi" stops it.
TEST_F(Printing, FromTheWindowsButtonsAndMenuOneRunAtATime)
{
    sestara::OrtogonaliSuper* small = newSystem();
    develop(small, 1, 10); // 210 columns: 5 listing pages, 42 slips
    // No printer here: a click on the button itself reaches the printer and fails.
    find<QPushButton>(small, "Command6")->click();
    EXPECT_EQ(messages().texts(), QStringList{"Errore di Stampa"});
    messages().clear();

    const QString listingFile = pdf("sviluppo");
    printAndWait(small, find<QAction>(small, "Command6_Pdf"));
    EXPECT_EQ(pdfPage(listingFile, 1).at(2), "Nome Sistema : Sistema 1");

    // "TUTTE" from the main window's menu: every slip and the summary page.
    loadSlips(small);
    const QString all = pdf("tutte");
    printAndWait(small, find<QAction>(main_, "mnuPdfSchedine"));
    EXPECT_EQ(pages(all), "43");
    EXPECT_EQ(pdfPage(all, 43).at(1), "Sestara " + sestara::appinfo::publisherName().toStdString());

    sestara::OrtogonaliSuper* w = newSystem();
    develop(w, 1, 20); // 38,760 columns: 7,752 slips, some seconds of PDF
    loadSlips(w);
    const QString big = pdf("grande");
    find<QAction>(w, "Command8_Pdf")->trigger();
    ASSERT_TRUE(w->isRunning());
    auto* tabs = find<QTabWidget>(w, "SSTab1");
    EXPECT_FALSE(tabs->isEnabled());
    // Another window's print to a file is refused before the file is asked for, and this window
    // prints nothing more.
    find<QAction>(small, "Command8_Pdf")->trigger();
    EXPECT_EQ(messages().texts(), QStringList({QString::fromUtf8(sestara::kMsgAltraElaborazione)}));
    find<QAction>(w, "Command6_Pdf")->trigger();
    EXPECT_EQ(messages().shown.size(), 1u);
    EXPECT_EQ(fileDialogs().folders.size(), 3u);
    messages().clear();

    ASSERT_NE(loading(), nullptr);
    QElapsedTimer clock;
    clock.start();
    press(loading(), "Command27");
    ASSERT_TRUE(waitUntil([&] { return !w->isRunning(); }, 10000));
    EXPECT_LT(clock.elapsed(), 1000);
    settle();
    EXPECT_FALSE(QFile::exists(big));
    EXPECT_TRUE(tabs->isEnabled());
    EXPECT_FALSE(main_->runControl()->busy());

    // The slips stay loaded: slip 2 goes out.
    chooseItem(find<QComboBox>(w, "Combo6"), "Scheda N° 2");
    const QString one = pdf("scheda2");
    printAndWait(w, find<QAction>(w, "Command8_Pdf"));
    EXPECT_EQ(pdfPage(one, 1), std::vector<std::string>{"2"});
    EXPECT_TRUE(messages().shown.empty());
}
