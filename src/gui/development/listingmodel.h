#pragma once

#include <QAbstractListModel>

#include <memory>

namespace sestara {

class Development;

// The development listing as rows of a list: row k shows the listing line of column k + 1, built
// only when the view asks for it.
class ListingModel : public QAbstractListModel {
    Q_OBJECT
public:
    explicit ListingModel(QObject* parent = nullptr);
    ~ListingModel() override;

    void setDevelopment(std::shared_ptr<const Development> development);
    void clear();
    const Development* development() const { return development_.get(); }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    QString lineAt(int row) const;

private:
    std::shared_ptr<const Development> development_;
};

} // namespace sestara
