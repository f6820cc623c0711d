// The server interface: transfer records and their JSON form, the method catalogue, table
// decoding, the in-memory table, and the proxy against a real HTTP server with canned replies.

#include "cannedserver.h"

#include "common/errors.h"
#include "common/utils.h"
#include "server/baglantiu.h"
#include "server/connection.h"
#include "server/memtable.h"
#include "server/memtablemodel.h"
#include "server/methodcatalogue.h"
#include "server/mobilstokunit.h"
#include "server/proxim.h"
#include "server/tabledata.h"

#include <QDate>
#include <QDateTime>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <QSignalSpy>
#include <QTest>

using vk::test::CannedReply;
using vk::test::CannedServer;

namespace {

QJsonObject parseObject(const QByteArray& json) {
    QJsonParseError e;
    const QJsonDocument d = QJsonDocument::fromJson(json, &e);
    if (e.error != QJsonParseError::NoError)
        qWarning("bad JSON: %s", json.constData());
    return d.object();
}

// Every field set to a value that differs from its default, so copies show every field.
template <class R> R filledRecord() {
    R fresh;
    QJsonObject obj = parseObject(vk::marshalRecord(&fresh));
    QJsonObject fields = obj.value(QStringLiteral("fields")).toObject();
    int n = 0;
    for (auto it = fields.begin(); it != fields.end(); ++it, ++n) {
        switch (it.value().type()) {
        case QJsonValue::String:
            it.value() = QStringLiteral("değer %1 \"ş\"").arg(n);
            break;
        case QJsonValue::Double:
            it.value() = n + 7;
            break;
        case QJsonValue::Bool:
            it.value() = true;
            break;
        default:
            break;
        }
    }
    obj.insert(QStringLiteral("fields"), fields);
    vk::UnmarshalContext ctx;
    auto r = vk::unmarshal<R>(obj, ctx);
    return *r;
}

template <class R> void checkKopyala() {
    const R source = filledRecord<R>();
    R copy;
    copy.Kopyala(source);
    vk::JsonWriter w;
    vk::MarshalContext ctx;
    w.beginArray();
    vk::marshalRecord(w, &source, ctx);
    vk::marshalRecord(w, &copy, ctx);
    w.endArray();
    const QJsonArray both = QJsonDocument::fromJson(w.data()).array();
    QJsonObject a = both.at(0).toObject(), b = both.at(1).toObject();
    QCOMPARE(a.value(QStringLiteral("id")).toInt(), 1);
    QCOMPARE(b.value(QStringLiteral("id")).toInt(), 2);
    a.remove(QStringLiteral("id"));
    b.remove(QStringLiteral("id"));
    QCOMPARE(a, b);
    QCOMPARE(a.value(QStringLiteral("fields")).toObject().size(), R::kFieldCount);
    QVERIFY(a != parseObject(vk::marshalRecord(std::make_unique<R>().get())));
}

vk::ServerConnection* openConnection(vk::ServerConnection& c, const CannedServer& s,
                                     int timeoutMs = 5000) {
    c.setHostName(QStringLiteral("127.0.0.1"));
    c.setPort(s.port());
    c.setCallTimeoutMs(timeoutMs);
    c.Open();
    return &c;
}

const QByteArray kTwoRowTable =
    R"({"table":[["STOK_STOKNO",6,0,0,0,4,0,0,false,false,0,false,false],)"
    R"(["ADI",26,1,0,0,100,0,0,true,false,0,false,false],)"
    R"(["FIYAT",7,2,0,0,8,0,0,true,false,0,false,false]],)"
    R"("STOK_STOKNO":[101,102],"ADI":["FREN BALATASI","YAĞ FİLTRESİ"],"FIYAT":[412.5,96]})";

const QByteArray kEmptyTable =
    R"({"table":[["STOK_STOKNO",6,0,0,0,4,0,0,false,false,0,false,false]],"STOK_STOKNO":[]})";

QByteArray resultOf(const QByteArray& value) {
    return "{\"result\":[" + value + "]}";
}

} // namespace

class ServerInterfaceTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey)); }

    // ---- Records -------------------------------------------------------------------------

    void records_freshLoginRecord() {
        TSonucBilgisi fresh;
        QCOMPARE(
            vk::marshalRecord(&fresh),
            QByteArray(R"({"type":"baglantiu.TSonucBilgisi","id":1,"fields":{)"
                       R"("FBILGISAYARID":"","FSaticiMail":"","FSirano":0,"FCariAdi":"",)"
                       R"("FSIFRE":"","FSaticiNo":0,"FCARINO":0,"FAKTIF":0,"FKullanicimail":"",)"
                       R"("FADI":"","FSaticiTelefon":"","Fcarikod":"","FVarmi":false,)"
                       R"("FSaticiAdi":"","FBilgiSayarAdi":"","FDisip":"","FIcip":"",)"
                       R"("FBilgisayarKullanici":"","FMusteriTipi":1,"FVersion":1}})"));
        QCOMPARE(vk::marshalRecord(nullptr), QByteArray("null"));
    }

    void records_freshStock() {
        TMobilStok fresh;
        const QJsonObject fields =
            parseObject(vk::marshalRecord(&fresh)).value(QStringLiteral("fields")).toObject();
        QCOMPARE(fields.size(), 35);
        QCOMPARE(fields.value(QStringLiteral("FBirim")).toString(), QStringLiteral("ADET"));
        QCOMPARE(fields.value(QStringLiteral("FKDV")).toDouble(), 20.0);
        QCOMPARE(fields.value(QStringLiteral("FFiyat")).toDouble(), 0.0);
        QCOMPARE(TMobilSepet::kFieldCount, 53);
        QCOMPARE(TMobilCariBilgisi::kFieldCount, 30);
    }

    void records_kopyala() {
        checkKopyala<TSonucBilgisi>();
        checkKopyala<TSiparisDipAyrinti>();
        checkKopyala<TTusSonuclari>();
        checkKopyala<TMobilStok>();
        checkKopyala<TMobilSepet>();
        checkKopyala<TMobilCariBilgisi>();
    }

    void records_screenArray() {
        TAcilisEkranlariki none;
        const QByteArray json = vk::marshalRecord(&none);
        QVERIFY(json.contains(R"("fields":{"FEkranlar":[]})"));
        vk::UnmarshalContext ctx;
        QVERIFY(vk::unmarshal<TAcilisEkranlariki>(parseObject(json), ctx)->Ekranlar().isEmpty());

        // An object met again is written as a reference to its id.
        const QByteArray two =
            R"({"type":"mobilstokunit.TAcilisEkranlariki","id":1,"fields":{"FEkranlar":[)"
            R"({"type":"mobilstokunit.TAcilisEkran","id":2,"fields":{"FSiraNo":4,"FResim":"FFD8",)"
            R"("FBaslik":"Kampanya","FArama":"#KAMPANYA#"}},)"
            R"({"type":"mobilstokunit.TAcilisEkran","ref":2}]}})";
        vk::UnmarshalContext ctx2;
        const auto list = vk::unmarshal<TAcilisEkranlariki>(parseObject(two), ctx2);
        QCOMPARE(list->Ekranlar().size(), 2);
        QCOMPARE(list->Ekranlar().at(0).Arama(), QStringLiteral("#KAMPANYA#"));
        QCOMPARE(list->Ekranlar().at(1).SiraNo(), 4);
    }

    void records_reading_data() {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<QString>("error"); // empty: reads fine
        QTest::newRow("missing fields keep defaults, extra ignored")
            << QByteArray(
                   R"({"type":"baglantiu.TSonucBilgisi","id":1,"fields":{"FADI":"ALİ","FYeni":3}})")
            << QString();
        QTest::newRow("wrong class")
            << QByteArray(R"({"type":"baglantiu.TTusSonuclari","id":1,"fields":{}})")
            << QStringLiteral("baglantiu.TSonucBilgisi beklenirken baglantiu.TTusSonuclari geldi");
        QTest::newRow("number as text")
            << QByteArray(R"({"type":"baglantiu.TSonucBilgisi","id":1,"fields":{"FCARINO":"12"}})")
            << QStringLiteral("TSonucBilgisi kaydının FCARINO alanı 32 bitlik tamsayı olmalı");
        QTest::newRow("fraction in an integer")
            << QByteArray(R"({"type":"baglantiu.TSonucBilgisi","id":1,"fields":{"FAKTIF":1.5}})")
            << QStringLiteral("FAKTIF alanı 32 bitlik tamsayı olmalı");
        QTest::newRow("flag as number")
            << QByteArray(R"({"type":"baglantiu.TSonucBilgisi","id":1,"fields":{"FVarmi":1}})")
            << QStringLiteral("FVarmi alanı mantıksal değer olmalı");
        QTest::newRow("no fields") << QByteArray(R"({"type":"baglantiu.TSonucBilgisi","id":1})")
                                   << QStringLiteral("\"fields\" yok");
        QTest::newRow("unresolved ref")
            << QByteArray(R"({"type":"baglantiu.TSonucBilgisi","ref":9})")
            << QStringLiteral("çözülemeyen ref 9");
        QTest::newRow("not an object") << QByteArray("[1,2]") << QStringLiteral("dizi geldi");
    }

    void records_reading() {
        QFETCH(QByteArray, json);
        QFETCH(QString, error);
        const QJsonValue value = QJsonDocument::fromJson("[" + json + "]").array().at(0);
        vk::UnmarshalContext ctx;
        try {
            const auto r = vk::unmarshal<TSonucBilgisi>(value, ctx);
            QVERIFY2(error.isEmpty(), "reading should have failed");
            QCOMPARE(r->ADI(), QStringLiteral("ALİ"));
            QCOMPARE(r->MusteriTipi(), 1);
            QCOMPARE(r->Version(), 1);
        } catch (const vk::ProtocolError& e) {
            QVERIFY2(!error.isEmpty() && e.text().contains(error), qPrintable(e.text()));
        }
    }

    // ---- Catalogue -----------------------------------------------------------------------

    void catalogue() {
        const auto methods = vk::methodCatalogue();
        QCOMPARE(int(methods.size()), 102);
        QSet<QString> names;
        for (const vk::MethodSpec& m : methods) {
            names.insert(QString::fromLatin1(m.name));
            QCOMPARE(vk::findMethod(QString::fromLatin1(m.name)), &m);
            QCOMPARE(&vk::methodSpec(m.id), &m);
            for (const vk::ParamSpec& p : m.params) {
                if (p.type == vk::WireType::Record)
                    QVERIFY(vk::createRecord(QString::fromLatin1(p.recordType)));
            }
            if (m.result == vk::WireType::Record)
                QVERIFY2(vk::createRecord(QString::fromLatin1(m.resultRecordType)), m.name);
        }
        QCOMPARE(names.size(), 102);
        QVERIFY(!vk::findMethod(u"sepetver2")); // names are exact

        const vk::MethodSpec& b = vk::methodSpec(vk::MethodId::BelgeIndir2);
        QCOMPARE(QString::fromLatin1(b.params[0].name), QStringLiteral("sirano"));
        QCOMPARE(QString::fromLatin1(b.params[3].name), QStringLiteral("bilgi"));
        QVERIFY(b.params[1].out && b.params[2].out && !b.params[3].out);
        QCOMPARE(b.resultPosition(), 4);
        QCOMPARE(b.inputCount(), 2);
        QCOMPARE(b.outputCount(), 3);
        QCOMPARE(vk::methodSpec(vk::MethodId::MailGonserCariNormal).params.size(), size_t(17));
        QCOMPARE(vk::methodSpec(vk::MethodId::CariVadeGunGecmismiBul).id, vk::MethodId(101));
    }

    // ---- Tables --------------------------------------------------------------------------

    void table_allTypes() {
        const QByteArray json =
            R"({"table":[["S",26,0,0,0,10,0,0,true,false,0,false,false],["I",6,1,0,0,4,0,0,true,false,0,false,false],)"
            R"(["L",18,2,0,0,8,0,0,true,false,0,false,false],["F",25,3,0,0,8,0,0,true,false,0,false,false],)"
            R"(["B",4,4,0,0,1,0,0,true,false,0,false,false],["D",2,5,0,0,4,0,0,true,false,0,false,false],)"
            R"(["T",10,6,0,0,4,0,0,true,false,0,false,false],["DT",24,7,0,0,8,0,0,true,false,0,false,false],)"
            R"(["BL",33,8,0,0,0,0,0,true,false,0,false,false]],)"
            R"("S":["Çağrı",null],"I":[-5,null],"L":[9007199254740993,0],"F":[1.5,2],"B":[true,false],)"
            R"("D":["2026-12-11",null],"T":["08:30:15.250","23:59:59"],)"
            R"("DT":["2026-03-27 14:05:09.007","2026-01-01 00:00:00"],"BL":[[255,0,7],[]]})";
        const vk::TableData t = vk::decodeTable(QJsonDocument::fromJson(json).object());
        QCOMPARE(t.rowCount, 2);
        QCOMPARE(t.fields[3].type, vk::FieldType::Float);
        QCOMPARE(t.columns[0][0].toString(), QStringLiteral("Çağrı"));
        QVERIFY(!t.columns[0][1].isValid());
        QCOMPARE(t.columns[1][0].toInt(), -5);
        QCOMPARE(t.columns[2][0].toLongLong(), 9007199254740993LL);
        QCOMPARE(t.columns[3][1].toDouble(), 2.0);
        QCOMPARE(t.columns[5][0].toDate(), QDate(2026, 12, 11));
        QCOMPARE(t.columns[6][0].toTime(), QTime(8, 30, 15, 250));
        QCOMPARE(t.columns[7][0].toDateTime(),
                 QDateTime(QDate(2026, 3, 27), QTime(14, 5, 9, 7), Qt::UTC));
        QCOMPARE(t.columns[8][0].toByteArray(), QByteArray("\xff\x00\x07", 3));

        // What the encoder writes decodes to the same table.
        vk::JsonWriter w;
        vk::encodeTable(w, t);
        const vk::TableData again = vk::decodeTable(QJsonDocument::fromJson(w.data()).object());
        QCOMPARE(again.rowCount, t.rowCount);
        for (int c = 0; c < t.fields.size(); ++c) {
            QCOMPARE(again.fields[c].dataType, t.fields[c].dataType);
            QCOMPARE(again.columns[c], t.columns[c]);
        }
    }

    void jsonStrings_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("json");
        QTest::newRow("empty") << QString() << QByteArray("\"\"");
        QTest::newRow("quotes and backslash")
            << QStringLiteral("a\"b\\c") << QByteArray("\"a\\\"b\\\\c\"");
        QTest::newRow("controls") << QStringLiteral("\n\r\t\b\f") + QChar(1) + QChar(0x1f)
                                  << QByteArray("\"\\n\\r\\t\\b\\f\\u0001\\u001f\"");
        QTest::newRow("Turkish and three-byte")
            << QStringLiteral("ŞİĞÜ ı € 漢") << QStringLiteral("\"ŞİĞÜ ı € 漢\"").toUtf8();
        QTest::newRow("surrogate pair") << QStringLiteral("x😀y") << QStringLiteral("\"x😀y\"").toUtf8();
        // A lone surrogate becomes whatever Qt's own conversion makes of it.
        const QString lone = QStringLiteral("a") + QChar(0xD800) + QStringLiteral("\"");
        QTest::newRow("lone surrogate") << lone
                                        << QByteArray("\"" + lone.toUtf8().replace("\"", "\\\"") + "\"");
    }
    void jsonStrings() {
        QFETCH(QString, text);
        QByteArray out("[", 1);
        vk::JsonWriter::appendEscaped(out, text);
        QFETCH(QByteArray, json);
        QCOMPARE(out.mid(1), json);
        // Many strings in a row grow one buffer without losing any.
        QByteArray many;
        for (int i = 0; i < 1000; ++i)
            vk::JsonWriter::appendEscaped(many, text);
        QCOMPARE(many, json.repeated(1000));
    }

    void table_badInput_data() {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<QString>("error");
        const QByteArray i = R"(["A",6,0,0,0,4,0,0,true,false,0,false,false])";
        const QByteArray s = R"(["B",26,1,0,0,9,0,0,true,false,0,false,false])";
        QTest::newRow("lengths differ")
            << "{\"table\":[" + i + "," + s + R"(],"A":[1,2],"B":["x"]})"
            << "sütunların uzunlukları farklı";
        QTest::newRow("column without descriptor") << "{\"table\":[" + i + R"(],"A":[1],"C":[2]})"
                                                   << "\"C\" sütununun tanımı yok";
        QTest::newRow("descriptor without column") << "{\"table\":[" + i + "," + s + R"(],"A":[1]})"
                                                   << "\"B\" sütununun değerleri yok";
        QTest::newRow("text in an integer column") << "{\"table\":[" + i + R"(],"A":[1,"2"]})"
                                                   << "\"A\" sütununun 2. satırı";
        QTest::newRow("number in a text column") << "{\"table\":[" + s + R"(],"B":[3]})"
                                                 << "\"B\" sütununun 1. satırı";
        QTest::newRow("integer out of range") << "{\"table\":[" + i + R"(],"A":[4294967296]})"
                                              << "\"A\" sütununun 1. satırı";
        QTest::newRow("bad date") << QByteArray(R"({"table":[["D",2]],"D":["11.12.2026"]})")
                                  << "\"D\" sütununun 1. satırı";
        QTest::newRow("unknown data type")
            << QByteArray(R"({"table":[["X",77]],"X":[]})") << "veri türü 77 bilinmiyor";
        QTest::newRow("no descriptors") << QByteArray(R"({"A":[1]})") << "sütun tanımları";
        QTest::newRow("not an object") << QByteArray("[]") << "tablo beklenirken dizi geldi";
    }

    void table_badInput() {
        QFETCH(QByteArray, json);
        QFETCH(QString, error);
        const QJsonValue v = QJsonDocument::fromJson("[" + json + "]").array().at(0);
        try {
            vk::decodeTable(v);
            QFAIL("decoding should have failed");
        } catch (const vk::ProtocolError& e) {
            QVERIFY2(e.text().contains(error), qPrintable(e.text()));
        }
    }

    void table_withoutDescriptors() {
        const vk::TableData t =
            vk::decodeTable(QJsonDocument::fromJson(R"({"table":[]})").object());
        QCOMPARE(t.fields.size(), 0);
        QCOMPARE(t.rowCount, 0);
    }

    // ---- In-memory table -----------------------------------------------------------------

    void memTable_cursorAndLocate() {
        vk::MemTable t;
        t.assign(vk::decodeTable(QJsonDocument::fromJson(kTwoRowTable).object()));
        QCOMPARE(t.recordCount(), 2);
        QCOMPARE(t.currentRow(), 0);

        QStringList names;
        for (t.first(); !t.eof(); t.next())
            names.append(t.fieldValue(u"adi").toString()); // field names are case-insensitive
        QCOMPARE(names,
                 QStringList({QStringLiteral("FREN BALATASI"), QStringLiteral("YAĞ FİLTRESİ")}));

        QVERIFY(t.Locate(u"STOK_STOKNO", 102));
        QCOMPARE(t.currentRow(), 1);
        QVERIFY(t.Locate(u"STOK_STOKNO", QStringLiteral("101"))); // compared as numbers
        QCOMPARE(t.currentRow(), 0);
        QVERIFY(!t.Locate(u"ADI", QStringLiteral("yağ filtresi")));
        QCOMPARE(t.currentRow(), 0); // a failed Locate stays put
        QVERIFY(t.Locate(u"ADI", QStringLiteral("yağ"), {true, true}));
        QCOMPARE(t.currentRow(), 1);
        QVERIFY(t.Locate(QStringList{QStringLiteral("STOK_STOKNO"), QStringLiteral("FIYAT")},
                         {101, 412.5}));
        QCOMPARE(t.currentRow(), 0);
        QVERIFY_THROWS_EXCEPTION(vk::Error, t.fieldValue(u"IND1"));

        t.removeRow(0);
        QCOMPARE(t.recordCount(), 1);
        QCOMPARE(t.value(0, 0).toInt(), 102);
        t.removeRow(0);
        QCOMPARE(t.currentRow(), -1);
        QVERIFY(t.eof() && t.bof());
        QCOMPARE(t.fieldCount(), 3);
    }

    void memTable_model() {
        vk::MemTable t;
        vk::MemTableModel model;
        model.setLocale(QLocale(QLocale::Turkish, QLocale::Turkey));
        model.setTable(&t);
        QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
        QSignalSpy inserts(&model, &QAbstractItemModel::rowsInserted);
        QSignalSpy changes(&model, &QAbstractItemModel::dataChanged);

        t.assign(vk::decodeTable(QJsonDocument::fromJson(kTwoRowTable).object()));
        QCOMPARE(resets.size(), 1);
        QCOMPARE(model.rowCount(), 2);
        QCOMPARE(model.columnCount(), 3);
        QCOMPARE(model.headerData(1, Qt::Horizontal).toString(), QStringLiteral("ADI"));
        FormatFloatFields(t);
        QCOMPARE(model.data(model.index(0, 2)).toString(), QStringLiteral("412,50"));
        QCOMPARE(model.data(model.index(0, 2), Qt::EditRole).toDouble(), 412.5);
        QVERIFY(changes.size() >= 1);

        t.appendRow({103, QStringLiteral("SİLECEK"), 1250.0});
        QCOMPARE(inserts.size(), 1);
        QCOMPARE(model.data(model.index(2, 2)).toString(), QStringLiteral("1.250,00"));
        t.setValue(2, 2, 10.0);
        QCOMPARE(model.data(model.index(2, 2)).toString(), QStringLiteral("10,00"));

        // Detached, the model sees nothing of a refill; attached again it shows the new rows.
        model.setTable(nullptr);
        const int resetsBefore = resets.size();
        t.clearRows();
        QCOMPARE(resets.size(), resetsBefore);
        QCOMPARE(model.rowCount(), 0);
        model.setTable(&t);
        QCOMPARE(model.rowCount(), 0);
        QCOMPARE(model.columnCount(), 3);
    }

    void streamRules_data() {
        QTest::addColumn<int>("bytes");
        QTest::addColumn<qint64>("announced");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<int>("reads");
        QTest::newRow("size 0 is not read") << 500 << qint64(0) << false << 0;
        QTest::newRow("exactly 1024 * 3") << 3072 << qint64(3072) << true << 4;
        QTest::newRow("short of the announced size") << 1400 << qint64(1500) << false << 2;
        QTest::newRow("longer than announced") << 2000 << qint64(1500) << false << 2;
        QTest::newRow("one partial block") << 10 << qint64(10) << true << 1;
    }

    void streamRules() {
        QFETCH(int, bytes);
        QFETCH(qint64, announced);
        QFETCH(bool, accepted);
        QFETCH(int, reads);
        QByteArray cells;
        for (int i = 0; i < bytes; ++i)
            cells += i ? ",120" : "120";
        CannedServer server;
        server.reply(QStringLiteral("ResimVer5"),
                     resultOf(QByteArray::number(announced) + ",[" + cells + "]"));
        vk::ServerConnection c;
        TServerMethods1Client proxy(openConnection(c, server));
        qint64 boy = -1;
        vk::ByteStream* stream = proxy.ResimVer5(48213, boy);
        QCOMPARE(boy, announced);
        const std::optional<QByteArray> got = vk::readStreamBytes(stream, boy);
        QCOMPARE(got.has_value(), accepted);
        if (accepted)
            QCOMPARE(*got, QByteArray(bytes, 'x'));
        QCOMPARE(stream->readCount(), reads);
    }

    // ---- Connection ----------------------------------------------------------------------

    void connection_settings() {
        vk::ServerConnection c;
        QCOMPARE(c.connectionName(), QStringLiteral("DataSnapCONNECTION"));
        QCOMPARE(c.driverName(), QStringLiteral("DataSnap"));
        QCOMPARE(c.port(), 9090);
        QCOMPARE(c.param(QStringLiteral("CommunicationProtocol")), QStringLiteral("tcp/ip"));
        QCOMPARE(c.param(QStringLiteral("DatasnapContext")), QStringLiteral("datasnap/"));
        QCOMPARE(c.param(QStringLiteral("Filters")), QStringLiteral("{}"));
        QCOMPARE(c.param(QStringLiteral("DSProxyPort")), QStringLiteral("8090"));
        QVERIFY(!c.loginPrompt());
        QCOMPARE(c.methodPath("TServerMethods1", "SepetEkle2"),
                 QByteArray("/datasnap/rest/TServerMethods1/%22SepetEkle2%22"));

        CannedServer server;
        openConnection(c, server);
        QVERIFY(c.Connected());
        const auto clone = c.Clone();
        QVERIFY(!clone->Connected());
        QCOMPARE(clone->params(), c.params());
        c.Close();
        QVERIFY(!c.Connected());

        c.setPort(CannedServer::closedPort());
        QVERIFY_THROWS_EXCEPTION(vk::ConnectionError, c.Open());
        QVERIFY_THROWS_EXCEPTION(vk::ConnectionError, TServerMethods1Client proxy(&c));
    }

    // ---- Proxy ---------------------------------------------------------------------------

    void proxy_positions() {
        CannedServer server;
        server.reply(QStringLiteral("BelgeIndir2"), resultOf(R"(3,"fatura 12.pdf",[37,80,68])"));
        vk::ServerConnection c;
        TServerMethods1Client proxy(openConnection(c, server));

        TSonucBilgisi sbilgi;
        sbilgi.setCARINO(512);
        auto copy = std::make_unique<TSonucBilgisi>();
        copy->Kopyala(sbilgi);
        qint64 size = -1;
        QString adi;
        vk::ByteStream* stream = proxy.BelgeIndir2(7, size, adi, std::move(copy));
        QVERIFY(!copy); // the call took the copy
        QCOMPARE(sbilgi.CARINO(), 512);

        const QJsonArray sent = parseObject(server.lastBody(QStringLiteral("BelgeIndir2")))
                                    .value(QStringLiteral("_parameters"))
                                    .toArray();
        QCOMPARE(sent.size(), 2); // inputs only, in declared order
        QCOMPARE(sent.at(0).toInt(), 7);
        QCOMPARE(sent.at(1)
                     .toObject()
                     .value(QStringLiteral("fields"))
                     .toObject()
                     .value(QStringLiteral("FCARINO"))
                     .toInt(),
                 512);
        QCOMPARE(size, qint64(3));
        QCOMPARE(adi, QStringLiteral("fatura 12.pdf"));
        QCOMPARE(vk::readStreamBytes(stream, size).value(), QByteArray("%PD"));

        vk::ServerCommand* cmd = proxy.preparedCommand(vk::MethodId::BelgeIndir2);
        QVERIFY(cmd);
        QCOMPARE(cmd->text(), QStringLiteral("TServerMethods1.BelgeIndir2"));
        QCOMPARE(cmd->parameterCount(), 5);
        QCOMPARE(cmd->getInt64(1), qint64(3));
        QCOMPARE(cmd->getString(2), QStringLiteral("fatura 12.pdf"));
        QCOMPARE(cmd->getStream(4), stream);
    }

    void proxy_valuesAndRecords() {
        CannedServer server;
        server.reply(QStringLiteral("EchoString"), resultOf("\"Çift \\\"tırnak\\\"\\nsatır\""));
        server.reply(QStringLiteral("SepetHepsiniSil"), resultOf("1"));
        server.reply(QStringLiteral("KurlariAl"), resultOf("35.12,36.9,1"));
        server.reply(QStringLiteral("SiparisKaydet"), resultOf("true"));
        server.reply(QStringLiteral("SepetSecimGuncelle"), resultOf(""));
        server.reply(
            QStringLiteral("BuyukGetir"),
            resultOf(
                R"({"type":"baglantiu.TSonucBilgisi","id":1,"fields":{"FADI":"BAYİ1","FVarmi":true,"FVersion":6}})"));
        server.reply(QStringLiteral("SiparisAytintisiDip"), resultOf("null"));
        vk::ServerConnection c;
        TServerMethods1Client proxy(openConnection(c, server));

        const QString text = QStringLiteral("Çift \"tırnak\"\nsatır");
        QCOMPARE(proxy.EchoString(text), text);
        QCOMPARE(server.lastBody(QStringLiteral("EchoString")),
                 QByteArray("{\"_parameters\":[\"Çift \\\"tırnak\\\"\\nsatır\"]}"));

        QCOMPARE(proxy.SepetHepsiniSil(nullptr), 1);
        QCOMPARE(server.lastBody(QStringLiteral("SepetHepsiniSil")),
                 QByteArray(R"({"_parameters":[null]})"));

        double usd = 0, eur = 0;
        QCOMPARE(proxy.KurlariAl(usd, eur), 1);
        QCOMPARE(usd, 35.12);
        QCOMPARE(eur, 36.9);
        QCOMPARE(server.lastBody(QStringLiteral("KurlariAl")), QByteArray(R"({"_parameters":[]})"));

        QVERIFY(proxy.SiparisKaydet(std::make_unique<TSonucBilgisi>(), 5, 1, 2,
                                    QStringLiteral("not"), 9, 3));
        QCOMPARE(parseObject(server.lastBody(QStringLiteral("SiparisKaydet")))
                     .value(QStringLiteral("_parameters"))
                     .toArray()
                     .size(),
                 7);
        proxy.SepetSecimGuncelle(12, 1);
        QCOMPARE(server.lastBody(QStringLiteral("SepetSecimGuncelle")),
                 QByteArray(R"({"_parameters":[12,1]})"));

        TSonucBilgisi* login = proxy.BuyukGetir(QStringLiteral("WD-123"));
        QVERIFY(login);
        QCOMPARE(login->ADI(), QStringLiteral("BAYİ1"));
        QVERIFY(login->Varmi());
        QCOMPARE(login->Version(), 6);
        QCOMPARE(login->MusteriTipi(), 1); // absent on the wire: the default
        QCOMPARE(proxy.SiparisAytintisiDip(1, 2), nullptr);
    }

    void proxy_tablesAndPackets() {
        CannedServer server;
        server.reply(QStringLiteral("StokAraGetir"), resultOf(kTwoRowTable));
        server.reply(QStringLiteral("OncekiSiparisler"), resultOf(kTwoRowTable));
        vk::ServerConnection c;
        TServerMethods1Client proxy(openConnection(c, server));

        vk::MemTable stok;
        vk::loadFromDataPacket(stok, proxy.StokAraGetir(QStringLiteral("FREN"), nullptr));
        QCOMPARE(stok.recordCount(), 2);
        QCOMPARE(stok.value(1, u"ADI").toString(), QStringLiteral("YAĞ FİLTRESİ"));

        // A data packet replaces the whole content, also when it is empty.
        server.reply(QStringLiteral("StokAraGetir"), resultOf(kEmptyTable));
        vk::loadFromDataPacket(stok, proxy.StokAraGetir(QStringLiteral("YOK"), nullptr));
        QCOMPARE(stok.recordCount(), 0);
        QCOMPARE(stok.fieldCount(), 1);
        QVERIFY(!HasRecords(stok));
        server.reply(QStringLiteral("StokAraGetir"), resultOf(R"({"table":[]})"));
        vk::loadFromDataPacket(stok, proxy.StokAraGetir(QStringLiteral("YOK"), nullptr));
        QCOMPARE(stok.fieldCount(), 0);
        QVERIFY(stok.active());

        // A reader belongs to the proxy until the same method runs again.
        vk::TableReader* reader = proxy.OncekiSiparisler(5);
        QCOMPARE(reader->columnCount(), 3);
        vk::MemTable onceki;
        vk::loadFromReader(onceki, *reader);
        QCOMPARE(onceki.recordCount(), 2);
        QCOMPARE(onceki.field(2).type, vk::FieldType::Float);
        server.reply(QStringLiteral("OncekiSiparisler"), resultOf(kEmptyTable));
        reader = proxy.OncekiSiparisler(5);
        QVERIFY(!reader->next());
        QCOMPARE(onceki.recordCount(), 2); // the caller's copy is its own
    }

    void proxy_errors_data() {
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<int>("cutAfter");
        QTest::addColumn<int>("delayMs");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("error");
        QTest::newRow("server error text")
            << 500 << QByteArray(R"({"error":"Stok kodu bulunamadı"})") << -1 << 0 << "server"
            << "Stok kodu bulunamadı";
        QTest::newRow("500 without error")
            << 500 << QByteArray("Internal error") << -1 << 0 << "protocol"
            << "JSON okunamadı";
        QTest::newRow("malformed JSON")
            << 200 << QByteArray(R"({"result":[{"table":[)") << -1 << 0 << "protocol"
            << "JSON okunamadı";
        QTest::newRow("lengths differ")
            << 200 << resultOf(R"({"table":[["A",6],["B",26]],"A":[1,2],"B":["x"]})") << -1 << 0
            << "protocol"
            << "sütunların uzunlukları farklı";
        QTest::newRow("column without descriptor")
            << 200 << resultOf(R"({"table":[["A",6]],"A":[1],"Z":[1]})") << -1 << 0 << "protocol"
            << "\"Z\" sütununun tanımı yok";
        QTest::newRow("wrong value type")
            << 200 << resultOf(R"({"table":[["A",6]],"A":[true]})") << -1 << 0 << "protocol"
            << "\"A\" sütununun 1. satırı";
        QTest::newRow("wrong result type") << 200 << resultOf(R"("tablo")") << -1 << 0 << "protocol"
                                           << "sonuç: tablo beklenirken metin geldi";
        QTest::newRow("too many results")
            << 200 << resultOf(kEmptyTable + ",1") << -1 << 0 << "protocol"
            << "1 sonuç beklenirken 2 geldi";
        QTest::newRow("no results")
            << 200 << QByteArray(R"({"result":[]})") << -1 << 0 << "protocol"
            << "1 sonuç beklenirken 0 geldi";
        QTest::newRow("no result member")
            << 200 << QByteArray(R"({"sonuc":[1]})") << -1 << 0 << "protocol"
            << "\"result\" yok";
        QTest::newRow("other HTTP status")
            << 404 << QByteArray("Not Found") << -1 << 0 << "protocol"
            << "HTTP durum kodu 404";
        QTest::newRow("cut mid-reply") << 200 << resultOf(kTwoRowTable) << 40 << 0 << "connection"
                                       << "bağlantı koptu";
        QTest::newRow("time-out") << 200 << resultOf(kTwoRowTable) << -1 << 1500 << "connection"
                                  << "Sunucu çağrısı başarısız (StokAraGetir)";
    }

    // A bad reply is an error that says what was wrong, and the caller's table keeps what it had.
    void proxy_errors() {
        QFETCH(int, status);
        QFETCH(QByteArray, body);
        QFETCH(int, cutAfter);
        QFETCH(int, delayMs);
        QFETCH(QString, kind);
        QFETCH(QString, error);
        CannedServer server;
        server.reply(QStringLiteral("StokAraGetir"), CannedReply{status, body, delayMs, cutAfter});
        vk::ServerConnection c;
        TServerMethods1Client proxy(openConnection(c, server, 500));

        vk::MemTable stok;
        stok.assign(vk::decodeTable(QJsonDocument::fromJson(kTwoRowTable).object()));
        QString caught;
        try {
            vk::loadFromDataPacket(stok, proxy.StokAraGetir(QStringLiteral("FREN"), nullptr));
        } catch (const vk::ServerError& e) {
            caught = QStringLiteral("server: ") + e.text();
        } catch (const vk::ProtocolError& e) {
            caught = QStringLiteral("protocol: ") + e.text();
        } catch (const vk::ConnectionError& e) {
            caught = QStringLiteral("connection: ") + e.text();
        }
        QVERIFY2(caught.startsWith(kind + u':'), qPrintable(caught));
        QVERIFY2(caught.contains(error), qPrintable(caught));
        if (kind == u"server")
            QCOMPARE(caught, QStringLiteral("server: ") + error); // exactly the server's text
        QCOMPARE(stok.recordCount(), 2);
    }
};

QTEST_GUILESS_MAIN(ServerInterfaceTest)
#include "tst_server.moc"
