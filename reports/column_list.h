#pragma once
// A list of rows under fixed column headings, as the windows "Lichtgrenze"
// and "Beobachtungsplaner" show their results.

#include <QRect>

#include <span>
#include <string>

class QAbstractItemModel;
class QTreeView;
class QTreeWidget;
class QTreeWidgetItem;
class QWidget;

/// One column: its heading, its width in pixels, and whether its texts
/// (figures) line up on the right.
struct ListColumn {
    const char* caption;
    int width;
    bool rightAligned;
};

/// A flat list (no tree lines) with whole rows selected one at a time and
/// fixed, unmovable columns, at `place` in `parent`.
QTreeWidget* PlaceColumnList(QWidget* parent, const char* name, const QRect& place,
                             std::span<const ListColumn> columns);

/// The same list as a view of `model`, which gives the headings: for long
/// lists whose texts are made only when shown.
QTreeView* PlaceColumnView(QWidget* parent, const char* name, const QRect& place, QAbstractItemModel* model,
                           std::span<const ListColumn> columns);

/// A row of UTF-8 texts, one per column, aligned as the columns say.
QTreeWidgetItem* ColumnListRow(std::span<const std::string> texts, std::span<const ListColumn> columns);
