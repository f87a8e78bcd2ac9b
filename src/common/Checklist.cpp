#include "common/Checklist.h"

#include <QListWidget>

QListWidget* CheckList(QWidget* parent, const char* name, const QString& caption) {
    auto* list = new QListWidget(parent);
    list->setObjectName(QLatin1String(name));
    QFont f(QStringLiteral("Courier New"));
    f.setStyleHint(QFont::TypeWriter);
    f.setPointSize(9);
    list->setFont(f);
    list->setAccessibleName(caption);
    list->setUniformItemSizes(true);
    return list;
}

void AddChecked(QListWidget* list, const QString& text, int number) {
    auto* item = new QListWidgetItem(text, list);
    item->setData(Qt::UserRole, number);
    // Tall enough for the accents of Polish capitals (Ś, Ż, Ł) above the box.
    const QFontMetrics fm(list->font());
    item->setSizeHint(QSize(fm.horizontalAdvance(text) + fm.height() * 2 + 8, fm.lineSpacing() + fm.leading() + 8));
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    item->setCheckState(Qt::Unchecked);
}

int RowRecord(const QListWidget* list, int row) {
    const QListWidgetItem* item = list->item(row);
    return item ? item->data(Qt::UserRole).toInt() : 0;
}
