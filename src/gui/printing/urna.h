#pragma once

#include <QGroupBox>

#include <array>

class QComboBox;
class QPushButton;

namespace sestara {

// The urn "URNA": ninety number buttons in nine rows of ten, the panel that receives the numbers
// ("Combo4"), "Reset" and "Cancel". A number pressed while not highlighted turns yellow and is
// picked; pressed again it turns light grey and is left alone. "Reset" brings every button back
// to the button face.
class Urna : public QGroupBox {
    Q_OBJECT
public:
    explicit Urna(QWidget* parent = nullptr);

    // The selected panel, 0 for "Primo Pannello" to 4 for "Quinto Pannello".
    int panel() const;
    // Selects a panel as the program does; true when the selection changed.
    bool setPanel(int panel);
    bool highlighted(int number) const { return highlighted_[static_cast<std::size_t>(number - 1)]; }
    // "Reset": no button highlighted, every button back to the button face.
    void reset();

signals:
    // A number (1..90) was picked for the selected panel.
    void numberPicked(int number);
    // The user chose a panel in the list.
    void panelChosen(int panel);
    void cancelRequested();

private:
    void pressed(int index);
    void paint(int index, const QColor& color);

    std::array<QPushButton*, 90> buttons_{};
    std::array<bool, 90> highlighted_{};
    QComboBox* panels_ = nullptr;
};

} // namespace sestara
