#include "server/baglantiu.h"
#include "server/mobilstokunit.h"

namespace vk {

namespace {

template <class R> std::unique_ptr<TransferRecord> make() {
    return std::make_unique<R>();
}

struct RecordType {
    const char* unitName;
    const char* className;
    std::unique_ptr<TransferRecord> (*create)();
};

#define VK_RECORD_TYPE(Class)                                                                      \
    { Class::kUnitName, Class::kClassName, &make<Class> }

constexpr RecordType kRecordTypes[] = {
    VK_RECORD_TYPE(TSonucBilgisi),     VK_RECORD_TYPE(TSiparisDipAyrinti),
    VK_RECORD_TYPE(TTusSonuclari),     VK_RECORD_TYPE(TAcilisEkran),
    VK_RECORD_TYPE(TAcilisEkranlar),   VK_RECORD_TYPE(TAcilisEkranlariki),
    VK_RECORD_TYPE(TMobilStok),        VK_RECORD_TYPE(TMobilStoklar),
    VK_RECORD_TYPE(TMobilSepet),       VK_RECORD_TYPE(TMobilSepetler),
    VK_RECORD_TYPE(TMobilCariBilgisi),
};

} // namespace

std::unique_ptr<TransferRecord> createRecord(QStringView typeName) {
    const qsizetype dot = typeName.indexOf(u'.');
    if (dot < 0)
        return nullptr;
    const QStringView unit = typeName.left(dot);
    const QStringView cls = typeName.mid(dot + 1);
    for (const RecordType& t : kRecordTypes) {
        if (unit == QLatin1StringView(t.unitName) && cls == QLatin1StringView(t.className))
            return t.create();
    }
    return nullptr;
}

} // namespace vk
