#include "common/numberformat.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>

namespace vk {

double roundDecimal(double x, int places) {
    if (!std::isfinite(x) || x == 0.0)
        return x == 0.0 ? 0.0 : x;

    // 15 significant digits: d.dddddddddddddde±X
    char buf[40];
    const auto res =
        std::to_chars(buf, buf + sizeof buf, std::fabs(x), std::chars_format::scientific, 14);
    const char* e = std::find(buf, res.ptr, 'e');
    const int exponent = std::atoi(e + 1);
    char digits[15];
    digits[0] = buf[0];
    std::copy(buf + 2, buf + 16, digits + 1);

    // Digit k weighs 10^(exponent - k); keep those down to 10^-places.
    const int keep = exponent + places + 1;
    if (keep >= 15)
        return x;
    long long n = 0;
    for (int k = 0; k < keep; ++k)
        n = n * 10 + (digits[k] - '0');
    if (keep >= 0 && digits[keep] >= '5')
        ++n;
    if (n == 0)
        return 0.0;

    // n · 10^-places, read back as the nearest double
    std::string text = std::to_string(n) + 'e' + std::to_string(-places);
    double rounded = 0.0;
    std::from_chars(text.data(), text.data() + text.size(), rounded);
    return x < 0 ? -rounded : rounded;
}

namespace {

struct Picture {
    QString prefix;
    QString suffix;
    bool grouping = false;
    int minInteger = 0;
    int minDecimals = 0;
    int maxDecimals = 0;
};

Picture parsePicture(QStringView pattern) {
    Picture pic;
    auto isDigitChar = [](QChar c) { return c == u'#' || c == u'0' || c == u',' || c == u'.'; };
    qsizetype begin = 0;
    while (begin < pattern.size() && !isDigitChar(pattern[begin]))
        ++begin;
    qsizetype end = begin;
    while (end < pattern.size() && isDigitChar(pattern[end]))
        ++end;
    pic.prefix = pattern.left(begin).toString();
    pic.suffix = pattern.mid(end).toString();
    bool afterPoint = false;
    for (qsizetype i = begin; i < end; ++i) {
        const QChar c = pattern[i];
        if (c == u'.') {
            afterPoint = true;
        } else if (c == u',') {
            pic.grouping = true;
        } else if (afterPoint) {
            ++pic.maxDecimals;
            if (c == u'0')
                pic.minDecimals = pic.maxDecimals;
        } else if (c == u'0') {
            ++pic.minInteger;
        }
    }
    return pic;
}

} // namespace

QString formatFloat(QStringView pattern, double value, const QLocale& locale) {
    if (!std::isfinite(value))
        return locale.toString(value);
    const Picture pic = parsePicture(pattern);
    const double rounded = roundDecimal(value, pic.maxDecimals);

    char buf[400];
    const auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(rounded),
                                   std::chars_format::fixed, pic.maxDecimals);
    const QString plain = QString::fromLatin1(buf, res.ptr - buf);
    const qsizetype point = plain.indexOf(u'.');
    QString integer = point < 0 ? plain : plain.left(point);
    QString fraction = point < 0 ? QString() : plain.mid(point + 1);
    while (fraction.size() > pic.minDecimals && fraction.endsWith(u'0'))
        fraction.chop(1);
    if (integer == u"0" && pic.minInteger == 0)
        integer.clear();
    while (integer.size() < pic.minInteger)
        integer.prepend(u'0');

    QString out = pic.prefix;
    if (rounded < 0)
        out += locale.negativeSign();
    if (pic.grouping && integer.size() > 3) {
        const QString sep = locale.groupSeparator();
        const qsizetype lead = integer.size() % 3;
        for (qsizetype i = 0; i < integer.size(); ++i) {
            if (i > 0 && (i - lead) % 3 == 0)
                out += sep;
            out += integer[i];
        }
    } else {
        out += integer;
    }
    if (!fraction.isEmpty())
        out += locale.decimalPoint() + fraction;
    out += pic.suffix;
    return out;
}

} // namespace vk
