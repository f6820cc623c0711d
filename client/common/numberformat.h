#pragma once

// Decimal rounding and the display formats of amounts. Rounding works on the decimal value the
// user sees (15 significant digits), halves away from zero, and never depends on the locale.

#include <QLocale>
#include <QString>
#include <QStringView>

namespace vk {

// x rounded to the given number of decimal places; 1.005 → 1.01, -2.675 → -2.68.
double roundDecimal(double x, int places);

// Formats with a picture such as "#,###,##0.00" or "#,###,##.00": a ',' anywhere in the digits
// groups thousands, '0' is a digit always written, '#' one written only when needed. Grouping and
// decimal marks come from the locale. Text before or after the digits is kept.
QString formatFloat(QStringView pattern, double value, const QLocale& locale = QLocale());

} // namespace vk
