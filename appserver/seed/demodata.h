#pragma once

// The vocabulary of the demo data: Turkish people, firms and places, the parts catalogue by main
// group, the vehicle makes of the Turkish market with their OEM number styles, and the producer
// brands with their code styles. The tables are built once and never change.

#include "seed/prng.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace vk::server::demo {

// A dealer's location: city, district, telephone area code, tax office and industrial estate.
struct Place {
    QString city;
    QString district;
    int areaCode;
    QString taxOffice;
    QString estate;
    QString region;
    int regionCode; // the middle part of a dealer code: 120.<region>.<n>
    int weight;     // how many dealers a place of this size has, relatively
};
const QList<Place>& places();

const QStringList& firstNames(); // "Mehmet", "Ayşe" …
const QStringList& surnames();   // "Yılmaz", "Özkan" …
const QStringList& firmStems();  // upper case: "ÖZKAN", "ANADOLU" …
const QStringList& banks();      // "Ziraat Bankası" …

QString personName(Prng& rng);
// A dealer's trade name around a stem: "ÖZKAN OTO YEDEK PARÇA LTD. ŞTİ."
QString firmName(Prng& rng, const QString& stem);
// The first address line ("Oto Sanayi Sitesi 12. Blok No:34") and the second (a neighbourhood).
QString addressLine1(Prng& rng, const Place& place);
QString addressLine2(Prng& rng);

// Lower-case ASCII for mail addresses and user names: "Özkan Şahin" -> "ozkan sahin".
QString asciiFold(const QString& text);

QString phoneNumber(Prng& rng, int areaCode); // "0 (212) 555 01 23"
QString gsmNumber(Prng& rng);                 // "0 (532) 412 34 56"
QString taxNumber(Prng& rng);                 // 10 digits whose last one is the check digit
QString ean8(Prng& rng);                      // an EAN-8 number with a Turkish prefix

// Fills a code pattern: '#' a digit, '@' a letter, '?' either; other characters stay.
QString fillPattern(Prng& rng, const QString& pattern);

// A producer brand and the shapes its article codes take.
struct ProducerBrand {
    QString name;
    QStringList patterns;
};
const QList<ProducerBrand>& producerBrands();
int producerBrandIndex(const QString& name); // -1 when unknown
QString producerCode(Prng& rng, const ProducerBrand& brand);

struct VehicleModel {
    QString name;
    QStringList engines;
    bool commercial; // a light commercial vehicle (van, pick-up)
};

struct VehicleMake {
    QString name;
    QList<VehicleModel> models;
    QStringList oemPatterns;
    double priceFactor; // parts of premium makes cost more
    int weight;         // share of the catalogue
    bool finisCodes;    // the maker numbers parts with a seven-digit finis code as well
};
const QList<VehicleMake>& vehicleMakes();
QString oemNumber(Prng& rng, const VehicleMake& make);

// One kind of part, the articles of which differ in vehicle, position, variant and brand.
struct PartKind {
    QString name;          // "FREN BALATASI"
    QString subGroup;      // altgrup
    QString otherName;     // what the trade also calls it, may be empty
    QStringList positions; // "ÖN", "ARKA SOL" …; may be empty
    QStringList variants;  // "SENSÖRLÜ", "H7" …; may be empty
    double minPrice;       // list price range in TL before the make's factor
    double maxPrice;
    QString unit;          // ADET, TAKIM, LİTRE
    double vat;            // 20, 10 or 1
    bool universal;        // fits every vehicle: no make, standards in place of OEM numbers
    bool variantAlways;    // the variant is part of the name ("FAR AMPULÜ H7")
    bool coloured;         // body parts come in a finish (renk)
    QList<int> brands;     // into producerBrands()
    QStringList standards; // references a universal article lists in place of OEM numbers
};

struct MainGroup {
    QString name;       // anagrup
    QString code;       // two letters, the prefix of the product code (pkod)
    QString department; // empty: by the vehicle (BİNEK, HAFİF TİCARİ)
    int weight;         // share of the catalogue
    QList<PartKind> kinds;
};
const QList<MainGroup>& mainGroups();

} // namespace vk::server::demo
