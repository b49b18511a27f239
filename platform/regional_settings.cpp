#include "platform/regional_settings.h"

#include <QLocale>

char SystemDecimalSeparator()
{
    static const char separator = [] {
        QString point = QLocale::system().decimalPoint();
        // Only the two separators the number texts know; anything exotic
        // falls back to the point.
        return point == QStringLiteral(",") ? ',' : '.';
    }();
    return separator;
}
