#include "tests/gui/guitest.h"

#include "core/development/development.h"
#include "core/printing/slipgeometry.h"
#include "core/settings/settings.h"
#include "gui/printing/schedinapage.h"
#include "gui/printing/slippicture.h"

#include <QCheckBox>
#include <QGroupBox>

#include <cstdlib>
#include <memory>

using namespace guitest;
using sestara::MarkList;
using sestara::SchedinaPage;
using sestara::SlipPicture;

namespace {

const QColor kYellow(255, 255, 0);

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
    QPushButton* urn(int number) { return find<QPushButton>(&page, QStringLiteral("Command9_%1").arg(number - 1)); }
    void pressNumber(int number) { QTest::mouseClick(urn(number), Qt::LeftButton); }
    QColor face(int number) { return urn(number)->palette().color(QPalette::Button); }
    static QColor buttonFace() { return QApplication::palette().color(QPalette::Button); }
    void expectMarkAt(int i, int number, int panel)
    {
        const sestara::SlipPoint expected = *sestara::numberPosition(number, panel);
        EXPECT_DOUBLE_EQ(page.marks().at(i).x, expected.x) << "mark " << i;
        EXPECT_DOUBLE_EQ(page.marks().at(i).y, expected.y) << "mark " << i;
    }

    sestara::Settings settings;
    SchedinaPage page{settings};
};

TEST_F(SchedinaPageTest, TheUrnAClickAndTheSlipsMarkTheSlip)
{
    pressNumber(1);
    EXPECT_EQ(face(1), kYellow);
    pressNumber(1);
    EXPECT_EQ(face(1), QColor(192, 192, 192));
    EXPECT_EQ(page.marks().count(), 1); // the dot stays
    pressNumber(1);
    EXPECT_EQ(face(1), kYellow);
    ASSERT_EQ(page.marks().count(), 2);
    expectMarkAt(1, 1, 0);

    // Before any slips are loaded a panel change keeps the highlighting.
    chooseItem(combo("Combo4"), "Terzo Pannello");
    EXPECT_EQ(face(1), kYellow);
    pressNumber(90);
    ASSERT_EQ(page.marks().count(), 3);
    expectMarkAt(2, 90, 2);
    press(&page, "Command11");
    EXPECT_EQ(face(1), buttonFace());
    EXPECT_EQ(page.marks().count(), 3);

    // A click marks the point under the pointer inside the slip, and nothing in the margin around it.
    auto* picture = find<SlipPicture>(&page, "Picture1");
    const QPoint pixel = picture->toWidget(*sestara::numberPosition(45, 1)).toPoint();
    QTest::mouseClick(picture, Qt::LeftButton, Qt::NoModifier, pixel);
    QTest::mouseClick(picture, Qt::LeftButton, Qt::NoModifier, QPoint(1, 1));
    ASSERT_EQ(page.marks().count(), 4);
    const sestara::SlipPoint clicked = picture->toSlip(pixel);
    EXPECT_DOUBLE_EQ(page.marks().at(3).x, clicked.x);
    EXPECT_DOUBLE_EQ(page.marks().at(3).y, clicked.y);
    const double pixelCm = sestara::kSlipWidthCm / picture->slipRect().width();
    EXPECT_NEAR(clicked.x, sestara::numberPosition(45, 1)->x, pixelCm);
    EXPECT_NEAR(clicked.y, sestara::numberPosition(45, 1)->y, pixelCm);

    pressNumber(45);
    press(&page, "Command7");
    EXPECT_EQ(page.marks().count(), 0);
    EXPECT_EQ(face(45), buttonFace());
    // After "Cancel" a number is picked again at the first press.
    pressNumber(45);
    EXPECT_EQ(page.marks().count(), 1);

    // Slips of five columns: loading them wipes the marks and the highlighting.
    EXPECT_FALSE(page.selezioneAttiva());
    auto development = std::make_shared<sestara::Development>();
    for (int k = 0; k < 12; ++k)
        development->append(sestara::Column{1, 2, 3, 4, 5, static_cast<std::uint8_t>(7 + k)});
    page.loadSlips(development);
    const QStringList slips = {"Scheda N° 1", "Scheda N° 2", "Scheda N° 3"};
    EXPECT_EQ(items(combo("Combo6")), QStringList({"TUTTE"}) + slips);
    EXPECT_EQ(items(combo("Combo7_1")), slips);
    EXPECT_EQ(page.marks().count(), 0);
    EXPECT_EQ(face(45), buttonFace());
    EXPECT_TRUE(page.selezioneAttiva());

    // With slips loaded, a panel change clears the highlighting.
    pressNumber(30);
    chooseItem(combo("Combo4"), "Quarto Pannello");
    EXPECT_EQ(face(30), buttonFace());
    ASSERT_EQ(page.marks().count(), 1);

    chooseItem(combo("Combo6"), "Scheda N° 3");
    EXPECT_EQ(page.selectedSlip(), 3);
    ASSERT_EQ(page.marks().count(), 12);
    expectMarkAt(11, 18, 1); // the twelfth column in the second panel
    EXPECT_EQ(combo("Combo4")->currentText(), "Secondo Pannello");
    chooseItem(combo("Combo6"), "TUTTE");
    EXPECT_EQ(page.marks().count(), 12);

    // No slip is previewed while the choice is inactive, nor once slip mode has ended.
    page.setSelezioneAttiva(false);
    chooseItem(combo("Combo6"), "Scheda N° 1");
    EXPECT_EQ(page.marks().count(), 12);
    page.setSelezioneAttiva(true);
    page.endSlipMode();
    page.selectSlip(1);
    EXPECT_EQ(page.marks().count(), 12);

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
            SCOPED_TRACE(std::to_string(size.width()) + " at " + std::to_string(ratio));
            QImage image(size * ratio, QImage::Format_RGB32);
            image.setDevicePixelRatio(ratio);
            image.fill(Qt::white);
            picture.render(&image);
            const auto [dot, dark] = darkPixels(image, 40);
            ASSERT_GT(dark, 0);
            const QPoint centre(int(dot.x()), int(dot.y())); // the pixel it falls in
            const QPointF expected = picture.toWidget(*sestara::numberPosition(52, 2)) * ratio;
            EXPECT_NEAR(centre.x(), expected.x(), 1.0);
            EXPECT_NEAR(centre.y(), expected.y(), 1.0);
            // Walking out from the dot's centre meets the box's red border as far on each side.
            const auto border = [&](int dx, int dy) {
                QPoint p = centre;
                for (int steps = 0; steps < 200; ++steps, p += QPoint(dx, dy))
                    if (image.pixelColor(p).red() - image.pixelColor(p).green() > 40)
                        return steps;
                return -1;
            };
            const int left = border(-1, 0), right = border(1, 0), up = border(0, -1), down = border(0, 1);
            ASSERT_GT(left, 0);
            ASSERT_GT(up, 0);
            EXPECT_LE(std::abs(left - right), 1);
            EXPECT_LE(std::abs(up - down), 1);
            // The box lies within the number's column and row pitch.
            const double pixelsPerCm = picture.slipRect().width() / sestara::kSlipWidthCm * ratio;
            EXPECT_LT(left + right, 0.497 * pixelsPerCm);
            EXPECT_LT(up + down, 0.297 * pixelsPerCm);
        }
    }
}

TEST_F(GuiTest, GiocaSistemaLoadsTheDevelopmentAsSlips)
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
    tabs->setCurrentWidget(page);
    EXPECT_FALSE(frame38->isVisible()); // until the slips are loaded
    tabs->setCurrentIndex(0);
    press(w, "Command5");
    EXPECT_EQ(messages().texts(), QStringList{"Elaborare Sistema"});

    develop(w, 1, 10);
    messages().clear();
    messages().answers = {QMessageBox::Cancel};
    press(w, "Command5");
    EXPECT_EQ(messages().shown.size(), 1u);
    EXPECT_TRUE(messages().texts().value(0).endsWith("\nPer Annullare richiamare la coda di stampa del sistema"));
    EXPECT_EQ(combo6->count(), 0);

    QString statusWhenShown;
    QObject::connect(tabs, &QTabWidget::currentChanged, w, [&] { statusWhenShown = text(w, "Label16"); });
    intervallo->setChecked(true);
    press(w, "Command5");
    EXPECT_EQ(statusWhenShown, "Attendere: caricamento delle schedine");
    EXPECT_EQ(tabs->currentWidget(), page);
    EXPECT_EQ(text(w, "Label16"), "Sistema pronto per la stampa");
    EXPECT_TRUE(frame38->isVisible());
    EXPECT_EQ(combo6->count(), 43);
    EXPECT_EQ(from->currentText(), "Scheda N° 1");
    EXPECT_FALSE(intervallo->isChecked());
    EXPECT_TRUE(page->schedineCaricate());

    QTest::mouseClick(intervallo, Qt::LeftButton, Qt::NoModifier, QPoint(5, intervallo->height() / 2));
    EXPECT_TRUE(from->isEnabled());
    EXPECT_TRUE(to->isEnabled());
    chooseItem(to, "Scheda N° 2");
    EXPECT_EQ(page->rangeTo(), 1);
    // No printer here: the range fails and the slips are no longer loaded.
    press(w, "Command8");
    EXPECT_FALSE(page->schedineCaricate());
    loadSlips(w);
    ASSERT_TRUE(page->schedineCaricate());
    chooseItem(combo6, "Scheda N° 42");
    EXPECT_EQ(page->marks().count(), 30); // columns 206 to 210 in the five panels
    intervallo->setChecked(true);

    // A new development ends slip mode.
    develop(w, 11, 11);
    EXPECT_EQ(combo6->count(), 0);
    EXPECT_EQ(from->count(), 0);
    EXPECT_FALSE(from->isEnabled());
    EXPECT_FALSE(to->isEnabled());
    EXPECT_FALSE(frame38->isVisibleTo(page));
    EXPECT_EQ(page->marks().count(), 0);
    EXPECT_EQ(text(w, "Label16"), "");
    EXPECT_FALSE(page->schedineCaricate());
}

} // namespace
