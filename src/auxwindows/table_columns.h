// How the report window's tables share their width.
#pragma once

#include <QHeaderView>
#include <QTableWidget>
#include <algorithm>

namespace gonilux::auxwindows {

// The columns share the table's width, none narrower than the widest header's text (the table
// scrolls when they do not fit).
inline void StretchColumns(QTableWidget* table) {
    QHeaderView* header = table->horizontalHeader();
    int widest = 0;
    for (int c = 0; c < table->columnCount(); ++c)
        widest = std::max(widest, header->sectionSizeHint(c));
    header->setMinimumSectionSize(widest);
    header->setSectionResizeMode(QHeaderView::Stretch);
}

} // namespace gonilux::auxwindows
