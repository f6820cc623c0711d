#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <vector>

namespace vk {

// Compact JSON text writer that keeps object members in the order they are written (QJsonObject
// sorts its keys, and the record form on the wire is ordered). Commas are placed automatically.
class JsonWriter {
public:
    explicit JsonWriter(qsizetype reserve = 256);

    void beginObject();
    void endObject();
    void beginArray();
    void endArray();
    void key(const char* latin1Name);
    void key(QStringView name);

    void null();
    void value(bool b);
    void value(int i) { value(static_cast<qint64>(i)); }
    void value(qint64 i);
    void value(double d); // non-finite numbers have no JSON form and are written as null
    void value(QStringView s);
    void value(const QString& s) { value(QStringView(s)); }
    void value(const char* latin1) = delete; // say which encoding is meant
    void rawValue(const QByteArray& json);   // an already encoded JSON value

    const QByteArray& data() const { return m_out; }
    QByteArray take();

    static void appendEscaped(QByteArray& out, QStringView s);

private:
    void separate();

    QByteArray m_out;
    std::vector<bool> m_needComma; // one entry per open container
    bool m_afterKey = false;
};

} // namespace vk
