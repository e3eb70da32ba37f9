// What the window tests of the remedy database do with lists as a user
// would, and the pictures they leave when QV_REMEDY_SCREENSHOTS names a
// folder.
#pragma once

#include <QListWidget>
#include <QStringList>
#include <QTest>
#include <QWidget>

namespace qv::test {

// Clicks entry `row` of a list.
inline void clickEntry(QListWidget* list, int row) {
    list->scrollToItem(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
}

// The row showing `text`, or −1.
inline int listRow(QListWidget* list, const QString& text) {
    for (int i = 0; i < list->count(); ++i)
        if (list->item(i)->text() == text) return i;
    return -1;
}

inline QStringList listed(QListWidget* list) {
    QStringList out;
    for (int i = 0; i < list->count(); ++i) out << list->item(i)->text();
    return out;
}

// Saves a picture of the window as NAME.png in the folder QV_REMEDY_SCREENSHOTS names.
inline void picture(QWidget* window, const char* name) {
    const QByteArray dir = qgetenv("QV_REMEDY_SCREENSHOTS");
    if (!dir.isEmpty()) window->grab().save(QString("%1/%2.png").arg(QString::fromLocal8Bit(dir), name));
}

} // namespace qv::test
