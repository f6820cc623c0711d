#include "common/countcaption.h"

TSonuc parseCountCaption(const QString& caption) {
    TSonuc r;
    const qsizetype eq = caption.indexOf(u'=');
    if (eq < 0) {
        r.baslik = caption.left(100);
        return r;
    }
    bool ok = false;
    const int n = caption.left(eq).trimmed().toInt(&ok);
    r.sayi = ok ? n : 0;
    r.baslik = caption.mid(eq + 1).left(100);
    return r;
}

QString countCaption(int count, const QString& title) {
    return QString::number(count) + u'=' + title;
}
