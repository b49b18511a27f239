#pragma once
// The alphabetical order of names in the program's lists: the German
// collation (umlauts beside their base letters), ignoring letter case;
// names that compare equal keep their order.

#include <QCollator>
#include <QHash>
#include <QStringList>

#include <vector>

/// Sorts `names` as a German reader expects them in a list.
void SortNamesAlphabetically(QStringList& names);

/// Sorts list after list in that order, keeping the sort key of every name
/// of the last list: a list sorted again after a few changes needs keys
/// for the changed names only. A key is what the collator makes of a name
/// once; comparing two keys gives the collator's own verdict on the names.
class AlphabeticalSorter {
public:
    AlphabeticalSorter();
    void Sort(QStringList& names);
    /// The positions of `names` in sorted order: the first is that of the
    /// name that comes first.
    std::vector<qsizetype> Order(const QStringList& names);

private:
    QCollator collator_;
    QHash<QString, QCollatorSortKey> keys_;
};
