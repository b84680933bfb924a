#include "gui/printing/slipsmodel.h"

#include <QComboBox>
#include <QListView>
#include <QProxyStyle>

namespace sestara {

namespace {

// The application's style, but with the drop-down list under the combo box: the menu-like
// popup some styles use widens itself to its longest entry by measuring every entry.
class DropDownListStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override
    {
        if (hint == SH_ComboBox_Popup)
            return 0;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

} // namespace

SlipsModel::SlipsModel(bool withTutte, QObject* parent)
    : QAbstractListModel(parent)
    , withTutte_(withTutte)
{
}

void SlipsModel::setSlips(int slips)
{
    setRows(slips + (withTutte_ ? 1 : 0));
}

void SlipsModel::clear()
{
    setRows(0);
}

void SlipsModel::setRows(int rows)
{
    beginResetModel();
    rows_ = rows;
    endResetModel();
}

int SlipsModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : rows_;
}

QVariant SlipsModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rows_)
        return {};
    if (withTutte_ && index.row() == 0)
        return QStringLiteral("TUTTE");
    return QStringLiteral("Scheda N° ") + QString::number(index.row() + (withTutte_ ? 0 : 1));
}

void showLongList(QComboBox* combo, SlipsModel* model)
{
    auto* style = new DropDownListStyle;
    style->setParent(combo);
    combo->setStyle(style);
    combo->setModel(model);
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    combo->setMinimumContentsLength(14);
    if (auto* view = qobject_cast<QListView*>(combo->view()))
        view->setUniformItemSizes(true);
}

} // namespace sestara
