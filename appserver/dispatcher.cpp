#include "dispatcher.h"

#include "server/jsonwriter.h"

namespace vk::server {

Call::Call(const MethodSpec& spec, std::vector<WireValue> values, Store& store, QString peer)
    : m_spec(spec), m_values(std::move(values)), m_store(store), m_peer(std::move(peer)) {
    m_values.resize(spec.params.size() + 1);
}

QString Call::text(int pos) const {
    const auto* s = std::get_if<QString>(&m_values.at(pos));
    return s ? *s : QString();
}

qint32 Call::int32(int pos) const {
    const auto* i = std::get_if<qint64>(&m_values.at(pos));
    return i ? static_cast<qint32>(*i) : 0;
}

double Call::real(int pos) const {
    const WireValue& v = m_values.at(pos);
    if (const auto* d = std::get_if<double>(&v))
        return *d;
    if (const auto* i = std::get_if<qint64>(&v))
        return double(*i);
    return 0.0;
}

bool Call::boolean(int pos) const {
    const auto* b = std::get_if<bool>(&m_values.at(pos));
    return b && *b;
}

const TransferRecord* Call::record(int pos) const {
    const auto* r = std::get_if<RecordPtr>(&m_values.at(pos));
    return r ? r->get() : nullptr;
}

void Call::setOut(int pos, WireValue value) {
    m_values.at(pos) = std::move(value);
}

void Call::setResult(WireValue value) {
    m_values.at(m_spec.resultPosition()) = std::move(value);
}

Dispatcher::Dispatcher(Store& store) : m_store(store) {}

void Dispatcher::add(MethodId id, Handler handler) {
    m_handlers[static_cast<int>(id)] = std::move(handler);
}

bool Dispatcher::supports(MethodId id) const {
    return static_cast<bool>(m_handlers[static_cast<int>(id)]);
}

QByteArray Dispatcher::invoke(const MethodSpec& spec, std::vector<WireValue> inputs,
                              const QString& peer) {
    const Handler& handler = m_handlers[static_cast<int>(spec.id)];
    if (!handler)
        throw vk::Error(QStringLiteral("TServerMethods1.%1 bu sunucuda desteklenmiyor")
                            .arg(QString::fromLatin1(spec.name)));
    std::vector<WireValue> values(spec.params.size() + 1);
    size_t next = 0;
    for (int pos = 0; pos < spec.resultPosition(); ++pos) {
        if (!spec.params[pos].out && next < inputs.size())
            values[pos] = std::move(inputs[next++]);
    }
    Call call(spec, std::move(values), m_store, peer);
    handler(call);
    return encodeReply(spec, call.values());
}

QByteArray encodeReply(const MethodSpec& spec, const std::vector<WireValue>& values) {
    JsonWriter w(1024);
    MarshalContext ctx;
    w.beginObject();
    w.key("result");
    w.beginArray();
    auto put = [&](int pos, WireType type) {
        static const WireValue kUnset;
        const WireValue& v = pos < int(values.size()) ? values[pos] : kUnset;
        // An output the handler left unset goes out as its type's empty value.
        if (std::holds_alternative<std::monostate>(v)) {
            switch (type) {
            case WireType::String:
                w.value(QString());
                return;
            case WireType::Int32:
            case WireType::Int64:
                w.value(qint64(0));
                return;
            case WireType::Double:
                w.value(0.0);
                return;
            case WireType::Boolean:
                w.value(false);
                return;
            default:
                break;
            }
        }
        encodeWireValue(w, v, type, ctx);
    };
    for (int pos = 0; pos < spec.resultPosition(); ++pos) {
        if (spec.params[pos].out)
            put(pos, spec.params[pos].type);
    }
    if (spec.hasResult())
        put(spec.resultPosition(), spec.result);
    w.endArray();
    w.endObject();
    return w.take();
}

QByteArray encodeError(const QString& message) {
    JsonWriter w(message.size() + 16);
    w.beginObject();
    w.key("error");
    w.value(message);
    w.endObject();
    return w.take();
}

} // namespace vk::server
