#include "platform/name_order.h"

#include <QLocale>

#include <algorithm>
#include <numeric>
#include <vector>

AlphabeticalSorter::AlphabeticalSorter() : collator_(QLocale(QLocale::German, QLocale::Germany))
{
    collator_.setCaseSensitivity(Qt::CaseInsensitive);
}

std::vector<qsizetype> AlphabeticalSorter::Order(const QStringList& names)
{
    // Each name's key is made once (or taken from the last sort); comparing
    // two keys compares bytes, where comparing two names would ask the
    // collation library again at every comparison.
    QHash<QString, QCollatorSortKey> keys;
    keys.reserve(names.size());
    std::vector<QCollatorSortKey> keyOf;  // shares each key's bytes
    keyOf.reserve(static_cast<std::size_t>(names.size()));
    for (const QString& name : names) {
        auto kept = keys.constFind(name);
        if (kept == keys.constEnd()) {
            auto earlier = keys_.constFind(name);
            kept = keys.insert(name, earlier != keys_.constEnd() ? *earlier : collator_.sortKey(name));
        }
        keyOf.push_back(*kept);
    }
    std::vector<qsizetype> order(keyOf.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](qsizetype a, qsizetype b) {
        return keyOf[static_cast<std::size_t>(a)].compare(keyOf[static_cast<std::size_t>(b)]) < 0;
    });
    keys_ = std::move(keys);
    return order;
}

void AlphabeticalSorter::Sort(QStringList& names)
{
    QStringList sorted;
    sorted.reserve(names.size());
    for (qsizetype i : Order(names)) sorted.append(names[i]);
    names = std::move(sorted);
}

void SortNamesAlphabetically(QStringList& names) { AlphabeticalSorter().Sort(names); }
