#include "store/schema.h"

#include <string>
#include <string_view>
#include <utility>

// Names follow the distributor's vocabulary, the same words the wire's column names use (in
// lower case); times are text "yyyy-MM-dd HH:mm:ss", days "yyyy-MM-dd", amounts REAL.

namespace vk::server {

namespace {

const std::vector<const char*> kVersion1 = {
    "CREATE TABLE schema_version (version INTEGER NOT NULL)",

    // Settings of the deployment: the client version expected, the ticker text, addresses.
    "CREATE TABLE ayar (anahtar TEXT PRIMARY KEY, deger TEXT NOT NULL)",

    // Sales representatives.
    "CREATE TABLE satici ("
    " satici_no INTEGER PRIMARY KEY,"
    " adi TEXT NOT NULL, telefon TEXT NOT NULL DEFAULT '', mail TEXT NOT NULL DEFAULT '')",

    // Dealers and their master data. The balance comes from the statement movements.
    "CREATE TABLE cari ("
    " carino INTEGER PRIMARY KEY,"
    " carikod TEXT NOT NULL UNIQUE, cariadi TEXT NOT NULL,"
    " yetkili TEXT NOT NULL DEFAULT '', adres1 TEXT NOT NULL DEFAULT '',"
    " adres2 TEXT NOT NULL DEFAULT '', ilce TEXT NOT NULL DEFAULT '', il TEXT NOT NULL DEFAULT '',"
    " ulke TEXT NOT NULL DEFAULT 'TÜRKİYE', tel1 TEXT NOT NULL DEFAULT '',"
    " tel2 TEXT NOT NULL DEFAULT '', gsm TEXT NOT NULL DEFAULT '', fax1 TEXT NOT NULL DEFAULT '',"
    " fax2 TEXT NOT NULL DEFAULT '', email TEXT NOT NULL DEFAULT '',"
    " vergidairesi TEXT NOT NULL DEFAULT '', vergino TEXT NOT NULL DEFAULT '',"
    " ozelkod TEXT NOT NULL DEFAULT '', anagrup TEXT NOT NULL DEFAULT '',"
    " altgrup TEXT NOT NULL DEFAULT '', kod1 TEXT NOT NULL DEFAULT '',"
    " kod2 TEXT NOT NULL DEFAULT '', kod3 TEXT NOT NULL DEFAULT '', kod4 TEXT NOT NULL DEFAULT '',"
    " kod5 TEXT NOT NULL DEFAULT '',"
    " satici_no INTEGER REFERENCES satici(satici_no),"
    " iskonto_sinifi INTEGER NOT NULL DEFAULT 1," // which discount chain the dealer gets
    " indirim REAL NOT NULL DEFAULT 0,"           // general discount rate shown with the dealer
    " vade INTEGER NOT NULL DEFAULT 30,"          // payment term in days
    " vadekontrolgun INTEGER NOT NULL DEFAULT 0, vadekontrolay INTEGER NOT NULL DEFAULT 0,"
    " aktif INTEGER NOT NULL DEFAULT 1)",
    "CREATE INDEX cari_satici ON cari(satici_no)",

    // Users: dealers' staff (types 3 and 4) and the distributor's representatives (1 and 2).
    // The password is held as the client compares it: the login record carries it.
    "CREATE TABLE kullanici ("
    " sirano INTEGER PRIMARY KEY,"
    " adi TEXT NOT NULL UNIQUE, sifre TEXT NOT NULL,"
    " tip INTEGER NOT NULL CHECK (tip BETWEEN 1 AND 4),"
    " aktif INTEGER NOT NULL DEFAULT 1,"
    " carino INTEGER REFERENCES cari(carino),"         // the dealer acted for at login
    " satici_no INTEGER REFERENCES satici(satici_no)," // a representative's own record
    " mail TEXT NOT NULL DEFAULT '')",

    // Registered workstations: the machine identifier the client computes, and its user.
    "CREATE TABLE bilgisayar ("
    " bilgisayarid TEXT PRIMARY KEY,"
    " kullanici_sirano INTEGER NOT NULL REFERENCES kullanici(sirano),"
    " aciklama TEXT NOT NULL DEFAULT '', kayit_zamani TEXT NOT NULL,"
    " son_giris TEXT)",
    "CREATE INDEX bilgisayar_kullanici ON bilgisayar(kullanici_sirano)",

    // The catalogue.
    "CREATE TABLE stok ("
    " stokno INTEGER PRIMARY KEY,"
    " barkod TEXT NOT NULL, adi TEXT NOT NULL, digeradi TEXT NOT NULL DEFAULT '',"
    " oem1 TEXT NOT NULL DEFAULT '', oem2 TEXT NOT NULL DEFAULT '',"
    " oem3 TEXT NOT NULL DEFAULT '', oem4 TEXT NOT NULL DEFAULT '',"
    " oemno TEXT NOT NULL DEFAULT '', finishkod TEXT NOT NULL DEFAULT '',"
    " ureticikodu TEXT NOT NULL DEFAULT '', ozelkod TEXT NOT NULL DEFAULT '',"
    " dpkod TEXT NOT NULL DEFAULT '', pkod TEXT NOT NULL DEFAULT '',"
    " barkodno TEXT NOT NULL DEFAULT '',"
    " marka TEXT NOT NULL DEFAULT '', model TEXT NOT NULL DEFAULT '',"
    " anagrup TEXT NOT NULL DEFAULT '', altgrup TEXT NOT NULL DEFAULT '',"
    " departman TEXT NOT NULL DEFAULT '', birim TEXT NOT NULL DEFAULT 'ADET',"
    " renk TEXT NOT NULL DEFAULT '', beden TEXT NOT NULL DEFAULT '',"
    " kdv REAL NOT NULL DEFAULT 20,"
    " listefiyat REAL NOT NULL DEFAULT 0,"
    " kampfiyat REAL NOT NULL DEFAULT 0,"   // 0 when not in a campaign
    " kampanya INTEGER NOT NULL DEFAULT 0," // > 0 in a campaign
    " yeni INTEGER NOT NULL DEFAULT 0,"
    " durum INTEGER NOT NULL DEFAULT 0 CHECK (durum BETWEEN 0 AND 6),"
    " kalan REAL NOT NULL DEFAULT 0,"          // on hand
    " alinansiparis REAL NOT NULL DEFAULT 0,"  // ordered by dealers, not yet delivered
    " verilensiparis REAL NOT NULL DEFAULT 0," // ordered from suppliers, not yet received
    " resimvar INTEGER NOT NULL DEFAULT 0,"
    " aktif INTEGER NOT NULL DEFAULT 1,"
    " eklenme TEXT NOT NULL DEFAULT '')",
    "CREATE INDEX stok_barkod ON stok(barkod)",
    "CREATE INDEX stok_kampanya ON stok(kampanya) WHERE kampanya > 0",
    "CREATE INDEX stok_yeni ON stok(yeni) WHERE yeni > 0",
    "CREATE TABLE stok_resim (stokno INTEGER PRIMARY KEY REFERENCES stok(stokno),"
    " resim BLOB NOT NULL)",

    // The four successive discount rates per dealer class: by main group, and per article where
    // an article differs from its group.
    "CREATE TABLE iskonto_grup ("
    " anagrup TEXT NOT NULL, sinif INTEGER NOT NULL,"
    " ind1 REAL NOT NULL DEFAULT 0, ind2 REAL NOT NULL DEFAULT 0,"
    " ind3 REAL NOT NULL DEFAULT 0, ind4 REAL NOT NULL DEFAULT 0,"
    " PRIMARY KEY (anagrup, sinif)) WITHOUT ROWID",
    "CREATE TABLE stok_iskonto ("
    " stokno INTEGER NOT NULL REFERENCES stok(stokno), sinif INTEGER NOT NULL,"
    " ind1 REAL NOT NULL DEFAULT 0, ind2 REAL NOT NULL DEFAULT 0,"
    " ind3 REAL NOT NULL DEFAULT 0, ind4 REAL NOT NULL DEFAULT 0,"
    " PRIMARY KEY (stokno, sinif)) WITHOUT ROWID",

    // Basket lines; the amounts are computed from these inputs when the basket is read.
    "CREATE TABLE sepet ("
    " sirano INTEGER PRIMARY KEY,"
    " carino INTEGER NOT NULL REFERENCES cari(carino),"
    " stokno INTEGER NOT NULL REFERENCES stok(stokno),"
    " barkod TEXT NOT NULL DEFAULT '', stokadi TEXT NOT NULL DEFAULT '',"
    " miktar REAL NOT NULL, kdv REAL NOT NULL, birimfiyat REAL NOT NULL,"
    " ilkfiyat REAL NOT NULL DEFAULT 0,"
    " ind1 REAL NOT NULL DEFAULT 0, ind2 REAL NOT NULL DEFAULT 0,"
    " ind3 REAL NOT NULL DEFAULT 0, ind4 REAL NOT NULL DEFAULT 0,"
    " kampanya INTEGER NOT NULL DEFAULT 0,"
    " veren_sirano INTEGER REFERENCES kullanici(sirano),"
    " sec INTEGER NOT NULL DEFAULT 1,"
    " zaman TEXT NOT NULL)",
    "CREATE INDEX sepet_cari ON sepet(carino)",
    "CREATE TABLE sepet_log ("
    " id INTEGER PRIMARY KEY, zaman TEXT NOT NULL, carino INTEGER NOT NULL,"
    " kullanici_sirano INTEGER, islem TEXT NOT NULL, aciklama TEXT NOT NULL DEFAULT '')",

    // Delivery options, cargo types and cargo firms (each firm belongs to one type).
    "CREATE TABLE teslim_sekli (id INTEGER PRIMARY KEY, adi TEXT NOT NULL,"
    " sira INTEGER NOT NULL DEFAULT 0)",
    "CREATE TABLE kargo_turu (id INTEGER PRIMARY KEY, adi TEXT NOT NULL,"
    " sira INTEGER NOT NULL DEFAULT 0)",
    "CREATE TABLE kargo_firma ("
    " sirano INTEGER PRIMARY KEY,"
    " kargo_turu_id INTEGER NOT NULL REFERENCES kargo_turu(id),"
    " adi TEXT NOT NULL, uyari TEXT NOT NULL DEFAULT '', sira INTEGER NOT NULL DEFAULT 0)",
    "CREATE INDEX kargo_firma_tur ON kargo_firma(kargo_turu_id)",

    // Orders and their lines; a line's open balance is miktar - teslimedilen - iptal.
    // durum: 2 received, 3 approved, 4 seen, 5 prepared in part, 6 prepared, 7 shipped.
    "CREATE TABLE siparis ("
    " idno INTEGER PRIMARY KEY,"
    " carino INTEGER NOT NULL REFERENCES cari(carino),"
    " tarih TEXT NOT NULL,"
    " veren_sirano INTEGER REFERENCES kullanici(sirano),"
    " teslim_id INTEGER REFERENCES teslim_sekli(id),"
    " kargo_turu_id INTEGER REFERENCES kargo_turu(id),"
    " kargo_firma_id INTEGER REFERENCES kargo_firma(sirano),"
    " aciklama TEXT NOT NULL DEFAULT '',"  // the dealer's note
    " alan_notu TEXT NOT NULL DEFAULT ''," // the distributor's note
    " satici_notu TEXT NOT NULL DEFAULT '',"
    " durum INTEGER NOT NULL DEFAULT 2,"
    " kur TEXT NOT NULL DEFAULT 'TL', kurtl REAL NOT NULL DEFAULT 1)",
    "CREATE INDEX siparis_cari ON siparis(carino, tarih)",
    "CREATE INDEX siparis_tarih ON siparis(tarih)",
    "CREATE TABLE siparis_satir ("
    " stokhar_no INTEGER PRIMARY KEY,"
    " idno INTEGER NOT NULL REFERENCES siparis(idno),"
    " sepet_sirano INTEGER NOT NULL DEFAULT 0," // the basket line it came from
    " stokno INTEGER NOT NULL REFERENCES stok(stokno),"
    " barkod TEXT NOT NULL DEFAULT '', stokadi TEXT NOT NULL DEFAULT '',"
    " miktar REAL NOT NULL, teslimedilen REAL NOT NULL DEFAULT 0,"
    " iptal REAL NOT NULL DEFAULT 0,"
    " birimfiyat REAL NOT NULL, ilkfiyat REAL NOT NULL DEFAULT 0,"
    " ind1 REAL NOT NULL DEFAULT 0, ind2 REAL NOT NULL DEFAULT 0,"
    " ind3 REAL NOT NULL DEFAULT 0, ind4 REAL NOT NULL DEFAULT 0,"
    " kdv REAL NOT NULL, kampanya INTEGER NOT NULL DEFAULT 0,"
    " veren_sirano INTEGER REFERENCES kullanici(sirano))",
    "CREATE INDEX siparis_satir_siparis ON siparis_satir(idno)",
    "CREATE INDEX siparis_satir_stok ON siparis_satir(stokno)",

    // The account statement: one row per movement, in date order per dealer.
    "CREATE TABLE cari_hareket ("
    " hareket_no INTEGER PRIMARY KEY,"
    " carino INTEGER NOT NULL REFERENCES cari(carino),"
    " tarih TEXT NOT NULL, turadi TEXT NOT NULL, evrakno TEXT NOT NULL DEFAULT '',"
    " borc REAL NOT NULL DEFAULT 0, alacak REAL NOT NULL DEFAULT 0,"
    " kur TEXT NOT NULL DEFAULT 'TL',"
    " belge_idno INTEGER NOT NULL DEFAULT 0," // the invoice or collection behind it
    " aciklama TEXT NOT NULL DEFAULT '',"
    " vade_tarihi TEXT)",
    "CREATE INDEX cari_hareket_cari ON cari_hareket(carino, tarih)",

    // Invoices with their lines and totals.
    "CREATE TABLE fatura ("
    " idno INTEGER PRIMARY KEY,"
    " carino INTEGER NOT NULL REFERENCES cari(carino),"
    " evrakno TEXT NOT NULL, tarih TEXT NOT NULL,"
    " hareket_tipi TEXT NOT NULL DEFAULT 'Satış Faturası',"
    " satici_no INTEGER REFERENCES satici(satici_no),"
    " vade INTEGER NOT NULL DEFAULT 0,"
    " irsaliye_evrakno TEXT NOT NULL DEFAULT '', irsaliye_tarihi TEXT,"
    " irsaliye_tipi TEXT NOT NULL DEFAULT '',"
    " siparis_idno INTEGER, siparis_evrakno TEXT NOT NULL DEFAULT '', siparis_tarihi TEXT,"
    " aciklama TEXT NOT NULL DEFAULT '',"
    " toplam REAL NOT NULL DEFAULT 0, toplamindirim REAL NOT NULL DEFAULT 0,"
    " matrah REAL NOT NULL DEFAULT 0, kdvtutar REAL NOT NULL DEFAULT 0,"
    " kdvdahil REAL NOT NULL DEFAULT 0)",
    "CREATE INDEX fatura_cari ON fatura(carino)",
    "CREATE TABLE fatura_satir ("
    " satir_no INTEGER PRIMARY KEY,"
    " fatura_idno INTEGER NOT NULL REFERENCES fatura(idno),"
    " stokno INTEGER REFERENCES stok(stokno),"
    " barkod TEXT NOT NULL DEFAULT '', stokadi TEXT NOT NULL DEFAULT '',"
    " miktar REAL NOT NULL, birimfiyat REAL NOT NULL,"
    " ind1 REAL NOT NULL DEFAULT 0, ind2 REAL NOT NULL DEFAULT 0,"
    " ind3 REAL NOT NULL DEFAULT 0, ind4 REAL NOT NULL DEFAULT 0,"
    " kdv REAL NOT NULL, tutar REAL NOT NULL, toplamindirim REAL NOT NULL DEFAULT 0,"
    " masraf REAL NOT NULL DEFAULT 0, netbirimfiyat REAL NOT NULL, nettutar REAL NOT NULL,"
    " vergi REAL NOT NULL, aciklama TEXT NOT NULL DEFAULT '')",
    "CREATE INDEX fatura_satir_fatura ON fatura_satir(fatura_idno)",

    // Collections (one document, several lines) and card payments with their receipts.
    "CREATE TABLE tahsilat ("
    " satir_no INTEGER PRIMARY KEY,"
    " belge_idno INTEGER NOT NULL,"
    " carino INTEGER NOT NULL REFERENCES cari(carino),"
    " tarih TEXT NOT NULL, turu TEXT NOT NULL, cins TEXT NOT NULL DEFAULT '',"
    " vade TEXT, tutar REAL NOT NULL, aciklama TEXT NOT NULL DEFAULT '',"
    " evrakno TEXT NOT NULL DEFAULT '', ref TEXT NOT NULL DEFAULT '',"
    " saat TEXT NOT NULL DEFAULT '', kur TEXT NOT NULL DEFAULT 'TL')",
    "CREATE INDEX tahsilat_belge ON tahsilat(belge_idno)",
    "CREATE TABLE sanalpos_odeme ("
    " sirano INTEGER PRIMARY KEY,"
    " belge_idno INTEGER NOT NULL UNIQUE,"
    " carino INTEGER NOT NULL REFERENCES cari(carino),"
    " zaman TEXT NOT NULL, tutar REAL NOT NULL, kart TEXT NOT NULL DEFAULT '',"
    " dekont BLOB)",

    // Published content: opening adverts (tur 1) and announcements (tur 2), the three banners
    // (konum 1 header, 2 top strip, 3 bottom ticker; one active per place).
    "CREATE TABLE reklam ("
    " sirano INTEGER PRIMARY KEY,"
    " tur INTEGER NOT NULL CHECK (tur IN (1, 2)),"
    " baslik TEXT NOT NULL DEFAULT '', arama TEXT NOT NULL DEFAULT '',"
    " resim BLOB, sira INTEGER NOT NULL DEFAULT 0, aktif INTEGER NOT NULL DEFAULT 1)",
    "CREATE INDEX reklam_tur ON reklam(tur, aktif, sira)",
    "CREATE TABLE banner ("
    " id INTEGER PRIMARY KEY,"
    " konum INTEGER NOT NULL CHECK (konum IN (1, 2, 3)),"
    " bicim TEXT NOT NULL, resim BLOB NOT NULL, aktif INTEGER NOT NULL DEFAULT 0)",

    // What dealers send: mails and password-change requests, and the web request form.
    "CREATE TABLE mail_kutusu ("
    " id INTEGER PRIMARY KEY, zaman TEXT NOT NULL, tur TEXT NOT NULL,"
    " bilgisayarid TEXT NOT NULL DEFAULT '', baslik TEXT NOT NULL DEFAULT '',"
    " firmaadi TEXT NOT NULL DEFAULT '', adres1 TEXT NOT NULL DEFAULT '',"
    " adres2 TEXT NOT NULL DEFAULT '', ilce TEXT NOT NULL DEFAULT '',"
    " sehir TEXT NOT NULL DEFAULT '', telefon TEXT NOT NULL DEFAULT '',"
    " fax TEXT NOT NULL DEFAULT '', vd TEXT NOT NULL DEFAULT '', vn TEXT NOT NULL DEFAULT '',"
    " yetkili TEXT NOT NULL DEFAULT '', kullaniciadi TEXT NOT NULL DEFAULT '',"
    " sifre TEXT NOT NULL DEFAULT '', mail TEXT NOT NULL DEFAULT '',"
    " kargoambar TEXT NOT NULL DEFAULT '', konu TEXT NOT NULL DEFAULT '')",
    "CREATE TABLE istek_formu ("
    " id INTEGER PRIMARY KEY, zaman TEXT NOT NULL, bilgisayarid TEXT NOT NULL DEFAULT '',"
    " firma TEXT NOT NULL DEFAULT '', yetkili TEXT NOT NULL DEFAULT '',"
    " telefon TEXT NOT NULL DEFAULT '', mail TEXT NOT NULL DEFAULT '',"
    " aciklama TEXT NOT NULL DEFAULT '', ip TEXT NOT NULL DEFAULT '')",
};

// Version 2: the stock search. arama_kod holds an article's code keys (searchCodeKey of barkod,
// oem1-oem4, oemno, ureticikodu, finishkod and ozelkod), arama_ad its names folded
// (foldSearchText of adi, digeradi, marka and model), each joined by single spaces; whoever
// writes stok fills them. stok_ara indexes both by trigrams, so that any substring of three
// characters or more is found through the index; the triggers keep it in step with stok.

// The search keys of rows written before version 2, in SQL: the same as the C++ rules for
// Turkish letters, ASCII and the punctuation below, which is what a catalogue holds. SQLite's
// parser takes only so many nested calls, so the punctuation goes in several passes.
std::string foldedSql(const std::string& column) {
    static const std::pair<const char*, const char*> kLetters[] = {
        {"ğ", "G"}, {"Ğ", "G"}, {"ü", "U"}, {"Ü", "U"}, {"ş", "S"}, {"Ş", "S"},
        {"ö", "O"}, {"Ö", "O"}, {"ç", "C"}, {"Ç", "C"}, {"ı", "I"}, {"İ", "I"}};
    std::string e = column;
    for (const auto& [from, to] : kLetters)
        e = "replace(" + e + ", '" + from + "', '" + to + "')";
    return "upper(" + e + ")";
}

std::string joinedSql(std::initializer_list<const char*> columns, const char* separator) {
    std::string e;
    for (const char* c : columns)
        e += (e.empty() ? std::string() : std::string(" || ") + separator + " || ") + foldedSql(c);
    return e;
}

// Single spaces between the parts, none around them.
std::string tidiedSql(std::string e) {
    for (int i = 0; i < 4; ++i) // runs of up to nine spaces
        e = "replace(" + e + ", '  ', ' ')";
    return "trim(" + e + ")";
}

std::vector<std::string> searchColumnsSql() {
    std::vector<std::string> out = {
        "UPDATE stok SET arama_ad = " +
            tidiedSql(joinedSql({"adi", "digeradi", "marka", "model"}, "' '")),
        // The folded codes joined by char(1) while the punctuation goes, then by spaces.
        "UPDATE stok SET arama_kod = " + joinedSql({"barkod", "oem1", "oem2", "oem3", "oem4",
                                                    "oemno", "ureticikodu", "finishkod", "ozelkod"},
                                                   "char(1)")};
    const std::string_view punctuation = " \t\r\n-./_,;:()[]{}<>+*#'\"\\&%!?=|~^@$`";
    for (size_t from = 0; from < punctuation.size(); from += 10) {
        std::string e = "arama_kod";
        for (const char c : punctuation.substr(from, 10)) {
            const std::string literal = c == '\'' ? "''''" : std::string("'") + c + "'";
            e = "replace(" + e + ", " + literal + ", '')";
        }
        out.push_back("UPDATE stok SET arama_kod = " + e);
    }
    out.push_back("UPDATE stok SET arama_kod = " + tidiedSql("replace(arama_kod, char(1), ' ')"));
    return out;
}

const std::vector<const char*>& version2() {
    static const std::vector<std::string> statements = [] {
        std::vector<std::string> all = {
            "ALTER TABLE stok ADD COLUMN arama_kod TEXT NOT NULL DEFAULT ''",
            "ALTER TABLE stok ADD COLUMN arama_ad TEXT NOT NULL DEFAULT ''"};
        for (std::string& update : searchColumnsSql())
            all.push_back(std::move(update));
        for (const char* statement : {
                 // The keys are in capitals already: matching case-sensitively is exact.
                 "CREATE VIRTUAL TABLE stok_ara USING fts5(arama_kod, arama_ad, content='stok',"
                 " content_rowid='stokno', tokenize='trigram case_sensitive 1')",
                 "INSERT INTO stok_ara(stok_ara) VALUES ('rebuild')",
                 "CREATE TRIGGER stok_ara_ekle AFTER INSERT ON stok BEGIN"
                 " INSERT INTO stok_ara(rowid, arama_kod, arama_ad)"
                 " VALUES (new.stokno, new.arama_kod, new.arama_ad); END",
                 "CREATE TRIGGER stok_ara_sil AFTER DELETE ON stok BEGIN"
                 " INSERT INTO stok_ara(stok_ara, rowid, arama_kod, arama_ad)"
                 " VALUES ('delete', old.stokno, old.arama_kod, old.arama_ad); END",
                 // Only a change of the keys touches the index, not one of price or stock.
                 "CREATE TRIGGER stok_ara_degistir AFTER UPDATE OF stokno, arama_kod, arama_ad"
                 " ON stok BEGIN"
                 " INSERT INTO stok_ara(stok_ara, rowid, arama_kod, arama_ad)"
                 " VALUES ('delete', old.stokno, old.arama_kod, old.arama_ad);"
                 " INSERT INTO stok_ara(rowid, arama_kod, arama_ad)"
                 " VALUES (new.stokno, new.arama_kod, new.arama_ad); END",
             })
            all.push_back(statement);
        return all;
    }();
    static const std::vector<const char*> pointers = [] {
        std::vector<const char*> p;
        for (const std::string& s : statements)
            p.push_back(s.c_str());
        return p;
    }();
    return pointers;
}

} // namespace

const std::vector<std::vector<const char*>>& schemaMigrations() {
    static const std::vector<std::vector<const char*>> migrations = {kVersion1, version2()};
    return migrations;
}

} // namespace vk::server
