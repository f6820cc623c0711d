#include "appserver.h"

#include "handlers/handlers.h"
#include "restbinding.h"
#include "store/store.h"
#include "taskqueue.h"
#include "webhost.h"

#include <QDateTime>
#include <QElapsedTimer>

#include <httplib.h>

#include <cstdio>

#include <sys/socket.h>

namespace vk::server {

namespace {

void configure(httplib::Server& s, const ServerOptions& o) {
    const size_t maxThreads = o.maxThreads;
    s.new_task_queue = [maxThreads] { return new ElasticTaskQueue(maxThreads); };
    s.set_payload_max_length(o.maxBodyBytes);
    s.set_tcp_nodelay(true); // headers and body go out as separate writes: no Nagle delay
    s.set_keep_alive_max_count(1000);
    s.set_keep_alive_timeout(5);
    s.set_read_timeout(30, 0);
    s.set_write_timeout(30, 0);
}

int bindPort(httplib::Server& s, const QString& host, int port, const char* what) {
    // The library listens with a backlog of 5: a burst of clients (everyone reconnecting after a
    // restart) would overflow it and have connections reset. Listening again widens it.
    socket_t listening = INVALID_SOCKET;
    s.set_socket_options([&listening](socket_t sock) {
        int yes = 1;
        ::setsockopt(sock, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
        listening = sock;
    });
    const std::string h = host.toStdString();
    const int bound = port == 0 ? s.bind_to_any_port(h) : (s.bind_to_port(h, port) ? port : -1);
    if (bound <= 0)
        throw vk::Error(QStringLiteral("%1 kapısı açılamadı: %2:%3")
                            .arg(QString::fromLatin1(what), host)
                            .arg(port));
    if (listening != INVALID_SOCKET)
        ::listen(listening, SOMAXCONN);
    return bound;
}

void waitRunning(httplib::Server& s) {
    // stop() before the accept loop runs would be lost: wait until it runs.
    while (!s.is_running())
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

} // namespace

AppServer::AppServer(Store& store, ServerOptions options)
    : m_store(store), m_options(std::move(options)), m_dispatcher(store),
      m_api(std::make_unique<httplib::Server>()), m_web(std::make_unique<httplib::Server>()) {
    registerHandlers(m_dispatcher);
}

AppServer::~AppServer() {
    stop();
}

void AppServer::log(const QString& line) const {
    if (!m_options.requestLog)
        return;
    const QString stamped =
        QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz ")) + line +
        u'\n';
    std::fputs(stamped.toUtf8().constData(), stderr);
}

void AppServer::serveApi() {
    configure(*m_api, m_options);
    auto handle = [this](const httplib::Request& req, httplib::Response& res) {
        QElapsedTimer timer;
        timer.start();
        const QString peer = QString::fromStdString(req.remote_addr);
        const RestOutcome out =
            handleRestCall(m_dispatcher, req.method, req.target, req.body, peer);
        res.status = out.status;
        res.set_content(out.body.toStdString(), "application/json");
        log(QStringLiteral("%1 %2 %3 ms %4")
                .arg(peer, out.method.isEmpty() ? QStringLiteral("-") : out.method)
                .arg(timer.nsecsElapsed() / 1e6, 0, 'f', 1)
                .arg(out.error.isEmpty() ? QStringLiteral("ok")
                                         : QStringLiteral("hata: ") + out.error));
    };
    const char* pattern = R"(/datasnap/rest/.*)";
    m_api->Get(pattern, handle);
    m_api->Post(pattern, handle);
    m_api->Put(pattern, handle);
    m_api->Delete(pattern, handle);
    m_api->set_error_handler([this](const httplib::Request& req, httplib::Response& res) {
        if (!res.body.empty())
            return;
        QString why;
        if (res.status == 413)
            why = QStringLiteral("İstek gövdesi %1 MB sınırını aşıyor")
                      .arg(m_options.maxBodyBytes >> 20);
        else if (res.status == 404)
            why = QStringLiteral("Bilinmeyen adres");
        else
            why = QStringLiteral("Sunucu hatası (HTTP %1)").arg(res.status);
        res.set_content(encodeError(why).toStdString(), "application/json");
        log(QStringLiteral("%1 %2 %3 hata: %4")
                .arg(QString::fromStdString(req.remote_addr), QString::fromStdString(req.method),
                     QString::fromStdString(req.path), why));
    });
}

void AppServer::start() {
    serveApi();
    m_port = bindPort(*m_api, m_options.bind, m_options.port, "Sunucu");
    if (m_options.webPort >= 0) {
        configure(*m_web, m_options);
        installWebHost(*m_web, m_store,
                       WebHostOptions{m_options.filesDir, [this](const QString& l) { log(l); }});
        m_webPort = bindPort(*m_web, m_options.bind, m_options.webPort, "Web");
        m_webThread = std::thread([this] { m_web->listen_after_bind(); });
        waitRunning(*m_web);
    }
    m_apiThread = std::thread([this] { m_api->listen_after_bind(); });
    waitRunning(*m_api);
}

void AppServer::stop() {
    if (m_apiThread.joinable()) {
        m_api->stop();
        m_apiThread.join();
    }
    if (m_webThread.joinable()) {
        m_web->stop();
        m_webThread.join();
    }
}

} // namespace vk::server

namespace vk::server {

void registerHandlers(Dispatcher& dispatcher) {
    registerBasicHandlers(dispatcher);
    registerLoginHandlers(dispatcher);
    registerCatalogueHandlers(dispatcher);
    registerBasketHandlers(dispatcher);
    registerOrderHandlers(dispatcher);
}

} // namespace vk::server
