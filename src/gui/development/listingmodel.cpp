#include "gui/development/listingmodel.h"

#include "core/development/development.h"

#include <limits>
#include <string>

namespace sestara {

ListingModel::ListingModel(QObject* parent)
    : QAbstractListModel(parent)
{
}

ListingModel::~ListingModel() = default;

void ListingModel::setDevelopment(std::shared_ptr<const Development> development)
{
    beginResetModel();
    development_ = std::move(development);
    endResetModel();
}

void ListingModel::clear()
{
    setDevelopment(nullptr);
}

int ListingModel::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid() || !development_)
        return 0;
    const std::size_t n = development_->size();
    return n > static_cast<std::size_t>(std::numeric_limits<int>::max()) ? std::numeric_limits<int>::max()
                                                                          : static_cast<int>(n);
}

QString ListingModel::lineAt(int row) const
{
    if (!development_ || row < 0 || static_cast<std::size_t>(row) >= development_->size())
        return QString();
    std::string line;
    appendListingLine(line, static_cast<std::size_t>(row) + 1, development_->data(static_cast<std::size_t>(row)));
    return QString::fromLatin1(line.data(), static_cast<qsizetype>(line.size()));
}

QVariant ListingModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid())
        return QVariant();
    return lineAt(index.row());
}

} // namespace sestara
