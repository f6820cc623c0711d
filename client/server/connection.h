#pragma once

// The connection to the application server: its settings, and a link that Open establishes and
// Close drops. Calls between the two reuse the link. Not thread-safe: each task has its own
// connection (Clone copies the settings, never the link).

#include <QByteArray>
#include <QMap>
#include <QString>

#include <memory>

namespace vk {

struct HttpReply {
    int status = 0;
    QByteArray body;
};

class ServerConnection {
public:
    static constexpr int kDefaultPort = 9090;
    static constexpr int kDefaultConnectTimeoutMs = 5000;
    static constexpr int kDefaultCallTimeoutMs = 60000;

    ServerConnection();
    ~ServerConnection();
    ServerConnection(const ServerConnection&) = delete;
    ServerConnection& operator=(const ServerConnection&) = delete;

    QString connectionName() const { return m_connectionName; }
    QString driverName() const { return m_driverName; }
    bool loginPrompt() const { return false; }

    // "HostName", "Port", "CommunicationProtocol", "DatasnapContext", "Filters", "DSProxyPort".
    QString param(const QString& key) const { return m_params.value(key); }
    void setParam(const QString& key, const QString& value) { m_params.insert(key, value); }
    const QMap<QString, QString>& params() const { return m_params; }

    QString hostName() const { return param(QStringLiteral("HostName")); }
    void setHostName(const QString& host) { setParam(QStringLiteral("HostName"), host); }
    int port() const;
    void setPort(int port) { setParam(QStringLiteral("Port"), QString::number(port)); }

    // Time to establish the link, and the longest a whole call may take.
    int connectTimeoutMs() const { return m_connectTimeoutMs; }
    void setConnectTimeoutMs(int ms) { m_connectTimeoutMs = ms; }
    int callTimeoutMs() const { return m_callTimeoutMs; }
    void setCallTimeoutMs(int ms) { m_callTimeoutMs = ms; }

    // Establishes the link; raises ConnectionError when the server cannot be reached.
    void Open();
    void Close();
    bool Connected() const;

    // A new connection with the same settings and no link.
    std::unique_ptr<ServerConnection> Clone() const;

    // The REST path of a server method: "/datasnap/rest/<class>/%22<method>%22".
    QByteArray methodPath(const char* serverClass, const char* method) const;

    // Sends one POST over the open link and returns the status and body. A link that cannot
    // carry the request or breaks before the whole reply arrived raises ConnectionError.
    HttpReply post(const QByteArray& path, const QByteArray& body);

private:
    struct Link;

    QString m_connectionName = QStringLiteral("DataSnapCONNECTION");
    QString m_driverName = QStringLiteral("DataSnap");
    QMap<QString, QString> m_params;
    int m_connectTimeoutMs = kDefaultConnectTimeoutMs;
    int m_callTimeoutMs = kDefaultCallTimeoutMs;
    std::unique_ptr<Link> m_link;
};

} // namespace vk
