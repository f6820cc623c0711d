#include "store/sqlitestore.h"

#include "store/schema.h"

#include <QAtomicInt>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>

#include <sqlite3.h>

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
    // Pages read through a shared mapping instead of copied into every thread's own cache.
    execOrThrow(db, QStringLiteral("PRAGMA mmap_size=1073741824"));
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

namespace {

sqlite3* nativeHandle(const QSqlDatabase& db) {
    const QVariant h = db.driver()->handle();
    if (qstrcmp(h.typeName(), "sqlite3*") != 0)
        throw StoreError(QStringLiteral("SQLite bağlantısına erişilemedi"));
    sqlite3* native = *static_cast<sqlite3* const*>(h.constData());
    if (!native)
        throw StoreError(QStringLiteral("SQLite bağlantısı kapalı"));
    return native;
}

// The statement, finalized when it goes out of scope.
class NativeStatement {
public:
    NativeStatement(sqlite3* db, const QString& text) : m_db(db), m_text(text) {
        const QByteArray utf8 = text.toUtf8();
        if (sqlite3_prepare_v2(db, utf8.constData(), int(utf8.size()), &m_stmt, nullptr) != SQLITE_OK)
            fail();
    }
    ~NativeStatement() { sqlite3_finalize(m_stmt); }
    NativeStatement(const NativeStatement&) = delete;
    NativeStatement& operator=(const NativeStatement&) = delete;

    // Text goes in as UTF-8, the database's own encoding; a null QString binds as ''.
    void bind(int i, const QVariant& v) {
        int rc = SQLITE_OK;
        switch (v.typeId()) {
        case QMetaType::UnknownType:
            rc = sqlite3_bind_null(m_stmt, i);
            break;
        case QMetaType::Bool:
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
            rc = v.isNull() ? sqlite3_bind_null(m_stmt, i) : sqlite3_bind_int64(m_stmt, i, v.toLongLong());
            break;
        case QMetaType::Double:
            rc = v.isNull() ? sqlite3_bind_null(m_stmt, i) : sqlite3_bind_double(m_stmt, i, v.toDouble());
            break;
        case QMetaType::QByteArray: {
            const QByteArray b = v.toByteArray();
            rc = sqlite3_bind_blob64(m_stmt, i, b.constData(), sqlite3_uint64(b.size()), SQLITE_TRANSIENT);
            break;
        }
        default: {
            const QByteArray t = v.toString().toUtf8();
            rc = sqlite3_bind_text64(m_stmt, i, t.isEmpty() ? "" : t.constData(),
                                     sqlite3_uint64(t.size()), SQLITE_TRANSIENT, SQLITE_UTF8);
        }
        }
        if (rc != SQLITE_OK)
            fail();
    }

    bool step() {
        const int rc = sqlite3_step(m_stmt);
        if (rc == SQLITE_ROW)
            return true;
        if (rc != SQLITE_DONE)
            fail();
        return false;
    }

    sqlite3_stmt* get() const { return m_stmt; }

private:
    [[noreturn]] void fail() const {
        throw StoreError(QStringLiteral("SQL çalıştırılamadı: %1 [%2]")
                             .arg(QString::fromUtf8(sqlite3_errmsg(m_db)), m_text));
    }

    sqlite3* m_db;
    const QString& m_text;
    sqlite3_stmt* m_stmt = nullptr;
};

class NativeRow final : public Row {
public:
    explicit NativeRow(sqlite3_stmt* stmt) : m_stmt(stmt) {}
    QVariant value(int i) const override {
        switch (sqlite3_column_type(m_stmt, i)) {
        case SQLITE_INTEGER:
            return QVariant(qint64(sqlite3_column_int64(m_stmt, i)));
        case SQLITE_FLOAT:
            return QVariant(sqlite3_column_double(m_stmt, i));
        case SQLITE_NULL:
            return QVariant();
        case SQLITE_BLOB: {
            const void* data = sqlite3_column_blob(m_stmt, i);
            return QVariant(QByteArray(static_cast<const char*>(data), sqlite3_column_bytes(m_stmt, i)));
        }
        default: {
            const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(m_stmt, i));
            return QVariant(QString::fromUtf8(text, sqlite3_column_bytes(m_stmt, i)));
        }
        }
    }
    double real(int i) const override { return sqlite3_column_double(m_stmt, i); }
    qint64 integer(int i) const override { return sqlite3_column_int64(m_stmt, i); }

private:
    sqlite3_stmt* m_stmt;
};

} // namespace

void SqliteStore::forEachRow(const QString& statement, const QVariantList& values,
                             const std::function<void(const Row&)>& fn) {
    NativeStatement stmt(nativeHandle(connection()), statement);
    for (int i = 0; i < values.size(); ++i)
        stmt.bind(i + 1, values[i]);
    const NativeRow row(stmt.get());
    while (stmt.step())
        fn(row);
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
