#include "tests/support/catalogue_records.h"

std::string CatalogueRecord(const RecordLines& lines)
{
    std::string record;
    size_t start = 0;
    for (int i = 0; i < 4; ++i) {
        size_t blank = lines.frame.find(' ', start);
        record += lines.frame.substr(start, blank - start) + "\r\n";
        start = blank + 1;
    }
    for (const std::string* line : {&lines.name, &lines.latitude, &lines.longitude, &lines.height, &lines.description1,
                                    &lines.description2, &lines.description3, &lines.origin})
        record += *line + "\r\n";
    return record;
}
