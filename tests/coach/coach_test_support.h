#pragma once

#include <QLabel>
#include <QTableWidget>
#include <QWidget>
#include <string>

#include "base/card.h"

namespace quillon::coach::testing {

// A child widget by object name, or a failed test.
template <typename W>
W* child(const QWidget& parent, const char* name) {
    W* w = parent.findChild<W*>(QString::fromLatin1(name));
    if (w == nullptr) {
        qFatal("no widget %s", name);
    }
    return w;
}

inline QString cell_text(const QTableWidget* table, int row, int column) {
    const QTableWidgetItem* item = table->item(row, column);
    return item != nullptr ? item->text() : QString();
}

}  // namespace quillon::coach::testing
