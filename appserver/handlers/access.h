#pragma once

// Who is calling, for which dealer they may act, and on which terms that dealer buys.

#include <QString>

#include <array>

class TSonucBilgisi;

namespace vk::server {

class Store;

using Rates = std::array<double, 4>;

// The user of the calling workstation, acting for one dealer.
struct Caller {
    int user = 0;          // kullanici.sirano
    int type = 0;          // 1, 2 representatives; 3, 4 dealers' users
    int discountClass = 0; // the dealer's cari.iskonto_sinifi

    bool representative() const { return type == 1 || type == 2; }
    bool seesCampaigns() const { return type != 4; }
};

// The active user of the workstation the login record names, when it may act for carino:
// representatives for any active dealer, dealers' users only for their own. Anything else raises
// vk::Error("Bu işlem için yetkiniz yok").
Caller callerActingFor(Store& store, const TSonucBilgisi* record, int carino);

// What a dealer pays for an article: in a campaign (for those who see campaigns) the campaign
// price with no further discount, otherwise the list price less the class's rates.
struct ArticleTerms {
    double listPrice = 0;
    double campaignPrice = 0; // 0 for those who see no campaigns
    int campaign = 0;         // stok.kampanya, or 0
    double price = 0;         // what the rates apply to
    Rates rates{};
};
ArticleTerms articleTerms(double listPrice, double campaignPrice, int campaign,
                          const Rates& classRates, bool seesCampaigns);

// The INDIRIMYAZI of a row: for a campaign the whole percentage it is below the list price
// ("15"), otherwise the rates ("25+10").
QString discountText(bool campaign, double listPrice, double price, const Rates& rates);

// An active article with what the caller's dealer pays for it: the article's own rates for the
// dealer's class where it has them, else its main group's, else none. An unknown or inactive
// article raises vk::Error("Stok bulunamadı").
struct Article {
    QString barkod;
    QString adi;
    double kdv = 0;
    ArticleTerms terms;
};
Article articleFor(Store& store, int stokno, const Caller& caller);

} // namespace vk::server
