#pragma once

#include "gui/common/printtarget.h"

#include <QWidget>

#include <array>

class QComboBox;
class QLabel;
class QListView;
class QListWidget;
class QPushButton;

namespace sestara {

class ListingModel;
class SystemDocument;
struct Settings;

// The "Sviluppo" tab: the listing of the developed system, its figures and costs, and the
// conditions it was developed with. It shows the document's developed system.
class SviluppoPage : public QWidget {
    Q_OBJECT
public:
    SviluppoPage(const SystemDocument& document, const Settings& settings, QWidget* parent = nullptr);

    // Before a run: everything back to zero and the conditions hidden.
    void clearForRun();
    void showInterrupted();
    // The document's developed system, the listing opened at its first line.
    void showDeveloped();

    // The cost of the developed system as shown.
    QString costText() const;

signals:
    void chiudiRequested();
    // "Stampa" pressed, or one of its other targets chosen.
    void stampaRequested(sestara::PrintTarget target);
    // A save wrote the developed system to a file; the name is the file's, without ".sup".
    void saved(const QString& fileName);
    // "Gioca Sistema" confirmed: the developed system is to be loaded as slips.
    void giocaSistemaRequested();
    // "Gioca Sistema" answered with Cancel.
    void giocaSistemaCancelled();
    // "Garanzie" pressed with a developed system that has columns.
    void garanzieRequested();

private:
    void groupClicked(int row);
    // "Garanzie" can be pressed only while a development with columns is shown.
    void enableGaranzie();
    // "Gioca Sistema": asks before the developed system is loaded as slips.
    void giocaSistema();
    // "Salva": the developed system written to a file the user chooses.
    void saveSystem();
    // Writes the developed system to the file at `path`, replacing it whole only when every byte
    // is written; false after telling the user why not.
    bool writeSystem(const QString& path);

    const SystemDocument& document_;
    const Settings& settings_;
    ListingModel* listing_ = nullptr;
    QListView* testo_ = nullptr;
    QLabel* type_ = nullptr;          // Label7
    QLabel* guarantee_ = nullptr;     // LabelGaranzia: the share of a design made to measure
    QLabel* prediction_ = nullptr;    // Label3
    QLabel* combinations_ = nullptr;  // Label13_0
    QLabel* columns_ = nullptr;       // Label2
    QLabel* fullCost_ = nullptr;      // Label14
    QLabel* cost_ = nullptr;          // Label10
    QLabel* saving_ = nullptr;        // Label15
    QLabel* percent_ = nullptr;       // Label8
    QLabel* slips_ = nullptr;         // Label17
    std::array<QComboBox*, 4> conditionLists_{}; // Combo3_0..3
    QListWidget* groups_ = nullptr;   // List4
    QPushButton* garanzie_ = nullptr;
};

} // namespace sestara
