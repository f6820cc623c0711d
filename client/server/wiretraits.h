#pragma once

// The C++ side of each type token of servermethods.def: how a parameter of that type appears in
// the proxy's signatures and how it is set on or read from a command; and the same for results.

#include "server/baglantiu.h"
#include "server/mobilstokunit.h"
#include "server/servercommand.h"

#include <memory>

namespace vk::wire {

// Shared no-op halves: inputs are not read back, out-parameters are not set.
template <class InT, class OutT> struct ParamBase {
    using In = InT;
    using Out = OutT;
    static void bindOut(ServerCommand&, int, Out) {}
    static void fetchIn(ServerCommand&, int, const std::remove_reference_t<In>&) {}
};

struct T_String : ParamBase<const QString&, QString&> {
    static constexpr WireType kType = WireType::String;
    static constexpr const char* kRecord = nullptr;
    static void bindIn(ServerCommand& c, int pos, In v) { c.setString(pos, v); }
    static void fetchOut(ServerCommand& c, int pos, Out v) { v = c.getString(pos); }
};

struct T_Int32 : ParamBase<qint32, qint32&> {
    static constexpr WireType kType = WireType::Int32;
    static constexpr const char* kRecord = nullptr;
    static void bindIn(ServerCommand& c, int pos, In v) { c.setInt32(pos, v); }
    static void fetchOut(ServerCommand& c, int pos, Out v) { v = c.getInt32(pos); }
};

struct T_Int64 : ParamBase<qint64, qint64&> {
    static constexpr WireType kType = WireType::Int64;
    static constexpr const char* kRecord = nullptr;
    static void bindIn(ServerCommand&, int, In) = delete; // only out-parameters carry Int64
    static void fetchOut(ServerCommand& c, int pos, Out v) { v = c.getInt64(pos); }
};

struct T_Double : ParamBase<double, double&> {
    static constexpr WireType kType = WireType::Double;
    static constexpr const char* kRecord = nullptr;
    static void bindIn(ServerCommand& c, int pos, In v) { c.setDouble(pos, v); }
    static void fetchOut(ServerCommand& c, int pos, Out v) { v = c.getDouble(pos); }
};

struct T_Boolean : ParamBase<bool, bool&> {
    static constexpr WireType kType = WireType::Boolean;
    static constexpr const char* kRecord = nullptr;
    static void bindIn(ServerCommand& c, int pos, In v) { c.setBoolean(pos, v); }
    static void fetchOut(ServerCommand& c, int pos, Out v) { v = c.getBoolean(pos); }
};

// A record argument is consumed by the call: the caller hands over its copy.
template <class R, WireType Type> struct RecordParam {
    using In = std::unique_ptr<R>;
    static constexpr WireType kType = Type;
    static void bindIn(ServerCommand& c, int pos, const In& r) { c.setRecord(pos, r.get()); }
    static void fetchIn(ServerCommand&, int, const In&) {}
};

struct T_Object : RecordParam<TransferRecord, WireType::Object> {
    static constexpr const char* kRecord = nullptr;
};

struct T_TSonucBilgisi : RecordParam<TSonucBilgisi, WireType::Record> {
    static constexpr const char* kRecord = "baglantiu.TSonucBilgisi";
};

struct T_Callback {
    using In = const DSCallback*;
    static constexpr WireType kType = WireType::Callback;
    static constexpr const char* kRecord = nullptr;
    static void bindIn(ServerCommand& c, int pos, In cb) { c.setCallback(pos, cb); }
    static void fetchIn(ServerCommand&, int, In) {}
};

// Results.
struct R_Void {
    using Type = void;
    static constexpr WireType kType = WireType::Void;
    static constexpr const char* kRecord = nullptr;
    static void fetch(ServerCommand&, int) {}
};

struct R_String {
    using Type = QString;
    static constexpr WireType kType = WireType::String;
    static constexpr const char* kRecord = nullptr;
    static Type fetch(ServerCommand& c, int pos) { return c.getString(pos); }
};

struct R_Int32 {
    using Type = qint32;
    static constexpr WireType kType = WireType::Int32;
    static constexpr const char* kRecord = nullptr;
    static Type fetch(ServerCommand& c, int pos) { return c.getInt32(pos); }
};

struct R_Boolean {
    using Type = bool;
    static constexpr WireType kType = WireType::Boolean;
    static constexpr const char* kRecord = nullptr;
    static Type fetch(ServerCommand& c, int pos) { return c.getBoolean(pos); }
};

// Owned by the command (and so by the proxy) until the method runs again.
struct R_Table {
    using Type = TableReader*;
    static constexpr WireType kType = WireType::Table;
    static constexpr const char* kRecord = nullptr;
    static Type fetch(ServerCommand& c, int pos) { return c.getReader(pos); }
};

struct R_DataPacket {
    using Type = DataPacket;
    static constexpr WireType kType = WireType::DataPacket;
    static constexpr const char* kRecord = nullptr;
    static Type fetch(ServerCommand& c, int pos) { return c.takeDataPacket(pos); }
};

struct R_Stream {
    using Type = ByteStream*;
    static constexpr WireType kType = WireType::Stream;
    static constexpr const char* kRecord = nullptr;
    static Type fetch(ServerCommand& c, int pos) { return c.getStream(pos); }
};

struct R_JsonArray {
    using Type = QJsonArray*;
    static constexpr WireType kType = WireType::JsonArray;
    static constexpr const char* kRecord = nullptr;
    static Type fetch(ServerCommand& c, int pos) { return c.getJsonArray(pos); }
};

// A record result: null gives no object.
template <class R> struct RecordResult {
    using Type = R*;
    static constexpr WireType kType = WireType::Record;
    static Type fetch(ServerCommand& c, int pos) { return static_cast<R*>(c.getRecord(pos)); }
};

#define VK_RECORD_RESULT(Class, qualified)                                                         \
    struct R_##Class : RecordResult<Class> {                                                       \
        static constexpr const char* kRecord = qualified;                                          \
    };

VK_RECORD_RESULT(TSonucBilgisi, "baglantiu.TSonucBilgisi")
VK_RECORD_RESULT(TSiparisDipAyrinti, "baglantiu.TSiparisDipAyrinti")
VK_RECORD_RESULT(TTusSonuclari, "baglantiu.TTusSonuclari")
VK_RECORD_RESULT(TAcilisEkran, "mobilstokunit.TAcilisEkran")
VK_RECORD_RESULT(TAcilisEkranlar, "mobilstokunit.TAcilisEkranlar")
VK_RECORD_RESULT(TAcilisEkranlariki, "mobilstokunit.TAcilisEkranlariki")
VK_RECORD_RESULT(TMobilStok, "mobilstokunit.TMobilStok")
VK_RECORD_RESULT(TMobilStoklar, "mobilstokunit.TMobilStoklar")
VK_RECORD_RESULT(TMobilSepetler, "mobilstokunit.TMobilSepetler")
VK_RECORD_RESULT(TMobilCariBilgisi, "mobilstokunit.TMobilCariBilgisi")
#undef VK_RECORD_RESULT

} // namespace vk::wire
