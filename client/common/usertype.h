#pragma once

// What the user type of the login record allows. Every screen asks here, so that the rules of
// the four types live in one place: 1 and 2 are the distributor's representatives, 3 and 4
// dealers' staff.

namespace vk {

class UserType {
public:
    explicit UserType(int musteriTipi) : m_tip(musteriTipi) {}
    int value() const { return m_tip; }

    bool isRepresentative() const { return m_tip == 1 || m_tip == 2; }
    // Chooses the dealer to act for (at login and with "Başka Cari Seç").
    bool choosesCustomer() const { return isRepresentative(); }
    // Sees the quantity columns KALAN, ALINANSIPARIS and VERILENSIPARIS.
    bool seesStockQuantities() const { return isRepresentative(); }
    bool seesReports() const { return isRepresentative(); }
    // Sees the stock-state column ("Durum") of the basket and of the order balances.
    bool seesBasketState() const { return m_tip != 3; }
    // Sees campaign prices, campaign columns and the campaign tab.
    bool seesCampaigns() const { return m_tip != 4; }
    // May change the price of an open order balance.
    bool repricesBalances() const { return m_tip == 2; }

private:
    int m_tip;
};

} // namespace vk
