#pragma once

// The runtime form of the server method catalogue (servermethods.def): names, parameter order,
// directions and types, and result kinds, for the proxy and for the server's dispatcher.

#include <QStringView>

#include <span>

// Preprocessor map over a list of parenthesised tuples: VK_PP_MAP_LIST joins the expansions with
// commas, VK_PP_MAP writes them one after another. Enough rescans for 64 elements.
#define VK_PP_PARENS ()
#define VK_PP_EXPAND(...) VK_PP_EXPAND3(VK_PP_EXPAND3(VK_PP_EXPAND3(VK_PP_EXPAND3(__VA_ARGS__))))
#define VK_PP_EXPAND3(...) VK_PP_EXPAND2(VK_PP_EXPAND2(VK_PP_EXPAND2(VK_PP_EXPAND2(__VA_ARGS__))))
#define VK_PP_EXPAND2(...) VK_PP_EXPAND1(VK_PP_EXPAND1(VK_PP_EXPAND1(VK_PP_EXPAND1(__VA_ARGS__))))
#define VK_PP_EXPAND1(...) __VA_ARGS__
#define VK_PP_MAP_LIST(m, ...) __VA_OPT__(VK_PP_EXPAND(VK_PP_MAP_LIST_H(m, __VA_ARGS__)))
#define VK_PP_MAP_LIST_H(m, a, ...) m a __VA_OPT__(, VK_PP_MAP_LIST_A VK_PP_PARENS(m, __VA_ARGS__))
#define VK_PP_MAP_LIST_A() VK_PP_MAP_LIST_H
#define VK_PP_MAP(m, ...) __VA_OPT__(VK_PP_EXPAND(VK_PP_MAP_H(m, __VA_ARGS__)))
#define VK_PP_MAP_H(m, a, ...) m a __VA_OPT__(VK_PP_MAP_A VK_PP_PARENS(m, __VA_ARGS__))
#define VK_PP_MAP_A() VK_PP_MAP_H

namespace vk {

// What crosses the wire in one parameter or result position.
enum class WireType : unsigned char {
    Void, // no result
    String,
    Int32,
    Int64,
    Double,
    Boolean,
    Record,   // a record of the class that recordType names
    Object,   // a record of any class
    Callback, // a client callback reference
    Table,
    DataPacket,
    Stream,
    JsonArray,
};

const char* wireTypeName(WireType t); // in Turkish, UTF-8, for messages

struct ParamSpec {
    const char* name = nullptr;
    WireType type = WireType::Void;
    bool out = false;
    const char* recordType = nullptr; // "<unit>.<class>" when type is Record
};

enum class MethodId : int {
#define VK_METHOD(name, ...) name,
#include "server/servermethods.def"
#undef VK_METHOD
    Count
};

inline constexpr int kMethodCount = static_cast<int>(MethodId::Count);

struct MethodSpec {
    MethodId id;
    const char* name;
    WireType result;
    const char* resultRecordType;
    std::span<const ParamSpec> params;

    // Positions count every parameter, out-parameters included, from 0; the result comes last.
    int resultPosition() const { return static_cast<int>(params.size()); }
    bool hasResult() const { return result != WireType::Void; }
    int inputCount() const;
    int outputCount() const; // out-parameters plus the result
};

std::span<const MethodSpec> methodCatalogue();
const MethodSpec& methodSpec(MethodId id);
const MethodSpec* findMethod(QStringView name); // exact, case-sensitive

} // namespace vk
