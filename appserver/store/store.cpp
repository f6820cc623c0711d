#include "store/store.h"

#include <QSqlError>

namespace vk::server {

void Store::write(const std::function<void()>& fn) {
    QSqlDatabase db = connection();
    begin(db);
    try {
        fn();
    } catch (...) {
        rollback(db);
        throw;
    }
    commit(db);
}

namespace {

class QueryRow final : public Row {
public:
    explicit QueryRow(const Sql& q) : m_q(q) {}
    QVariant value(int i) const override { return m_q.value(i); }
    double real(int i) const override { return m_q.value(i).toDouble(); }
    qint64 integer(int i) const override { return m_q.value(i).toLongLong(); }

private:
    const Sql& m_q;
};

} // namespace

void Store::forEachRow(const QString& statement, const QVariantList& values,
                       const std::function<void(const Row&)>& fn) {
    Sql q(*this, statement);
    q.query().setForwardOnly(true);
    for (const QVariant& v : values)
        q.bind(v);
    q.exec();
    const QueryRow row(q);
    while (q.next())
        fn(row);
}

Sql::Sql(Store& store, const QString& statement)
    : m_store(store), m_text(statement), m_query(store.acquireStatement(statement)) {}

Sql::~Sql() {
    m_query->finish();
    m_store.releaseStatement(m_text, m_query);
}

Sql::Sql(Store& store, const QString& statement, std::initializer_list<QVariant> values)
    : Sql(store, statement) {
    for (const QVariant& v : values)
        bind(v);
}

Sql& Sql::bind(const QVariant& value) {
    // A null QString would be bound as SQL NULL; text is never NULL here (pass QVariant() for
    // that).
    if (value.typeId() == QMetaType::QString && value.toString().isNull())
        m_query->bindValue(m_bound++, QStringLiteral(""));
    else
        m_query->bindValue(m_bound++, value);
    return *this;
}

Sql& Sql::exec() {
    if (!m_query->exec())
        throw StoreError(QStringLiteral("SQL çalıştırılamadı: %1 [%2]")
                             .arg(m_query->lastError().text(), m_text));
    m_bound = 0;
    return *this;
}

Sql& Sql::exec(std::initializer_list<QVariant> values) {
    m_bound = 0;
    for (const QVariant& v : values)
        bind(v);
    return exec();
}

QVariant Sql::scalar(const QVariant& fallback) {
    return m_query->next() ? m_query->value(0) : fallback;
}

} // namespace vk::server
