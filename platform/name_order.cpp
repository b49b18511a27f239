#include "platform/name_order.h"

#include <QCollator>
#include <QLocale>

#include <algorithm>

void SortNamesAlphabetically(QStringList& names)
{
    QCollator collator(QLocale(QLocale::German, QLocale::Germany));
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(names.begin(), names.end(),
                     [&](const QString& a, const QString& b) { return collator.compare(a, b) < 0; });
}
