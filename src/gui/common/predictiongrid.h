#pragma once

#include <QTableWidget>

namespace sestara {

// The number grid: row 0 and column 0 are headers ("»" in column 0), the cell in row r and
// column c holds 10 * (r - 1) + c. Free numbers are white; the prediction paints selected ones
// green, and a grid for other uses paints its numbers in colours of its own.
class PredictionGrid : public QTableWidget {
    Q_OBJECT
public:
    explicit PredictionGrid(QWidget* parent = nullptr);

    static constexpr int kRows = 10;
    static constexpr int kColumns = 11;

    static int numberAt(int row, int column); // 0 for header cells
    static int rowOf(int number);
    static int columnOf(int number);

    void setNumberSelected(int number, bool selected);
    bool isNumberGreen(int number) const;
    void setNumberColour(int number, const QColor& colour);
    QColor numberColour(int number) const; // invalid outside 1..90
    void clearNumbers();

    static QColor freeColour();
    static QColor selectedColour();

protected:
    void resizeEvent(QResizeEvent* event) override;
};

} // namespace sestara
