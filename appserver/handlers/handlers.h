#pragma once

// The method handlers, registered area by area.

class QString;

namespace vk::server {

class Dispatcher;

void registerBasicHandlers(Dispatcher& d);     // EchoString, ReverseString
void registerLoginHandlers(Dispatcher& d);     // BuyukGetir
void registerCatalogueHandlers(Dispatcher& d); // StokAraGetir, ResimVer5
// SepetVer2, SepetEkle2, SepetGuncelle2, SepetSecimGuncelle, SepetSatirSil, SepetHepsiniSil,
// CariVadeGunGecmismiBul
void registerBasketHandlers(Dispatcher& d);
// TeslimVer, KargoVer, KargolarVer, SiparisKaydet, CariDurumVer
void registerOrderHandlers(Dispatcher& d);

// The statement of a stock search through the full-text index (to look at its query plan).
const QString& stockSearchStatement();

// The client version the server expects, from the settings (6 when not set).
class Store;
int expectedClientVersion(Store& store);

} // namespace vk::server
