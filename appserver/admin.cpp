#include "admin.h"

#include "store/store.h"

#include <QDateTime>

namespace vk::server {

namespace {

QString now() {
    return QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

} // namespace

void addWorkstation(Store& store, const QString& id, const QString& userName, const QString& note) {
    const QString trimmed = id.trimmed();
    if (trimmed.isEmpty())
        throw vk::Error(QStringLiteral("Bilgisayar kimliği boş olamaz"));
    store.write([&] {
        Sql user(store, QStringLiteral("SELECT sirano FROM kullanici WHERE adi = ?"), {userName});
        const QVariant sirano = user.exec().scalar();
        if (!sirano.isValid())
            throw vk::Error(QStringLiteral("Kullanıcı bulunamadı: %1").arg(userName));
        // A workstation belongs to one user; registering it again moves it.
        Sql(store,
            QStringLiteral("INSERT INTO bilgisayar(bilgisayarid, kullanici_sirano, aciklama, "
                           "kayit_zamani) VALUES (?, ?, ?, ?) ON CONFLICT(bilgisayarid) DO UPDATE "
                           "SET kullanici_sirano = excluded.kullanici_sirano, "
                           "aciklama = excluded.aciklama"),
            {trimmed, sirano, note, now()})
            .exec();
    });
}

bool removeWorkstation(Store& store, const QString& id) {
    int removed = 0;
    store.write([&] {
        Sql q(store, QStringLiteral("DELETE FROM bilgisayar WHERE bilgisayarid = ?"), {id});
        removed = q.exec().rowsAffected();
    });
    return removed > 0;
}

void listWorkstations(Store& store, QTextStream& out) {
    Sql q(store, QStringLiteral("SELECT b.bilgisayarid, k.adi, k.tip, b.aciklama, b.kayit_zamani "
                                "FROM bilgisayar b JOIN kullanici k "
                                "ON k.sirano = b.kullanici_sirano ORDER BY b.bilgisayarid"));
    q.exec();
    out << QStringLiteral("%1  %2  %3  %4\n")
               .arg(QStringLiteral("BİLGİSAYAR").leftJustified(28),
                    QStringLiteral("KULLANICI").leftJustified(14), QStringLiteral("TİP"),
                    QStringLiteral("KAYIT / AÇIKLAMA"));
    while (q.next())
        out << QStringLiteral("%1  %2  %3    %4 %5\n")
                   .arg(q.value(0).toString().leftJustified(28),
                        q.value(1).toString().leftJustified(14), q.value(2).toString(),
                        q.value(4).toString(), q.value(3).toString());
}

int addUser(Store& store, const NewUser& u) {
    if (u.name.trimmed().isEmpty() || u.password.isEmpty())
        throw vk::Error(QStringLiteral("Kullanıcı adı ve şifre boş olamaz"));
    if (u.type < 1 || u.type > 4)
        throw vk::Error(QStringLiteral("Kullanıcı tipi 1 ile 4 arasında olmalı"));
    int sirano = 0;
    store.write([&] {
        if (Sql(store, QStringLiteral("SELECT 1 FROM kullanici WHERE adi = ?"), {u.name})
                .exec()
                .next())
            throw vk::Error(QStringLiteral("Bu adla bir kullanıcı zaten var: %1").arg(u.name));
        if (u.dealer > 0 &&
            !Sql(store, QStringLiteral("SELECT 1 FROM cari WHERE carino = ?"), {u.dealer})
                 .exec()
                 .next())
            throw vk::Error(QStringLiteral("Cari bulunamadı: %1").arg(u.dealer));
        if (u.representative > 0 &&
            !Sql(store, QStringLiteral("SELECT 1 FROM satici WHERE satici_no = ?"),
                 {u.representative})
                 .exec()
                 .next())
            throw vk::Error(QStringLiteral("Satıcı bulunamadı: %1").arg(u.representative));
        Sql q(
            store,
            QStringLiteral("INSERT INTO kullanici(adi, sifre, tip, aktif, carino, satici_no, mail) "
                           "VALUES (?, ?, ?, ?, ?, ?, ?)"),
            {u.name, u.password, u.type, u.active ? 1 : 0,
             u.dealer > 0 ? QVariant(u.dealer) : QVariant(),
             u.representative > 0 ? QVariant(u.representative) : QVariant(), u.mail});
        sirano = int(q.exec().lastInsertId());
    });
    return sirano;
}

void listUsers(Store& store, QTextStream& out) {
    Sql q(store, QStringLiteral("SELECT k.sirano, k.adi, k.tip, k.aktif, COALESCE(c.cariadi, '') "
                                "FROM kullanici k LEFT JOIN cari c ON c.carino = k.carino "
                                "ORDER BY k.sirano"));
    q.exec();
    while (q.next())
        out << QStringLiteral("%1  %2  tip %3  %4  %5\n")
                   .arg(q.value(0).toString().rightJustified(5),
                        q.value(1).toString().leftJustified(14), q.value(2).toString(),
                        q.value(3).toInt() == 1 ? QStringLiteral("aktif") : QStringLiteral("pasif"),
                        q.value(4).toString());
}

void setSetting(Store& store, const QString& key, const QString& value) {
    store.write([&] {
        Sql(store,
            QStringLiteral("INSERT INTO ayar(anahtar, deger) VALUES (?, ?) "
                           "ON CONFLICT(anahtar) DO UPDATE SET deger = excluded.deger"),
            {key, value})
            .exec();
    });
}

void listSettings(Store& store, QTextStream& out) {
    Sql q(store, QStringLiteral("SELECT anahtar, deger FROM ayar ORDER BY anahtar"));
    q.exec();
    while (q.next())
        out << q.value(0).toString() << " = " << q.value(1).toString() << '\n';
}

void listOutbox(Store& store, QTextStream& out) {
    Sql mails(store, QStringLiteral("SELECT zaman, tur, bilgisayarid, baslik, firmaadi, konu "
                                    "FROM mail_kutusu ORDER BY id"));
    mails.exec();
    int n = 0;
    while (mails.next()) {
        ++n;
        out << mails.value(0).toString() << "  [" << mails.value(1).toString() << "]  "
            << mails.value(2).toString() << "  " << mails.value(4).toString() << "\n    "
            << mails.value(3).toString() << ": " << mails.value(5).toString() << '\n';
    }
    Sql forms(store, QStringLiteral("SELECT zaman, bilgisayarid, firma, yetkili, telefon, mail, "
                                    "aciklama, ip FROM istek_formu ORDER BY id"));
    forms.exec();
    while (forms.next()) {
        ++n;
        out << forms.value(0).toString() << "  [istek formu]  " << forms.value(1).toString() << "  "
            << forms.value(2).toString() << " / " << forms.value(3).toString() << " / "
            << forms.value(4).toString() << " / " << forms.value(5).toString() << " ("
            << forms.value(7).toString() << ")\n    " << forms.value(6).toString() << '\n';
    }
    if (n == 0)
        out << "Giden kutusu boş.\n";
}

} // namespace vk::server
