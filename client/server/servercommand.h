#pragma once

// One prepared server method command: parameters set by position (out-parameters included, the
// result last), one request and reply per execution, outputs read by position. What an execution
// returns stays owned by the command until it executes again or is destroyed.

#include "server/methodcatalogue.h"
#include "server/results.h"
#include "server/wirevalue.h"

#include <QJsonArray>
#include <QString>

#include <memory>
#include <variant>
#include <vector>

namespace vk {

class ServerConnection;

// The outputs of one reply (out-parameters in declared order, then the result), each with its
// position. Raises ServerError with the server's text for an error reply and ProtocolError for
// anything that is not a valid reply of this method.
std::vector<std::pair<int, WireValue>> decodeReply(const MethodSpec& spec, int status,
                                                   const QByteArray& body);

class ServerCommand {
public:
    ServerCommand(ServerConnection& connection, const MethodSpec& spec);
    ~ServerCommand();

    const MethodSpec& spec() const { return m_spec; }
    QString text() const; // "TServerMethods1.<method>"
    int parameterCount() const { return static_cast<int>(m_slots.size()); }

    void setString(int pos, const QString& v);
    void setInt32(int pos, qint32 v);
    void setDouble(int pos, double v);
    void setBoolean(int pos, bool v);
    void setRecord(int pos,
                   const TransferRecord* record); // marshalled at execution; null → JSON null
    void setCallback(int pos, const DSCallback* callback);

    // Sends the call and reads the reply. On any failure nothing of the reply is kept.
    void execute();
    const QByteArray& lastRequestBody() const { return m_lastRequest; }

    QString getString(int pos) const;
    qint32 getInt32(int pos) const;
    qint64 getInt64(int pos) const;
    double getDouble(int pos) const;
    bool getBoolean(int pos) const;
    TableReader* getReader(int pos);
    DataPacket takeDataPacket(int pos); // a data packet is a value: it moves to the caller
    ByteStream* getStream(int pos);
    QJsonArray* getJsonArray(int pos);
    TransferRecord* getRecord(int pos);

private:
    using Input =
        std::variant<std::monostate, QString, qint64, double, bool, const TransferRecord*>;
    struct Slot {
        Input input;
        WireValue output;
        std::unique_ptr<TableReader> reader;
        std::unique_ptr<ByteStream> stream;
    };

    WireType typeAt(int pos) const;
    Slot& inputSlot(int pos, WireType expected);
    const WireValue& outputAt(int pos, WireType expected) const;
    QByteArray requestBody() const;

    ServerConnection& m_connection;
    const MethodSpec& m_spec;
    QByteArray m_path;
    std::vector<Slot> m_slots;
    QByteArray m_lastRequest;
};

} // namespace vk
