#include "store/sqlitestore.h"

#include "store/schema.h"

#include <QAtomicInt>
#include <QSqlError>
#include <QSqlQuery>

#include <sstream>
#include <thread>
#include <unordered_map>

namespace vk::server {

namespace {

QAtomicInt g_storeCounter;

struct CachedStatement {
    QSqlQuery query;
    bool busy = false;
};

struct ThreadConnection {
    QString name;
    std::unordered_map<QString, std::unique_ptr<CachedStatement>> statements;
};

// Closes this thread's connections when the thread ends.
struct ThreadConnections {
    std::unordered_map<const void*, ThreadConnection> byStore;
    ~ThreadConnections() {
        for (auto& [store, c] : byStore) {
            c.statements.clear();
            if (QSqlDatabase::contains(c.name)) {
                QSqlDatabase::database(c.name, false).close();
                QSqlDatabase::removeDatabase(c.name);
            }
        }
    }
};

thread_local ThreadConnections t_connections;

void execOrThrow(QSqlDatabase& db, const QString& statement) {
    QSqlQuery q(db);
    if (!q.exec(statement))
        throw StoreError(
            QStringLiteral("SQL çalıştırılamadı: %1 [%2]").arg(q.lastError().text(), statement));
}

} // namespace

SqliteStore::SqliteStore(QString path)
    : m_path(std::move(path)),
      m_prefix(QStringLiteral("vk-sqlite-%1-").arg(g_storeCounter.fetchAndAddRelaxed(1))) {
    // Opening here reports a bad path at once instead of at the first request.
    connection();
}

SqliteStore::~SqliteStore() {
    if (auto it = t_connections.byStore.find(this); it != t_connections.byStore.end())
        it->second.statements.clear();
    std::lock_guard<std::mutex> lock(m_mutex);
    for (const QString& name : std::as_const(m_names)) {
        if (QSqlDatabase::contains(name)) {
            QSqlDatabase::database(name, false).close();
            QSqlDatabase::removeDatabase(name);
        }
    }
    t_connections.byStore.erase(this);
}

QSqlDatabase SqliteStore::connection() {
    auto it = t_connections.byStore.find(this);
    if (it != t_connections.byStore.end()) {
        if (QSqlDatabase::contains(it->second.name))
            return QSqlDatabase::database(it->second.name, false);
        t_connections.byStore.erase(it); // left by an earlier store at the same address
    }
    std::ostringstream tid;
    tid << std::this_thread::get_id();
    const QString name = m_prefix + QString::fromStdString(tid.str());
    QSqlDatabase db = open(name);
    t_connections.byStore.emplace(this, ThreadConnection{name, {}});
    std::lock_guard<std::mutex> lock(m_mutex);
    m_names.insert(name);
    return db;
}

QSqlDatabase SqliteStore::open(const QString& name) {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
    db.setDatabaseName(m_path);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=10000"));
    if (!db.open()) {
        const QString why = db.lastError().text();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(name);
        throw StoreError(QStringLiteral("Veritabanı açılamadı (%1): %2").arg(m_path, why));
    }
    execOrThrow(db, QStringLiteral("PRAGMA journal_mode=WAL"));
    execOrThrow(db, QStringLiteral("PRAGMA synchronous=NORMAL"));
    execOrThrow(db, QStringLiteral("PRAGMA foreign_keys=ON"));
    execOrThrow(db, QStringLiteral("PRAGMA temp_store=MEMORY"));
    return db;
}

QSqlQuery* SqliteStore::acquireStatement(const QString& statement) {
    QSqlDatabase db = connection();
    ThreadConnection& c = t_connections.byStore.at(this);
    auto it = c.statements.find(statement);
    if (it != c.statements.end() && !it->second->busy) {
        it->second->busy = true;
        return &it->second->query;
    }
    auto fresh = std::make_unique<CachedStatement>(CachedStatement{QSqlQuery(db), true});
    if (!fresh->query.prepare(statement))
        throw StoreError(QStringLiteral("SQL hazırlanamadı: %1 [%2]")
                             .arg(fresh->query.lastError().text(), statement));
    if (it != c.statements.end()) // the cached one is being read: this one lives for one use
        return new QSqlQuery(std::move(fresh->query));
    QSqlQuery* q = &fresh->query;
    c.statements.emplace(statement, std::move(fresh));
    return q;
}

void SqliteStore::releaseStatement(const QString& statement, QSqlQuery* query) {
    if (auto c = t_connections.byStore.find(this); c != t_connections.byStore.end()) {
        if (auto it = c->second.statements.find(statement);
            it != c->second.statements.end() && &it->second->query == query) {
            it->second->busy = false;
            return;
        }
    }
    delete query;
}

void SqliteStore::begin(QSqlDatabase& db) {
    // Taking the write lock up front: a deferred transaction that upgrades later can fail with
    // "database is locked" without waiting for the busy timeout.
    execOrThrow(db, QStringLiteral("BEGIN IMMEDIATE"));
}

void SqliteStore::commit(QSqlDatabase& db) {
    execOrThrow(db, QStringLiteral("COMMIT"));
}

void SqliteStore::rollback(QSqlDatabase& db) {
    QSqlQuery q(db);
    q.exec(QStringLiteral("ROLLBACK"));
}

int SqliteStore::schemaVersion() {
    QSqlDatabase db = connection();
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("SELECT version FROM schema_version")) || !q.next())
        return 0;
    return q.value(0).toInt();
}

int SqliteStore::migrate() {
    const auto migrations = schemaMigrations();
    int version = schemaVersion();
    if (version > int(migrations.size()))
        throw StoreError(QStringLiteral("Veritabanı şeması (%1) bu sunucudan yeni (%2)")
                             .arg(version)
                             .arg(migrations.size()));
    for (; version < int(migrations.size()); ++version) {
        write([&] {
            QSqlDatabase db = connection();
            for (const char* statement : migrations[version])
                execOrThrow(db, QString::fromUtf8(statement));
            execOrThrow(db, QStringLiteral("DELETE FROM schema_version"));
            execOrThrow(
                db,
                QStringLiteral("INSERT INTO schema_version(version) VALUES (%1)").arg(version + 1));
        });
    }
    return version;
}

} // namespace vk::server
