#include "server/connection.h"

#include "common/errors.h"

#include <httplib.h>

#include <chrono>
#include <mutex>

namespace vk {

namespace {

// No reply of this system comes near this; anything larger is not a reply to trust.
constexpr qsizetype kMaxReplyBytes = qsizetype(256) << 20;

enum class Abort { None, TimedOut, TooLarge };

QString describe(httplib::Error err, Abort abort) {
    if (abort == Abort::TimedOut)
        return QStringLiteral("yanıt zamanında gelmedi");
    if (abort == Abort::TooLarge)
        return QStringLiteral("yanıt %1 MB sınırını aşıyor").arg(kMaxReplyBytes >> 20);
    switch (err) {
    case httplib::Error::Connection:
        return QStringLiteral("bağlantı kurulamadı");
    case httplib::Error::ConnectionTimeout:
        return QStringLiteral("bağlantı zaman aşımına uğradı");
    case httplib::Error::Read:
        return QStringLiteral("yanıt okunamadı, bağlantı koptu");
    case httplib::Error::Write:
        return QStringLiteral("istek gönderilemedi, bağlantı koptu");
    case httplib::Error::Canceled:
        return QStringLiteral("istek yarıda kesildi");
    default:
        return QString::fromStdString(httplib::to_string(err));
    }
}

} // namespace

// The HTTP client with a way to establish its TCP link before the first request, so that Open
// tells whether the server can be reached.
struct ServerConnection::Link : httplib::ClientImpl {
    Link(const std::string& host, int port) : httplib::ClientImpl(host, port) {}

    bool connectNow(httplib::Error& err) {
        std::lock_guard<std::mutex> guard(socket_mutex_);
        if (socket_.is_open())
            return true;
        return create_and_connect_socket(socket_, err);
    }
};

ServerConnection::ServerConnection() {
    m_params.insert(QStringLiteral("HostName"), QString());
    m_params.insert(QStringLiteral("Port"), QString::number(kDefaultPort));
    m_params.insert(QStringLiteral("CommunicationProtocol"), QStringLiteral("tcp/ip"));
    m_params.insert(QStringLiteral("DatasnapContext"), QStringLiteral("datasnap/"));
    m_params.insert(QStringLiteral("Filters"), QStringLiteral("{}"));
    m_params.insert(QStringLiteral("DSProxyPort"), QStringLiteral("8090"));
}

ServerConnection::~ServerConnection() = default;

int ServerConnection::port() const {
    bool ok = false;
    const int p = param(QStringLiteral("Port")).trimmed().toInt(&ok);
    return ok ? p : -1;
}

void ServerConnection::Open() {
    if (m_link)
        return;
    const QString host = hostName().trimmed();
    const int p = port();
    const QString where = host + u':' + param(QStringLiteral("Port"));
    if (host.isEmpty())
        throw ConnectionError(QStringLiteral("Sunucu adresi belirtilmemiş"));
    if (p <= 0 || p > 65535)
        throw ConnectionError(QStringLiteral("Sunucu kapısı geçersiz: %1").arg(where));
    const QString protocol = param(QStringLiteral("CommunicationProtocol")).trimmed().toLower();
    if (!protocol.isEmpty() && protocol != u"tcp/ip" && protocol != u"http")
        throw ConnectionError(
            QStringLiteral("Desteklenmeyen iletişim protokolü: %1").arg(protocol));

    auto link = std::make_unique<Link>(host.toStdString(), p);
    link->set_keep_alive(true);
    link->set_url_encode(false);
    link->set_tcp_nodelay(true);
    link->set_connection_timeout(std::chrono::milliseconds(m_connectTimeoutMs));
    link->set_read_timeout(std::chrono::milliseconds(m_callTimeoutMs));
    link->set_write_timeout(std::chrono::milliseconds(m_callTimeoutMs));
    httplib::Error err = httplib::Error::Success;
    if (!link->connectNow(err))
        throw ConnectionError(QStringLiteral("Sunucuya bağlanılamadı (%1): %2")
                                  .arg(where, describe(err, Abort::None)));
    m_link = std::move(link);
}

void ServerConnection::Close() {
    m_link.reset();
}

bool ServerConnection::Connected() const {
    return m_link != nullptr;
}

std::unique_ptr<ServerConnection> ServerConnection::Clone() const {
    auto c = std::make_unique<ServerConnection>();
    c->m_connectionName = m_connectionName;
    c->m_driverName = m_driverName;
    c->m_params = m_params;
    c->m_connectTimeoutMs = m_connectTimeoutMs;
    c->m_callTimeoutMs = m_callTimeoutMs;
    return c;
}

QByteArray ServerConnection::methodPath(const char* serverClass, const char* method) const {
    QByteArray context = param(QStringLiteral("DatasnapContext")).trimmed().toUtf8();
    while (context.startsWith('/'))
        context.remove(0, 1);
    if (!context.isEmpty() && !context.endsWith('/'))
        context.append('/');
    return '/' + context + "rest/" + serverClass + "/%22" + method + "%22";
}

HttpReply ServerConnection::post(const QByteArray& path, const QByteArray& body) {
    if (!m_link)
        throw ConnectionError(QStringLiteral("Sunucu bağlantısı açık değil"));

    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(m_callTimeoutMs);
    Abort abort = Abort::None;
    QByteArray replyBody;

    httplib::Request req;
    req.method = "POST";
    req.path = path.toStdString();
    req.set_header("Accept", "application/json");
    req.set_header("User-Agent", "VelkorB2B/6");
    req.set_header("Content-Type", "text/plain;charset=UTF-8");
    req.body.assign(body.constData(), static_cast<size_t>(body.size()));
    req.content_receiver = [&](const char* data, size_t length, uint64_t, uint64_t) {
        if (Clock::now() > deadline) {
            abort = Abort::TimedOut;
            return false;
        }
        if (replyBody.size() + qsizetype(length) > kMaxReplyBytes) {
            abort = Abort::TooLarge;
            return false;
        }
        replyBody.append(data, static_cast<qsizetype>(length));
        return true;
    };

    httplib::Response res;
    httplib::Error err = httplib::Error::Success;
    if (!m_link->send(req, res, err)) {
        m_link.reset(); // a broken link is not reused
        throw ConnectionError(describe(err, abort));
    }
    return HttpReply{res.status, std::move(replyBody)};
}

} // namespace vk
