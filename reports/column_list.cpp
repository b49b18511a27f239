#include "reports/column_list.h"

#include "platform/form_widgets.h"

#include <QHeaderView>
#include <QTreeWidget>

namespace {

void ShapeColumnList(QTreeView* list, const char* name, const QRect& place)
{
    list->setObjectName(QString::fromLatin1(name));
    list->setFont(FormFont());
    list->setGeometry(place);
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setAllColumnsShowFocus(true);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->header()->setSectionsMovable(false);
    list->header()->setStretchLastSection(false);
}

void SetColumnWidths(QTreeView* list, std::span<const ListColumn> columns)
{
    for (int column = 0; column < static_cast<int>(columns.size()); ++column)
        list->setColumnWidth(column, columns[static_cast<std::size_t>(column)].width);
}

}  // namespace

QTreeWidget* PlaceColumnList(QWidget* parent, const char* name, const QRect& place, std::span<const ListColumn> columns)
{
    auto* list = new QTreeWidget(parent);
    ShapeColumnList(list, name, place);
    list->setColumnCount(static_cast<int>(columns.size()));
    auto* headings = new QTreeWidgetItem;
    for (int column = 0; column < static_cast<int>(columns.size()); ++column) {
        const ListColumn& design = columns[static_cast<std::size_t>(column)];
        headings->setText(column, QString::fromUtf8(design.caption));
        headings->setTextAlignment(column, design.rightAligned ? Qt::AlignRight : Qt::AlignLeft);
    }
    list->setHeaderItem(headings);
    SetColumnWidths(list, columns);
    return list;
}

QTreeView* PlaceColumnView(QWidget* parent, const char* name, const QRect& place, QAbstractItemModel* model,
                           std::span<const ListColumn> columns)
{
    auto* list = new QTreeView(parent);
    ShapeColumnList(list, name, place);
    list->setModel(model);
    SetColumnWidths(list, columns);
    return list;
}

QTreeWidgetItem* ColumnListRow(std::span<const std::string> texts, std::span<const ListColumn> columns)
{
    auto* row = new QTreeWidgetItem;
    for (int column = 0; column < static_cast<int>(texts.size()); ++column) {
        row->setText(column, QString::fromStdString(texts[static_cast<std::size_t>(column)]));
        if (columns[static_cast<std::size_t>(column)].rightAligned)
            row->setTextAlignment(column, Qt::AlignRight | Qt::AlignVCenter);
    }
    return row;
}
