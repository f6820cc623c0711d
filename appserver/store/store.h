#pragma once

// The application server's storage seam. Business code talks SQL with bound parameters through
// this interface; a backend supplies connections (one per worker thread), write transactions
// and the schema. SQLite is the backend today; a PostgreSQL one can follow behind the same calls.

#include "common/errors.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariant>

#include <functional>
#include <initializer_list>

namespace vk::server {

// A storage failure. Its text is for the log; callers answer clients with a general message.
class StoreError : public vk::Error {
public:
    using vk::Error::Error;
};

// One row of a bulk read, valid only inside the callback that receives it.
class Row {
public:
    virtual ~Row() = default;
    virtual QVariant value(int i) const = 0; // typed as Sql::value types it
    virtual double real(int i) const = 0;
    virtual qint64 integer(int i) const = 0;
};

class Store {
public:
    virtual ~Store() = default;

    virtual QString backendName() const = 0;
    virtual QString location() const = 0;

    // The calling thread's connection, opened (and configured) on first use.
    virtual QSqlDatabase connection() = 0;

    // A prepared statement on the calling thread's connection, for the caller alone until it
    // gives it back. Statements are prepared once per thread and reused.
    virtual QSqlQuery* acquireStatement(const QString& statement) = 0;
    virtual void releaseStatement(const QString& statement, QSqlQuery* query) = 0;

    // Runs a read statement with its values bound and hands every row to fn, in order. For large
    // results: a backend may read its rows natively; this default goes through Sql.
    virtual void forEachRow(const QString& statement, const QVariantList& values,
                            const std::function<void(const Row&)>& fn);

    // Runs fn inside one write transaction: committed when fn returns, rolled back when it
    // throws (the exception passes on). Transactions do not nest.
    void write(const std::function<void()>& fn);

    // Brings the schema to the newest version; returns the version reached.
    virtual int migrate() = 0;
    virtual int schemaVersion() = 0;

protected:
    virtual void begin(QSqlDatabase& db) = 0;
    virtual void commit(QSqlDatabase& db) = 0;
    virtual void rollback(QSqlDatabase& db) = 0;
};

// A prepared statement on the calling thread's connection. Every value is bound, never pasted
// into the text. Failures raise StoreError.
class Sql {
public:
    Sql(Store& store, const QString& statement);
    Sql(Store& store, const QString& statement, std::initializer_list<QVariant> values);
    ~Sql();
    Sql(const Sql&) = delete;
    Sql& operator=(const Sql&) = delete;

    Sql& bind(const QVariant& value); // a null QString binds as '' (QVariant() binds NULL)
    Sql& exec();
    Sql& exec(std::initializer_list<QVariant> values); // rebinds all values, then runs

    bool next() { return m_query->next(); }
    QVariant value(int i) const { return m_query->value(i); }
    QVariant value(const QString& name) const { return m_query->value(name); }
    QSqlQuery& query() { return *m_query; }
    qint64 lastInsertId() const { return m_query->lastInsertId().toLongLong(); }
    int rowsAffected() const { return m_query->numRowsAffected(); }

    // The first column of the first row, or the fallback when there is no row.
    QVariant scalar(const QVariant& fallback = {});

private:
    Store& m_store;
    QString m_text;
    QSqlQuery* m_query;
    int m_bound = 0;
};

} // namespace vk::server
