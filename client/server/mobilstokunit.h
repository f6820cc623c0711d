#pragma once

// Records of the published lists and the article, basket-line and customer records.

#include "server/transferrecord.h"

#define VK_TACILISEKRAN_FIELDS(X)                                                                  \
    X(qint32, SiraNo, 0)                                                                           \
    X(QString, Resim, {})                                                                          \
    X(QString, Baslik, {})                                                                         \
    X(QString, Arama, {})

// One opening screen or announcement; the picture's bytes are written as hexadecimal text.
class TAcilisEkran final : public vk::TransferRecord {
    VK_RECORD(TAcilisEkran, "mobilstokunit", VK_TACILISEKRAN_FIELDS)
};

#define VK_TACILISEKRANLARIKI_FIELDS(X) X(QList<TAcilisEkran>, Ekranlar, {})

// The opening screens as an array, read in order.
class TAcilisEkranlariki final : public vk::TransferRecord {
    VK_RECORD(TAcilisEkranlariki, "mobilstokunit", VK_TACILISEKRANLARIKI_FIELDS)
};

#define VK_TMOBILSTOK_FIELDS(X)                                                                    \
    X(qint32, StokNo, 0)                                                                           \
    X(qint32, ResimVar, 0)                                                                         \
    X(QString, Resim, {})                                                                          \
    X(qint32, Yeni, 0)                                                                             \
    X(QString, Departman, {})                                                                      \
    X(double, VerilenSiparis, 0)                                                                   \
    X(QString, AltGrup, {})                                                                        \
    X(qint32, Durum, 0)                                                                            \
    X(QString, Renk, {})                                                                           \
    X(QString, Birim, QStringLiteral("ADET"))                                                      \
    X(double, KDV, 20)                                                                             \
    X(double, AlinanSiparis, 0)                                                                    \
    X(double, Isk2, 0)                                                                             \
    X(QString, AnaGrup, {})                                                                        \
    X(QString, Kod, {})                                                                            \
    X(double, Isk3, 0)                                                                             \
    X(double, ListeFiyati, 0)                                                                      \
    X(QString, Beden, {})                                                                          \
    X(double, NetFiyat, 0)                                                                         \
    X(double, Isk1, 0)                                                                             \
    X(double, KDVliFiyat, 0)                                                                       \
    X(double, Isk4, 0)                                                                             \
    X(QString, OzelKod, {})                                                                        \
    X(qint32, Kampnayali, 0)                                                                       \
    X(QString, Barkod, {})                                                                         \
    X(double, IndirimOran, 0)                                                                      \
    X(double, Kalan, 0)                                                                            \
    X(QString, UreticiKod, {})                                                                     \
    X(double, KampanyaliFiyat, 0)                                                                  \
    X(QString, OemNo, {})                                                                          \
    X(qint32, BarkodNo, 0)                                                                         \
    X(QString, PKod, {})                                                                           \
    X(QString, DpKod, {})                                                                          \
    X(QString, Adi, {})                                                                            \
    X(double, Fiyat, 0)

// One stock article.
class TMobilStok final : public vk::TransferRecord {
    VK_RECORD(TMobilStok, "mobilstokunit", VK_TMOBILSTOK_FIELDS)
    VK_RECORD_KOPYALA(TMobilStok, VK_TMOBILSTOK_FIELDS)
};

#define VK_TMOBILSEPET_FIELDS(X)                                                                   \
    X(qint32, KARGOID, 0)                                                                          \
    X(qint32, StokNo, 0)                                                                           \
    X(vk::TDate, TARIH, 0)                                                                         \
    X(qint32, SIRANO, 0)                                                                           \
    X(QString, CARIADI, {})                                                                        \
    X(vk::TDate, VERILISTARIHI, 0)                                                                 \
    X(qint32, Durum, 0)                                                                            \
    X(double, MIKTAR, 0)                                                                           \
    X(qint32, VERENIDNO, 0)                                                                        \
    X(double, NETTUTAR, 0)                                                                         \
    X(double, KDVLITUTAR, 0)                                                                       \
    X(double, KDV, 0)                                                                              \
    X(qint32, AKTAR, 0)                                                                            \
    X(QString, SAAT, {})                                                                           \
    X(double, VERGITUTARI, 0)                                                                      \
    X(QString, PKod, {})                                                                           \
    X(QString, MODEL, {})                                                                          \
    X(double, INDIRIMTUTAR, 0)                                                                     \
    X(qint32, STOK_STOKNO, 0)                                                                      \
    X(double, BIRIMFIYAT, 0)                                                                       \
    X(qint32, SEC, 0)                                                                              \
    X(QString, OEM2, {})                                                                           \
    X(QString, OEM3, {})                                                                           \
    X(QString, AnaGrup, {})                                                                        \
    X(QString, MARKA, {})                                                                          \
    X(QString, VEREN, {})                                                                          \
    X(QString, STOKADI, {})                                                                        \
    X(QString, OEM1, {})                                                                           \
    X(qint32, CARINO, 0)                                                                           \
    X(qint32, VERENSIRANO, 0)                                                                      \
    X(qint32, ACIKLAMA, 0)                                                                         \
    X(double, INDIRIMORANI2, 0)                                                                    \
    X(QString, OEM4, {})                                                                           \
    X(QString, KUR, {})                                                                            \
    X(double, INDIRIMORANI3, 0)                                                                    \
    X(qint32, SIPARISNO, 0)                                                                        \
    X(double, IDNO, 0)                                                                             \
    X(QString, OzelKod, {})                                                                        \
    X(QString, DpKod, {})                                                                          \
    X(double, KURTL, 0)                                                                            \
    X(double, INDIRIMORANI1, 0)                                                                    \
    X(QString, DIGERADI, {})                                                                       \
    X(QString, Barkod, {})                                                                         \
    X(double, TUTAR, 0)                                                                            \
    X(QString, URETICIKODU, {})                                                                    \
    X(double, Kalan, 0)                                                                            \
    X(QString, FINISHKOD, {})                                                                      \
    X(QString, CARIKOD, {})                                                                        \
    X(double, NETBIRIMFIYAT, 0)                                                                    \
    X(QString, OemNo, {})                                                                          \
    X(qint32, TESLIMID, 0)                                                                         \
    X(qint32, ResimVar, 0)                                                                         \
    X(QString, Resim, {})

// One basket line.
class TMobilSepet final : public vk::TransferRecord {
    VK_RECORD(TMobilSepet, "mobilstokunit", VK_TMOBILSEPET_FIELDS)
    VK_RECORD_KOPYALA(TMobilSepet, VK_TMOBILSEPET_FIELDS)
};

#define VK_TMOBILCARIBILGISI_FIELDS(X)                                                             \
    X(QString, BILGISAYARID, {})                                                                   \
    X(QString, SEHIR, {})                                                                          \
    X(QString, FAX1, {})                                                                           \
    X(QString, SATICIMAIL, {})                                                                     \
    X(QString, SATICIADI, {})                                                                      \
    X(QString, CARIADI, {})                                                                        \
    X(QString, EMAIL, {})                                                                          \
    X(QString, VERGIDAIRESI, {})                                                                   \
    X(QString, YETKILI, {})                                                                        \
    X(QString, AltGrup, {})                                                                        \
    X(QString, TEL2, {})                                                                           \
    X(QString, SIFRE, {})                                                                          \
    X(QString, GSM, {})                                                                            \
    X(QString, TEL1, {})                                                                           \
    X(QString, ADRES2, {})                                                                         \
    X(double, TLBORC, 0)                                                                           \
    X(double, TLALACAK, 0)                                                                         \
    X(QString, ADRES1, {})                                                                         \
    X(QString, ULKE, {})                                                                           \
    X(QString, AnaGrup, {})                                                                        \
    X(qint32, CARINO, 0)                                                                           \
    X(double, TLBAKIYE, 0)                                                                         \
    X(QString, VERGINO, {})                                                                        \
    X(QString, MAIL, {})                                                                           \
    X(QString, OzelKod, {})                                                                        \
    X(QString, KULLANICIADI, {})                                                                   \
    X(QString, SATICITELEFON, {})                                                                  \
    X(QString, CARIKOD, {})                                                                        \
    X(QString, FAX2, {})                                                                           \
    X(QString, ILCE, {})

// One customer's master data.
class TMobilCariBilgisi final : public vk::TransferRecord {
    VK_RECORD(TMobilCariBilgisi, "mobilstokunit", VK_TMOBILCARIBILGISI_FIELDS)
    VK_RECORD_KOPYALA(TMobilCariBilgisi, VK_TMOBILCARIBILGISI_FIELDS)
};

// The list objects of the methods no window calls. They own their items and travel as a record
// with one array field of the item records.
#define VK_TACILISEKRANLAR_FIELDS(X) X(QList<TAcilisEkran>, Items, {})
#define VK_TMOBILSTOKLAR_FIELDS(X) X(QList<TMobilStok>, Items, {})
#define VK_TMOBILSEPETLER_FIELDS(X) X(QList<TMobilSepet>, Items, {})

class TAcilisEkranlar final : public vk::TransferRecord {
    VK_RECORD(TAcilisEkranlar, "mobilstokunit", VK_TACILISEKRANLAR_FIELDS)
};

class TMobilStoklar final : public vk::TransferRecord {
    VK_RECORD(TMobilStoklar, "mobilstokunit", VK_TMOBILSTOKLAR_FIELDS)
};

class TMobilSepetler final : public vk::TransferRecord {
    VK_RECORD(TMobilSepetler, "mobilstokunit", VK_TMOBILSEPETLER_FIELDS)
};
