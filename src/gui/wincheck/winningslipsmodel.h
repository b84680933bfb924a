#pragma once

#include "core/wincheck/wincheck.h"

#include <QAbstractListModel>

#include <vector>

namespace sestara {

// The winning-slip entries as rows of a list; each row's text is built when the view asks for it.
class WinningSlipsModel : public QAbstractListModel {
    Q_OBJECT
public:
    explicit WinningSlipsModel(QObject* parent = nullptr);

    void setEntries(std::vector<WinningEntry> entries);
    void clear();

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    std::vector<WinningEntry> entries_;
};

} // namespace sestara
