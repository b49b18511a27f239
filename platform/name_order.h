#pragma once
// The alphabetical order of names in the program's lists.

#include <QStringList>

/// Sorts `names` as a German reader expects them in a list: by the German
/// collation (umlauts beside their base letters), ignoring letter case;
/// names that compare equal keep their order.
void SortNamesAlphabetically(QStringList& names);
