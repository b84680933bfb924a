#pragma once

#include <QWidget>

namespace sestara {

// A slip mark as it will look: a filled circle whose diameter is given in twips.
class MarkPreview : public QWidget {
    Q_OBJECT
public:
    explicit MarkPreview(QWidget* parent = nullptr);

    void setDiameterTwips(int twips);
    int diameterTwips() const { return twips_; }

    // Twips shown on one screen pixel.
    static constexpr double kTwipsPerPixel = 15.0;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int twips_ = 0;
};

} // namespace sestara
