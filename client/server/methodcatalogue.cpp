#include "server/methodcatalogue.h"

#include "server/wiretraits.h"

#include <iterator>

namespace vk {

namespace {

#define VK_SPEC_PARAM(dir, type, pname)                                                            \
    ParamSpec {                                                                                    \
#pname, wire::T_##type::kType, VK_SPEC_IS_OUT_##dir, wire::T_##type::kRecord               \
    }
#define VK_SPEC_IS_OUT_In false
#define VK_SPEC_IS_OUT_Out true

// Each method's parameters, with one empty entry at the end so that no array is empty.
#define VK_METHOD(name, res, ...)                                                                  \
    constexpr ParamSpec kParams_##name[] = {                                                       \
        __VA_OPT__(VK_PP_MAP_LIST(VK_SPEC_PARAM, __VA_ARGS__), ) ParamSpec{}};
#include "server/servermethods.def"
#undef VK_METHOD

constexpr MethodSpec kMethods[] = {
#define VK_METHOD(name, res, ...)                                                                  \
    MethodSpec{MethodId::name, #name, wire::R_##res::kType, wire::R_##res::kRecord,                \
               std::span<const ParamSpec>(kParams_##name, std::size(kParams_##name) - 1)},
#include "server/servermethods.def"
#undef VK_METHOD
};

static_assert(std::size(kMethods) == kMethodCount);

} // namespace

const char* wireTypeName(WireType t) {
    switch (t) {
    case WireType::Void:
        return "sonuç yok";
    case WireType::String:
        return "metin";
    case WireType::Int32:
        return "32 bitlik tamsayı";
    case WireType::Int64:
        return "64 bitlik tamsayı";
    case WireType::Double:
        return "sayı";
    case WireType::Boolean:
        return "mantıksal değer";
    case WireType::Record:
        return "kayıt";
    case WireType::Object:
        return "nesne";
    case WireType::Callback:
        return "geri çağırma";
    case WireType::Table:
        return "tablo";
    case WireType::DataPacket:
        return "veri paketi";
    case WireType::Stream:
        return "bayt dizisi";
    case WireType::JsonArray:
        return "JSON dizisi";
    }
    return "?";
}

int MethodSpec::inputCount() const {
    int n = 0;
    for (const ParamSpec& p : params)
        n += p.out ? 0 : 1;
    return n;
}

int MethodSpec::outputCount() const {
    return static_cast<int>(params.size()) - inputCount() + (hasResult() ? 1 : 0);
}

std::span<const MethodSpec> methodCatalogue() {
    return kMethods;
}

const MethodSpec& methodSpec(MethodId id) {
    return kMethods[static_cast<int>(id)];
}

const MethodSpec* findMethod(QStringView name) {
    for (const MethodSpec& m : kMethods) {
        if (name == QLatin1StringView(m.name))
            return &m;
    }
    return nullptr;
}

} // namespace vk
