#pragma once

// A real application server in the test process, on ephemeral loopback ports, with a small
// data set (one representative, two dealers, users of every kind) or the demo data.

#include "appserver.h"
#include "store/sqlitestore.h"

#include "common/deployment.h"
#include "common/errors.h"

#include <QTemporaryDir>

#include <functional>
#include <memory>

namespace vk::test {

class LiveServer {
public:
    // With demoArticles > 0 the database holds the demo data set (needs a QGuiApplication)
    // instead of the small one.
    explicit LiveServer(int demoArticles = 0);
    ~LiveServer();

    int port() const { return m_server->port(); }
    int webPort() const { return m_server->webPort(); }
    vk::server::SqliteStore& store() { return *m_store; }
    QString filesDir() const;

    void registerWorkstation(const QString& id, const QString& user);
    void setExpectedVersion(int version);
    // A deployment whose addresses all point at this server.
    vk::Deployment deployment() const;

private:
    void addSmallDataSet();

    QTemporaryDir m_dir;
    std::unique_ptr<vk::server::SqliteStore> m_store;
    std::unique_ptr<vk::server::AppServer> m_server;
};

// The text of the server error a call raises; empty when it raises none.
inline QString serverErrorOf(const std::function<void()>& call) {
    try {
        call();
    } catch (const vk::ServerError& e) {
        return e.text();
    }
    return {};
}

} // namespace vk::test
