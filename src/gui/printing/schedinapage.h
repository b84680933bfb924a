#pragma once

#include "core/printing/slipgeometry.h"
#include "gui/common/printtarget.h"

#include <QWidget>

#include <memory>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;

namespace sestara {

class Development;
class SlipPicture;
class SlipsModel;
class Urna;
struct Settings;

// The "Schedina" tab: the slip picture with its marks, the urn for filling a slip by hand, and
// the development loaded as slips ("Gioca Sistema") with the choice of the slips to print.
// It keeps the window's slip state; printing reads it and drives the page through the
// operations below.
class SchedinaPage : public QWidget {
    Q_OBJECT
public:
    explicit SchedinaPage(const Settings& settings, QWidget* parent = nullptr);
    ~SchedinaPage() override;

    const MarkList& marks() const { return marks_; }
    // The development has been loaded as slips.
    bool schedineCaricate() const { return schedineCaricate_; }
    // Choosing a slip or a panel acts only while this holds.
    bool selezioneAttiva() const { return selezioneAttiva_; }
    // The loaded development and its number of slips.
    const std::shared_ptr<const Development>& development() const { return development_; }
    int slipCount() const { return slipCount_; }
    // The entry chosen in the slip list: 0 for "TUTTE", k for slip k.
    int selectedSlip() const;
    // "Intervallo" checked, and the range's entries: index i is slip i + 1.
    bool intervallo() const;
    int rangeFrom() const;
    int rangeTo() const;

    // Loads the development as slips: the lists filled, the slip and its urn wiped, the tab asked
    // for, "TUTTE" selected and the slip choice shown.
    void loadSlips(std::shared_ptr<const Development> development);
    // The development is no longer loaded as slips; the lists stay as they are.
    void endSlipMode();
    // A new development: the lists emptied, the range lists disabled, the slip choice hidden,
    // every mark gone and the status line emptied.
    void clearSlips();
    // Selects entry `index` of the slip list as the user would; a slip is then previewed when
    // the slips are loaded and the choice is active.
    void selectSlip(int index);
    void setSelezioneAttiva(bool active);
    // Replaces the marks and shows them.
    void showMarks(const MarkList& marks);
    void setStatus(const QString& text);
    // "Cancel": every mark gone, the urn back to the button face, "TUTTE" selected.
    void cancel();

signals:
    void chiudiRequested();
    // "Stampa " pressed, or one of its other targets chosen.
    void stampaRequested(sestara::PrintTarget target);
    // The page wants to be the tab shown.
    void showRequested();

private:
    void slipChosen(int index);
    // The marks of slip k alone, each column in its panel.
    void preview(int slip);
    void placeNumber(int number);
    void recordMark(SlipPoint point);
    // A panel chosen, by the user or by a slip preview: the urn highlighting goes while the
    // choice is active.
    void panelChosen();

    const Settings& settings_;
    MarkList marks_;
    std::shared_ptr<const Development> development_;
    int slipCount_ = 0;
    bool schedineCaricate_ = false;
    bool selezioneAttiva_ = false;

    SlipPicture* picture_ = nullptr;
    Urna* urna_ = nullptr;
    SlipsModel* slipsModel_ = nullptr;  // Combo6
    SlipsModel* rangeModel_ = nullptr;  // both Combo7 lists
    QGroupBox* selection_ = nullptr;    // Frame38
    QComboBox* slips_ = nullptr;        // Combo6
    QCheckBox* intervallo_ = nullptr;   // Check1
    QComboBox* rangeFrom_ = nullptr;    // Combo7_0
    QComboBox* rangeTo_ = nullptr;      // Combo7_1
    QLabel* status_ = nullptr;          // Label16
};

} // namespace sestara
