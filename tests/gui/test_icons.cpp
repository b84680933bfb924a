// The tool bar icons: every key gives a drawing that shows, and greys out when disabled.
#include "gui/common/icons.h"

#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QStringList>

#include <gtest/gtest.h>

namespace {

bool fullyTransparent(const QImage& image)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) != 0)
                return false;
    return true;
}

// Hides the desktop's icon themes, so the program's own drawings are the ones shown.
class WithoutIconThemes : public ::testing::Test {
protected:
    void SetUp() override
    {
        savedPaths_ = QIcon::themeSearchPaths();
        savedTheme_ = QIcon::themeName();
        QIcon::setThemeSearchPaths({});
        QIcon::setThemeName(QStringLiteral("sestara-none"));
    }
    void TearDown() override
    {
        QIcon::setThemeSearchPaths(savedPaths_);
        QIcon::setThemeName(savedTheme_);
    }

private:
    QStringList savedPaths_;
    QString savedTheme_;
};

} // namespace

TEST_F(WithoutIconThemes, EveryToolbarKeyHasADrawingThatGreysOutWhenDisabled)
{
    for (const QString key : {"esci", "new", "archivio", "opzioni", "window"}) {
        SCOPED_TRACE(key.toStdString());
        const QIcon icon = sestara::toolbarIcon(key);
        ASSERT_FALSE(icon.isNull());
        const QImage normal = icon.pixmap(24, 24, QIcon::Normal).toImage().convertToFormat(QImage::Format_ARGB32);
        const QImage disabled =
            icon.pixmap(24, 24, QIcon::Disabled).toImage().convertToFormat(QImage::Format_ARGB32);
        ASSERT_EQ(normal.size(), QSize(24, 24));
        EXPECT_FALSE(fullyTransparent(normal));
        EXPECT_NE(normal, disabled);
    }
}

TEST_F(WithoutIconThemes, AnUnknownKeyHasNoIcon)
{
    EXPECT_TRUE(sestara::toolbarIcon(QStringLiteral("stampa")).isNull());
    EXPECT_TRUE(sestara::toolbarIcon(QString()).isNull());
}
