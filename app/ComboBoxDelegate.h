// Makes the rows of combo-box lists taller.
#pragma once

#include <QItemDelegate>

class ComboBoxDelegate : public QItemDelegate {
    Q_OBJECT
public:
    using QItemDelegate::QItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};
