#include "handlers/access.h"
#include "handlers/handlers.h"

#include "catalogue/discount.h"
#include "catalogue/searchtext.h"
#include "common/utils.h"
#include "dispatcher.h"
#include "server/baglantiu.h"
#include "store/store.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QRegularExpression>

#include <algorithm>

namespace vk::server {

namespace {

constexpr int kDefaultRowLimit = 10000;
constexpr int kShortestText = 3;
constexpr int kIndexedLength = 3; // the trigram index finds substrings of this length and more

// The statement in two steps: the matching articles ranked on a few narrow columns, then the
// rows kept read in full. The rank: an article with a code key equal to the whole text's key,
// then one with a key starting with it, then one where any word is in a code key, then one
// matched by its names alone. Most articles of a broad search are the last kind: the first test
// sends them there at the price of one instr. Empty word lists skip their subqueries.
QString searchStatement(const QString& from, const QString& where) {
    return QStringLiteral(
               "SELECT s.stokno, s.durum, s.oem1, s.oem2, s.oem3, s.oem4, s.oemno, s.barkod,"
               " s.adi, s.digeradi, s.finishkod, s.ureticikodu, s.ozelkod, s.dpkod, s.pkod,"
               " s.barkodno, s.marka, s.model, s.anagrup, s.birim, s.resimvar, s.kalan,"
               " s.alinansiparis, s.verilensiparis, s.kdv, s.listefiyat, s.kampfiyat,"
               " s.kampanya, s.yeni, COALESCE(si.ind1, ig.ind1, 0),"
               " COALESCE(si.ind2, ig.ind2, 0), COALESCE(si.ind3, ig.ind3, 0),"
               " COALESCE(si.ind4, ig.ind4, 0)"
               " FROM (SELECT s.stokno AS no, s.barkod AS barkod,"
               "  CASE WHEN instr(s.arama_kod, ?) = 0 THEN"
               "         CASE WHEN instr(s.arama_kod, ?) > 0 OR (? <> '[]' AND EXISTS"
               "           (SELECT 1 FROM json_each(?) k WHERE instr(s.arama_kod, k.value) > 0))"
               "         THEN 2 ELSE 3 END"
               "       WHEN instr(' ' || s.arama_kod || ' ', ?) > 0 THEN 0"
               "       WHEN instr(' ' || s.arama_kod, ?) > 0 THEN 1"
               "       ELSE 2 END AS sira") +
           from + QStringLiteral(" WHERE ") + where +
           QStringLiteral(
               "  AND s.aktif = 1 AND (? = '[]' OR NOT EXISTS (SELECT 1 FROM json_each(?) w"
               "   WHERE s.arama_kod NOT LIKE json_extract(w.value, '$[0]') ESCAPE '\\'"
               "     AND s.arama_ad NOT LIKE json_extract(w.value, '$[1]') ESCAPE '\\'))"
               "  ORDER BY sira, s.barkod, s.stokno LIMIT ?) a"
               " CROSS JOIN stok s ON s.stokno = a.no"
               " LEFT JOIN stok_iskonto si ON si.stokno = s.stokno AND si.sinif = ?"
               " LEFT JOIN iskonto_grup ig ON ig.anagrup = s.anagrup AND ig.sinif = ?"
               " ORDER BY a.sira, a.barkod, a.no");
}

// Through the index: CROSS JOIN keeps it the outer loop, each hit then read by its key.
const QString& indexedStatement() {
    static const QString s =
        searchStatement(QStringLiteral(" FROM stok_ara f CROSS JOIN stok s ON s.stokno = f.rowid"),
                        QStringLiteral("f.stok_ara MATCH ?"));
    return s;
}

// Only words shorter than the index can look up: the catalogue is read through.
const QString& scanningStatement() {
    static const QString s = searchStatement(QStringLiteral(" FROM stok s"), QStringLiteral("1"));
    return s;
}

QString likePattern(const QString& text) {
    QString p = text;
    p.replace(u'\\', QStringLiteral("\\\\"));
    p.replace(u'%', QStringLiteral("\\%"));
    p.replace(u'_', QStringLiteral("\\_"));
    return QStringLiteral("%") + p + QStringLiteral("%");
}

QString phrase(const QString& text) {
    QString p = text;
    p.replace(u'"', QStringLiteral("\"\""));
    return QStringLiteral("\"") + p + QStringLiteral("\"");
}

QStringList words(const QString& text) {
    static const QRegularExpression space(QStringLiteral("\\s+"));
    return text.split(space, Qt::SkipEmptyParts);
}

// A search text taken apart: every word must occur in a code key (as its own code key) or in the
// names (folded).
struct Search {
    QString wholeKey;     // the whole text's code key
    QString firstKey;     // the first word's code key
    QJsonArray otherKeys; // the other words' code keys
    QStringList match;    // full-text terms of the words the index can look up
    QJsonArray shorter;   // [code pattern, name pattern] of the others
};

QString json(const QJsonArray& a) {
    return QString::fromUtf8(QJsonDocument(a).toJson(QJsonDocument::Compact));
}

// Texts shorter than the index can look up and words without a letter or digit find nothing.
std::optional<Search> parseSearch(const QString& text) {
    const QString folded = foldSearchText(text).trimmed();
    if (folded.size() < kShortestText)
        return std::nullopt;
    Search s;
    s.wholeKey = searchCodeKey(folded);
    QStringList seen;
    for (const QString& word : words(folded)) {
        const QString key = searchCodeKey(word);
        if (key.isEmpty() || seen.contains(word))
            continue;
        seen.append(word);
        if (s.firstKey.isEmpty())
            s.firstKey = key;
        else
            s.otherKeys.append(key);
        if (key.size() >= kIndexedLength) {
            // A word that is its own code key is looked up once, in both columns.
            s.match.append(key == word ? phrase(key)
                                       : QStringLiteral("(arama_kod : %1 OR arama_ad : %2)")
                                             .arg(phrase(key), phrase(word)));
        } else {
            s.shorter.append(QJsonArray{likePattern(key), likePattern(word)});
        }
    }
    if (s.firstKey.isEmpty())
        return std::nullopt;
    return s;
}

int rowLimit(Store& store) {
    Sql q(store, QStringLiteral("SELECT deger FROM ayar WHERE anahtar = 'arama_en_cok'"));
    bool ok = false;
    const int n = q.exec().scalar().toString().toInt(&ok);
    return ok && n > 0 ? n : kDefaultRowLimit;
}

struct Column {
    const char* name;
    FieldType type;
};

constexpr Column kColumns[] = {
    {"STOK_STOKNO", FieldType::Integer}, {"DURUM", FieldType::Integer},
    {"OEM1", FieldType::String},         {"OEM2", FieldType::String},
    {"OEM3", FieldType::String},         {"OEM4", FieldType::String},
    {"OEMNO", FieldType::String},        {"BARKOD", FieldType::String},
    {"ADI", FieldType::String},          {"DIGERADI", FieldType::String},
    {"FINISHKOD", FieldType::String},    {"URETICIKODU", FieldType::String},
    {"OZELKOD", FieldType::String},      {"DPKOD", FieldType::String},
    {"PKOD", FieldType::String},         {"BARKOD_BARKODNO", FieldType::String},
    {"MARKA", FieldType::String},        {"MODEL", FieldType::String},
    {"ANAGRUP", FieldType::String},      {"BIRIM", FieldType::String},
    {"RESIM", FieldType::Integer},       {"KALAN", FieldType::Float},
    {"ALINANSIPARIS", FieldType::Float}, {"VERILENSIPARIS", FieldType::Float},
    {"KDV", FieldType::Float},           {"LISTEFIYAT1", FieldType::Float},
    {"KAMPFIYAT", FieldType::Float},     {"FIYAT", FieldType::Float},
    {"IND1", FieldType::Float},          {"IND2", FieldType::Float},
    {"IND3", FieldType::Float},          {"IND4", FieldType::Float},
    {"INDIRIMYAZI", FieldType::String},  {"NETFIYAT", FieldType::Float},
    {"KDVDAHIL", FieldType::Float},      {"Y", FieldType::Integer},
    {"K", FieldType::Integer},
};

// The first columns go out as they are selected.
constexpr int kPlainColumns = 21;

TablePtr emptyResult() {
    auto t = std::make_shared<TableData>();
    for (const Column& c : kColumns)
        t->fields.append(FieldDef::make(QString::fromLatin1(c.name), c.type));
    t->columns.resize(std::size(kColumns));
    return t;
}

void stokAraGetir(Call& c) {
    const auto* bilgi = c.record<TSonucBilgisi>(1);
    const Caller caller = callerActingFor(c.store(), bilgi, bilgi ? bilgi->CARINO() : 0);
    TablePtr table = emptyResult();
    const std::optional<Search> search = parseSearch(c.text(0));
    if (!search) {
        c.setResult(table);
        return;
    }

    const bool indexed = !search->match.isEmpty();
    const QString otherKeys = json(search->otherKeys);
    const QString shorter = json(search->shorter);
    QVariantList values = {search->wholeKey,
                           search->firstKey,
                           otherKeys,
                           otherKeys,
                           QStringLiteral(" ") + search->wholeKey + QStringLiteral(" "),
                           QStringLiteral(" ") + search->wholeKey};
    if (indexed)
        values.append(search->match.join(QStringLiteral(" AND ")));
    const int limit = rowLimit(c.store());
    values << shorter << shorter << limit << caller.discountClass << caller.discountClass;

    // Selected: the columns that go out as they are, then kalan, alinansiparis, verilensiparis,
    // kdv, listefiyat, kampfiyat, kampanya, yeni and the class's four rates.
    std::vector<QVariantList>& col = table->columns;
    for (QVariantList& column : col)
        column.reserve(std::min(limit, 1024)); // spares the first regrowths of broad searches
    qsizetype rows = 0;
    const auto addRow = [&](const Row& row) {
        for (int i = 0; i < kPlainColumns; ++i)
            col[size_t(i)].append(row.value(i));
        const double kdv = row.real(24);
        const Rates classRates = {row.real(29), row.real(30), row.real(31), row.real(32)};
        const ArticleTerms t = articleTerms(row.real(25), row.real(26), int(row.integer(27)),
                                            classRates, caller.seesCampaigns());
        const double net =
            IndirimHesapla(t.price, t.rates[0], t.rates[1], t.rates[2], t.rates[3], 1).net;
        int i = kPlainColumns;
        col[size_t(i++)].append(row.real(21));
        col[size_t(i++)].append(row.real(22));
        col[size_t(i++)].append(row.real(23));
        col[size_t(i++)].append(kdv);
        col[size_t(i++)].append(t.listPrice);
        col[size_t(i++)].append(t.campaignPrice);
        col[size_t(i++)].append(t.price);
        for (double r : t.rates)
            col[size_t(i++)].append(r);
        col[size_t(i++)].append(discountText(t.campaign > 0, t.listPrice, t.price, t.rates));
        col[size_t(i++)].append(net);
        col[size_t(i++)].append(IkiHaneYuvarla(net * (1 + kdv / 100)));
        col[size_t(i++)].append(int(row.integer(28)));
        col[size_t(i++)].append(t.campaign);
        ++rows;
    };
    c.store().forEachRow(indexed ? indexedStatement() : scanningStatement(), values, addRow);
    table->rowCount = rows;
    c.setResult(table);
}

// The article's picture (a JPEG) and its size; none: no bytes and 0.
void resimVer5(Call& c) {
    Sql q(c.store(), QStringLiteral("SELECT resim FROM stok_resim WHERE stokno = ?"), {c.int32(0)});
    const QByteArray bytes = q.exec().scalar().toByteArray();
    c.setOut(1, qint64(bytes.size()));
    c.setResult(bytes);
}

} // namespace

const QString& stockSearchStatement() {
    return indexedStatement();
}

void registerCatalogueHandlers(Dispatcher& d) {
    d.add(MethodId::StokAraGetir, stokAraGetir);
    d.add(MethodId::ResimVer5, resimVer5);
}

} // namespace vk::server
