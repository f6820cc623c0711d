#pragma once

// Records of the login context: the login record, the order footer and the status counters.

#include "server/transferrecord.h"

#define VK_TSONUCBILGISI_FIELDS(X)                                                                 \
    X(QString, BILGISAYARID, {})                                                                   \
    X(QString, SaticiMail, {})                                                                     \
    X(qint32, Sirano, 0)                                                                           \
    X(QString, CariAdi, {})                                                                        \
    X(QString, SIFRE, {})                                                                          \
    X(qint32, SaticiNo, 0)                                                                         \
    X(qint32, CARINO, 0)                                                                           \
    X(qint32, AKTIF, 0)                                                                            \
    X(QString, Kullanicimail, {})                                                                  \
    X(QString, ADI, {})                                                                            \
    X(QString, SaticiTelefon, {})                                                                  \
    X(QString, carikod, {})                                                                        \
    X(bool, Varmi, false)                                                                          \
    X(QString, SaticiAdi, {})                                                                      \
    X(QString, BilgiSayarAdi, {})                                                                  \
    X(QString, Disip, {})                                                                          \
    X(QString, Icip, {})                                                                           \
    X(QString, BilgisayarKullanici, {})                                                            \
    X(qint32, MusteriTipi, 1)                                                                      \
    X(qint32, Version, 1)

// Who is logged in, for which dealer, from which workstation; goes along with most calls.
class TSonucBilgisi final : public vk::TransferRecord {
    VK_RECORD(TSonucBilgisi, "baglantiu", VK_TSONUCBILGISI_FIELDS)
    VK_RECORD_KOPYALA(TSonucBilgisi, VK_TSONUCBILGISI_FIELDS)
};

#define VK_TSIPARISDIPAYRINTI_FIELDS(X)                                                            \
    X(QString, SizinMesaj, {})                                                                     \
    X(QString, Durumu, {})                                                                         \
    X(QString, Veren, {})                                                                          \
    X(QString, Kargo, {})                                                                          \
    X(QString, BizimMesaj, {})                                                                     \
    X(QString, TeslimCinsi, {})                                                                    \
    X(QString, KargoCinsi, {})                                                                     \
    X(QString, SaticiNotu, {})

// Footer of one order: notes, status, giver, cargo and delivery kinds.
class TSiparisDipAyrinti final : public vk::TransferRecord {
    VK_RECORD(TSiparisDipAyrinti, "baglantiu", VK_TSIPARISDIPAYRINTI_FIELDS)
    VK_RECORD_KOPYALA(TSiparisDipAyrinti, VK_TSIPARISDIPAYRINTI_FIELDS)
};

#define VK_TTUSSONUCLARI_FIELDS(X)                                                                 \
    X(qint32, Alindi, 0)                                                                           \
    X(qint32, Onaylandi, 0)                                                                        \
    X(qint32, ParcaliHazirlandi, 0)                                                                \
    X(qint32, SevkEdildi, 0)                                                                       \
    X(qint32, Hazirlandi, 0)                                                                       \
    X(qint32, Goruldu, 0)

// Order counts by status, for the status board.
class TTusSonuclari final : public vk::TransferRecord {
    VK_RECORD(TTusSonuclari, "baglantiu", VK_TTUSSONUCLARI_FIELDS)
    VK_RECORD_KOPYALA(TTusSonuclari, VK_TTUSSONUCLARI_FIELDS)
};
