#include "export/xlswriter.h"

#include "common/errors.h"

#include <QDate>
#include <QDateTime>
#include <QHash>
#include <QIODevice>
#include <QSaveFile>
#include <QSet>
#include <QtEndian>

#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>
#include <optional>
#include <utility>

namespace vk::xls {

namespace {

// Record types of the workbook stream.
enum : quint16 {
    kBof = 0x0809,
    kEof = 0x000A,
    kCodepage = 0x0042,
    kWindow1 = 0x003D,
    kDate1904 = 0x0022,
    kFont = 0x0031,
    kFormat = 0x041E,
    kXf = 0x00E0,
    kStyle = 0x0293,
    kBoundSheet = 0x0085,
    kSst = 0x00FC,
    kExtSst = 0x00FF,
    kContinue = 0x003C,
    kColInfo = 0x007D,
    kDimensions = 0x0200,
    kNumber = 0x0203,
    kLabelSst = 0x00FD,
    kWindow2 = 0x023E,
};

constexpr qsizetype kMaxRecordData = 8224; // longer data goes on in CONTINUE records
constexpr qsizetype kMaxCellText = 32767;  // Excel keeps no more in a cell: longer texts are cut
constexpr qsizetype kMaxSheetName = 31;
constexpr qsizetype kRowsPerProgress = 1000;

// XF 0..14 are style XFs and 15 the default cell XF; cells use 15 and the ones after it.
enum : quint16 { kXfCell = 15, kXfHeader = 16, kXfDate = 17, kXfDateTime = 18, kXfCount = 19 };
enum : quint16 { kFormatDate = 164, kFormatDateTime = 165 };
// Font index 4 is never used, so the fifth FONT record is font 5.
constexpr quint16 kFontBold = 5;

// Integers from here on have more digits than Excel shows; they are kept as text.
constexpr qint64 kExactIntegerLimit = 1'000'000'000'000'000;

void put8(QByteArray& b, quint8 v) {
    b.append(char(v));
}

void put16(QByteArray& b, quint16 v) {
    char c[2];
    qToLittleEndian(v, c);
    b.append(c, 2);
}

void put32(QByteArray& b, quint32 v) {
    char c[4];
    qToLittleEndian(v, c);
    b.append(c, 4);
}

void record(QByteArray& out, quint16 type, const QByteArray& body) {
    Q_ASSERT(body.size() <= kMaxRecordData);
    put16(out, type);
    put16(out, quint16(body.size()));
    out.append(body);
}

bool fitsLatin1(QStringView s) {
    return std::all_of(s.begin(), s.end(), [](QChar c) { return c.unicode() <= 0xFF; });
}

// Characters one byte each (all <= U+00FF) or as UTF-16LE.
void putChars(QByteArray& b, QStringView s, bool wide) {
    if (!wide) {
        const qsizetype at = b.size();
        b.resize(at + s.size());
        char* p = b.data() + at;
        for (QChar c : s)
            *p++ = char(c.unicode());
        return;
    }
    if constexpr (Q_BYTE_ORDER == Q_LITTLE_ENDIAN) {
        b.append(reinterpret_cast<const char*>(s.utf16()), s.size() * 2);
    } else {
        for (QChar c : s)
            put16(b, c.unicode());
    }
}

// A string with its length in UTF-16 units (one byte or two) and the flag byte of its form.
void putString(QByteArray& b, QStringView s, bool oneByteLength) {
    const bool wide = !fitsLatin1(s);
    if (oneByteLength)
        put8(b, quint8(s.size()));
    else
        put16(b, quint16(s.size()));
    put8(b, wide ? 0x01 : 0x00);
    putChars(b, s, wide);
}

// Cuts to at most `max` UTF-16 units without leaving half of a surrogate pair.
QString clipped(QString s, qsizetype max) {
    if (s.size() > max) {
        s.truncate(max);
        if (s.back().isHighSurrogate())
            s.chop(1);
    }
    return s;
}

// The shared strings: each distinct text once, cells refer to it by index.
class StringTable {
public:
    quint32 add(const QString& s) {
        ++m_references;
        const auto found = m_index.constFind(s);
        if (found != m_index.constEnd())
            return *found;
        const auto index = quint32(m_strings.size());
        m_index.insert(s, index);
        m_strings.append(s);
        return index;
    }

    // SST with its CONTINUE records and the EXTSST index, appended to the globals. The globals
    // start the stream, so positions in `out` are stream positions.
    void append(QByteArray& out) const {
        const auto unique = quint32(m_strings.size());
        // at most 128 buckets of at least 8 strings
        const quint32 perBucket = std::max<quint32>(8, (unique + 127) / 128);
        QByteArray index;
        put16(index, quint16(perBucket));

        qsizetype start = 0;
        const auto begin = [&](quint16 type) {
            start = out.size();
            put16(out, type);
            put16(out, 0);
        };
        const auto finish = [&] {
            qToLittleEndian(quint16(out.size() - start - 4), out.data() + start + 2);
        };
        const auto room = [&] { return kMaxRecordData - (out.size() - start - 4); };

        begin(kSst);
        put32(out, m_references);
        put32(out, unique);
        for (quint32 i = 0; i < unique; ++i) {
            const QString& s = m_strings[i];
            const bool wide = !fitsLatin1(s);
            const qsizetype unit = wide ? 2 : 1;
            // the header (length and flags) and the first character stay in one record
            const qsizetype first = s.isEmpty() ? 0 : s[0].isHighSurrogate() ? 4 : unit;
            if (room() < 3 + first) {
                finish();
                begin(kContinue);
            }
            if (i % perBucket == 0) {
                put32(index, quint32(out.size()));
                put16(index, quint16(out.size() - start)); // from the record's header
                put16(index, 0);
            }
            put16(out, quint16(s.size()));
            put8(out, wide ? 0x01 : 0x00);
            qsizetype done = 0;
            for (;;) {
                qsizetype take = std::min(room() / unit, s.size() - done);
                // a surrogate pair is never cut: readers decode each record's characters alone
                if (take > 0 && done + take < s.size() && s[done + take - 1].isHighSurrogate())
                    --take;
                putChars(out, QStringView(s).mid(done, take), wide);
                done += take;
                if (done == s.size())
                    break;
                // the rest of the text goes on after a fresh flag byte
                finish();
                begin(kContinue);
                put8(out, wide ? 0x01 : 0x00);
            }
        }
        finish();
        record(out, kExtSst, index);
    }

private:
    QHash<QString, quint32> m_index;
    QList<QString> m_strings;
    quint32 m_references = 0;
};

// Days since 1899-12-30 and the fraction of the day: the serial of Excel's 1900 date system,
// which is right from 1900-03-01 on (before it, Excel counts a 29 February 1900).
std::optional<double> serialOf(const QDate& date, const QTime& time) {
    if (date < QDate(1900, 3, 1) || date > QDate(9999, 12, 31))
        return std::nullopt;
    double serial = double(QDate(1899, 12, 30).daysTo(date));
    if (time.isValid())
        serial += time.msecsSinceStartOfDay() / 86'400'000.0;
    return serial;
}

// "-12.5" and "40" but not "+1", "1,5", "0012", "1e5" or more than 15 significant digits.
std::optional<double> plainDecimal(const QString& s) {
    qsizetype i = s.startsWith(u'-') ? 1 : 0;
    const qsizetype intStart = i;
    while (i < s.size() && s[i].isDigit() && s[i].unicode() < 0x80)
        ++i;
    const qsizetype intDigits = i - intStart;
    if (intDigits == 0 || (intDigits > 1 && s[intStart] == u'0'))
        return std::nullopt;
    if (i < s.size()) {
        if (s[i] != u'.')
            return std::nullopt;
        const qsizetype fracStart = ++i;
        while (i < s.size() && s[i].isDigit() && s[i].unicode() < 0x80)
            ++i;
        if (i == fracStart || i != s.size())
            return std::nullopt;
    }
    qsizetype significant = 0;
    bool leading = true;
    for (qsizetype k = intStart; k < s.size(); ++k) {
        if (s[k] == u'.' || (leading && s[k] == u'0'))
            continue;
        leading = false;
        ++significant;
    }
    if (significant > 15)
        return std::nullopt;
    bool ok = false;
    const double d = s.toDouble(&ok);
    return ok && std::isfinite(d) ? std::optional<double>(d) : std::nullopt;
}

class SheetWriter {
public:
    SheetWriter(QByteArray& out, StringTable& strings) : m_out(out), m_strings(strings) {}

    void cell(quint16 row, quint16 col, CellKind kind, const QVariant& v) {
        if (!v.isValid() || v.isNull())
            return;
        switch (kind) {
        case CellKind::Number:
            number(row, col, v);
            return;
        case CellKind::Date:
        case CellKind::DateTime:
            date(row, col, kind, v);
            return;
        case CellKind::Text:
            break;
        }
        text(row, col, kXfCell, v.toString());
    }

    void text(quint16 row, quint16 col, quint16 xf, const QString& s) {
        if (s.isEmpty())
            return;
        char b[14];
        qToLittleEndian(quint16(kLabelSst), b);
        qToLittleEndian(quint16(10), b + 2);
        qToLittleEndian(row, b + 4);
        qToLittleEndian(col, b + 6);
        qToLittleEndian(xf, b + 8);
        qToLittleEndian(m_strings.add(clipped(s, kMaxCellText)), b + 10);
        m_out.append(b, sizeof b);
    }

    void number(quint16 row, quint16 col, quint16 xf, double d) {
        char b[18];
        qToLittleEndian(quint16(kNumber), b);
        qToLittleEndian(quint16(14), b + 2);
        qToLittleEndian(row, b + 4);
        qToLittleEndian(col, b + 6);
        qToLittleEndian(xf, b + 8);
        qToLittleEndian(std::bit_cast<quint64>(d), b + 10);
        m_out.append(b, sizeof b);
    }

private:
    void number(quint16 row, quint16 col, const QVariant& v) {
        switch (v.typeId()) {
        case QMetaType::Double:
        case QMetaType::Float: {
            const double d = v.toDouble();
            if (std::isfinite(d))
                return number(row, col, kXfCell, d);
            break;
        }
        case QMetaType::Int:
        case QMetaType::Short:
        case QMetaType::SChar:
        case QMetaType::Long:
        case QMetaType::LongLong: {
            const qint64 i = v.toLongLong();
            if (i > -kExactIntegerLimit && i < kExactIntegerLimit)
                return number(row, col, kXfCell, double(i));
            break;
        }
        case QMetaType::UInt:
        case QMetaType::UShort:
        case QMetaType::UChar:
        case QMetaType::ULong:
        case QMetaType::ULongLong:
            if (v.toULongLong() < quint64(kExactIntegerLimit))
                return number(row, col, kXfCell, double(v.toULongLong()));
            break;
        case QMetaType::QString:
            if (const auto d = plainDecimal(v.toString()))
                return number(row, col, kXfCell, *d);
            break;
        default:
            break;
        }
        text(row, col, kXfCell, v.toString());
    }

    void date(quint16 row, quint16 col, CellKind kind, const QVariant& v) {
        QDate d;
        QTime t;
        if (v.typeId() == QMetaType::QDate) {
            d = v.toDate();
        } else if (v.typeId() == QMetaType::QDateTime) {
            const QDateTime dt = v.toDateTime();
            if (!dt.isValid())
                return;
            d = dt.date();
            t = dt.time();
        } else {
            return text(row, col, kXfCell, v.toString());
        }
        if (!d.isValid())
            return;
        const bool withTime = kind == CellKind::DateTime;
        if (const auto serial = serialOf(d, t))
            return number(row, col, withTime ? kXfDateTime : kXfDate, *serial);
        const QString shown = withTime ? QDateTime(d, t.isValid() ? t : QTime(0, 0))
                                             .toString(QStringLiteral("dd.MM.yyyy HH:mm:ss"))
                                       : d.toString(QStringLiteral("dd.MM.yyyy"));
        text(row, col, kXfCell, shown);
    }

    QByteArray& m_out;
    StringTable& m_strings;
};

// Width in characters a column opens with: room for its caption and for its dates.
int columnWidth(const Column& c) {
    const int least = c.kind == CellKind::DateTime ? 20 : c.kind == CellKind::Date ? 12 : 10;
    return std::clamp(int(c.caption.size()) + 2, least, 60);
}

QByteArray bof(quint16 substream) {
    QByteArray b;
    put16(b, 0x0600); // BIFF8
    put16(b, substream);
    put16(b, 0x0DBB); // build
    put16(b, 0x07CC); // year
    put32(b, 0);      // file history
    put32(b, 0x06);   // lowest version that may read it
    return b;
}

QByteArray font(bool bold) {
    QByteArray b;
    put16(b, 200);          // 10 pt in twips
    put16(b, bold ? 1 : 0); // some readers take bold from here, Excel from the weight
    put16(b, 0x7FFF);       // automatic colour
    put16(b, bold ? 700 : 400);
    put16(b, 0); // no super- or subscript
    put8(b, 0);  // not underlined
    put8(b, 2);  // swiss family
    put8(b, 0);  // character set
    put8(b, 0);
    putString(b, u"Arial", true);
    return b;
}

QByteArray format(quint16 index, QStringView code) {
    QByteArray b;
    put16(b, index);
    putString(b, code, false);
    return b;
}

// `used`: for a cell XF the attribute groups it sets itself (number 0x04, font 0x08); for a
// style XF the groups it leaves open.
QByteArray xf(quint16 fontIndex, quint16 formatIndex, bool style, quint8 used) {
    QByteArray b;
    put16(b, fontIndex);
    put16(b, formatIndex);
    put16(b, style ? 0xFFF5 : 0x0001); // locked; a style has no parent, cells inherit style 0
    put8(b, 0x20);                     // general alignment, bottom
    put8(b, 0);                        // no rotation
    put8(b, 0);                        // no indent
    put8(b, used);
    put32(b, 0);      // no borders
    put32(b, 0);      // no fill
    put16(b, 0x20C0); // default pattern colours
    return b;
}

QByteArray sheetBody(QStringView name) {
    QByteArray b;
    put32(b, 0); // the sheet's BOF, patched once the globals are laid out
    put8(b, 0);  // visible
    put8(b, 0);  // worksheet
    putString(b, name, true);
    return b;
}

struct Sheet {
    QString name;
    QByteArray stream;
};

struct Workbook {
    QByteArray globals;
    QList<Sheet> sheets;
};

// A sheet has 256 columns: rather than leave some out, the export is refused.
void checkColumns(const QList<Column>& columns) {
    if (columns.size() > kMaxColumns)
        throw Error(
            QStringLiteral("Excel dosyasına en çok %1 sütun yazılabilir; listede %2 sütun var")
                .arg(kMaxColumns)
                .arg(columns.size()));
}

// Reads every row into sheet substreams and shared strings; nothing when cancelled.
std::optional<Workbook> build(const QList<Column>& columns, const RowSource& source,
                              const QString& sheetName, const Progress& progress) {
    checkColumns(columns);
    const qsizetype total = std::max<qsizetype>(0, source.rowCount());
    if (progress && !progress(0, total))
        return std::nullopt;

    constexpr qsizetype perSheet = kMaxSheetRows - 1; // the header row takes one
    const qsizetype sheetCount = std::max<qsizetype>(1, (total + perSheet - 1) / perSheet);
    const QStringList names = sheetNames(sheetName, int(sheetCount));
    const auto colCount = quint16(columns.size());

    StringTable strings;
    Workbook book;
    qsizetype done = 0;
    for (qsizetype s = 0; s < sheetCount; ++s) {
        const qsizetype rows = std::min(perSheet, total - done);
        QByteArray out;
        out.reserve(rows * colCount * 18 + 1024); // no cell record is longer
        record(out, kBof, bof(0x0010));
        for (quint16 c = 0; c < colCount; ++c) {
            QByteArray b;
            put16(b, c);
            put16(b, c);
            put16(b, quint16(columnWidth(columns[c]) * 256));
            put16(b, kXfCell);
            put16(b, 0);
            put16(b, 0);
            record(out, kColInfo, b);
        }
        QByteArray dim;
        put32(dim, 0);
        put32(dim, colCount ? quint32(rows + 1) : 0);
        put16(dim, 0);
        put16(dim, colCount);
        put16(dim, 0);
        record(out, kDimensions, dim);

        SheetWriter cells(out, strings);
        for (quint16 c = 0; c < colCount; ++c)
            cells.text(0, c, kXfHeader, columns[c].caption);
        for (qsizetype r = 0; r < rows; ++r, ++done) {
            if (progress && done % kRowsPerProgress == 0 && done > 0 && !progress(done, total))
                return std::nullopt;
            for (quint16 c = 0; c < colCount; ++c)
                cells.cell(quint16(r + 1), c, columns[c].kind, source.value(done, c));
        }

        QByteArray window;
        put16(window, s == 0 ? 0x06B6 : 0x00B6); // grid, headers, zeros; the first sheet selected
        put16(window, 0);
        put16(window, 0);
        put16(window, 0x40); // automatic grid colour
        put16(window, 0);
        put16(window, 0);
        put16(window, 0);
        put16(window, 0);
        put16(window, 0);
        record(out, kWindow2, window);
        record(out, kEof, {});
        book.sheets.append(Sheet{names[s], std::move(out)});
    }
    if (progress && !progress(total, total))
        return std::nullopt;

    QByteArray& g = book.globals;
    record(g, kBof, bof(0x0005));
    QByteArray codepage;
    put16(codepage, 1200); // UTF-16
    record(g, kCodepage, codepage);
    QByteArray window;
    put16(window, 0x0168);
    put16(window, 0x001E);
    put16(window, 0x3A5C);
    put16(window, 0x23BE);
    put16(window, 0x0038); // scroll bars and sheet tabs shown
    put16(window, 0);      // active sheet
    put16(window, 0);      // first visible tab
    put16(window, 1);      // selected sheets
    put16(window, 600);    // tab bar width
    record(g, kWindow1, window);
    QByteArray dateMode;
    put16(dateMode, 0); // 1900 date system
    record(g, kDate1904, dateMode);
    for (int i = 0; i < 4; ++i)
        record(g, kFont, font(false));
    record(g, kFont, font(true));
    record(g, kFormat, format(kFormatDate, u"dd.mm.yyyy"));
    record(g, kFormat, format(kFormatDateTime, u"dd.mm.yyyy hh:mm:ss"));
    record(g, kXf, xf(0, 0, true, 0x00));
    for (int i = 1; i < kXfCell; ++i)
        record(g, kXf, xf(0, 0, true, 0xF4));
    record(g, kXf, xf(0, 0, false, 0x00));
    record(g, kXf, xf(kFontBold, 0, false, 0x08));
    record(g, kXf, xf(0, kFormatDate, false, 0x04));
    record(g, kXf, xf(0, kFormatDateTime, false, 0x04));
    static_assert(kXfDateTime + 1 == kXfCount);
    QByteArray style;
    put16(style, 0x8000); // built-in style on XF 0
    put8(style, 0);       // "Normal"
    put8(style, 0xFF);
    record(g, kStyle, style);
    QList<qsizetype> sheetPositions;
    for (const Sheet& sh : std::as_const(book.sheets)) {
        sheetPositions.append(g.size() + 4);
        record(g, kBoundSheet, sheetBody(sh.name));
    }
    strings.append(g);
    record(g, kEof, {});

    qsizetype at = g.size();
    for (qsizetype s = 0; s < book.sheets.size(); ++s) {
        qToLittleEndian(quint32(at), g.data() + sheetPositions[s]);
        at += book.sheets[s].stream.size();
    }
    if (at > qsizetype(std::numeric_limits<qint32>::max()))
        throw Error(QStringLiteral("Liste Excel 97-2003 dosyasına sığmayacak kadar büyük"));
    return book;
}

// Compound-file layout: 512-byte sectors; the Workbook stream first, then the directory, the
// FAT and the DIFAT sectors that list FAT sectors beyond the header's 109.
constexpr quint32 kFreeSect = 0xFFFFFFFF;
constexpr quint32 kEndOfChain = 0xFFFFFFFE;
constexpr quint32 kFatSect = 0xFFFFFFFD;
constexpr quint32 kDifSect = 0xFFFFFFFC;
constexpr quint32 kNoStream = 0xFFFFFFFF;
constexpr qsizetype kSector = 512;
constexpr qsizetype kFatPerSector = kSector / 4;
constexpr qsizetype kHeaderDifat = 109;
constexpr qsizetype kMiniStreamCutoff = 4096;

QByteArray directoryEntry(QStringView name, quint8 type, quint32 child, quint32 start,
                          quint32 size) {
    QByteArray e(128, '\0');
    char* p = e.data();
    if (!name.isEmpty()) {
        for (qsizetype i = 0; i < name.size(); ++i)
            qToLittleEndian(name[i].unicode(), p + 2 * i);
        qToLittleEndian(quint16((name.size() + 1) * 2), p + 64);
        p[66] = char(type);
        p[67] = 1; // black: a tree of one node per level needs no red
    }
    qToLittleEndian(kNoStream, p + 68); // left sibling
    qToLittleEndian(kNoStream, p + 72); // right sibling
    qToLittleEndian(child, p + 76);
    qToLittleEndian(start, p + 116);
    qToLittleEndian(size, p + 120);
    return e;
}

void put(QIODevice& device, const char* data, qsizetype size, const QString& target) {
    if (size > 0 && device.write(data, size) != size)
        throw Error(
            QStringLiteral("Excel dosyası yazılamadı%1: %2").arg(target, device.errorString()));
}

void writeContainer(QIODevice& device, const Workbook& book, const QString& target) {
    qsizetype streamSize = book.globals.size();
    for (const Sheet& s : book.sheets)
        streamSize += s.stream.size();
    // a shorter stream would belong in the mini stream: padding it is simpler
    const qsizetype padded = std::max(streamSize, kMiniStreamCutoff);
    const qsizetype streamSectors = (padded + kSector - 1) / kSector;
    const qsizetype dirSector = streamSectors;

    // the FAT lists its own sectors and the DIFAT's, so their counts depend on themselves
    qsizetype fat = 1;
    qsizetype difat = 0;
    for (;;) {
        const qsizetype all = streamSectors + 1 + fat + difat;
        const qsizetype needFat = (all + kFatPerSector - 1) / kFatPerSector;
        const qsizetype needDifat =
            needFat > kHeaderDifat
                ? (needFat - kHeaderDifat + kFatPerSector - 2) / (kFatPerSector - 1)
                : 0;
        if (needFat == fat && needDifat == difat)
            break;
        fat = needFat;
        difat = needDifat;
    }
    const qsizetype firstFat = dirSector + 1;
    const qsizetype firstDifat = firstFat + fat;

    QByteArray header(kSector, '\0');
    {
        char* p = header.data();
        static const uchar signature[8] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
        std::copy(std::begin(signature), std::end(signature), reinterpret_cast<uchar*>(p));
        qToLittleEndian(quint16(0x003E), p + 24); // minor version
        qToLittleEndian(quint16(0x0003), p + 26); // major version 3: 512-byte sectors
        qToLittleEndian(quint16(0xFFFE), p + 28); // little-endian
        qToLittleEndian(quint16(9), p + 30);      // sector size 2^9
        qToLittleEndian(quint16(6), p + 32);      // mini sector size 2^6
        qToLittleEndian(quint32(fat), p + 44);
        qToLittleEndian(quint32(dirSector), p + 48);
        qToLittleEndian(quint32(kMiniStreamCutoff), p + 56);
        qToLittleEndian(kEndOfChain, p + 60); // no mini FAT
        qToLittleEndian(difat ? quint32(firstDifat) : kEndOfChain, p + 68);
        qToLittleEndian(quint32(difat), p + 72);
        for (qsizetype i = 0; i < kHeaderDifat; ++i)
            qToLittleEndian(i < fat ? quint32(firstFat + i) : kFreeSect, p + 76 + 4 * i);
    }

    QByteArray tail;
    tail.reserve((1 + fat + difat) * kSector);
    tail += directoryEntry(u"Root Entry", 5, 1, kEndOfChain, 0);
    tail += directoryEntry(u"Workbook", 2, kNoStream, 0, quint32(padded));
    tail += directoryEntry({}, 0, kNoStream, 0, 0);
    tail += directoryEntry({}, 0, kNoStream, 0, 0);

    const qsizetype fatStart = tail.size();
    tail.resize(fatStart + fat * kSector);
    {
        char* p = tail.data() + fatStart;
        qsizetype i = 0;
        const auto entry = [&](quint32 v) { qToLittleEndian(v, p + 4 * i++); };
        for (qsizetype s = 0; s + 1 < streamSectors; ++s)
            entry(quint32(s + 1));
        entry(kEndOfChain); // last sector of the stream
        entry(kEndOfChain); // the directory
        for (qsizetype s = 0; s < fat; ++s)
            entry(kFatSect);
        for (qsizetype s = 0; s < difat; ++s)
            entry(kDifSect);
        while (i < fat * kFatPerSector)
            entry(kFreeSect);
    }
    for (qsizetype d = 0; d < difat; ++d) {
        QByteArray sector(kSector, '\0');
        for (qsizetype k = 0; k < kFatPerSector - 1; ++k) {
            const qsizetype n = kHeaderDifat + d * (kFatPerSector - 1) + k;
            qToLittleEndian(n < fat ? quint32(firstFat + n) : kFreeSect, sector.data() + 4 * k);
        }
        qToLittleEndian(d + 1 < difat ? quint32(firstDifat + d + 1) : kEndOfChain,
                        sector.data() + kSector - 4);
        tail += sector;
    }

    put(device, header.constData(), header.size(), target);
    put(device, book.globals.constData(), book.globals.size(), target);
    for (const Sheet& s : book.sheets)
        put(device, s.stream.constData(), s.stream.size(), target);
    const QByteArray padding(streamSectors * kSector - streamSize, '\0');
    put(device, padding.constData(), padding.size(), target);
    put(device, tail.constData(), tail.size(), target);
}

QString cleanSheetName(const QString& given) {
    QString s;
    s.reserve(given.size());
    for (QChar c : given)
        s += c.unicode() < 0x20 || QStringView(u"[]:*?/\\").contains(c) ? u'_' : c;
    s = s.trimmed();
    // Excel takes no apostrophe at either end
    while (s.startsWith(u'\''))
        s.remove(0, 1);
    while (s.endsWith(u'\''))
        s.chop(1);
    return s.trimmed();
}

} // namespace

QStringList sheetNames(const QString& given, int count) {
    const QString base = cleanSheetName(given);
    QSet<QString> taken{QStringLiteral("history")}; // Excel keeps this name for itself
    QStringList names;
    for (int i = 0; i < count; ++i) {
        for (int n = i + 1;; ++n) {
            QString name;
            if (base.isEmpty()) {
                name = QStringLiteral("Sayfa%1").arg(n);
            } else if (n == 1) {
                name = clipped(base, kMaxSheetName);
            } else {
                const QString suffix = QStringLiteral(" (%1)").arg(n);
                name = clipped(base, kMaxSheetName - suffix.size()) + suffix;
            }
            if (!taken.contains(name.toLower())) {
                taken.insert(name.toLower());
                names.append(name);
                break;
            }
        }
    }
    return names;
}

Outcome writeWorkbook(QIODevice& device, const QList<Column>& columns, const RowSource& source,
                      const QString& sheetName, const Progress& progress) {
    const std::optional<Workbook> book = build(columns, source, sheetName, progress);
    if (!book)
        return Outcome::Cancelled;
    writeContainer(device, *book, {});
    return Outcome::Written;
}

Outcome saveWorkbook(const QString& path, const QList<Column>& columns, const RowSource& source,
                     const QString& sheetName, const Progress& progress) {
    const QString target = QStringLiteral(" (%1)").arg(path);
    checkColumns(columns);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw Error(
            QStringLiteral("Excel dosyası yazılamadı%1: %2").arg(target, file.errorString()));
    // until commit() only the temporary file beside the target is written; leaving this scope
    // by a cancel or an exception removes it
    const std::optional<Workbook> book = build(columns, source, sheetName, progress);
    if (!book) {
        file.cancelWriting();
        return Outcome::Cancelled;
    }
    writeContainer(file, *book, target);
    if (!file.commit())
        throw Error(
            QStringLiteral("Excel dosyası yazılamadı%1: %2").arg(target, file.errorString()));
    return Outcome::Written;
}

} // namespace vk::xls
