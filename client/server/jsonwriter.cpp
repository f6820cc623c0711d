#include "jsonwriter.h"

#include <charconv>
#include <cmath>
#include <utility>

namespace vk {

JsonWriter::JsonWriter(qsizetype reserve) {
    m_out.reserve(reserve);
}

void JsonWriter::separate() {
    if (m_afterKey) {
        m_afterKey = false;
        return;
    }
    if (!m_needComma.empty()) {
        if (m_needComma.back())
            m_out.append(',');
        m_needComma.back() = true;
    }
}

void JsonWriter::beginObject() {
    separate();
    m_out.append('{');
    m_needComma.push_back(false);
}

void JsonWriter::endObject() {
    m_needComma.pop_back();
    m_out.append('}');
}

void JsonWriter::beginArray() {
    separate();
    m_out.append('[');
    m_needComma.push_back(false);
}

void JsonWriter::endArray() {
    m_needComma.pop_back();
    m_out.append(']');
}

void JsonWriter::key(const char* latin1Name) {
    key(QString::fromLatin1(latin1Name));
}

void JsonWriter::key(QStringView name) {
    separate();
    appendEscaped(m_out, name);
    m_out.append(':');
    m_afterKey = true;
}

void JsonWriter::null() {
    separate();
    m_out.append("null", 4);
}

void JsonWriter::value(bool b) {
    separate();
    if (b)
        m_out.append("true", 4);
    else
        m_out.append("false", 5);
}

void JsonWriter::value(qint64 i) {
    separate();
    char buf[24];
    auto res = std::to_chars(buf, buf + sizeof buf, i);
    m_out.append(buf, res.ptr - buf);
}

void JsonWriter::value(double d) {
    if (!std::isfinite(d)) {
        null();
        return;
    }
    separate();
    char buf[32];
    // Shortest text that reads back as the same double; never depends on the C locale.
    auto res = std::to_chars(buf, buf + sizeof buf, d);
    m_out.append(buf, res.ptr - buf);
}

void JsonWriter::value(QStringView s) {
    separate();
    appendEscaped(m_out, s);
}

void JsonWriter::rawValue(const QByteArray& json) {
    separate();
    m_out.append(json);
}

QByteArray JsonWriter::take() {
    return std::exchange(m_out, QByteArray());
}

void JsonWriter::appendEscaped(QByteArray& out, QStringView s) {
    static const char hex[] = "0123456789abcdef";
    const QByteArray utf8 = s.toUtf8();
    out.append('"');
    // Runs of bytes that need no escape are copied whole; the buffer grows geometrically.
    const char* run = utf8.constData();
    const char* const end = run + utf8.size();
    for (const char* p = run; p < end; ++p) {
        const auto u = static_cast<unsigned char>(*p);
        if (u >= 0x20 && u != '"' && u != '\\')
            continue;
        out.append(run, p - run);
        run = p + 1;
        switch (u) {
        case '"':
            out.append("\\\"", 2);
            break;
        case '\\':
            out.append("\\\\", 2);
            break;
        case '\n':
            out.append("\\n", 2);
            break;
        case '\r':
            out.append("\\r", 2);
            break;
        case '\t':
            out.append("\\t", 2);
            break;
        case '\b':
            out.append("\\b", 2);
            break;
        case '\f':
            out.append("\\f", 2);
            break;
        default: {
            const char esc[6] = {'\\', 'u', '0', '0', hex[u >> 4], hex[u & 0xF]};
            out.append(esc, 6);
        }
        }
    }
    out.append(run, end - run);
    out.append('"');
}

} // namespace vk
