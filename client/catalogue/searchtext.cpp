#include "catalogue/searchtext.h"

QChar foldSearchChar(QChar c) {
    switch (c.unicode()) {
    case u'ğ': return u'g';
    case u'ü': return u'u';
    case u'ş': return u's';
    case u'ö': return u'o';
    case u'ç': return u'c';
    case u'Ğ': return u'G';
    case u'Ü': return u'U';
    case u'Ş': return u'S';
    case u'İ': return u'I';
    case u'Ö': return u'O';
    case u'Ç': return u'C';
    case u'ı': return u'I';
    default: return c;
    }
}

QString foldSearchText(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        const QChar f = foldSearchChar(c);
        // Capitals by the plain rule: the folded text has no Turkish letters left for i → İ.
        out.append(f.unicode() >= u'a' && f.unicode() <= u'z' ? QChar(f.unicode() - 32) : f.toUpper());
    }
    return out;
}

QString searchCodeKey(const QString& code) {
    const QString folded = foldSearchText(code);
    QString out;
    out.reserve(folded.size());
    for (QChar c : folded) {
        if (c.isLetterOrNumber())
            out.append(c);
    }
    return out;
}
