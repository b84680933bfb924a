#include "tests/gui/guitest.h"

#include "core/development/development.h"
#include "core/printing/slipgeometry.h"
#include "core/settings/settings.h"
#include "gui/mainwindow/mdiform1.h"
#include "gui/printing/schedinapage.h"
#include "gui/printing/slippicture.h"
#include "gui/systemwindow/ortogonalisuper.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QImage>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include <cmath>
#include <memory>

using namespace guitest;
using sestara::Column;
using sestara::Development;
using sestara::MarkList;
using sestara::SchedinaPage;
using sestara::SlipPicture;
using sestara::SlipPoint;

namespace {

std::shared_ptr<const Development> columns(int count)
{
    auto development = std::make_shared<Development>();
    for (int k = 0; k < count; ++k)
        development->append(Column{1, 2, 3, 4, 5, static_cast<std::uint8_t>(7 + k)});
    return development;
}

QColor face(QWidget* root, int number)
{
    return find<QPushButton>(root, QStringLiteral("Command9_%1").arg(number - 1))->palette().color(QPalette::Button);
}

void pressNumber(QWidget* root, int number)
{
    press(root, QStringLiteral("Command9_%1").arg(number - 1));
}

void expectMarkAt(const MarkList& marks, int i, int number, int panel)
{
    const SlipPoint expected = *sestara::numberPosition(number, panel);
    EXPECT_DOUBLE_EQ(marks.at(i).x, expected.x) << "mark " << i;
    EXPECT_DOUBLE_EQ(marks.at(i).y, expected.y) << "mark " << i;
}

// A page on its own, shown, as a system window holds it.
class SchedinaPageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        page.resize(960, 620);
        page.show();
        settle();
    }
    QComboBox* combo(const char* name) { return find<QComboBox>(&page, name); }

    sestara::Settings settings;
    SchedinaPage page{settings};
};

TEST_F(SchedinaPageTest, TheUrnMarksTheSelectedPanelAndCancelWipes)
{
    const QColor buttonFace = QApplication::palette().color(QPalette::Button);
    pressNumber(&page, 1);
    EXPECT_EQ(face(&page, 1), QColor(255, 255, 0));
    ASSERT_EQ(page.marks().count(), 1);
    expectMarkAt(page.marks(), 0, 1, 0);
    pressNumber(&page, 1);
    EXPECT_EQ(face(&page, 1), QColor(192, 192, 192));
    EXPECT_EQ(page.marks().count(), 1); // the dot stays
    pressNumber(&page, 1);
    EXPECT_EQ(face(&page, 1), QColor(255, 255, 0));
    ASSERT_EQ(page.marks().count(), 2);
    expectMarkAt(page.marks(), 1, 1, 0);

    // Before any slips are loaded a panel change keeps the highlighting.
    chooseItem(combo("Combo4"), "Terzo Pannello");
    EXPECT_EQ(face(&page, 1), QColor(255, 255, 0));
    pressNumber(&page, 90);
    ASSERT_EQ(page.marks().count(), 3);
    EXPECT_DOUBLE_EQ(page.marks().at(2).x, 6.911);
    EXPECT_DOUBLE_EQ(page.marks().at(2).y, 8.322);

    press(&page, "Command11");
    EXPECT_EQ(face(&page, 1), buttonFace);
    EXPECT_EQ(face(&page, 90), buttonFace);
    EXPECT_EQ(page.marks().count(), 3);

    pressNumber(&page, 45);
    press(&page, "Command7");
    EXPECT_EQ(page.marks().count(), 0);
    EXPECT_EQ(face(&page, 45), buttonFace);
    // After "Reset" a number is picked again at the first press.
    pressNumber(&page, 45);
    EXPECT_EQ(page.marks().count(), 1);
}

TEST_F(SchedinaPageTest, AClickMarksThePointerInsideTheSlip)
{
    auto* picture = find<SlipPicture>(&page, "Picture1");
    const QPointF at = picture->toWidget(*sestara::numberPosition(45, 1));
    const QPoint pixel = at.toPoint();
    QTest::mouseClick(picture, Qt::LeftButton, Qt::NoModifier, pixel);
    ASSERT_EQ(page.marks().count(), 1);
    const SlipPoint clicked = picture->toSlip(pixel);
    EXPECT_DOUBLE_EQ(page.marks().at(0).x, clicked.x);
    EXPECT_DOUBLE_EQ(page.marks().at(0).y, clicked.y);
    const double pixelCm = 1.0 / (picture->slipRect().width() / sestara::kSlipWidthCm);
    EXPECT_NEAR(clicked.x, sestara::numberPosition(45, 1)->x, pixelCm);
    EXPECT_NEAR(clicked.y, sestara::numberPosition(45, 1)->y, pixelCm);

    // Outside the slip (the picture's margin around it) nothing is marked.
    QTest::mouseClick(picture, Qt::LeftButton, Qt::NoModifier, QPoint(1, 1));
    EXPECT_EQ(page.marks().count(), 1);
}

TEST_F(SchedinaPageTest, SlipsOfFiveColumnsAndTheirPreview)
{
    EXPECT_FALSE(page.selezioneAttiva());
    pressNumber(&page, 30);
    page.loadSlips(columns(12));
    const QStringList slips = {QStringLiteral("Scheda N° 1"), QStringLiteral("Scheda N° 2"), QStringLiteral("Scheda N° 3")};
    EXPECT_EQ(items(combo("Combo6")), QStringList({"TUTTE"}) + slips);
    EXPECT_EQ(items(combo("Combo7_0")), slips);
    EXPECT_EQ(items(combo("Combo7_1")), slips);
    EXPECT_EQ(page.marks().count(), 0);
    EXPECT_EQ(face(&page, 30), QApplication::palette().color(QPalette::Button));
    EXPECT_TRUE(page.schedineCaricate());
    EXPECT_TRUE(page.selezioneAttiva());

    // With slips loaded, a panel change clears the highlighting.
    pressNumber(&page, 30);
    chooseItem(combo("Combo4"), "Quarto Pannello");
    EXPECT_EQ(face(&page, 30), QApplication::palette().color(QPalette::Button));
    ASSERT_EQ(page.marks().count(), 1);
    expectMarkAt(page.marks(), 0, 30, 0);

    chooseItem(combo("Combo6"), QStringLiteral("Scheda N° 3"));
    EXPECT_EQ(page.selectedSlip(), 3);
    ASSERT_EQ(page.marks().count(), 12);
    expectMarkAt(page.marks(), 11, 18, 1); // the twelfth column in the second panel
    EXPECT_EQ(combo("Combo4")->currentText(), "Secondo Pannello");
    chooseItem(combo("Combo6"), "TUTTE");
    EXPECT_EQ(page.marks().count(), 12);

    // No slip is previewed while the choice is inactive, nor once slip mode has ended.
    page.setSelezioneAttiva(false);
    chooseItem(combo("Combo6"), QStringLiteral("Scheda N° 1"));
    EXPECT_EQ(page.marks().count(), 12);
    page.setSelezioneAttiva(true);
    page.endSlipMode();
    page.selectSlip(1);
    EXPECT_EQ(page.marks().count(), 12);
    EXPECT_EQ(items(combo("Combo6")).size(), 4);

    press(&page, "Command7");
    EXPECT_EQ(page.marks().count(), 0);
    EXPECT_EQ(page.selectedSlip(), 0);
}

// The dot of a mark is centred on its number's box, at any size and pixel density.
TEST(SlipPicture, TheDotLandsOnItsBox)
{
    const sestara::Settings settings;
    MarkList marks;
    marks.record(*sestara::numberPosition(52, 2));
    SlipPicture picture(marks, settings);
    for (const QSize size : {QSize(300, 461), QSize(520, 500)}) {
        picture.resize(size);
        for (const qreal ratio : {1.0, 2.0}) {
            QImage image(size * ratio, QImage::Format_RGB32);
            image.setDevicePixelRatio(ratio);
            image.fill(Qt::white);
            picture.render(&image);
            double sx = 0, sy = 0;
            int n = 0;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    if (qGray(image.pixel(x, y)) < 40) {
                        sx += x;
                        sy += y;
                        ++n;
                    }
            ASSERT_GT(n, 0);
            const QPoint centre(static_cast<int>(std::lround(sx / n)), static_cast<int>(std::lround(sy / n)));
            const QPointF expected = picture.toWidget(*sestara::numberPosition(52, 2)) * ratio;
            EXPECT_NEAR(centre.x(), expected.x(), 1.0);
            EXPECT_NEAR(centre.y(), expected.y(), 1.0);
            // Walking out from the dot's centre meets the box's red border as far on each side.
            const auto border = [&](int dx, int dy) {
                QPoint p = centre;
                for (int steps = 0; steps < 200; ++steps, p += QPoint(dx, dy)) {
                    const QColor c = image.pixelColor(p);
                    if (c.red() - c.green() > 40)
                        return steps;
                }
                return -1;
            };
            const int left = border(-1, 0), right = border(1, 0), up = border(0, -1), down = border(0, 1);
            ASSERT_GT(left, 0);
            ASSERT_GT(up, 0);
            EXPECT_LE(std::abs(left - right), 1) << size.width() << " at " << ratio;
            EXPECT_LE(std::abs(up - down), 1) << size.width() << " at " << ratio;
            // The box lies within the number's column and row pitch.
            const double pixelsPerCm = picture.slipRect().width() / sestara::kSlipWidthCm * ratio;
            EXPECT_LT(left + right, 0.497 * pixelsPerCm);
            EXPECT_LT(up + down, 0.297 * pixelsPerCm);
        }
    }
}

class SchedinaTest : public GuiTest {};

TEST_F(SchedinaTest, GiocaSistemaLoadsTheDevelopmentAsSlips)
{
    sestara::OrtogonaliSuper* w = newSystem();
    auto* page = w->findChild<SchedinaPage*>();
    ASSERT_NE(page, nullptr);
    auto* tabs = find<QTabWidget>(w, "SSTab1");
    auto* frame38 = find<QGroupBox>(w, "Frame38");
    auto* combo6 = find<QComboBox>(w, "Combo6");
    auto* from = find<QComboBox>(w, "Combo7_0");
    auto* to = find<QComboBox>(w, "Combo7_1");
    auto* intervallo = find<QCheckBox>(w, "Check1");

    press(w, "Command5");
    ASSERT_EQ(messages().shown.size(), 1u);
    EXPECT_EQ(messages().shown[0].text, "Elaborare Sistema");
    EXPECT_EQ(messages().shown[0].icon, sestara::MessageIcon::Exclamation);
    EXPECT_FALSE(frame38->isVisibleTo(w));
    EXPECT_EQ(combo6->count(), 0);

    clickNumbers(w, 1, 10);
    elaboraAndWait(w);
    messages().clear();
    messages().answers = {QMessageBox::Cancel};
    press(w, "Command5");
    ASSERT_EQ(messages().shown.size(), 1u);
    const sestara::MessageRequest question = messages().shown[0];
    EXPECT_EQ(question.text, QStringLiteral("Assicurarsi che le schedine siano inserite nel caricatore\n"
                                            "Premere il tasto   <Stampa>   per avviare   \n"
                                            "Tutto lo sviluppo del sistema sarà stampato automaticamente\n"
                                            "Per Annullare richiamare il processo di stampa di Windows"));
    EXPECT_EQ(question.icon, sestara::MessageIcon::None);
    EXPECT_EQ(question.buttons, QMessageBox::Ok | QMessageBox::Cancel);
    EXPECT_EQ(combo6->count(), 0);
    EXPECT_EQ(tabs->currentIndex(), 1);

    // Placed by hand before the loading, gone after it.
    page->showMarks([] {
        MarkList m;
        m.record({1, 1});
        return m;
    }());
    QString statusWhenShown;
    QObject::connect(tabs, &QTabWidget::currentChanged, w, [&] { statusWhenShown = text(w, "Label16"); });
    intervallo->setChecked(true);
    press(w, "Command5");
    EXPECT_EQ(statusWhenShown, "Attendere: caricamento delle schedine");
    EXPECT_EQ(tabs->currentWidget(), page);
    EXPECT_EQ(text(w, "Label16"), "Sistema pronto per la stampa");
    EXPECT_EQ(text(w, "Label17"), "42");
    EXPECT_TRUE(frame38->isVisible());
    EXPECT_EQ(combo6->count(), 43);
    EXPECT_EQ(combo6->currentText(), "TUTTE");
    EXPECT_EQ(from->currentText(), QStringLiteral("Scheda N° 1"));
    EXPECT_FALSE(intervallo->isChecked());
    EXPECT_FALSE(from->isEnabled());
    EXPECT_FALSE(to->isEnabled());
    EXPECT_EQ(page->marks().count(), 0);
    EXPECT_TRUE(page->schedineCaricate());

    QTest::mouseClick(intervallo, Qt::LeftButton, Qt::NoModifier, QPoint(5, intervallo->height() / 2));
    EXPECT_TRUE(from->isEnabled());
    EXPECT_TRUE(to->isEnabled());
    chooseItem(to, QStringLiteral("Scheda N° 2"));
    EXPECT_EQ(page->rangeTo(), 1);

    chooseItem(combo6, QStringLiteral("Scheda N° 42"));
    EXPECT_EQ(page->marks().count(), 30); // columns 206 to 210 in the five panels
    expectMarkAt(page->marks(), 29, 10, 4);
    // No printer here: the range fails, the slips are no longer loaded, the window stays.
    messages().clear();
    press(w, "Command8");
    EXPECT_EQ(messages().texts(),
              QStringList{"Problemi durante l'operazione di Stampa\nverificare impostazioni stampante"});
    EXPECT_FALSE(page->schedineCaricate());
    EXPECT_TRUE(w->isVisible());
    messages().answers = {QMessageBox::Ok};
    press(w, "Command5");
    ASSERT_TRUE(page->schedineCaricate());

    // A new development ends slip mode.
    tabs->setCurrentIndex(0);
    clickNumber(w, 11);
    elaboraAndWait(w);
    EXPECT_EQ(combo6->count(), 0);
    EXPECT_EQ(from->count(), 0);
    EXPECT_EQ(to->count(), 0);
    EXPECT_FALSE(from->isEnabled());
    EXPECT_FALSE(to->isEnabled());
    EXPECT_FALSE(frame38->isVisibleTo(w));
    EXPECT_EQ(page->marks().count(), 0);
    EXPECT_EQ(text(w, "Label16"), "");
    EXPECT_FALSE(page->schedineCaricate());
    EXPECT_EQ(text(w, "Label17"), "93");
}

} // namespace
