// Excel 97-2003 export, read back by two independent readers: xlrd (python3) and gnumeric's
// ssconvert. Each reader is run on files written into a temporary folder.

#include "common/errors.h"
#include "export/xlswriter.h"

#include "xlsreaders.h"

#include <QBuffer>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <limits>
#include <unistd.h>
#include <utility>

using vk::xls::CellKind;
using vk::xls::Column;
using vk::xls::Outcome;

namespace {

using Cell = std::function<QVariant(qsizetype row, int column)>;

class Rows : public vk::xls::RowSource {
public:
    Rows(qsizetype count, Cell cell) : m_count(count), m_cell(std::move(cell)) {}
    explicit Rows(QList<QVariantList> rows)
        : m_count(rows.size()), m_cell([rows](qsizetype r, int c) { return rows[r].value(c); }) {}
    qsizetype rowCount() const override { return m_count; }
    QVariant value(qsizetype row, int column) const override { return m_cell(row, column); }

private:
    qsizetype m_count;
    Cell m_cell;
};

// Dumps sheets, the first `head` rows and the last row of each (ctype, value, bold, number
// format, style XF or not per cell), xlrd's warnings, and what the workbook stream's records
// show: the longest record, the CONTINUE records of the string table, whether EXTSST points at
// the strings' starts, strings cut before their first character, and the DIFAT sector count.
const char* const kXlrdDump = R"PY(
import io, json, struct, sys, xlrd
from xlrd import compdoc
path, head = sys.argv[1], int(sys.argv[2])
log = io.StringIO()
book = xlrd.open_workbook(path, formatting_info=True, logfile=log, on_demand=True)  # keeps the strings

def cell(sh, r, c):
    x = sh.cell(r, c)
    xf = book.xf_list[x.xf_index]
    v = list(xlrd.xldate_as_tuple(x.value, book.datemode)) if x.ctype == xlrd.XL_CELL_DATE else x.value
    return [x.ctype, v, bool(book.font_list[xf.font_index].bold), book.format_map[xf.format_key].format_str,
            bool(xf.is_style)]

sheets = []
for sh in book.sheets():
    rows = list(range(min(head, sh.nrows)))
    if sh.nrows > head:
        rows.append(sh.nrows - 1)
    sheets.append({"name": sh.name, "nrows": sh.nrows, "ncols": sh.ncols,
                   "rows": {str(r): [cell(sh, r, c) for c in range(sh.row_len(r))] for r in rows}})

data = open(path, "rb").read()
mem = compdoc.CompDoc(data, logfile=log).get_named_stream("Workbook")
pos, longest, continues, previous, string_records, extsst = 0, 0, 0, None, set(), None
while pos + 4 <= len(mem):
    rtype, length = struct.unpack_from("<HH", mem, pos)
    if rtype == 0 and length == 0 and not mem[pos:].strip(b"\0"):
        break  # the padding after the last sheet
    longest = max(longest, length)
    if rtype == 0x00FC:
        string_records.add(pos)
        previous = "sst"
    elif rtype == 0x003C and previous == "sst":
        string_records.add(pos)
        continues += 1
    else:
        previous = None
    if rtype == 0x00FF:
        extsst = (pos + 4, length)
    pos += 4 + length

# the string table as laid out: count strings whose first piece holds no character
pieces = [mem[at + 4:at + 4 + struct.unpack_from("<H", mem, at + 2)[0]] for at in sorted(string_records)]
strings = book._sharedstrings
empty_first_pieces, piece, at = 0, 0, 8
for _ in strings:
    if at >= len(pieces[piece]):
        piece, at = piece + 1, 0
    left, flags = struct.unpack_from("<HB", pieces[piece], at)
    at, first = at + 3, True
    while True:
        unit = 2 if flags & 1 else 1
        take = min(left, (len(pieces[piece]) - at) // unit)
        empty_first_pieces += first and left > 0 and take == 0
        at, left, first = at + take * unit, left - take, False
        if left == 0:
            break
        piece, at = piece + 1, 1
        flags = pieces[piece][0]
extsst_ok = extsst is not None
if extsst_ok:
    at, length = extsst
    per_bucket = struct.unpack_from("<H", mem, at)[0]
    buckets = (length - 2) // 8
    extsst_ok = per_bucket >= 8 and buckets == (len(strings) + per_bucket - 1) // per_bucket
    for k in range(buckets if extsst_ok else 0):
        ib, cb = struct.unpack_from("<IH", mem, at + 2 + 8 * k)
        units = len(strings[k * per_bucket].encode("utf-16-le")) // 2
        extsst_ok = extsst_ok and (ib - cb) in string_records and struct.unpack_from("<H", mem, ib)[0] == units

print(json.dumps({"log": log.getvalue(), "sheets": sheets, "longestRecord": longest,
                  "stringContinues": continues, "extsstOk": extsst_ok, "emptyFirstPieces": empty_first_pieces,
                  "difatSectors": struct.unpack_from("<I", data, 72)[0]}))
)PY";

QString xlrdPython() {
    return vk::test::pythonWithXlrd();
}

QString ssconvert() {
    return vk::test::ssconvertPath();
}

#define REQUIRE_XLRD()                                                                             \
    if (xlrdPython().isEmpty())                                                                    \
    QSKIP("python3 with xlrd is not installed (apt-get install python3-xlrd)")
#define REQUIRE_SSCONVERT()                                                                        \
    if (ssconvert().isEmpty())                                                                     \
    QSKIP("ssconvert is not installed (apt-get install gnumeric)")

void runTool(const QString& program, const QStringList& args, QByteArray* out) {
    QProcess p;
    p.start(program, args);
    QVERIFY2(p.waitForFinished(180000), qPrintable(program + QStringLiteral(" did not finish")));
    const QByteArray err = p.readAllStandardError();
    QVERIFY2(p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0, err.constData());
    QVERIFY2(err.isEmpty(), err.constData()); // both complain on stderr about damaged files
    *out = p.readAllStandardOutput();
}

void xlrdDump(const QString& path, int head, QJsonObject* dump) {
    QByteArray out;
    runTool(xlrdPython(),
            {QStringLiteral("-c"), QString::fromUtf8(kXlrdDump), path, QString::number(head)},
            &out);
    if (QTest::currentTestFailed())
        return;
    *dump = QJsonDocument::fromJson(out).object();
    QVERIFY2(!dump->isEmpty(), out.constData());
    QCOMPARE(dump->value(QStringLiteral("log")).toString(), QString()); // no warning of xlrd's
}

QList<QStringList> parseCsv(const QString& text) {
    QList<QStringList> rows;
    QStringList row;
    QString field;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == u'"' && i + 1 < text.size() && text[i + 1] == u'"') {
                field += c;
                ++i;
            } else if (c == u'"') {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == u'"') {
            quoted = true;
        } else if (c == u',') {
            row.append(std::exchange(field, {}));
        } else if (c == u'\n') {
            row.append(std::exchange(field, {}));
            rows.append(std::exchange(row, {}));
        } else if (c != u'\r') {
            field += c;
        }
    }
    if (!field.isEmpty() || !row.isEmpty()) {
        row.append(field);
        rows.append(row);
    }
    return rows;
}

// The sheets as ssconvert writes them to CSV: raw values, or as the cells' formats show them.
void ssconvertCsv(const QString& path, bool shown, QList<QList<QStringList>>* sheets) {
    QTemporaryDir dir;
    QByteArray out;
    runTool(ssconvert(),
            {QStringLiteral("-S"), QStringLiteral("-T"),
             QStringLiteral("Gnumeric_stf:stf_assistant"), QStringLiteral("-O"),
             shown ? QStringLiteral("format=preserve") : QStringLiteral("format=raw"), path,
             dir.filePath(QStringLiteral("sheet_%n.csv"))},
            &out);
    if (QTest::currentTestFailed())
        return;
    for (int n = 0;; ++n) {
        QFile f(dir.filePath(QStringLiteral("sheet_%1.csv").arg(n)));
        if (!f.open(QIODevice::ReadOnly))
            break;
        sheets->append(parseCsv(QString::fromUtf8(f.readAll())));
    }
    QVERIFY(!sheets->isEmpty());
}

QJsonArray cellAt(const QJsonObject& dump, int sheet, int row, int column) {
    const QJsonObject s = dump[QStringLiteral("sheets")].toArray()[sheet].toObject();
    return s[QStringLiteral("rows")].toObject()[QString::number(row)].toArray()[column].toArray();
}

QString csvAt(const QList<QList<QStringList>>& sheets, int sheet, int row, int column) {
    return sheets.value(sheet).value(row).value(column);
}

QStringList sheetNamesOf(const QJsonObject& dump) {
    QStringList names;
    for (const QJsonValue& s : dump[QStringLiteral("sheets")].toArray())
        names.append(s[QStringLiteral("name")].toString());
    return names;
}

QList<int> rowCountsOf(const QJsonObject& dump) {
    QList<int> counts;
    for (const QJsonValue& s : dump[QStringLiteral("sheets")].toArray())
        counts.append(s[QStringLiteral("nrows")].toInt());
    return counts;
}

enum XlrdType { Empty = 0, Text = 1, Number = 2, Date = 3 };

// One column of the values workbook each: what goes in, what the readers must find.
struct ValueCase {
    const char* name;
    CellKind kind;
    QVariant input;
    XlrdType type;
    QVariant expected = {}; // the number, text or date and time read back; none: the input
    QString shown = {};     // a date as gnumeric shows it by the cell's format
};

QList<ValueCase> valueCases() {
    const auto text = [](const char* s) { return QString::fromUtf8(s); };
    const auto at = [](int y, int m, int d, int h = 0, int mi = 0, int sec = 0) {
        return QDateTime(QDate(y, m, d), QTime(h, mi, sec));
    };
    return {
        {"integer", CellKind::Number, 42, Number},
        {"negative integer", CellKind::Number, -17, Number},
        {"decimal", CellKind::Number, 3.25, Number},
        {"negative decimal", CellKind::Number, -1234.5678, Number},
        {"large double", CellKind::Number, 1.5e300, Number},
        {"unsigned", CellKind::Number, 4000000000u, Number},
        {"15-digit integer", CellKind::Number, qlonglong(999999999999999), Number},
        {"16-digit integer as text", CellKind::Number, qlonglong(9007199254740993), Text,
         text("9007199254740993")},
        {"NaN as text", CellKind::Number, std::numeric_limits<double>::quiet_NaN(), Text,
         text("nan")},
        {"decimal text", CellKind::Number, text("-12.5"), Number, -12.5},
        {"comma decimal text", CellKind::Number, text("1,5"), Text},
        {"code with leading zeros", CellKind::Number, text("0012"), Text},
        {"word in a number column", CellKind::Number, text("yok"), Text},
        {"empty number", CellKind::Number, QVariant(), Empty},
        {"date", CellKind::Date, QDate(2024, 2, 29), Date, at(2024, 2, 29), text("29.02.2024")},
        {"first Excel date", CellKind::Date, QDate(1900, 3, 1), Date, at(1900, 3, 1),
         text("01.03.1900")},
        {"date-time",
         CellKind::DateTime,
         at(2024, 3, 15, 13, 45, 30),
         Date,
         {},
         text("15.03.2024 13:45:30")},
        {"date in a date-time column", CellKind::DateTime, QDate(2025, 1, 1), Date, at(2025, 1, 1),
         text("01.01.2025 00:00:00")},
        {"date before 1900 as text", CellKind::Date, QDate(1899, 12, 31), Text, text("31.12.1899")},
        {"empty date", CellKind::Date, QDate(), Empty},
        {"empty date-time", CellKind::DateTime, QVariant(), Empty},
        {"ascii", CellKind::Text, text("Plain ASCII, 100%"), Text},
        {"latin-1 letters", CellKind::Text, text("ÇÖÜçöü café"), Text},
        {"turkish", CellKind::Text, text("ÇĞİÖŞÜçğıöşü"), Text},
        {"above U+00FF next to ascii", CellKind::Text, text("Fiyat 12 € αβγ 中文"), Text},
        {"surrogate pair", CellKind::Text, text("ok 😀"), Text},
        {"quotes and commas", CellKind::Text, text("a \"b\", c"), Text},
        {"number in a text column", CellKind::Text, 12.5, Text, text("12.5")},
        {"empty text", CellKind::Text, QString(), Empty},
    };
}

// 70,000 rows of 7 numbers: more than a sheet holds, and a stream over 7 MB.
constexpr qsizetype kLongRows = 70000;
constexpr int kLongColumns = 7;
constexpr qsizetype kDataRowsPerSheet = vk::xls::kMaxSheetRows - 1;

QVariant longCell(qsizetype r, int c) {
    return double(r * 10 + c);
}

// The files in a folder with their contents.
QMap<QString, QByteArray> folderState(const QString& path) {
    QMap<QString, QByteArray> state;
    const QDir dir(path);
    for (const QString& name :
         dir.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden)) {
        QFile f(dir.filePath(name));
        state.insert(name, f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<folder>"));
    }
    return state;
}

} // namespace

class XlsTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    // the values workbook and the long one, each written and read once
    QJsonObject m_values;
    QList<QList<QStringList>> m_valuesRaw, m_valuesShown;
    QJsonObject m_long;
    QList<QList<QStringList>> m_longRaw;

    void readValues() {
        if (!m_values.isEmpty())
            return;
        const QList<ValueCase> cases = valueCases();
        QList<Column> columns;
        QVariantList row;
        for (const ValueCase& c : cases) {
            columns.append({QString::fromUtf8(c.name), c.kind});
            row.append(c.input);
        }
        const QString path = m_dir.filePath(QStringLiteral("values.xls"));
        QCOMPARE(vk::xls::saveWorkbook(path, columns, Rows({row}), QStringLiteral("Değerler")),
                 Outcome::Written);
        xlrdDump(path, 10, &m_values);
        if (QTest::currentTestFailed())
            return;
        ssconvertCsv(path, false, &m_valuesRaw);
        ssconvertCsv(path, true, &m_valuesShown);
    }

    void readLong() {
        if (!m_long.isEmpty())
            return;
        QList<Column> columns;
        for (int c = 0; c < kLongColumns; ++c)
            columns.append({QStringLiteral("Sütun %1").arg(c), CellKind::Number});
        const QString path = m_dir.filePath(QStringLiteral("long.xls"));
        QCOMPARE(vk::xls::saveWorkbook(path, columns, Rows(kLongRows, longCell)), Outcome::Written);
        xlrdDump(path, 2, &m_long);
        if (QTest::currentTestFailed())
            return;
        ssconvertCsv(path, false, &m_longRaw);
    }

private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    void values_data() {
        QTest::addColumn<int>("index");
        const QList<ValueCase> cases = valueCases();
        for (int i = 0; i < cases.size(); ++i)
            QTest::newRow(cases[i].name) << i;
    }

    void values() {
        REQUIRE_XLRD();
        REQUIRE_SSCONVERT();
        QFETCH(int, index);
        readValues();
        if (QTest::currentTestFailed())
            return;
        const ValueCase c = valueCases()[index];
        const QVariant expected = c.expected.isValid() ? c.expected : c.input;

        // the header: the caption in bold, on the sheet named as asked
        QCOMPARE(sheetNamesOf(m_values), QStringList{QStringLiteral("Değerler")});
        const QJsonArray header = cellAt(m_values, 0, 0, index);
        QCOMPARE(header[0].toInt(), int(Text));
        QCOMPARE(header[1].toString(), QString::fromUtf8(c.name));
        QCOMPARE(header[2].toBool(), true);
        QCOMPARE(header[4].toBool(), false); // cells point at cell XFs
        QCOMPARE(csvAt(m_valuesRaw, 0, 0, index), QString::fromUtf8(c.name));

        const QJsonArray cell = cellAt(m_values, 0, 1, index);
        const QString raw = csvAt(m_valuesRaw, 0, 1, index);
        QCOMPARE(cell.isEmpty() ? int(Empty) : cell[0].toInt(), int(c.type));
        QCOMPARE(cell[4].toBool(), false);
        switch (c.type) {
        case Empty:
            QCOMPARE(raw, QString());
            break;
        case Number:
            QCOMPARE(cell[1].toDouble(), expected.toDouble());
            QCOMPARE(raw.toDouble(), expected.toDouble());
            QCOMPARE(cell[2].toBool(), false);
            break;
        case Text:
            QCOMPARE(cell[1].toString(), expected.toString());
            QCOMPARE(raw, expected.toString());
            QCOMPARE(csvAt(m_valuesShown, 0, 1, index), expected.toString());
            break;
        case Date: {
            const QDateTime when = expected.toDateTime();
            const QJsonArray t = cell[1].toArray();
            QCOMPARE(QDateTime(QDate(t[0].toInt(), t[1].toInt(), t[2].toInt()),
                               QTime(t[3].toInt(), t[4].toInt(), t[5].toInt())),
                     when);
            QCOMPARE(cell[3].toString(), c.kind == CellKind::Date
                                             ? QStringLiteral("dd.mm.yyyy")
                                             : QStringLiteral("dd.mm.yyyy hh:mm:ss"));
            QCOMPARE(csvAt(m_valuesShown, 0, 1, index), c.shown);
            break;
        }
        }
    }

    // Shared strings beyond one record's 8,224 bytes go on in CONTINUE records.
    void strings_data() {
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<bool>("continued");

        QStringList shortLatin, shortWide;
        for (int i = 0; i < 3000; ++i) {
            shortLatin.append(QStringLiteral("Ürün %1").arg(i));
            shortWide.append(QStringLiteral("Şube %1 ğ").arg(i));
        }
        QString latin, wide;
        for (int i = 0; i < 20000; ++i) {
            latin += QChar(u'A' + i % 26);
            wide += QStringView(u"ığüşöç")[i % 6];
        }
        // the first record has this much room for strings after the caption "Metin"
        const int room = 8224 - 8 - (3 + 5);
        const QString emoji = QStringLiteral("😀");

        QTest::newRow("many short strings") << shortLatin << shortLatin << true;
        QTest::newRow("many UTF-16 strings") << shortWide << shortWide << true;
        QTest::newRow("long compressed string")
            << QStringList{QStringLiteral("ilk"), latin, QStringLiteral("son")}
            << QStringList{QStringLiteral("ilk"), latin, QStringLiteral("son")} << true;
        QTest::newRow("long UTF-16 string")
            << QStringList{QStringLiteral("ilk"), wide, QStringLiteral("son")}
            << QStringList{QStringLiteral("ilk"), wide, QStringLiteral("son")} << true;
        // one unit before the cut would be the first half of a pair
        const QString pairs = QStringLiteral("x") + emoji.repeated(6000);
        QTest::newRow("surrogate pair at the cut")
            << QStringList{pairs} << QStringList{pairs} << true;
        // two bytes left: the next string's header goes to the next record
        const QStringList headerAtEnd{QString(room - 3 - 2, u'q'), QStringLiteral("sonraki")};
        QTest::newRow("no room for a header") << headerAtEnd << headerAtEnd << true;
        // three bytes left: the header would fit, its first UTF-16 character would not
        const QStringList charAtEnd{QString(room - 3 - 3, u'q'), QStringLiteral("ğ sonraki")};
        QTest::newRow("no room for the first character") << charAtEnd << charAtEnd << true;
        QTest::newRow("cut to 32767 characters")
            << QStringList{QString(40000, u'a')} << QStringList{QString(32767, u'a')} << true;
        QTest::newRow("cut before a surrogate pair")
            << QStringList{QString(32766, u'a') + emoji + QStringLiteral("b")}
            << QStringList{QString(32766, u'a')} << true;
        QTest::newRow("few strings")
            << QStringList{QStringLiteral("bir"), QStringLiteral("iki")}
            << QStringList{QStringLiteral("bir"), QStringLiteral("iki")} << false;
    }

    void strings() {
        REQUIRE_XLRD();
        REQUIRE_SSCONVERT();
        QFETCH(QStringList, texts);
        QFETCH(QStringList, expected);
        QFETCH(bool, continued);
        const QString path = m_dir.filePath(QStringLiteral("strings.xls"));
        QCOMPARE(
            vk::xls::saveWorkbook(path, {{QStringLiteral("Metin")}},
                                  Rows(texts.size(), [&](qsizetype r, int) { return texts[r]; })),
            Outcome::Written);

        QJsonObject dump;
        xlrdDump(path, int(texts.size()) + 1, &dump);
        if (QTest::currentTestFailed())
            return;
        QList<QList<QStringList>> csv;
        ssconvertCsv(path, false, &csv);
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(rowCountsOf(dump), QList<int>{int(expected.size()) + 1});
        QCOMPARE(csv.value(0).size(), expected.size() + 1);
        for (int r = 0; r < expected.size(); ++r) {
            QCOMPARE(cellAt(dump, 0, r + 1, 0)[1].toString(), expected[r]);
            QCOMPARE(csvAt(csv, 0, r + 1, 0), expected[r]);
        }
        QVERIFY(dump[QStringLiteral("longestRecord")].toInt() <= 8224);
        QCOMPARE(dump[QStringLiteral("stringContinues")].toInt() > 0, continued);
        QVERIFY(dump[QStringLiteral("extsstOk")].toBool());
        QCOMPARE(dump[QStringLiteral("emptyFirstPieces")].toInt(), 0);
    }

    // 70,000 rows: a second sheet with the header again takes the rows after 65,535.
    void rowsBeyondOneSheet() {
        REQUIRE_XLRD();
        REQUIRE_SSCONVERT();
        readLong();
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(sheetNamesOf(m_long),
                 (QStringList{QStringLiteral("Sayfa1"), QStringLiteral("Sayfa2")}));
        const int lastRows = int(kLongRows - kDataRowsPerSheet) + 1;
        QCOMPARE(rowCountsOf(m_long), (QList<int>{int(vk::xls::kMaxSheetRows), lastRows}));
        QCOMPARE(m_longRaw.size(), 2);
        QCOMPARE(m_longRaw[0].size(), qsizetype(vk::xls::kMaxSheetRows));
        QCOMPARE(m_longRaw[1].size(), qsizetype(lastRows));

        struct Probe {
            int sheet, row;
            qsizetype dataRow;
        };
        const Probe probes[] = {{0, 1, 0},
                                {0, int(vk::xls::kMaxSheetRows) - 1, kDataRowsPerSheet - 1},
                                {1, 1, kDataRowsPerSheet},
                                {1, lastRows - 1, kLongRows - 1}};
        for (int sheet = 0; sheet < 2; ++sheet) {
            QCOMPARE(cellAt(m_long, sheet, 0, kLongColumns - 1)[1].toString(),
                     QStringLiteral("Sütun %1").arg(kLongColumns - 1));
            QVERIFY(cellAt(m_long, sheet, 0, 0)[2].toBool());
            QCOMPARE(csvAt(m_longRaw, sheet, 0, 0), QStringLiteral("Sütun 0"));
        }
        for (const Probe& p : probes) {
            for (int c = 0; c < kLongColumns; ++c) {
                const double want = longCell(p.dataRow, c).toDouble();
                QCOMPARE(cellAt(m_long, p.sheet, p.row, c)[1].toDouble(), want);
                QCOMPARE(csvAt(m_longRaw, p.sheet, p.row, c).toDouble(), want);
            }
        }
    }

    // Over 109 FAT sectors (a stream over about 7 MB): the rest are listed in DIFAT sectors.
    void streamOverSevenMegabytes() {
        REQUIRE_XLRD();
        REQUIRE_SSCONVERT();
        readLong();
        if (QTest::currentTestFailed())
            return;
        QVERIFY(QFileInfo(m_dir.filePath(QStringLiteral("long.xls"))).size() > 109 * 128 * 512);
        QVERIFY(m_long[QStringLiteral("difatSectors")].toInt() >= 1);
        // both readers got to the end of the stream
        QCOMPARE(
            cellAt(m_long, 1, int(kLongRows - kDataRowsPerSheet), kLongColumns - 1)[1].toDouble(),
            longCell(kLongRows - 1, kLongColumns - 1).toDouble());
        QCOMPARE(m_longRaw.value(1).value(int(kLongRows - kDataRowsPerSheet)).size(), kLongColumns);
    }

    // Sizes at the edges: a stream under 4,096 bytes, a full row of columns, a full sheet.
    void shapes_data() {
        QTest::addColumn<int>("columns");
        QTest::addColumn<int>("rows");
        QTest::addColumn<QList<int>>("sheetRows");
        QTest::addColumn<int>("lastColumns");
        QTest::newRow("header only") << 3 << 0 << QList<int>{1} << 3;
        QTest::newRow("no columns") << 0 << 0 << QList<int>{0} << 0;
        QTest::newRow("rows without columns") << 0 << 5 << QList<int>{0} << 0;
        QTest::newRow("256 columns") << 256 << 2 << QList<int>{3} << 256;
        QTest::newRow("a full sheet") << 1 << 65535 << QList<int>{65536} << 1;
        QTest::newRow("one row more") << 1 << 65536 << QList<int>{65536, 2} << 1;
    }

    void shapes() {
        REQUIRE_XLRD();
        QFETCH(int, columns);
        QFETCH(int, rows);
        QFETCH(QList<int>, sheetRows);
        QFETCH(int, lastColumns);
        QList<Column> cols;
        for (int c = 0; c < columns; ++c)
            cols.append({QStringLiteral("K%1").arg(c), CellKind::Number});
        const QString path = m_dir.filePath(QStringLiteral("shape.xls"));
        QCOMPARE(
            vk::xls::saveWorkbook(path, cols, Rows(rows, [](qsizetype r, int c) { return r + c; })),
            Outcome::Written);
        QJsonObject dump;
        xlrdDump(path, 2, &dump);
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(rowCountsOf(dump), sheetRows);
        const QJsonObject last = dump[QStringLiteral("sheets")].toArray().last().toObject();
        QCOMPARE(last[QStringLiteral("ncols")].toInt(), lastColumns);
        if (lastColumns > 0 && rows > 0) {
            const int lastRow = sheetRows.last() - 1;
            QCOMPARE(
                cellAt(dump, int(sheetRows.size()) - 1, lastRow, lastColumns - 1)[1].toDouble(),
                double(rows - 1 + lastColumns - 1));
        }
    }

    void sheetNames_data() {
        QTest::addColumn<QString>("given");
        QTest::addColumn<int>("count");
        QTest::addColumn<QStringList>("expected");
        const QString long40 = QStringLiteral("Stok listesi ve fiyatlar 2026 yılı X12");
        QTest::newRow("none given")
            << QString() << 3
            << QStringList{QStringLiteral("Sayfa1"), QStringLiteral("Sayfa2"),
                           QStringLiteral("Sayfa3")};
        QTest::newRow("blank") << QStringLiteral("  ") << 1
                               << QStringList{QStringLiteral("Sayfa1")};
        QTest::newRow("given") << QStringLiteral("Stok") << 3
                               << QStringList{QStringLiteral("Stok"), QStringLiteral("Stok (2)"),
                                              QStringLiteral("Stok (3)")};
        QTest::newRow("forbidden characters") << QStringLiteral("Fiyat: 1/2 [TL]?*\\") << 1
                                              << QStringList{QStringLiteral("Fiyat_ 1_2 _TL____")};
        QTest::newRow("apostrophes at the ends")
            << QStringLiteral("'Liste'") << 1 << QStringList{QStringLiteral("Liste")};
        QTest::newRow("too long") << long40 << 2
                                  << QStringList{long40.left(31),
                                                 long40.left(27) + QStringLiteral(" (2)")};
        QTest::newRow("reserved by Excel")
            << QStringLiteral("History") << 1 << QStringList{QStringLiteral("History (2)")};
        // the second name, cut to fit its number, would repeat the first
        const QString clash = QString(27, u'a') + QStringLiteral(" (2)");
        QTest::newRow("cut name repeats the first")
            << clash << 2 << QStringList{clash, QString(27, u'a') + QStringLiteral(" (3)")};
        QTest::newRow("cut inside a surrogate pair")
            << QString(30, u'a') + QStringLiteral("😀") << 1 << QStringList{QString(30, u'a')};
    }

    void sheetNames() {
        QFETCH(QString, given);
        QFETCH(int, count);
        QFETCH(QStringList, expected);
        QCOMPARE(vk::xls::sheetNames(given, count), expected);
    }

    void progressCountsRows() {
        QList<QPair<qsizetype, qsizetype>> calls;
        QBuffer buffer;
        QVERIFY(buffer.open(QIODevice::WriteOnly));
        const Rows rows(2500, [](qsizetype r, int) { return r; });
        QCOMPARE(vk::xls::writeWorkbook(buffer, {{QStringLiteral("No"), CellKind::Number}}, rows,
                                        {},
                                        [&](qsizetype done, qsizetype total) {
                                            calls.append({done, total});
                                            return true;
                                        }),
                 Outcome::Written);
        QVERIFY(calls.size() >= 3);
        QCOMPARE(calls.first(), (QPair<qsizetype, qsizetype>(0, 2500)));
        QCOMPARE(calls.last(), (QPair<qsizetype, qsizetype>(2500, 2500)));
        for (qsizetype i = 1; i < calls.size(); ++i) {
            QVERIFY(calls[i].first > calls[i - 1].first);
            QCOMPARE(calls[i].second, qsizetype(2500));
        }
        QVERIFY(buffer.size() >= 4096 + 512);
    }

    // Cancelling leaves the target as it was: no file, or the old one; and no temporary file.
    void cancelledSave_data() {
        QTest::addColumn<int>("cancelAt"); // the progress call that answers false
        QTest::addColumn<bool>("oldFile");
        QTest::newRow("at the start") << 0 << false;
        QTest::newRow("midway") << 2 << false;
        QTest::newRow("after the last row") << -1 << false;
        QTest::newRow("midway, old file kept") << 2 << true;
        QTest::newRow("after the last row, old file kept") << -1 << true;
    }

    void cancelledSave() {
        QFETCH(int, cancelAt);
        QFETCH(bool, oldFile);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("liste.xls"));
        if (oldFile) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("eski dosya");
        }
        const auto before = folderState(dir.path());
        const Rows rows(5000, [](qsizetype r, int) { return r; });
        int call = 0;
        const vk::xls::Progress cancel = [&](qsizetype done, qsizetype total) {
            return cancelAt < 0 ? done < total : call++ < cancelAt;
        };
        const QList<Column> columns{{QStringLiteral("No"), CellKind::Number}};
        QCOMPARE(vk::xls::saveWorkbook(path, columns, rows, {}, cancel), Outcome::Cancelled);
        QCOMPARE(folderState(dir.path()), before);

        call = 0;
        QBuffer buffer;
        QVERIFY(buffer.open(QIODevice::WriteOnly));
        QCOMPARE(vk::xls::writeWorkbook(buffer, columns, rows, {}, cancel), Outcome::Cancelled);
        QCOMPARE(buffer.size(), 0);
    }

    // A failure is an error with its reason, and the target stays as it was.
    void failedSave_data() {
        QTest::addColumn<QString>("failure");
        QTest::addColumn<QString>("reason");
        QTest::newRow("missing folder") << QStringLiteral("missing folder") << QString();
        QTest::newRow("target is a folder") << QStringLiteral("folder") << QString();
        QTest::newRow("read-only folder") << QStringLiteral("read-only") << QString();
        QTest::newRow("too many columns")
            << QStringLiteral("columns") << QStringLiteral("256 sütun");
        QTest::newRow("the source fails midway")
            << QStringLiteral("source") << QStringLiteral("bağlantı koptu");
    }

    void failedSave() {
        QFETCH(QString, failure);
        QFETCH(QString, reason);
        if (failure == QStringLiteral("read-only") && geteuid() == 0)
            QSKIP("root writes into read-only folders");
        QTemporaryDir dir;
        QString path = dir.filePath(QStringLiteral("liste.xls"));
        QList<Column> columns{{QStringLiteral("No"), CellKind::Number}};
        Cell cell = [](qsizetype r, int) { return r; };
        {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("eski dosya");
        }
        if (failure == QStringLiteral("missing folder"))
            path = dir.filePath(QStringLiteral("yok/liste.xls"));
        if (failure == QStringLiteral("folder")) {
            path = dir.filePath(QStringLiteral("klasor.xls"));
            QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("klasor.xls")));
        }
        if (failure == QStringLiteral("read-only"))
            QVERIFY(
                QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        if (failure == QStringLiteral("columns"))
            columns = QList<Column>(257, Column{QStringLiteral("K"), CellKind::Text});
        if (failure == QStringLiteral("source"))
            cell = [](qsizetype r, int) -> QVariant {
                if (r == 1500)
                    throw vk::Error(QStringLiteral("bağlantı koptu"));
                return r;
            };
        const auto before = folderState(dir.path());

        QString text;
        try {
            vk::xls::saveWorkbook(path, columns, Rows(3000, cell));
        } catch (const vk::Error& e) {
            text = e.text();
        }
        QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                              QFileDevice::ExeOwner);
        QVERIFY2(!text.isEmpty(), "no error reported");
        if (!reason.isEmpty())
            QVERIFY2(text.contains(reason), qPrintable(text));
        QCOMPARE(folderState(dir.path()), before);
    }

    void replacesExistingFile() {
        REQUIRE_XLRD();
        const QString path = m_dir.filePath(QStringLiteral("replaced.xls"));
        for (const QString& text : {QStringLiteral("eski"), QStringLiteral("yeni")})
            QCOMPARE(vk::xls::saveWorkbook(path, {{QStringLiteral("Metin")}}, Rows({{text}})),
                     Outcome::Written);
        QJsonObject dump;
        xlrdDump(path, 2, &dump);
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(cellAt(dump, 0, 1, 0)[1].toString(), QStringLiteral("yeni"));
    }
};

QTEST_GUILESS_MAIN(XlsTest)
#include "tst_xls.moc"
