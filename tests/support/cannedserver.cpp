#include "cannedserver.h"

#include <QMutexLocker>
#include <QThread>

#include <httplib.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace vk::test {

CannedServer::CannedServer() : m_server(std::make_unique<httplib::Server>()) {
    m_server->Post(
        R"(/datasnap/rest/TServerMethods1/(?:%22|")([A-Za-z0-9_]+)(?:%22|"))",
        [this](const httplib::Request& req, httplib::Response& res) {
            const QString method = QString::fromStdString(req.matches[1]);
            CannedReply r;
            {
                QMutexLocker lock(&m_mutex);
                m_calls.append({method, QByteArray::fromStdString(req.body)});
                r = m_replies.value(method,
                                    CannedReply{500, R"({"error":"no canned reply"})", 0, -1});
            }
            if (r.delayMs > 0)
                QThread::msleep(static_cast<unsigned long>(r.delayMs));
            res.status = r.status;
            if (r.cutAfter < 0) {
                res.set_content(r.body.toStdString(), "application/json");
                return;
            }
            const std::string body = r.body.toStdString();
            const size_t cut = static_cast<size_t>(r.cutAfter);
            res.set_content_provider(body.size(), "application/json",
                                     [body, cut](size_t offset, size_t, httplib::DataSink& sink) {
                                         if (offset < cut)
                                             sink.write(body.data() + offset, cut - offset);
                                         return offset < cut;
                                     });
        });
    m_port = m_server->bind_to_any_port("127.0.0.1");
    m_thread = std::thread([this] { m_server->listen_after_bind(); });
    // stop() before the accept loop runs would be lost and the destructor would wait forever
    while (!m_server->is_running())
        QThread::msleep(1);
}

CannedServer::~CannedServer() {
    m_server->stop();
    m_thread.join();
}

void CannedServer::get(const QString& path, const QByteArray& body, int status) {
    const std::string b = body.toStdString();
    m_server->Get(path.toStdString(), [b, status](const httplib::Request&, httplib::Response& res) {
        res.status = status;
        res.set_content(b, "text/plain");
    });
}

void CannedServer::reply(const QString& method, CannedReply r) {
    QMutexLocker lock(&m_mutex);
    m_replies.insert(method, std::move(r));
}

QList<ReceivedCall> CannedServer::calls() const {
    QMutexLocker lock(&m_mutex);
    return m_calls;
}

QByteArray CannedServer::lastBody(const QString& method) const {
    QMutexLocker lock(&m_mutex);
    for (qsizetype i = m_calls.size() - 1; i >= 0; --i) {
        if (m_calls[i].method == method)
            return m_calls[i].body;
    }
    return {};
}

int CannedServer::closedPort() {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = 0;
    socklen_t len = sizeof addr;
    ::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len);
    ::close(fd);
    return ntohs(addr.sin_port);
}

} // namespace vk::test
