#pragma once

#include "conditions/conditionset.h"
#include "conditions/listpicker.h"

#include <vector>

class QComboBox;

namespace sestara {

// The dialog of the groups condition of one system window: composes groups of prediction numbers
// with a score range and keeps the defined groups until "OK".
class FiltroGruppi : public ListPicker {
    Q_OBJECT
public:
    explicit FiltroGruppi(QWidget* mainWindow);

    // The defined groups shown as "Gruppo_1", "Gruppo_2", ...
    void setGroups(const std::vector<Group>& groups);
    std::vector<Group> groups() const;
    // The system window's number, shown in the title.
    void setWindowNumber(int number);

protected:
    void chosenChanged() override;
    void clear() override;

private:
    void inserisciGruppo();
    void eliminaGruppo();
    void groupClicked(int row);
    void appendGroup(const QString& name, const QString& numbers, const QString& min, const QString& max);

    QComboBox* combo1_ = nullptr; // Min
    QComboBox* combo2_ = nullptr; // Max
    QListWidget* list3_ = nullptr;
    QComboBox* gruppo1_[3] = {}; // numbers, minimum, maximum of each defined group
};

} // namespace sestara
