#include "server/servercommand.h"

#include "common/errors.h"
#include "server/connection.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>

#include <stdexcept>
#include <utility>

namespace vk {

ServerCommand::ServerCommand(ServerConnection& connection, const MethodSpec& spec)
    : m_connection(connection), m_spec(spec),
      m_path(connection.methodPath("TServerMethods1", spec.name)),
      m_slots(spec.params.size() + (spec.hasResult() ? 1 : 0)) {}

ServerCommand::~ServerCommand() = default;

QString ServerCommand::text() const {
    return QStringLiteral("TServerMethods1.") + QString::fromLatin1(m_spec.name);
}

WireType ServerCommand::typeAt(int pos) const {
    if (pos >= 0 && pos < m_spec.resultPosition())
        return m_spec.params[pos].type;
    if (pos == m_spec.resultPosition() && m_spec.hasResult())
        return m_spec.result;
    throw std::out_of_range("no such parameter position");
}

ServerCommand::Slot& ServerCommand::inputSlot(int pos, WireType expected) {
    if (pos < 0 || pos >= m_spec.resultPosition() || m_spec.params[pos].out)
        throw std::logic_error("parameter position is not an input");
    const WireType t = m_spec.params[pos].type;
    const bool fits = t == expected || (expected == WireType::Record && t == WireType::Object);
    if (!fits)
        throw std::logic_error("parameter set with the wrong type");
    return m_slots[pos];
}

void ServerCommand::setString(int pos, const QString& v) {
    inputSlot(pos, WireType::String).input = v;
}

void ServerCommand::setInt32(int pos, qint32 v) {
    inputSlot(pos, WireType::Int32).input = qint64(v);
}

void ServerCommand::setDouble(int pos, double v) {
    inputSlot(pos, WireType::Double).input = v;
}

void ServerCommand::setBoolean(int pos, bool v) {
    inputSlot(pos, WireType::Boolean).input = v;
}

void ServerCommand::setRecord(int pos, const TransferRecord* record) {
    inputSlot(pos, WireType::Record).input = record;
}

void ServerCommand::setCallback(int pos, const DSCallback* callback) {
    Slot& s = inputSlot(pos, WireType::Callback);
    if (callback)
        s.input = callback->name();
    else
        s.input = std::monostate();
}

QByteArray ServerCommand::requestBody() const {
    JsonWriter w;
    MarshalContext ctx;
    w.beginObject();
    w.key("_parameters");
    w.beginArray();
    for (int pos = 0; pos < m_spec.resultPosition(); ++pos) {
        if (m_spec.params[pos].out)
            continue;
        const Input& in = m_slots[pos].input;
        if (const auto* s = std::get_if<QString>(&in))
            w.value(*s);
        else if (const auto* i = std::get_if<qint64>(&in))
            w.value(*i);
        else if (const auto* d = std::get_if<double>(&in))
            w.value(*d);
        else if (const auto* b = std::get_if<bool>(&in))
            w.value(*b);
        else if (const auto* r = std::get_if<const TransferRecord*>(&in))
            encodeRecordValue(w, *r, ctx);
        else
            w.null();
    }
    w.endArray();
    w.endObject();
    return w.take();
}

namespace {

[[noreturn]] void protocolError(const MethodSpec& spec, const QString& detail) {
    throw ProtocolError(QStringLiteral("Sunucu yanıtı geçersiz (%1): %2")
                            .arg(QString::fromLatin1(spec.name), detail));
}

} // namespace

std::vector<std::pair<int, WireValue>> decodeReply(const MethodSpec& spec, int status,
                                                   const QByteArray& body) {
    if (status != 200 && status != 500)
        protocolError(spec, QStringLiteral("HTTP durum kodu %1").arg(status));

    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(body, &parseError);
    if (parseError.error != QJsonParseError::NoError)
        protocolError(spec, QStringLiteral("JSON okunamadı: %1 (%2. bayt)")
                                .arg(parseError.errorString())
                                .arg(parseError.offset));
    const QJsonObject root = doc.object();
    const QJsonValue error = root.value(QLatin1StringView("error"));
    if (status == 500 || !root.contains(QLatin1StringView("result"))) {
        if (error.isString())
            throw ServerError(error.toString());
        protocolError(spec, status == 500 ? QStringLiteral("HTTP 500 yanıtında hata metni yok")
                                          : QStringLiteral("yanıtta \"result\" yok"));
    }
    const QJsonValue resultValue = root.value(QLatin1StringView("result"));
    if (!resultValue.isArray())
        protocolError(spec, QStringLiteral("\"result\" bir dizi değil"));
    const QJsonArray results = resultValue.toArray();
    if (results.size() != spec.outputCount())
        protocolError(spec, QStringLiteral("%1 sonuç beklenirken %2 geldi")
                                .arg(spec.outputCount())
                                .arg(results.size()));

    std::vector<std::pair<int, WireValue>> decoded;
    decoded.reserve(results.size());
    UnmarshalContext ctx;
    int next = 0;
    auto decodeAt = [&](int pos, const char* name, WireType type, const char* recordType) {
        try {
            decoded.emplace_back(pos, decodeWireValue(results.at(next++), type, recordType, ctx));
        } catch (const ProtocolError& e) {
            protocolError(spec, name ? QStringLiteral("\"%1\" parametresi: %2")
                                           .arg(QString::fromLatin1(name), e.text())
                                     : QStringLiteral("sonuç: %1").arg(e.text()));
        }
    };
    for (int pos = 0; pos < spec.resultPosition(); ++pos) {
        const ParamSpec& p = spec.params[pos];
        if (p.out)
            decodeAt(pos, p.name, p.type, p.recordType);
    }
    if (spec.hasResult())
        decodeAt(spec.resultPosition(), nullptr, spec.result, spec.resultRecordType);
    return decoded;
}

void ServerCommand::execute() {
    for (Slot& s : m_slots) {
        s.output = std::monostate();
        s.reader.reset();
        s.stream.reset();
    }
    m_lastRequest = requestBody();
    HttpReply reply;
    try {
        reply = m_connection.post(m_path, m_lastRequest);
    } catch (const ConnectionError& e) {
        throw ConnectionError(QStringLiteral("Sunucu çağrısı başarısız (%1): %2")
                                  .arg(QString::fromLatin1(m_spec.name), e.text()));
    }
    // The slots are filled only when the whole reply is valid.
    for (auto& [pos, value] : decodeReply(m_spec, reply.status, reply.body)) {
        Slot& s = m_slots[pos];
        const WireType t = typeAt(pos);
        if (t == WireType::Table)
            s.reader = std::make_unique<TableReader>(std::get<TablePtr>(value));
        else if (t == WireType::Stream)
            s.stream = std::make_unique<ByteStream>(std::get<QByteArray>(std::move(value)));
        else
            s.output = std::move(value);
    }
}

const WireValue& ServerCommand::outputAt(int pos, WireType expected) const {
    const WireType t = typeAt(pos);
    const bool fits = t == expected || (expected == WireType::Record && t == WireType::Object) ||
                      (expected == WireType::Int64 && t == WireType::Int32);
    if (!fits || (pos < m_spec.resultPosition() && !m_spec.params[pos].out))
        throw std::logic_error("parameter read with the wrong type");
    return m_slots[pos].output;
}

QString ServerCommand::getString(int pos) const {
    const WireValue& v = outputAt(pos, WireType::String);
    const auto* s = std::get_if<QString>(&v);
    return s ? *s : QString();
}

qint32 ServerCommand::getInt32(int pos) const {
    const WireValue& v = outputAt(pos, WireType::Int32);
    const auto* i = std::get_if<qint64>(&v);
    return i ? static_cast<qint32>(*i) : 0;
}

qint64 ServerCommand::getInt64(int pos) const {
    const WireValue& v = outputAt(pos, WireType::Int64);
    const auto* i = std::get_if<qint64>(&v);
    return i ? *i : 0;
}

double ServerCommand::getDouble(int pos) const {
    const WireValue& v = outputAt(pos, WireType::Double);
    const auto* d = std::get_if<double>(&v);
    return d ? *d : 0.0;
}

bool ServerCommand::getBoolean(int pos) const {
    const WireValue& v = outputAt(pos, WireType::Boolean);
    const auto* b = std::get_if<bool>(&v);
    return b && *b;
}

TableReader* ServerCommand::getReader(int pos) {
    if (typeAt(pos) != WireType::Table)
        throw std::logic_error("position holds no table");
    return m_slots[pos].reader.get();
}

DataPacket ServerCommand::takeDataPacket(int pos) {
    outputAt(pos, WireType::DataPacket);
    auto* t = std::get_if<TablePtr>(&m_slots[pos].output);
    return t ? DataPacket(std::exchange(*t, nullptr)) : DataPacket();
}

ByteStream* ServerCommand::getStream(int pos) {
    if (typeAt(pos) != WireType::Stream)
        throw std::logic_error("position holds no stream");
    return m_slots[pos].stream.get();
}

QJsonArray* ServerCommand::getJsonArray(int pos) {
    outputAt(pos, WireType::JsonArray);
    return std::get_if<QJsonArray>(&m_slots[pos].output);
}

TransferRecord* ServerCommand::getRecord(int pos) {
    const WireValue& v = outputAt(pos, WireType::Record);
    const auto* r = std::get_if<RecordPtr>(&v);
    return r ? r->get() : nullptr;
}

} // namespace vk
