#pragma once

// SQLite through QtSql: one connection per thread, WAL journal, immediate write transactions.
// Bulk reads go to SQLite's own interface on the same connection.

#include "store/store.h"

#include <QSet>

#include <mutex>

namespace vk::server {

class SqliteStore final : public Store {
public:
    explicit SqliteStore(QString path);
    ~SqliteStore() override;
    SqliteStore(const SqliteStore&) = delete;
    SqliteStore& operator=(const SqliteStore&) = delete;

    QString backendName() const override { return QStringLiteral("sqlite"); }
    QString location() const override { return m_path; }
    QSqlDatabase connection() override;
    QSqlQuery* acquireStatement(const QString& statement) override;
    void releaseStatement(const QString& statement, QSqlQuery* query) override;
    void forEachRow(const QString& statement, const QVariantList& values,
                    const std::function<void(const Row&)>& fn) override;
    int migrate() override;
    int schemaVersion() override;

protected:
    void begin(QSqlDatabase& db) override;
    void commit(QSqlDatabase& db) override;
    void rollback(QSqlDatabase& db) override;

private:
    QSqlDatabase open(const QString& name);

    QString m_path;
    QString m_prefix;
    std::mutex m_mutex;
    QSet<QString> m_names;
};

} // namespace vk::server
