#pragma once

// A real application server in the test process, on ephemeral loopback ports, with a small
// data set: one representative, one dealer, and users of every kind.

#include "appserver.h"
#include "store/sqlitestore.h"

#include "common/deployment.h"

#include <QTemporaryDir>

#include <memory>

namespace vk::test {

class LiveServer {
public:
    LiveServer();
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
    QTemporaryDir m_dir;
    std::unique_ptr<vk::server::SqliteStore> m_store;
    std::unique_ptr<vk::server::AppServer> m_server;
};

} // namespace vk::test
