#include "login/inifile.h"

#include "common/errors.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>

namespace vk {

QString decodeWindows1254(const QByteArray& bytes) {
    // 0x80-0x9F as Windows maps them (undefined codes stay as the C1 controls), then Latin-1
    // but for the six Turkish letters.
    static const char16_t high[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x008E, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x009E, 0x0178};
    QString out;
    out.reserve(bytes.size());
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        char16_t u = b;
        if (b >= 0x80 && b < 0xA0)
            u = high[b - 0x80];
        else if (b == 0xD0)
            u = 0x011E;
        else if (b == 0xDD)
            u = 0x0130;
        else if (b == 0xDE)
            u = 0x015E;
        else if (b == 0xF0)
            u = 0x011F;
        else if (b == 0xFD)
            u = 0x0131;
        else if (b == 0xFE)
            u = 0x015F;
        out.append(QChar(u));
    }
    return out;
}

QString decodeSettingsText(const QByteArray& bytes) {
    QByteArray body = bytes;
    if (body.startsWith("\xEF\xBB\xBF"))
        body.remove(0, 3);
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8.decode(body);
    return utf8.hasError() ? decodeWindows1254(body) : text;
}

IniFile IniFile::parse(const QString& text) {
    IniFile ini;
    Section* current = nullptr;
    for (QString line : text.split(u'\n')) {
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith(u';') || line.startsWith(u'#'))
            continue;
        if (line.startsWith(u'[') && line.endsWith(u']')) {
            ini.m_sections.append(Section{line.mid(1, line.size() - 2).trimmed(), {}});
            current = &ini.m_sections.last();
            continue;
        }
        const qsizetype eq = line.indexOf(u'=');
        if (eq <= 0 || !current)
            continue;
        current->entries.append(Entry{line.left(eq).trimmed(), line.mid(eq + 1).trimmed()});
    }
    return ini;
}

const IniFile::Entry* IniFile::find(const QString& section, const QString& key) const {
    for (const Section& s : m_sections) {
        if (s.name.compare(section, Qt::CaseInsensitive) != 0)
            continue;
        for (const Entry& e : s.entries) {
            if (e.key.compare(key, Qt::CaseInsensitive) == 0)
                return &e;
        }
    }
    return nullptr;
}

bool IniFile::contains(const QString& section, const QString& key) const {
    return find(section, key) != nullptr;
}

QString IniFile::value(const QString& section, const QString& key, const QString& fallback) const {
    const Entry* e = find(section, key);
    return e ? e->value : fallback;
}

void IniFile::setValue(const QString& section, const QString& key, const QString& value) {
    for (Section& s : m_sections) {
        if (s.name.compare(section, Qt::CaseInsensitive) != 0)
            continue;
        for (Entry& e : s.entries) {
            if (e.key.compare(key, Qt::CaseInsensitive) == 0) {
                e.value = value;
                return;
            }
        }
        s.entries.append(Entry{key, value});
        return;
    }
    m_sections.append(Section{section, {Entry{key, value}}});
}

QString IniFile::toText() const {
    QString out;
    for (const Section& s : m_sections) {
        if (!out.isEmpty())
            out += u'\n';
        out += u'[' + s.name + QStringLiteral("]\n");
        for (const Entry& e : s.entries)
            out += e.key + u'=' + e.value + u'\n';
    }
    return out;
}

bool readIniFile(const QString& path, IniFile* ini) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    *ini = IniFile::parse(decodeSettingsText(f.readAll()));
    return true;
}

void writeIniFile(const QString& path, const IniFile& ini) {
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(ini.toText().toUtf8()) < 0 || !f.commit())
        throw Error(QStringLiteral("Ayar dosyası yazılamadı (%1): %2").arg(path, f.errorString()));
}

} // namespace vk
