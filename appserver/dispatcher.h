#pragma once

// Runs server methods by the shared catalogue: one handler per method; methods without a
// handler answer that they are not supported here.

#include "server/methodcatalogue.h"
#include "server/wirevalue.h"

#include <QString>

#include <array>
#include <functional>
#include <vector>

namespace vk::server {

class Store;

// One call in progress: the inputs at their positions (out-parameter positions stay null),
// and the outputs the handler sets.
class Call {
public:
    Call(const MethodSpec& spec, std::vector<WireValue> values, Store& store, QString peer);

    const MethodSpec& spec() const { return m_spec; }
    Store& store() { return m_store; }
    const QString& peer() const { return m_peer; } // the client's address

    // Inputs; NULL reads as the empty text, 0, false or no record.
    QString text(int pos) const;
    qint32 int32(int pos) const;
    double real(int pos) const;
    bool boolean(int pos) const;
    const TransferRecord* record(int pos) const;
    template <class R> const R* record(int pos) const {
        return dynamic_cast<const R*>(record(pos));
    }

    void setOut(int pos, WireValue value);
    void setResult(WireValue value);
    std::vector<WireValue>& values() { return m_values; }

private:
    const MethodSpec& m_spec;
    std::vector<WireValue> m_values; // parameter positions, then the result
    Store& m_store;
    QString m_peer;
};

using Handler = std::function<void(Call&)>;

class Dispatcher {
public:
    explicit Dispatcher(Store& store);

    void add(MethodId id, Handler handler);
    bool supports(MethodId id) const;

    // Runs the method. inputs holds one value per input parameter in declared order. Returns
    // the reply body {"result":[...]}. A failure raises vk::Error with the text for the client.
    QByteArray invoke(const MethodSpec& spec, std::vector<WireValue> inputs, const QString& peer);

    Store& store() { return m_store; }

private:
    Store& m_store;
    std::array<Handler, kMethodCount> m_handlers;
};

// Encodes a reply body from the values at the output positions of a call.
QByteArray encodeReply(const MethodSpec& spec, const std::vector<WireValue>& values);
QByteArray encodeError(const QString& message);

} // namespace vk::server
