#include "ComboBoxDelegate.h"

QSize ComboBoxDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
    QSize size = QItemDelegate::sizeHint(option, index);
    size.rheight() += 20;
    return size;
}
