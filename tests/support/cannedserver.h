#pragma once

// An HTTP server on an ephemeral loopback port that answers server method calls with canned
// replies and records what it was sent. Runs on its own thread for the life of the object.

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QMutex>
#include <QString>

#include <functional>
#include <memory>
#include <thread>

namespace httplib {
class Server;
}

namespace vk::test {

struct CannedReply {
    int status = 200;
    QByteArray body;
    int delayMs = 0;      // wait this long before answering
    qint64 cutAfter = -1; // announce the whole body but close the link after this many bytes
};

struct ReceivedCall {
    QString method;  // the method name without quotes
    QByteArray body; // the request body
};

class CannedServer {
public:
    CannedServer();
    ~CannedServer();

    int port() const { return m_port; }
    void reply(const QString& method, CannedReply r);
    void reply(const QString& method, const QByteArray& body, int status = 200) {
        reply(method, CannedReply{status, body, 0, -1});
    }
    // A plain GET route (the IP echo, a download) answered with the given status and body.
    void get(const QString& path, const QByteArray& body, int status = 200);
    QList<ReceivedCall> calls() const;
    QByteArray lastBody(const QString& method) const;

    // A port on which nothing listens (bound, then released).
    static int closedPort();

private:
    std::unique_ptr<httplib::Server> m_server;
    std::thread m_thread;
    int m_port = 0;
    mutable QMutex m_mutex;
    QHash<QString, CannedReply> m_replies;
    QList<ReceivedCall> m_calls;
};

} // namespace vk::test
