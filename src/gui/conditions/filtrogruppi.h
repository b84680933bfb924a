#pragma once

#include "core/conditions/conditionset.h"
#include "gui/conditions/listpicker.h"

#include <vector>

class QComboBox;

namespace sestara {

// The dialog of the groups condition of one system window: composes groups of prediction numbers
// with a score range and keeps the list of defined groups until "OK".
class FiltroGruppi : public ListPicker {
    Q_OBJECT
public:
    explicit FiltroGruppi(QWidget* mainWindow);

    // The defined groups, shown as "Gruppo_1", "Gruppo_2", ...
    void setGroups(const std::vector<Group>& groups);
    std::vector<Group> groups() const;
    // The system window's number, added to the title.
    void setWindowNumber(int number);

protected:
    void chosenChanged() override;
    void clear() override;

private:
    // A defined group with the name the editor gave it: names are not renumbered when a group is
    // deleted, so two groups may share one.
    struct DefinedGroup {
        QString name;
        Group group;
    };

    void inserisciGruppo();
    void eliminaGruppo();
    void groupClicked(int row);
    void append(const DefinedGroup& defined);

    std::vector<DefinedGroup> defined_;
    QComboBox* combo1_ = nullptr; // Min
    QComboBox* combo2_ = nullptr; // Max
    QListWidget* list3_ = nullptr;
    // Each defined group's numbers, minimum and maximum, row by row with List3.
    QComboBox* gruppo1_[3] = {};
};

} // namespace sestara
