#pragma once

// The application server: the method endpoint on one port, the web host on another, both on
// workers that grow with the number of connections.

#include "dispatcher.h"

#include <QString>

#include <memory>
#include <thread>

namespace httplib {
class Server;
}

namespace vk::server {

class Store;

struct ServerOptions {
    QString bind = QStringLiteral("127.0.0.1");
    int port = 9090;  // 0 picks a free port
    int webPort = 80; // 0 picks a free port; -1 serves no web host
    QString filesDir; // the web host's /exe/ folder
    bool requestLog = true;
    size_t maxThreads = 4096;
    size_t maxBodyBytes = size_t(8) << 20;
};

class AppServer {
public:
    AppServer(Store& store, ServerOptions options);
    ~AppServer();
    AppServer(const AppServer&) = delete;
    AppServer& operator=(const AppServer&) = delete;

    // Every method handler this server has; tests may add their own before start().
    Dispatcher& dispatcher() { return m_dispatcher; }

    // Binds both ports and starts serving; raises vk::Error when a port cannot be bound.
    void start();
    // Stops accepting; requests in progress are answered before it returns.
    void stop();

    int port() const { return m_port; }
    int webPort() const { return m_webPort; }

    void log(const QString& line) const;

private:
    void serveApi();

    Store& m_store;
    ServerOptions m_options;
    Dispatcher m_dispatcher;
    std::unique_ptr<httplib::Server> m_api;
    std::unique_ptr<httplib::Server> m_web;
    std::thread m_apiThread;
    std::thread m_webThread;
    int m_port = 0;
    int m_webPort = 0;
};

// Registers every method this server implements.
void registerHandlers(Dispatcher& dispatcher);

} // namespace vk::server
