#include "seed/demoseed.h"

#include "catalogue/searchtext.h"
#include "common/errors.h"
#include "common/utils.h"
#include "seed/demodata.h"
#include "seed/gifwriter.h"
#include "seed/pdfwriter.h"
#include "seed/pictures.h"
#include "seed/prng.h"
#include "store/store.h"

#include <QColor>
#include <QLocale>
#include <QTime>

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <tuple>
#include <vector>

namespace vk::server {

namespace {

using namespace demo;

using Rates = std::array<double, 4>;

// Each part of the data set draws from its own stream.
enum Part : quint64 {
    kPartReps = 1,
    kPartDealers,
    kPartUsers,
    kPartArticles,
    kPartPictures,
    kPartDiscounts,
    kPartOrders,
    kPartAccounts,
    kPartPayments,
    kPartBaskets,
};

constexpr int kDealerCount = 45;
constexpr int kRepCount = 7;      // the first is TEMSILCI's record, the last YONETICI's
constexpr int kHistoryDays = 120; // orders and statement movements lie this far back
constexpr int kPictureCount = 150;
constexpr int kInvoiceIdBase = 100000;    // fatura.idno
constexpr int kCollectionIdBase = 300000; // belge_idno of collections
constexpr int kPaymentOutIdBase = 600000; // belge_idno of payments to a dealer

const QString& firmTitle() {
    static const QString s = QStringLiteral("Velkor Otomotiv Parts");
    return s;
}

QString dayText(const QDate& d) {
    return d.toString(QStringLiteral("yyyy-MM-dd"));
}

QString stamp(const QDate& d, const QTime& t) {
    return dayText(d) + QLatin1Char(' ') + t.toString(QStringLiteral("HH:mm:ss"));
}

QVariant idOrNull(int id) {
    return id > 0 ? QVariant(id) : QVariant();
}

QString digits(Prng& rng, int count) {
    QString s;
    for (int i = 0; i < count; ++i)
        s += QChar(u'0' + rng.range(i == 0 ? 1 : 0, 9));
    return s;
}

QString serial(const QString& prefix, int year, int n) {
    return prefix + QString::number(year) + QString::number(n).rightJustified(6, QLatin1Char('0'));
}

double roundTo(double x, double step) {
    return std::round(x / step) * step;
}

// List prices end the way price lists do: 87.50, 249.90, 1250.00, 1249.50.
double listPrice(Prng& rng, double p) {
    if (p < 100)
        return IkiHaneYuvarla(std::max(50.0, std::round(p * 2) / 2));
    const double whole = p < 1000 ? std::round(p) : std::min(15000.0, std::round(p / 10) * 10);
    const double cents = std::array{0.10, 0.0, 0.50}[size_t(rng.weighted(std::array{5, 3, 2}))];
    return IkiHaneYuvarla(whole - cents);
}

// Sundays are closed: a day that falls on one moves to the Saturday before.
QDate workday(const QDate& d) {
    return d.dayOfWeek() == 7 ? d.addDays(-1) : d;
}

QTime officeTime(Prng& rng, int fromHour, int toHour) {
    return QTime(rng.range(fromHour, toHour), rng.range(0, 59), rng.range(0, 59));
}

// The search columns of an article: its distinct code keys, and its names folded, each joined by
// spaces.
QString searchCodes(std::initializer_list<QString> codes) {
    QStringList keys;
    for (const QString& code : codes) {
        const QString key = searchCodeKey(code);
        if (!key.isEmpty() && !keys.contains(key))
            keys.append(key);
    }
    return keys.join(u' ');
}

QString searchNames(std::initializer_list<QString> names) {
    QStringList folded;
    for (const QString& name : names) {
        if (!name.isEmpty())
            folded.append(foldSearchText(name));
    }
    return folded.join(u' ');
}

// The amounts of an invoice line: discounts applied one after another, each rounded to cents.
struct Amounts {
    double gross = 0;    // tutar
    double discount = 0; // toplamindirim
    double net = 0;      // nettutar
    double netUnit = 0;  // netbirimfiyat
    double vat = 0;      // vergi
};

Amounts lineAmounts(double quantity, double unitPrice, const Rates& rates, double vatRate) {
    Amounts a;
    a.gross = IkiHaneYuvarla(quantity * unitPrice);
    double t = a.gross;
    for (double r : rates) {
        if (r > 0)
            t -= t * r / 100;
    }
    a.net = IkiHaneYuvarla(t);
    a.discount = IkiHaneYuvarla(a.gross - a.net);
    a.netUnit = quantity != 0 ? IkiHaneYuvarla(a.net / quantity) : 0;
    a.vat = IkiHaneYuvarla(a.net * vatRate / 100);
    return a;
}

enum class Payer { OnTime, Late, InAdvance };

struct Rep {
    int no = 0;
    QString name;
    QString phone;
    QString mail;
    int user = 0;
};

struct Dealer {
    int carino = 0;
    QString code;
    QString name;
    QString email;
    int rep = 0;
    int discountClass = 1;
    int term = 30;
    Payer payer = Payer::OnTime;
    int user = 0;
    bool campaigns = true; // type-4 users buy at list price
};

// What later steps need of an article; the rest lives only in the stok row.
struct Article {
    QString code; // barkod
    QString name;
    int group = 0;
    double vat = 20;
    double listPrice = 0;
    double campaignPrice = 0; // 0: not in a campaign
    int unit = 0;             // 0 ADET, 1 TAKIM, 2 LİTRE
    int status = 1;
};

struct Pricing {
    double price = 0;
    double first = 0;
    Rates rates{};
    int campaign = 0;
};

struct OrderLine {
    int article = 0;
    double quantity = 0;
    double delivered = 0;
    double cancelled = 0;
    Pricing p;
    int basketNo = 0;
};

struct Order {
    int dealer = 0; // index into dealers
    QDate day;
    QTime time;
    int user = 0;
    int delivery = 1;
    int cargoType = 1;
    int cargoFirm = 1;
    QString note;
    QString ourNote;
    QString repNote;
    int status = 2;
    std::vector<OrderLine> lines;
    int idno = 0;
};

enum class InvoiceKind { Sale, Return, PriceDifference };

struct InvoiceLine {
    int article = -1; // -1: a line without an article (price difference)
    QString code;
    QString name;
    double quantity = 0;
    double price = 0;
    Rates rates{};
    double vat = 20;
    QString note;
    Amounts a;
};

struct Invoice {
    int dealer = 0;
    QDate day;
    InvoiceKind kind = InvoiceKind::Sale;
    int order = -1;       // index into orders
    int sourceOrder = -1; // a return: the order of the sale it returns goods of
    QString note;
    std::vector<InvoiceLine> lines;
    double total = 0, discount = 0, base = 0, vat = 0, gross = 0;
    int idno = 0;
    QString number;
    QString deliveryNote;
};

struct PaymentLine {
    QString kind; // Nakit, Kredi Kartı, Çek, Havale
    QString detail;
    QDate due;
    double amount = 0;
    QString note;
    QString ref;
};

struct Payment {
    int dealer = 0;
    QDate day;
    QTime time;
    bool out = false; // a payment to the dealer (Tediye)
    QString note;
    std::vector<PaymentLine> lines;
    int belge = 0;
    QString number;
    QString card; // masked, for a card payment
};

struct Debit {
    QDate due;
    double amount;
};

class DemoSeeder {
public:
    DemoSeeder(Store& store, const DemoSeedOptions& options)
        : m_store(store), m_options(options),
          m_today(options.today.isValid() ? options.today : QDate::currentDate()),
          m_start(m_today.addDays(-kHistoryDays)) {}

    void run() {
        checkEmpty();
        step(QStringLiteral("ayarlar yazılıyor"));
        writeSettings();
        step(QStringLiteral("temsilciler ve bayiler yazılıyor (%1)").arg(kDealerCount));
        writeReps();
        writeDealers();
        step(QStringLiteral("kullanıcılar ve bilgisayarlar yazılıyor"));
        writeUsers();
        writeWorkstations();
        step(QStringLiteral("iskontolar yazılıyor"));
        makeGroupDiscounts();
        step(QStringLiteral("stoklar yazılıyor (%1)").arg(m_options.articles));
        writeArticlesIndexedOnce();
        step(QStringLiteral("stok resimleri yazılıyor (%1)").arg(m_pictures.size()));
        writePictures();
        step(QStringLiteral("teslim ve kargo seçenekleri yazılıyor"));
        writeDeliveryOptions();
        makeOrders();
        step(QStringLiteral("siparişler yazılıyor (%1)").arg(m_orders.size()));
        writeOrders();
        makeInvoices();
        makePayments();
        step(QStringLiteral("faturalar ve cari hareketler yazılıyor (%1 fatura, %2 tahsilat)")
                 .arg(m_invoices.size())
                 .arg(m_payments.size()));
        writeInvoices();
        writePayments();
        writeStatements();
        step(QStringLiteral("reklamlar ve bannerlar yazılıyor"));
        writeAdverts();
        writeBanners();
        step(QStringLiteral("sepetler yazılıyor"));
        writeBaskets();
    }

private:
    void step(const QString& line) {
        if (m_options.progress)
            m_options.progress(line);
    }

    Prng stream(Part part) const { return Prng::stream(m_options.seed, part); }

    void checkEmpty() {
        Sql q(m_store,
              QStringLiteral("SELECT EXISTS(SELECT 1 FROM stok) OR EXISTS(SELECT 1 FROM cari)"
                             " OR EXISTS(SELECT 1 FROM kullanici)"));
        if (q.exec().scalar().toInt() != 0)
            throw vk::Error(QStringLiteral(
                "Veritabanı boş değil: stok, cari ya da kullanıcı kayıtları var. Gösterim verisi "
                "yalnızca boş bir veritabanına yazılır."));
    }

    void writeSettings() {
        Sql q(m_store, QStringLiteral("INSERT INTO ayar(anahtar, deger) VALUES (?, ?)"));
        q.exec({QStringLiteral("beklenen_versiyon"), QStringLiteral("6")});
        q.exec({QStringLiteral("kayan_yazi"),
                QString::fromUtf8(
                    "<FONT COLOR=\"#C00000\" SIZE=\"3\"><B>Fren balata ve disklerinde %15'e varan "
                    "kampanya!</B></FONT> &nbsp;&nbsp; <FONT COLOR=\"#1F4E79\"><I>Hafta içi "
                    "08:30-18:30, Cumartesi 09:00-14:00 hizmetinizdeyiz.</I></FONT> &nbsp;&nbsp; "
                    "<U>Saat 16:00'ya kadar verilen siparişler aynı gün kargoda.</U> &nbsp;&nbsp; "
                    "<FONT SIZE=\"2\">Yeni gelen ürünler için <B>#YENİ#</B> listesine göz "
                    "atın.</FONT>")});
        q.exec({QStringLiteral("web_sitesi"), QStringLiteral("http://www.velkorotomotiv.com.tr")});
        q.exec({QStringLiteral("firma_adi"), firmTitle()});
    }

    void writeReps() {
        Prng rng = stream(kPartReps);
        QStringList first = firstNames();
        QStringList last = surnames();
        rng.shuffle(first);
        rng.shuffle(last);
        Sql q(m_store,
              QStringLiteral(
                  "INSERT INTO satici(satici_no, adi, telefon, mail) VALUES (?, ?, ?, ?)"));
        for (int i = 0; i < kRepCount; ++i) {
            Rep r;
            r.no = i + 1;
            r.name = first.at(i) + QLatin1Char(' ') + last.at(i);
            r.phone = QStringLiteral("0 (212) 555 01 %1").arg(21 + i);
            r.mail = asciiFold(first.at(i)) + QLatin1Char('.') + asciiFold(last.at(i)) +
                     QStringLiteral("@velkorotomotiv.com.tr");
            q.exec({r.no, r.name, r.phone, r.mail});
            m_reps.append(r);
        }
    }

    void writeDealers() {
        Prng rng = stream(kPartDealers);
        QStringList stems = firmStems();
        rng.shuffle(stems);
        const QList<Place>& where = places();
        QList<int> placeWeights;
        for (const Place& p : where)
            placeWeights.append(p.weight);
        std::map<int, int> perRegion;
        static const QStringList kinds = {QStringLiteral("YEDEK PARÇA BAYİ"),
                                          QStringLiteral("SERVİS"), QStringLiteral("FİLO")};
        static const QStringList fleets = {QStringLiteral("BİNEK"), QStringLiteral("HAFİF TİCARİ"),
                                           QStringLiteral("KARMA")};
        static const QStringList channels = {QStringLiteral("TOPTAN"), QStringLiteral("PERAKENDE"),
                                             QStringLiteral("SERVİS")};
        static const int terms[] = {30, 45, 60, 90};

        Sql q(m_store,
              QStringLiteral(
                  "INSERT INTO cari(carino, carikod, cariadi, yetkili, adres1, adres2, ilce, il,"
                  " tel1, tel2, gsm, fax1, fax2, email, vergidairesi, vergino, ozelkod, anagrup,"
                  " altgrup, kod1, kod2, kod3, kod4, kod5, satici_no, iskonto_sinifi, indirim,"
                  " vade, vadekontrolgun, vadekontrolay, aktif)"
                  " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?,"
                  " ?, ?, ?, ?, ?, ?, ?, 1)"));
        for (int k = 0; k < kDealerCount; ++k) {
            const Place& place = k == 0 ? where.first() : where.at(rng.weighted(placeWeights));
            const QString stem = stems.at(k);
            Dealer d;
            d.carino = k + 1;
            d.code = QStringLiteral("120.%1.%2")
                         .arg(place.regionCode, 2, 10, QLatin1Char('0'))
                         .arg(++perRegion[place.regionCode], 3, 10, QLatin1Char('0'));
            d.name = firmName(rng, stem);
            d.rep = k % kRepCount + 1;
            d.discountClass = k == 0 ? 1 : k == 1 ? 2 : rng.weighted(std::array{25, 45, 30}) + 1;
            d.term = terms[rng.weighted(std::array{35, 25, 25, 15})];
            // The first dealer shows overdue invoices, the second a credit balance.
            d.payer =
                k == 0 ? Payer::Late
                : k == 1
                    ? Payer::InAdvance
                    : std::array{Payer::OnTime, Payer::Late,
                                 Payer::InAdvance}[size_t(rng.weighted(std::array{60, 25, 15}))];
            QString domainStem = asciiFold(stem);
            domainStem.remove(QLatin1Char(' '));
            switch (rng.range(0, 3)) {
            case 0:
                d.email = QStringLiteral("info@%1oto.com.tr").arg(domainStem);
                break;
            case 1:
                d.email = QStringLiteral("satis@%1otomotiv.com.tr").arg(domainStem);
                break;
            case 2:
                d.email = QStringLiteral("%1oto@gmail.com").arg(domainStem);
                break;
            default:
                d.email = QStringLiteral("%1.yedekparca@hotmail.com").arg(domainStem);
            }
            const QString fax = rng.chance(0.6) ? phoneNumber(rng, place.areaCode) : QString();
            q.exec(
                {d.carino,
                 d.code,
                 d.name,
                 personName(rng),
                 addressLine1(rng, place),
                 addressLine2(rng),
                 place.district,
                 place.city,
                 phoneNumber(rng, place.areaCode),
                 rng.chance(0.5) ? phoneNumber(rng, place.areaCode) : QString(),
                 gsmNumber(rng),
                 fax,
                 QString(),
                 d.email,
                 place.taxOffice,
                 taxNumber(rng),
                 QStringLiteral("SAT-%1").arg(d.rep, 2, 10, QLatin1Char('0')),
                 kinds.at(rng.weighted(std::array{70, 20, 10})),
                 rng.pick(fleets),
                 place.region,
                 rng.pick(channels),
                 QString(QChar(u'A' + d.discountClass - 1)),
                 rng.chance(0.7) ? QStringLiteral("E-FATURA") : QStringLiteral("E-ARŞİV"),
                 rng.chance(0.2) ? QStringLiteral("KAMPANYA BAYİSİ") : QString(),
                 d.rep,
                 d.discountClass,
                 std::array{0.0, 2.0, 3.0, 5.0}[size_t(rng.weighted(std::array{60, 15, 15, 10}))],
                 d.term,
                 rng.chance(0.3) ? rng.pick(QList<int>{15, 30}) : 0,
                 rng.chance(0.15) ? rng.range(1, 3) : 0});
            m_dealers.append(d);
        }
    }

    void writeUsers() {
        Prng rng = stream(kPartUsers);
        Sql q(m_store,
              QStringLiteral("INSERT INTO kullanici(sirano, adi, sifre, tip, aktif, carino,"
                             " satici_no, mail) VALUES (?, ?, ?, ?, ?, ?, ?, ?)"));
        int sirano = 0;
        auto add = [&](const QString& name, const QString& password, int type, bool active,
                       int carino, int rep, const QString& mail) {
            q.exec({++sirano, name, password, type, active ? 1 : 0, idOrNull(carino), idOrNull(rep),
                    mail});
            return sirano;
        };
        const QString demo = QStringLiteral("1234");
        Rep& first = m_reps.first();
        Rep& senior = m_reps.last();
        m_dealers[0].user = add(QStringLiteral("BAYI"), demo, 3, true, 1, 0, m_dealers[0].email);
        m_dealers[1].user = add(QStringLiteral("BAYI4"), demo, 4, true, 2, 0, m_dealers[1].email);
        m_dealers[1].campaigns = false;
        first.user = add(QStringLiteral("TEMSILCI"), demo, 1, true, firstDealerOf(first.no),
                         first.no, first.mail);
        senior.user = add(QStringLiteral("YONETICI"), demo, 2, true, firstDealerOf(senior.no),
                          senior.no, senior.mail);
        add(QStringLiteral("PASIF"), demo, 3, false, 3, 0, m_dealers[2].email);
        // The client types in upper case: this account can never log in.
        add(QStringLiteral("kucukharf"), demo, 3, true, 4, 0, m_dealers[3].email);
        for (int i = 1; i < kRepCount - 1; ++i) {
            Rep& r = m_reps[i];
            const QString login = asciiFold(r.name.section(QLatin1Char(' '), -1)).toUpper();
            r.user = add(login, QString::number(rng.range(1000, 9999)), 1, true,
                         firstDealerOf(r.no), r.no, r.mail);
        }
        for (int k = 2; k < kDealerCount; ++k) {
            Dealer& d = m_dealers[k];
            QString login;
            for (const QChar c : asciiFold(d.name.section(QLatin1Char(' '), 0, 0)).toUpper()) {
                if (c >= u'A' && c <= u'Z')
                    login += c;
            }
            login = login.left(10) + QString::number(d.carino).rightJustified(2, QLatin1Char('0'));
            const QString password = rng.chance(0.8)
                                         ? QString::number(rng.range(1000, 999999))
                                         : QStringLiteral("OTO%1").arg(rng.range(10, 99));
            const int type = rng.chance(0.7) ? 3 : 4;
            d.user = add(login, password, type, true, d.carino, 0, d.email);
            d.campaigns = type != 4;
        }
    }

    int firstDealerOf(int rep) const {
        for (const Dealer& d : m_dealers) {
            if (d.rep == rep)
                return d.carino;
        }
        return 1;
    }

    void writeWorkstations() {
        const QString registered = stamp(m_today, QTime(9, 0));
        Sql find(m_store, QStringLiteral("SELECT sirano FROM kullanici WHERE adi = ?"));
        Sql q(m_store, QStringLiteral(
                           "INSERT INTO bilgisayar(bilgisayarid, kullanici_sirano, aciklama,"
                           " kayit_zamani) VALUES (?, ?, ?, ?) ON CONFLICT(bilgisayarid) DO UPDATE"
                           " SET kullanici_sirano = excluded.kullanici_sirano,"
                           " aciklama = excluded.aciklama"));
        auto userId = [&](const QString& name) {
            find.exec({name});
            return find.scalar();
        };
        for (const DemoLogin& l : demoLogins())
            q.exec({QStringLiteral("DEMO-") + l.user, userId(l.user),
                    QStringLiteral("Gösterim bilgisayarı: %1").arg(l.note), registered});
        const QString id = m_options.registerWorkstation.trimmed();
        if (id.isEmpty())
            return;
        const QString as =
            m_options.registerAsUser.isEmpty() ? QStringLiteral("BAYI") : m_options.registerAsUser;
        const QVariant user = userId(as);
        if (!user.isValid())
            throw vk::Error(
                QStringLiteral("Bilgisayar kaydedilemedi: %1 adlı kullanıcı yok").arg(as));
        q.exec({id, user, QStringLiteral("Kurulumda kaydedilen bilgisayar"), registered});
    }

    // The discount chain per main group and class: class 1 gets the longest.
    void makeGroupDiscounts() {
        Prng rng = stream(kPartDiscounts);
        Sql q(m_store, QStringLiteral("INSERT INTO iskonto_grup(anagrup, sinif, ind1, ind2, ind3,"
                                      " ind4) VALUES (?, ?, ?, ?, ?, ?)"));
        for (const MainGroup& g : mainGroups()) {
            std::array<Rates, 3> r{};
            r[0] = {double(rng.pick(QList<int>{20, 25, 25, 30})),
                    double(rng.pick(QList<int>{5, 10})), double(rng.pick(QList<int>{0, 5, 5})),
                    double(rng.pick(QList<int>{0, 0, 2}))};
            r[1] = {r[0][0] - 5, double(rng.pick(QList<int>{0, 5, 5})), 0, 0};
            r[2] = {std::min(r[1][0], double(rng.pick(QList<int>{10, 15, 15}))), 0, 0, 0};
            for (int c = 0; c < 3; ++c)
                q.exec({g.name, c + 1, r[c][0], r[c][1], r[c][2], r[c][3]});
            m_groupRates.push_back(r);
        }
    }

    Rates ratesFor(int article, int discountClass) const {
        const auto it = m_articleRates.find({article, discountClass});
        if (it != m_articleRates.end())
            return it->second;
        return m_groupRates[size_t(m_articles[size_t(article)].group)][size_t(discountClass - 1)];
    }

    Pricing pricingFor(int article, const Dealer& d) const {
        const Article& a = m_articles[size_t(article)];
        Pricing p;
        p.first = a.listPrice;
        p.campaign = d.campaigns && a.campaignPrice > 0 ? 1 : 0;
        p.price = p.campaign ? a.campaignPrice : a.listPrice;
        p.rates = ratesFor(article, d.discountClass);
        return p;
    }

    void choosePictures(int n) {
        Prng rng = stream(kPartPictures);
        m_hasPicture.assign(size_t(n), false);
        const int count = std::min(n, kPictureCount);
        int chosen = 0;
        while (chosen < count) {
            const auto i = size_t(rng.below(quint64(n)));
            if (!m_hasPicture[i]) {
                m_hasPicture[i] = true;
                ++chosen;
            }
        }
        for (int i = 0; i < n; ++i) {
            if (m_hasPicture[size_t(i)])
                m_pictures.push_back(i);
        }
    }

    // The search index is built in one pass after the articles: row by row through the triggers
    // it takes several times as long. Merging its segments while it is built (automerge) slows
    // the pass and hardly changes what searches read; it is back at its default after.
    void writeArticlesIndexedOnce() {
        Sql list(m_store, QStringLiteral("SELECT name, sql FROM sqlite_master"
                                         " WHERE type = 'trigger' AND tbl_name = 'stok'"));
        list.exec();
        QList<std::pair<QString, QString>> triggers;
        while (list.next())
            triggers.append({list.value(0).toString(), list.value(1).toString()});
        for (const auto& [name, sql] : std::as_const(triggers))
            Sql(m_store, QStringLiteral("DROP TRIGGER \"%1\"").arg(name)).exec();
        writeArticles();
        const QString setting =
            QStringLiteral("INSERT INTO stok_ara(stok_ara, rank) VALUES ('automerge', ?)");
        Sql(m_store, setting, {0}).exec();
        Sql(m_store, QStringLiteral("INSERT INTO stok_ara(stok_ara) VALUES ('rebuild')")).exec();
        Sql(m_store, setting, {4}).exec();
        for (const auto& [name, sql] : std::as_const(triggers))
            Sql(m_store, sql).exec();
    }

    void writeArticles() {
        const int n = std::max(0, m_options.articles);
        choosePictures(n);
        Prng rng = stream(kPartArticles);
        const QList<MainGroup>& groups = mainGroups();
        const QList<VehicleMake>& makes = vehicleMakes();
        const QList<ProducerBrand>& brands = producerBrands();
        QList<int> groupWeights;
        QList<int> makeWeights;
        for (const MainGroup& g : groups)
            groupWeights.append(g.weight);
        for (const VehicleMake& m : makes)
            makeWeights.append(m.weight);
        // The rarely drawn VAT rates get slots of their own so that every catalogue has them.
        QList<std::pair<int, int>> lowVat[2];
        for (int g = 0; g < groups.size(); ++g) {
            for (int k = 0; k < groups.at(g).kinds.size(); ++k) {
                const double vat = groups.at(g).kinds.at(k).vat;
                if (vat == 10)
                    lowVat[0].append({g, k});
                else if (vat == 1)
                    lowVat[1].append({g, k});
            }
        }
        std::vector<int> productCounter(size_t(groups.size()), 0);
        static const QStringList finishes = {QStringLiteral("ASTARLI"), QStringLiteral("SİYAH"),
                                             QStringLiteral("KROM"), QStringLiteral("BOYASIZ")};

        // The distributor's own code: an affine permutation of the six-digit numbers is unique
        // without remembering the codes given out.
        const quint64 space = n <= 900000 ? 900000 : 9000000;
        const quint64 first = space / 9;
        const quint64 offset = rng.below(space);
        constexpr quint64 stride = 382919; // shares no factor with 2, 3 and 5

        // Every status, spread over the catalogue, whatever the draws.
        const int period = std::max(1, std::min(40, n / 7));

        Sql q(m_store,
              QStringLiteral(
                  "INSERT INTO stok(stokno, barkod, adi, digeradi, oem1, oem2, oem3, oem4, oemno,"
                  " finishkod, ureticikodu, ozelkod, dpkod, pkod, barkodno, marka, model, anagrup,"
                  " altgrup, departman, birim, renk, beden, kdv, listefiyat, kampfiyat, kampanya,"
                  " yeni, durum, kalan, alinansiparis, verilensiparis, resimvar, aktif, eklenme,"
                  " arama_kod, arama_ad)"
                  " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?,"
                  " ?, ?, ?, ?, ?, ?, 0, ?, ?, 1, ?, ?, ?)"));
        Sql discount(m_store, QStringLiteral("INSERT INTO stok_iskonto(stokno, sinif, ind1, ind2,"
                                             " ind3, ind4) VALUES (?, ?, ?, ?, ?, ?)"));
        m_articles.reserve(size_t(n));
        for (int i = 0; i < n; ++i) {
            int g = 0;
            int k = 0;
            const int slot = i / period;
            if (i % period == (period * 3) / 4 && slot % 3 != 0 &&
                !lowVat[slot % 3 - 1].isEmpty()) {
                std::tie(g, k) = rng.pick(lowVat[slot % 3 - 1]);
            } else {
                g = rng.weighted(groupWeights);
                k = int(rng.index(groups.at(g).kinds.size()));
            }
            const MainGroup& group = groups.at(g);
            const PartKind& kind = group.kinds.at(k);
            const VehicleMake* make =
                kind.universal ? nullptr : &makes.at(rng.weighted(makeWeights));
            const VehicleModel* model = make ? &rng.pick(make->models) : nullptr;

            const QString position =
                kind.positions.isEmpty() ? QString() : rng.pick(kind.positions);
            const QString variant =
                !kind.variants.isEmpty() && (kind.variantAlways || rng.chance(0.45))
                    ? rng.pick(kind.variants)
                    : QString();
            QString name = kind.name;
            if (!position.isEmpty())
                name += QLatin1Char(' ') + position;
            if (!variant.isEmpty())
                name += QLatin1Char(' ') + variant;
            QString otherName;
            if (!kind.otherName.isEmpty() && rng.chance(0.35))
                otherName = position.isEmpty() ? kind.otherName
                                               : kind.otherName + QLatin1Char(' ') + position;

            const ProducerBrand& brand = brands.at(rng.pick(kind.brands));
            const QString producer = producerCode(rng, brand);

            QStringList oem;
            if (make) {
                const int count = rng.weighted(std::array{40, 30, 20, 10}) + 1;
                for (int j = 0; j < count; ++j)
                    oem.append(oemNumber(rng, *make));
            } else if (!kind.standards.isEmpty()) {
                QStringList pool = kind.standards;
                rng.shuffle(pool);
                oem = pool.mid(0, std::min<qsizetype>(pool.size(), rng.range(1, 4)));
            }
            while (oem.size() < 4)
                oem.append(QString());

            QString modelText;
            if (model) {
                modelText = model->name;
                if (!model->engines.isEmpty())
                    modelText += QLatin1Char(' ') + rng.pick(model->engines);
            }
            const QString department = !group.department.isEmpty() ? group.department
                                       : !model                    ? QStringLiteral("UNİVERSAL")
                                       : model->commercial ? QStringLiteral("HAFİF TİCARİ")
                                                           : QStringLiteral("BİNEK");

            const double raw =
                std::exp(rng.between(std::log(kind.minPrice), std::log(kind.maxPrice)));
            const double price = listPrice(rng, raw * (make ? make->priceFactor : 1.0));
            const bool campaign = rng.chance(0.05);
            const double campaignPrice =
                campaign ? IkiHaneYuvarla(price * rng.between(0.80, 0.90)) : 0.0;
            const bool isNew = rng.chance(0.04);

            // The client's stock states: 0 none, 1 in stock, 2 call us, 3 on its way, 4 special
            // order, 5 being supplied, 6 running low.
            const int status = i % period == period / 2
                                   ? slot % 7
                                   : rng.weighted(std::array{60, 780, 40, 40, 25, 30, 60});
            double onHand = 0;
            double incoming = 0;
            const bool cheap = price < 500;
            switch (status) {
            case 0:
                incoming = rng.chance(0.3) ? rng.range(5, 50) : 0;
                break;
            case 1:
                onHand = cheap ? rng.range(10, 400) : rng.range(4, 60);
                incoming = rng.chance(0.2) ? rng.range(10, 100) : 0;
                break;
            case 2:
                onHand = rng.chance(0.5) ? rng.range(1, 3) : 0;
                break;
            case 3:
            case 5:
                incoming = rng.range(10, 200);
                break;
            case 6:
                onHand = rng.range(1, 5);
                break;
            default:
                break;
            }
            if (kind.unit == QStringLiteral("LİTRE"))
                onHand *= 10;

            const QDate added =
                isNew ? m_today.addDays(-rng.range(0, 30)) : m_today.addDays(-rng.range(60, 2600));
            const QString code =
                QStringLiteral("VLK-%1").arg(first + (offset + quint64(i) * stride) % space);
            const QString finis = make && make->finisCodes ? digits(rng, 7) : QString();
            const QString shelf = QStringLiteral("%1-%2-%3")
                                      .arg(QChar(u'A' + g))
                                      .arg(rng.range(1, 40), 2, 10, QLatin1Char('0'))
                                      .arg(rng.range(1, 6), 2, 10, QLatin1Char('0'));
            const QString product = QStringLiteral("%1-%2")
                                        .arg(group.code)
                                        .arg(++productCounter[size_t(g)], 5, 10, QLatin1Char('0'));
            const QString makeName = make ? make->name : QStringLiteral("UNİVERSAL");

            q.exec({i + 1,
                    code,
                    name,
                    otherName,
                    oem.at(0),
                    oem.at(1),
                    oem.at(2),
                    oem.at(3),
                    oem.at(0),
                    finis,
                    producer,
                    brand.name,
                    shelf,
                    product,
                    ean8(rng),
                    makeName,
                    modelText,
                    group.name,
                    kind.subGroup,
                    department,
                    kind.unit,
                    kind.coloured ? rng.pick(finishes) : QString(),
                    QString(),
                    kind.vat,
                    price,
                    campaignPrice,
                    campaign ? 1 : 0,
                    isNew ? 1 : 0,
                    status,
                    onHand,
                    incoming,
                    m_hasPicture[size_t(i)] ? 1 : 0,
                    dayText(added),
                    searchCodes({code, oem.at(0), oem.at(1), oem.at(2), oem.at(3), oem.at(0),
                                 producer, finis, brand.name}),
                    searchNames({name, otherName, makeName, modelText})});

            // A few articles leave their group's chain: net prices for some classes.
            if (rng.chance(0.01)) {
                const int from = rng.range(1, 3);
                for (int c = from; c <= 3; ++c) {
                    const Rates r = {double(rng.pick(QList<int>{30, 35, 40, 45})),
                                     double(rng.pick(QList<int>{0, 5, 10})), 0, 0};
                    discount.exec({i + 1, c, r[0], r[1], r[2], r[3]});
                    m_articleRates[{i, c}] = r;
                }
            }

            Article a;
            a.code = code;
            a.name = name;
            a.group = g;
            a.vat = kind.vat;
            a.listPrice = price;
            a.campaignPrice = campaignPrice;
            a.unit = kind.unit == QStringLiteral("TAKIM")  ? 1
                     : kind.unit == QStringLiteral("ADET") ? 0
                                                           : 2;
            a.status = status;
            m_articles.push_back(a);
        }
    }

    // A drawing for each article with a picture; there are never more than kPictureCount.
    void writePictures() {
        Sql q(m_store, QStringLiteral("INSERT INTO stok_resim(stokno, resim) VALUES (?, ?)"));
        const QList<MainGroup>& groups = mainGroups();
        for (size_t j = 0; j < m_pictures.size(); ++j) {
            const int i = m_pictures[j];
            const Article& a = m_articles[size_t(i)];
            q.exec({i + 1, partPictureJpeg(groups.at(a.group).name, a.code, a.name, int(j % 12))});
        }
    }

    void writeDeliveryOptions() {
        Sql delivery(m_store,
                     QStringLiteral("INSERT INTO teslim_sekli(id, adi, sira) VALUES (?, ?, ?)"));
        const QStringList deliveries = {
            QStringLiteral("Kargo ile Gönderim"), QStringLiteral("Depodan Teslim Alınacak"),
            QStringLiteral("Servis Aracı ile"), QStringLiteral("Ambar ile Gönderim")};
        for (int i = 0; i < deliveries.size(); ++i)
            delivery.exec({i + 1, deliveries.at(i), i + 1});

        Sql type(m_store, QStringLiteral("INSERT INTO kargo_turu(id, adi, sira) VALUES (?, ?, ?)"));
        const QStringList types = {QStringLiteral("Alıcı Ödemeli"),
                                   QStringLiteral("Gönderici Ödemeli"),
                                   QStringLiteral("Anlaşmalı Kargo")};
        for (int i = 0; i < types.size(); ++i)
            type.exec({i + 1, types.at(i), i + 1});

        struct Firm {
            int type;
            const char* name;
            const char* warning;
        };
        // Two firms of one type may carry the same name (two branches of one company).
        static const Firm firms[] = {
            {1, "Aras Kargo", "Cumartesi günleri teslimat yapılmamaktadır."},
            {1, "Yurtiçi Kargo", ""},
            {1, "MNG Kargo", "30 kg üzeri gönderilerde desi farkı alıcıya yansıtılır."},
            {2, "Yurtiçi Kargo", ""},
            {2, "Sürat Kargo",
             "Saat 16:00'dan sonra verilen siparişler ertesi gün kargoya verilir."},
            {2, "PTT Kargo", ""},
            {3, "Aras Kargo", "Anlaşmalı şube: İkitelli. Kargo bedeli faturaya eklenir."},
            {3, "Aras Kargo", ""},
            {3, "UPS Kargo", "Yalnızca il merkezlerine teslimat yapılmaktadır."},
        };
        Sql firm(m_store,
                 QStringLiteral("INSERT INTO kargo_firma(sirano, kargo_turu_id, adi, uyari,"
                                " sira) VALUES (?, ?, ?, ?, ?)"));
        int sirano = 0;
        std::map<int, int> order;
        for (const Firm& f : firms) {
            firm.exec({++sirano, f.type, QString::fromUtf8(f.name), QString::fromUtf8(f.warning),
                       ++order[f.type]});
            m_firmsByType[f.type].push_back(sirano);
        }
    }

    void makeOrders() {
        Prng rng = stream(kPartOrders);
        const int n = int(m_articles.size());
        if (n == 0)
            return;
        static const QStringList notes = {
            QStringLiteral("Acil, araç serviste bekliyor."),
            QStringLiteral("Öğleden önce gönderilirse sevinirim."),
            QStringLiteral("Faturayı şirket adına kesiniz."),
            QStringLiteral("Eksik ürün varsa muadili gönderilebilir."),
            QStringLiteral("Lütfen orijinal kutusunda gönderin."),
            QStringLiteral("Ödeme havale ile yapılacak."),
        };
        static const QStringList ourNotes = {
            QStringLiteral("Eksikler tedarikte, gelince gönderilecek."),
            QStringLiteral("Ödeme teyidi alındı."),
            QStringLiteral("Depodan öğleden sonra çıkış."),
            QStringLiteral("Muadil ürün müşteri onayıyla gönderildi."),
            QStringLiteral("Kısmi sevkiyat yapıldı."),
        };
        // Some representatives' notes are blanks only, as the old desk left them.
        static const QStringList repNotes = {
            QStringLiteral("Müşteri arandı, teyit edildi."), QStringLiteral("Fiyatlar görüşüldü."),
            QStringLiteral("Vade farkı konuşuldu."), QStringLiteral("   "), QStringLiteral("  ")};

        for (int k = 0; k < m_dealers.size(); ++k) {
            const Dealer& d = m_dealers.at(k);
            if (k >= 2 && rng.chance(0.1))
                continue;
            const int count = k == 0 ? 12 : rng.range(3, 15);
            for (int j = 0; j < count; ++j) {
                Order o;
                o.dealer = k;
                // The first dealer's newest orders show every stage.
                const bool showcase = k == 0 && j < 5;
                // Recent weeks are busier: that is where the open orders are.
                const int age = showcase           ? std::array{0, 1, 3, 5, 8}[size_t(j)]
                                : rng.chance(0.25) ? rng.range(0, 13)
                                                   : rng.range(0, kHistoryDays - 2);
                o.day = workday(m_today.addDays(-age));
                o.time = o.day == m_today ? officeTime(rng, 8, 10) : officeTime(rng, 8, 17);
                const int realAge = int(o.day.daysTo(m_today));
                if (showcase)
                    o.status = j + 2;
                else if (realAge <= 2)
                    o.status = 2 + rng.weighted(std::array{40, 30, 30});
                else if (realAge <= 7)
                    o.status = 3 + rng.weighted(std::array{20, 25, 25, 30});
                else if (realAge <= 20)
                    o.status = 5 + rng.weighted(std::array{15, 20, 65});
                else
                    o.status = 5 + rng.weighted(std::array{4, 4, 92});
                const Rep& rep = m_reps.at(d.rep - 1);
                o.user = rng.chance(0.25) && rep.user > 0 ? rep.user : d.user;
                o.delivery = rng.weighted(std::array{60, 20, 15, 5}) + 1;
                o.cargoType = rng.weighted(std::array{35, 40, 25}) + 1;
                const std::vector<int>& firms = m_firmsByType[o.cargoType];
                o.cargoFirm = firms[size_t(rng.index(qsizetype(firms.size())))];
                if (rng.chance(0.3))
                    o.note = rng.pick(notes);
                if (rng.chance(o.status >= 5 ? 0.35 : 0.1))
                    o.ourNote = rng.pick(ourNotes);
                if (rng.chance(0.15))
                    o.repNote = rng.pick(repNotes);

                const int lineCount =
                    rng.weighted(std::array{12, 14, 14, 12, 10, 9, 8, 6, 5, 4, 3, 3}) + 1;
                std::vector<int> chosen;
                for (int l = 0; l < lineCount && int(chosen.size()) < n; ++l) {
                    int article = int(rng.below(quint64(n)));
                    while (std::find(chosen.begin(), chosen.end(), article) != chosen.end())
                        article = (article + 1) % n;
                    chosen.push_back(article);
                    o.lines.push_back(makeOrderLine(rng, article, d, o.status));
                }
                if (o.status == 7) {
                    const bool anyDelivered =
                        std::any_of(o.lines.begin(), o.lines.end(),
                                    [](const OrderLine& l) { return l.delivered > 0; });
                    if (!anyDelivered) {
                        o.lines.front().delivered = o.lines.front().quantity;
                        o.lines.front().cancelled = 0;
                    }
                }
                m_orders.push_back(std::move(o));
            }
        }
        std::stable_sort(m_orders.begin(), m_orders.end(), [](const Order& a, const Order& b) {
            return std::tie(a.day, a.time, a.dealer) < std::tie(b.day, b.time, b.dealer);
        });
        // Basket line numbers grow with time; some lines were deleted before ordering.
        m_basketNo = 1000 + rng.range(0, 500);
        int idno = 0;
        for (Order& o : m_orders) {
            o.idno = ++idno;
            for (OrderLine& l : o.lines) {
                m_basketNo += 1 + (rng.chance(0.2) ? rng.range(1, 3) : 0);
                l.basketNo = m_basketNo;
            }
        }
    }

    double orderQuantity(Prng& rng, const Article& a) {
        switch (a.unit) {
        case 1:
            return rng.range(1, 3);
        case 2:
            return rng.range(1, 20);
        default:
            if (a.listPrice < 300)
                return rng.range(2, 20);
            if (a.listPrice < 1500)
                return rng.range(1, 6);
            return rng.range(1, 2);
        }
    }

    OrderLine makeOrderLine(Prng& rng, int article, const Dealer& d, int status) {
        OrderLine l;
        l.article = article;
        l.quantity = orderQuantity(rng, m_articles[size_t(article)]);
        l.p = pricingFor(article, d);
        const double q = l.quantity;
        switch (status) {
        case 5: {
            const int pick = rng.weighted(std::array{50, 30, 20});
            l.delivered = pick == 0 ? q : pick == 1 && q > 1 ? rng.range(1, int(q) - 1) : 0;
            break;
        }
        case 7: {
            const int pick = rng.weighted(std::array{88, 7, 5});
            if (pick == 0 || q < 2) {
                l.delivered = q;
            } else {
                l.delivered = rng.range(1, int(q) - 1); // the rest stays open, or is cancelled
                if (pick == 2)
                    l.cancelled = q - l.delivered;
            }
            break;
        }
        case 6:
            break;
        default:
            if (q > 1 && rng.chance(0.05))
                l.cancelled = 1;
        }
        return l;
    }

    void writeOrders() {
        Sql order(m_store,
                  QStringLiteral("INSERT INTO siparis(idno, carino, tarih, veren_sirano, teslim_id,"
                                 " kargo_turu_id, kargo_firma_id, aciklama, alan_notu, satici_notu,"
                                 " durum) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
        Sql line(m_store,
                 QStringLiteral("INSERT INTO siparis_satir(idno, sepet_sirano, stokno, barkod,"
                                " stokadi, miktar, teslimedilen, iptal, birimfiyat, ilkfiyat, ind1,"
                                " ind2, ind3, ind4, kdv, kampanya, veren_sirano)"
                                " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
        std::map<int, double> open;
        for (const Order& o : m_orders) {
            const Dealer& d = m_dealers.at(o.dealer);
            order.exec({o.idno, d.carino, stamp(o.day, o.time), o.user, o.delivery, o.cargoType,
                        o.cargoFirm, o.note, o.ourNote, o.repNote, o.status});
            for (const OrderLine& l : o.lines) {
                const Article& a = m_articles[size_t(l.article)];
                line.exec({o.idno, l.basketNo, l.article + 1, a.code, a.name, l.quantity,
                           l.delivered, l.cancelled, l.p.price, l.p.first, l.p.rates[0],
                           l.p.rates[1], l.p.rates[2], l.p.rates[3], a.vat, l.p.campaign, o.user});
                const double rest = l.quantity - l.delivered - l.cancelled;
                if (rest > 0)
                    open[l.article] += rest;
            }
        }
        // What dealers ordered and have not received yet.
        Sql ordered(m_store, QStringLiteral("UPDATE stok SET alinansiparis = ? WHERE stokno = ?"));
        for (const auto& [article, quantity] : open)
            ordered.exec({quantity, article + 1});
    }

    InvoiceLine articleLine(int article, double quantity, const Pricing& p) const {
        const Article& a = m_articles[size_t(article)];
        InvoiceLine l;
        l.article = article;
        l.code = a.code;
        l.name = a.name;
        l.quantity = quantity;
        l.price = p.price;
        l.rates = p.rates;
        l.vat = a.vat;
        return l;
    }

    static void total(Invoice& inv) {
        double total = 0, discount = 0, vat = 0;
        for (InvoiceLine& l : inv.lines) {
            l.a = lineAmounts(l.quantity, l.price, l.rates, l.vat);
            total += l.a.gross;
            discount += l.a.discount;
            vat += l.a.vat;
        }
        inv.total = IkiHaneYuvarla(total);
        inv.discount = IkiHaneYuvarla(discount);
        inv.base = IkiHaneYuvarla(inv.total - inv.discount);
        inv.vat = IkiHaneYuvarla(vat);
        inv.gross = IkiHaneYuvarla(inv.base + inv.vat);
    }

    void makeInvoices() {
        Prng rng = stream(kPartAccounts);
        const int n = int(m_articles.size());
        // Shipped orders are invoiced on the day they leave.
        for (int i = 0; i < int(m_orders.size()); ++i) {
            const Order& o = m_orders[size_t(i)];
            if (o.status != 7)
                continue;
            Invoice inv;
            inv.dealer = o.dealer;
            inv.day = std::min(m_today, workday(o.day.addDays(rng.range(0, 1))));
            inv.order = i;
            inv.note = QStringLiteral("B2B sipariş no %1").arg(o.idno);
            for (const OrderLine& l : o.lines) {
                if (l.delivered > 0)
                    inv.lines.push_back(articleLine(l.article, l.delivered, l.p));
            }
            m_invoices.push_back(std::move(inv));
        }
        for (int k = 0; k < m_dealers.size() && n > 0; ++k) {
            const Dealer& d = m_dealers.at(k);
            const auto sales =
                std::count_if(m_invoices.begin(), m_invoices.end(), [k](const Invoice& v) {
                    return v.dealer == k && v.kind == InvoiceKind::Sale;
                });
            // Counter sales for dealers who order little through the system.
            if (sales < 2) {
                const int extra = rng.range(1, 3);
                for (int j = 0; j < extra; ++j) {
                    Invoice inv;
                    inv.dealer = k;
                    inv.day = workday(m_today.addDays(-rng.range(1, kHistoryDays - 5)));
                    inv.note = QStringLiteral("Depo satışı");
                    const int lines = rng.range(1, 4);
                    for (int l = 0; l < lines; ++l) {
                        const int article = int(rng.below(quint64(n)));
                        inv.lines.push_back(
                            articleLine(article, orderQuantity(rng, m_articles[size_t(article)]),
                                        pricingFor(article, d)));
                    }
                    m_invoices.push_back(std::move(inv));
                }
            }
            if (k == 3 || rng.chance(0.15)) {
                Invoice inv;
                inv.dealer = k;
                inv.kind = InvoiceKind::PriceDifference;
                inv.day = workday(m_today.addDays(-rng.range(2, kHistoryDays - 10)));
                inv.note = QStringLiteral("Fiyat güncellemesi farkı");
                InvoiceLine l;
                l.name = QStringLiteral("FİYAT FARKI");
                l.quantity = 1;
                l.price = roundTo(rng.between(150, 2500), 10);
                l.note = QStringLiteral("Kur farkı nedeniyle fiyat farkı");
                inv.lines.push_back(l);
                m_invoices.push_back(std::move(inv));
            }
        }
        for (Invoice& inv : m_invoices)
            total(inv);
        // Returns of goods from an earlier sale, a few days after it.
        const size_t salesEnd = m_invoices.size();
        bool anyReturn = false; // at least one, with the first dealer past the demo ones
        for (int k = 0; k < m_dealers.size(); ++k) {
            if (!(k >= 2 && !anyReturn) && !rng.chance(0.2))
                continue;
            std::vector<size_t> candidates;
            for (size_t i = 0; i < salesEnd; ++i) {
                const Invoice& v = m_invoices[i];
                if (v.dealer == k && v.kind == InvoiceKind::Sale && v.order >= 0 &&
                    v.day.daysTo(m_today) >= 3)
                    candidates.push_back(i);
            }
            if (candidates.empty())
                continue;
            const size_t src = candidates[size_t(rng.index(qsizetype(candidates.size())))];
            const Invoice& from = m_invoices[src];
            Invoice inv;
            inv.dealer = k;
            inv.kind = InvoiceKind::Return;
            inv.sourceOrder = from.order;
            inv.day = std::min(m_today, workday(from.day.addDays(rng.range(3, 14))));
            inv.note = rng.chance(0.5) ? QStringLiteral("Hatalı ürün iadesi")
                                       : QStringLiteral("Yanlış sipariş iadesi");
            const size_t lines = std::min<size_t>(from.lines.size(), size_t(rng.range(1, 2)));
            for (size_t l = 0; l < lines; ++l) {
                InvoiceLine line = from.lines[l];
                line.quantity = rng.range(1, int(std::min(2.0, line.quantity)));
                inv.lines.push_back(line);
            }
            total(inv);
            m_invoices.push_back(std::move(inv));
            anyReturn = true;
        }

        std::stable_sort(m_invoices.begin(), m_invoices.end(),
                         [](const Invoice& a, const Invoice& b) {
                             return std::tie(a.day, a.dealer) < std::tie(b.day, b.dealer);
                         });
        std::map<int, int> byOrder; // order -> its sale invoice
        for (int i = 0; i < int(m_invoices.size()); ++i) {
            if (m_invoices[size_t(i)].kind == InvoiceKind::Sale && m_invoices[size_t(i)].order >= 0)
                byOrder[m_invoices[size_t(i)].order] = i;
        }
        std::map<std::pair<QString, int>, int> counters;
        int idno = kInvoiceIdBase;
        for (Invoice& inv : m_invoices) {
            inv.idno = ++idno;
            const QString prefix = inv.kind == InvoiceKind::Sale     ? QStringLiteral("VLK")
                                   : inv.kind == InvoiceKind::Return ? QStringLiteral("VLI")
                                                                     : QStringLiteral("VLF");
            const int year = inv.day.year();
            inv.number = serial(prefix, year, ++counters[{prefix, year}]);
            if (inv.kind != InvoiceKind::PriceDifference) {
                const QString waybill =
                    inv.kind == InvoiceKind::Sale ? QStringLiteral("IRS") : QStringLiteral("IRI");
                inv.deliveryNote = serial(waybill, year, ++counters[{waybill, year}]);
            }
        }
        for (Invoice& inv : m_invoices) {
            if (inv.kind == InvoiceKind::Return && byOrder.count(inv.sourceOrder) != 0)
                inv.note += QStringLiteral(" (%1)").arg(
                    m_invoices[size_t(byOrder[inv.sourceOrder])].number);
        }
    }

    static QString kindName(InvoiceKind kind) {
        switch (kind) {
        case InvoiceKind::Return:
            return QStringLiteral("İade Faturası");
        case InvoiceKind::PriceDifference:
            return QStringLiteral("Fiyat Farkı Faturası");
        default:
            return QStringLiteral("Satış Faturası");
        }
    }

    // One collection: a card payment stands alone (it has its receipt), the others are
    // made of cash, cheques and transfers.
    Payment payment(Prng& rng, int dealer, const QDate& day, double amount, bool card) {
        static const QStringList cardPrefixes = {
            QStringLiteral("4543 60"), QStringLiteral("5400 61"), QStringLiteral("4355 08"),
            QStringLiteral("5528 79"), QStringLiteral("4022 27")};
        Payment p;
        p.dealer = dealer;
        p.day = day;
        p.time = officeTime(rng, 9, 17);
        if (card) {
            p.card = rng.pick(cardPrefixes) + QStringLiteral("** **** ") + digits(rng, 4);
            PaymentLine l;
            l.kind = QStringLiteral("Kredi Kartı");
            l.detail = QStringLiteral("Sanal POS");
            l.due = day;
            l.amount = amount;
            l.ref = digits(rng, 6);
            l.note = QStringLiteral("Sanal POS tek çekim, provizyon %1").arg(l.ref);
            p.lines.push_back(l);
            return p;
        }
        int count = amount < 1000 ? 1 : rng.weighted(std::array{65, 27, 8}) + 1;
        std::vector<double> parts;
        double left = amount;
        for (int i = 0; i < count - 1; ++i) {
            const double part = std::max(100.0, roundTo(amount * rng.between(0.2, 0.45), 100));
            if (left - part < 100)
                break;
            parts.push_back(part);
            left -= part;
        }
        parts.push_back(IkiHaneYuvarla(left));
        for (double part : parts) {
            PaymentLine l;
            l.amount = part;
            l.due = day;
            switch (rng.weighted(std::array{30, 30, 40})) {
            case 0:
                l.kind = QStringLiteral("Nakit");
                l.detail = QStringLiteral("TL");
                l.note = QStringLiteral("Kasa tahsilatı");
                break;
            case 1:
                l.kind = QStringLiteral("Çek");
                l.detail = rng.pick(banks());
                l.due = day.addDays(rng.range(30, 120));
                l.ref = digits(rng, 7);
                l.note = QStringLiteral("%1 çeki, vade %2")
                             .arg(l.detail, l.due.toString(QStringLiteral("dd.MM.yyyy")));
                break;
            default:
                l.kind = QStringLiteral("Havale");
                l.detail = rng.pick(banks());
                l.ref = QStringLiteral("EFT") + digits(rng, 8);
                l.note = QStringLiteral("%1 havale/EFT").arg(l.detail);
            }
            p.lines.push_back(l);
        }
        return p;
    }

    Payment transfer(Prng& rng, int dealer, const QDate& day, double amount, const QString& note) {
        Payment p;
        p.dealer = dealer;
        p.day = day;
        p.time = officeTime(rng, 9, 17);
        p.note = note;
        PaymentLine l;
        l.kind = QStringLiteral("Havale");
        l.detail = rng.pick(banks());
        l.due = day;
        l.amount = amount;
        l.ref = QStringLiteral("EFT") + digits(rng, 8);
        l.note = note;
        p.lines.push_back(l);
        return p;
    }

    // How each dealer paid: on time (nothing overdue), late (overdue invoices stay open) or in
    // advance (a credit balance).
    void makePayments() {
        Prng rng = stream(kPartPayments);
        for (int k = 0; k < m_dealers.size(); ++k) {
            const Dealer& d = m_dealers.at(k);
            double opening = 0;
            switch (d.payer) {
            case Payer::OnTime:
                opening = rng.chance(0.85) ? rng.between(2000, 25000) : 0;
                break;
            case Payer::Late:
                opening = rng.between(20000, 80000);
                break;
            case Payer::InAdvance:
                opening = -rng.between(5000, 20000);
                break;
            }
            m_openings.push_back(IkiHaneYuvarla(opening));

            std::vector<Debit> debits;
            std::vector<Debit> returns;
            if (opening > 0)
                debits.push_back({m_start.addDays(d.payer == Payer::Late ? 0 : 15), opening});
            for (const Invoice& inv : m_invoices) {
                if (inv.dealer != k)
                    continue;
                if (inv.kind == InvoiceKind::Return)
                    returns.push_back({inv.day, inv.gross});
                else
                    debits.push_back(
                        {d.payer == Payer::InAdvance ? inv.day : inv.day.addDays(d.term),
                         inv.gross});
            }
            std::stable_sort(debits.begin(), debits.end(),
                             [](const Debit& a, const Debit& b) { return a.due < b.due; });
            size_t returned = 0; // returns already set against a payment
            auto returnsUntil = [&](const QDate& day) {
                double sum = 0;
                while (returned < returns.size() && returns[returned].due <= day)
                    sum += returns[returned++].amount;
                return sum;
            };
            bool first = true;
            auto collect = [&](const QDate& day, double amount, const QString& note) {
                // The first dealer's first collection is a card payment with its receipt.
                Payment p = note.isEmpty() ? payment(rng, k, day, amount,
                                                     (k == 0 && first) || rng.chance(0.25))
                                           : transfer(rng, k, day, amount, note);
                first = false;
                m_payments.push_back(std::move(p));
            };

            switch (d.payer) {
            case Payer::OnTime: {
                size_t i = 0;
                while (i < debits.size()) {
                    const QDate groupStart = debits[i].due;
                    QDate lastDue = groupStart;
                    double sum = 0;
                    for (; i < debits.size() && debits[i].due <= groupStart.addDays(10); ++i) {
                        sum += debits[i].amount;
                        lastDue = debits[i].due;
                    }
                    const QDate day = workday(lastDue.addDays(rng.range(0, 4)));
                    if (day > m_today)
                        break;
                    sum = IkiHaneYuvarla(sum - returnsUntil(day));
                    if (sum >= 1)
                        collect(day, sum, {});
                }
                break;
            }
            case Payer::Late: {
                double paid = 0;
                for (QDate day = m_start.addDays(rng.range(5, 20)); day <= m_today;
                     day = day.addDays(rng.range(20, 40))) {
                    double due = -paid;
                    for (const Debit& b : debits) {
                        if (b.due <= day)
                            due += b.amount;
                    }
                    for (const Debit& r : returns) {
                        if (r.due <= day)
                            due -= r.amount;
                    }
                    const double amount = roundTo(due * rng.between(0.35, 0.65), 500);
                    if (amount >= 500) {
                        collect(workday(day), amount, {});
                        paid += amount;
                    }
                }
                break;
            }
            case Payer::InAdvance: {
                const double advance = roundTo(rng.between(15000, 45000), 1000);
                collect(workday(m_start.addDays(rng.range(2, 12))), advance,
                        QStringLiteral("Avans ödemesi"));
                for (const Debit& b : debits)
                    collect(b.due, b.amount, {});
                // Some had part of their credit paid back.
                if (k == 1 || rng.chance(0.5)) {
                    Payment p = transfer(rng, k, workday(m_start.addDays(rng.range(40, 90))),
                                         roundTo(advance * 0.3, 1000),
                                         QStringLiteral("Alacak bakiyesi iadesi"));
                    p.out = true;
                    m_payments.push_back(std::move(p));
                }
                break;
            }
            }
        }

        std::stable_sort(
            m_payments.begin(), m_payments.end(), [](const Payment& a, const Payment& b) {
                return std::tie(a.day, a.time, a.dealer) < std::tie(b.day, b.time, b.dealer);
            });
        std::map<std::pair<bool, int>, int> counters;
        int collections = kCollectionIdBase;
        int out = kPaymentOutIdBase;
        for (Payment& p : m_payments) {
            p.belge = p.out ? ++out : ++collections;
            p.number = serial(p.out ? QStringLiteral("TED") : QStringLiteral("TAH"), p.day.year(),
                              ++counters[{p.out, p.day.year()}]);
        }
    }

    void writeInvoices() {
        Sql invoice(m_store,
                    QStringLiteral(
                        "INSERT INTO fatura(idno, carino, evrakno, tarih, hareket_tipi, satici_no,"
                        " vade, irsaliye_evrakno, irsaliye_tarihi, irsaliye_tipi, siparis_idno,"
                        " siparis_evrakno, siparis_tarihi, aciklama, toplam, toplamindirim, matrah,"
                        " kdvtutar, kdvdahil)"
                        " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
        Sql line(m_store,
                 QStringLiteral("INSERT INTO fatura_satir(fatura_idno, stokno, barkod, stokadi,"
                                " miktar, birimfiyat, ind1, ind2, ind3, ind4, kdv, tutar,"
                                " toplamindirim, netbirimfiyat, nettutar, vergi, aciklama)"
                                " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
        for (const Invoice& inv : m_invoices) {
            const Dealer& d = m_dealers.at(inv.dealer);
            const Order* o = inv.order >= 0 ? &m_orders[size_t(inv.order)] : nullptr;
            const QString waybillType =
                inv.kind == InvoiceKind::Sale     ? QStringLiteral("Satış İrsaliyesi")
                : inv.kind == InvoiceKind::Return ? QStringLiteral("Satıştan İade İrsaliyesi")
                                                  : QString();
            invoice.exec(
                {inv.idno, d.carino, inv.number, dayText(inv.day), kindName(inv.kind), d.rep,
                 d.term, inv.deliveryNote,
                 inv.deliveryNote.isEmpty() ? QVariant() : QVariant(dayText(inv.day)), waybillType,
                 o ? QVariant(o->idno) : QVariant(),
                 o ? QStringLiteral("B2B%1").arg(o->idno, 6, 10, QLatin1Char('0')) : QString(),
                 o ? QVariant(dayText(o->day)) : QVariant(), inv.note, inv.total, inv.discount,
                 inv.base, inv.vat, inv.gross});
            for (const InvoiceLine& l : inv.lines)
                line.exec({inv.idno, idOrNull(l.article + 1), l.code, l.name, l.quantity, l.price,
                           l.rates[0], l.rates[1], l.rates[2], l.rates[3], l.vat, l.a.gross,
                           l.a.discount, l.a.netUnit, l.a.net, l.a.vat, l.note});
        }
    }

    static double sum(const Payment& p) {
        double s = 0;
        for (const PaymentLine& l : p.lines)
            s += l.amount;
        return IkiHaneYuvarla(s);
    }

    QByteArray receipt(const Payment& p) const {
        const Dealer& d = m_dealers.at(p.dealer);
        const QLocale turkish(QLocale::Turkish, QLocale::Turkey);
        const QColor blue(0x1F, 0x4E, 0x79);
        const QColor grey(0x66, 0x66, 0x66);
        PdfWriter pdf;
        pdf.rect(0, 0, 595, 96, blue);
        pdf.text(40, 46, firmTitle(), 22, true, Qt::white);
        pdf.text(40, 74, QStringLiteral("Sanal POS Ödeme Dekontu"), 13, false, Qt::white);
        const std::pair<QString, QString> rows[] = {
            {QStringLiteral("Bayi"), d.name},
            {QStringLiteral("Cari Kod"), d.code},
            {QStringLiteral("İşlem Tarihi"), p.day.toString(QStringLiteral("dd.MM.yyyy")) +
                                                 QLatin1Char(' ') +
                                                 p.time.toString(QStringLiteral("HH:mm"))},
            {QStringLiteral("Belge No"), p.number},
            {QStringLiteral("Kart Numarası"), p.card},
            {QStringLiteral("Provizyon No"), p.lines.front().ref},
            {QStringLiteral("Taksit"), QStringLiteral("Tek Çekim")},
        };
        double y = 150;
        for (const auto& [label, value] : rows) {
            pdf.text(40, y, label, 11, true);
            pdf.text(190, y, value, 11);
            y += 24;
        }
        pdf.line(40, y, 555, y, 0.8, blue);
        y += 34;
        const QString amount = turkish.toString(sum(p), 'f', 2) + QStringLiteral(" TL");
        pdf.text(40, y, QStringLiteral("Tahsil Edilen Tutar"), 13, true);
        pdf.text(555 - pdf.textWidth(amount, 16, true), y, amount, 16, true, blue);
        pdf.text(40, 792,
                 QStringLiteral("Bu dekont bilgi amaçlıdır; ödemeniz cari hesabınıza işlenmiştir."),
                 9, false, grey);
        pdf.text(40, 806, QStringLiteral("www.velkorotomotiv.com.tr"), 9, false, grey);
        return pdf.finish(QStringLiteral("Sanal POS Ödeme Dekontu %1").arg(p.number));
    }

    void writePayments() {
        Sql line(m_store,
                 QStringLiteral("INSERT INTO tahsilat(belge_idno, carino, tarih, turu, cins, vade,"
                                " tutar, aciklama, evrakno, ref, saat)"
                                " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
        Sql pos(m_store,
                QStringLiteral("INSERT INTO sanalpos_odeme(belge_idno, carino, zaman, tutar,"
                               " kart, dekont) VALUES (?, ?, ?, ?, ?, ?)"));
        for (const Payment& p : m_payments) {
            const int carino = m_dealers.at(p.dealer).carino;
            for (const PaymentLine& l : p.lines)
                line.exec({p.belge, carino, dayText(p.day), l.kind, l.detail, dayText(l.due),
                           l.amount, l.note, p.number, l.ref,
                           p.time.toString(QStringLiteral("HH:mm"))});
            if (!p.card.isEmpty())
                pos.exec({p.belge, carino, stamp(p.day, p.time), sum(p), p.card, receipt(p)});
        }
    }

    // The account statement: the opening balance, invoices and payments in date order.
    void writeStatements() {
        struct Movement {
            QDate day;
            int dealer;
            int rank; // opening, invoices, payments on one day
            int seq;
            QString type;
            QString number;
            double debit;
            double credit;
            int belge;
            QString note;
            QDate due;
        };
        std::vector<Movement> moves;
        for (int k = 0; k < m_dealers.size(); ++k) {
            const double opening = m_openings[size_t(k)];
            moves.push_back({m_start, k, 0, 0, QStringLiteral("Devir"), QStringLiteral("DEVİR"),
                             std::max(0.0, opening), std::max(0.0, -opening), 0,
                             QStringLiteral("Önceki dönemden devir"), m_start});
        }
        for (const Invoice& inv : m_invoices) {
            const bool credit = inv.kind == InvoiceKind::Return;
            moves.push_back({inv.day, inv.dealer, 1, inv.idno, kindName(inv.kind), inv.number,
                             credit ? 0.0 : inv.gross, credit ? inv.gross : 0.0, inv.idno, inv.note,
                             inv.day.addDays(m_dealers.at(inv.dealer).term)});
        }
        for (const Payment& p : m_payments) {
            QString note = p.note;
            if (note.isEmpty()) {
                QStringList kinds;
                for (const PaymentLine& l : p.lines) {
                    if (!kinds.contains(l.kind))
                        kinds.append(l.kind);
                }
                note = kinds.join(QStringLiteral(" + "));
            }
            const double amount = sum(p);
            moves.push_back({p.day, p.dealer, 2, p.belge,
                             p.out ? QStringLiteral("Tediye") : QStringLiteral("Tahsilat"),
                             p.number, p.out ? amount : 0.0, p.out ? 0.0 : amount, p.belge, note,
                             p.day});
        }
        std::stable_sort(moves.begin(), moves.end(), [](const Movement& a, const Movement& b) {
            return std::tie(a.day, a.dealer, a.rank, a.seq) <
                   std::tie(b.day, b.dealer, b.rank, b.seq);
        });
        Sql q(m_store,
              QStringLiteral("INSERT INTO cari_hareket(hareket_no, carino, tarih, turadi, evrakno,"
                             " borc, alacak, belge_idno, aciklama, vade_tarihi)"
                             " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
        int no = 0;
        for (const Movement& m : moves)
            q.exec({++no, m_dealers.at(m.dealer).carino, dayText(m.day), m.type, m.number, m.debit,
                    m.credit, m.belge, m.note, dayText(m.due)});
    }

    int firstCampaignArticle() const {
        for (size_t i = 0; i < m_articles.size(); ++i) {
            if (m_articles[i].campaignPrice > 0)
                return int(i);
        }
        return m_articles.empty() ? -1 : 0;
    }

    void writeAdverts() {
        struct Advert {
            int type;
            QString title;
            QString subline;
            QString search; // what the click looks for; empty: nothing
            bool active;
        };
        const int featured = firstCampaignArticle();
        const QString featuredCode =
            featured >= 0 ? m_articles[size_t(featured)].code : QStringLiteral("FREN BALATASI");
        const QString featuredName =
            featured >= 0 ? m_articles[size_t(featured)].name : QStringLiteral("FREN BALATASI ÖN");
        const Advert adverts[] = {
            {1, QStringLiteral("Fren Sistemlerinde Kampanya"),
             QStringLiteral("Seçili balata ve disklerde %15'e varan indirim"),
             QStringLiteral("#KAMPANYA#"), true},
            {1, QStringLiteral("Yeni Ürünler Raflarda"),
             QStringLiteral("Her hafta yeni parçalar kataloğumuza ekleniyor"),
             QStringLiteral("#YENİ#"), true},
            {1, QStringLiteral("Filtrede Bakım Zamanı"),
             QStringLiteral("Yağ, hava ve polen filtrelerinde avantajlı fiyatlar"),
             QStringLiteral("YAĞ FİLTRESİ"), true},
            {1, QStringLiteral("Haftanın Ürünü"), featuredName, featuredCode, true},
            {1, firmTitle(), QStringLiteral("Orijinal ve muadil yedek parçada çözüm ortağınız"),
             QString(), true},
            {2, QStringLiteral("Bayram Tatili Çalışma Saatleri"),
             QStringLiteral("Depomuz bayramın ilk iki günü kapalı olacaktır"), QString(), true},
            {2, QStringLiteral("Yeni Kargo Anlaşması"),
             QStringLiteral("Anlaşmalı kargo ile saat 16:00'ya kadar aynı gün gönderim"), QString(),
             true},
            {2, QStringLiteral("Sanal POS ile Ödeme"),
             QStringLiteral("Cari hesabınızı kredi kartıyla güvenle kapatın"), QString(), true},
            {2, QStringLiteral("Triger Setlerinde Yeni Marka"),
             QStringLiteral("Gates ve Contitech triger setleri stoklarımızda"),
             QStringLiteral("TRİGER SETİ"), true},
            {2, QStringLiteral("Kışa Hazırlık"),
             QStringLiteral("Balata, akü ve antifrizde kış fırsatları"),
             QStringLiteral("FREN BALATASI"), true},
            {2, QStringLiteral("Cumartesi Mesaisi"),
             QStringLiteral("Cumartesi 09:00-14:00 arası sipariş alınır"), QString(), false},
        };
        Sql q(m_store, QStringLiteral("INSERT INTO reklam(sirano, tur, baslik, arama, resim, sira,"
                                      " aktif) VALUES (?, ?, ?, ?, ?, ?, ?)"));
        int sirano = 0;
        std::map<int, int> order;
        for (const Advert& a : adverts) {
            const QSize size = a.type == 1 ? QSize(600, 400) : QSize(605, 405);
            const int place = ++order[a.type];
            q.exec({++sirano, a.type, a.title, a.search,
                    advertJpeg(a.title, a.subline, sirano, size), place, a.active ? 1 : 0});
        }
    }

    void writeBanners() {
        Sql q(m_store, QStringLiteral("INSERT INTO banner(id, konum, bicim, resim, aktif)"
                                      " VALUES (?, ?, ?, ?, ?)"));
        const QSize header(300, 90);
        const QString headerText = QStringLiteral("Velkor Otomotiv Parts");
        q.exec({1, 1, QStringLiteral("gif"),
                writeAnimatedGif(bannerFrames(header, headerText, 12), 10), 1});
        q.exec(
            {2, 1, QStringLiteral("png"), imageBytes(bannerImage(header, headerText), "PNG"), 0});
        q.exec({3, 1, QStringLiteral("jpeg"),
                imageBytes(bannerImage(header, headerText), "JPEG", 90), 0});
        const QString strip = QStringLiteral(
            "Fren, filtre ve triger setlerinde kampanya! Saat 16:00'ya kadar verilen siparişler "
            "aynı gün kargoda.");
        q.exec({4, 2, QStringLiteral("gif"),
                writeAnimatedGif(bannerFrames(QSize(1200, 60), strip, 10), 12), 1});
        const QString ticker = QStringLiteral("Hafta içi 08:30-18:30, Cumartesi 09:00-14:00");
        q.exec({5, 3, QStringLiteral("bmp"), imageBytes(bannerImage(QSize(600, 36), ticker), "BMP"),
                1});
    }

    void writeBaskets() {
        const int n = int(m_articles.size());
        if (n == 0)
            return;
        Prng rng = stream(kPartBaskets);
        std::vector<int> taken;
        auto pickArticle = [&](bool campaign) {
            const int from = int(rng.below(quint64(n)));
            for (int j = 0; j < n; ++j) {
                const int i = (from + j) % n;
                const Article& a = m_articles[size_t(i)];
                if (a.status == 1 && (!campaign || a.campaignPrice > 0) &&
                    std::find(taken.begin(), taken.end(), i) == taken.end()) {
                    taken.push_back(i);
                    return i;
                }
            }
            return from;
        };
        struct Line {
            int dealer;
            bool campaign;
            int user;
            bool selected;
            QDate day;
            QTime time;
        };
        const QDate yesterday = workday(m_today.addDays(-1));
        const Line lines[] = {
            {0, false, m_reps.first().user, true, yesterday, QTime(16, 20, 12)},
            {0, true, m_dealers[0].user, true, m_today, QTime(8, 41, 5)},
            {0, false, m_dealers[0].user, false, m_today, QTime(9, 5, 47)},
            {1, false, m_dealers[1].user, true, yesterday, QTime(11, 12, 30)},
            {1, true, m_dealers[1].user, true, m_today, QTime(8, 55, 18)},
        };
        Sql q(m_store,
              QStringLiteral("INSERT INTO sepet(sirano, carino, stokno, barkod, stokadi, miktar,"
                             " kdv, birimfiyat, ilkfiyat, ind1, ind2, ind3, ind4, kampanya,"
                             " veren_sirano, sec, zaman)"
                             " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
        int sirano = m_basketNo;
        for (const Line& l : lines) {
            const Dealer& d = m_dealers.at(l.dealer);
            const int i = pickArticle(l.campaign);
            const Article& a = m_articles[size_t(i)];
            const Pricing p = pricingFor(i, d);
            q.exec({++sirano, d.carino, i + 1, a.code, a.name, orderQuantity(rng, a), a.vat,
                    p.price, p.first, p.rates[0], p.rates[1], p.rates[2], p.rates[3], p.campaign,
                    l.user, l.selected ? 1 : 0, stamp(l.day, l.time)});
        }
    }

    Store& m_store;
    const DemoSeedOptions& m_options;
    const QDate m_today;
    const QDate m_start;
    QList<Rep> m_reps;
    QList<Dealer> m_dealers;
    std::vector<Article> m_articles;
    std::vector<bool> m_hasPicture;
    std::vector<int> m_pictures;
    std::vector<std::array<Rates, 3>> m_groupRates;
    std::map<std::pair<int, int>, Rates> m_articleRates; // (article, class)
    std::map<int, std::vector<int>> m_firmsByType;
    std::vector<Order> m_orders;
    std::vector<Invoice> m_invoices;
    std::vector<Payment> m_payments;
    std::vector<double> m_openings; // balance carried over, per dealer
    int m_basketNo = 0;
};

} // namespace

QList<DemoLogin> demoLogins() {
    return {
        {QStringLiteral("BAYI"), QStringLiteral("1234"), 3,
         QStringLiteral("bir bayinin kullanıcısı")},
        {QStringLiteral("BAYI4"), QStringLiteral("1234"), 4,
         QStringLiteral("kampanyaları görmeyen bayi kullanıcısı")},
        {QStringLiteral("TEMSILCI"), QStringLiteral("1234"), 1,
         QStringLiteral("adına çalışacağı bayiyi seçen satış temsilcisi")},
        {QStringLiteral("YONETICI"), QStringLiteral("1234"), 2,
         QStringLiteral("kıdemli temsilci (açık bakiyeleri yeniden fiyatlayabilir)")},
        {QStringLiteral("PASIF"), QStringLiteral("1234"), 3,
         QStringLiteral("pasif hesap (giriş reddedilir)")},
    };
}

void seedDemo(Store& store, const DemoSeedOptions& options) {
    store.write([&] { DemoSeeder(store, options).run(); });
}

} // namespace vk::server
