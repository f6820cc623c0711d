#include "jsonwriter.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <string_view>
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

namespace {

// The escape of a byte below 0x20, '"' or '\\'; empty for one that goes as it is.
std::string_view escapeOf(unsigned char u, char (&buf)[6]) {
    static const char hex[] = "0123456789abcdef";
    switch (u) {
    case '"':
        return "\\\"";
    case '\\':
        return "\\\\";
    case '\n':
        return "\\n";
    case '\r':
        return "\\r";
    case '\t':
        return "\\t";
    case '\b':
        return "\\b";
    case '\f':
        return "\\f";
    default:
        break;
    }
    if (u >= 0x20)
        return {};
    buf[0] = '\\';
    buf[1] = 'u';
    buf[2] = '0';
    buf[3] = '0';
    buf[4] = hex[u >> 4];
    buf[5] = hex[u & 0xF];
    return {buf, 6};
}

// Escapes UTF-8 bytes, copying runs that need no escape whole.
void appendEscapedUtf8(QByteArray& out, const char* p, const char* end) {
    const char* run = p;
    char buf[6];
    for (; p < end; ++p) {
        const std::string_view e = escapeOf(static_cast<unsigned char>(*p), buf);
        if (e.empty())
            continue;
        out.append(run, p - run);
        out.append(e.data(), qsizetype(e.size()));
        run = p + 1;
    }
    out.append(run, end - run);
}

} // namespace

void JsonWriter::appendEscaped(QByteArray& out, QStringView s) {
    out.append('"');
    // Texts without surrogates (nearly all) are encoded straight into the buffer; others take
    // Qt's conversion, which decides what a lone surrogate becomes.
    const qsizetype start = out.size();
    const qsizetype worst = start + 6 * s.size(); // \u00XX for every unit at most
    if (out.capacity() < worst)
        out.reserve(std::max(worst, 2 * out.capacity()));
    out.resize(worst);
    char* const base = out.data();
    char* w = base + start;
    char buf[6];
    for (const QChar qc : s) {
        const char16_t c = qc.unicode();
        if (c < 0x80) {
            const std::string_view e = escapeOf(static_cast<unsigned char>(c), buf);
            if (e.empty()) {
                *w++ = char(c);
            } else {
                std::memcpy(w, e.data(), e.size());
                w += e.size();
            }
        } else if (c < 0x800) {
            *w++ = char(0xC0 | (c >> 6));
            *w++ = char(0x80 | (c & 0x3F));
        } else if (c < 0xD800 || c > 0xDFFF) {
            *w++ = char(0xE0 | (c >> 12));
            *w++ = char(0x80 | ((c >> 6) & 0x3F));
            *w++ = char(0x80 | (c & 0x3F));
        } else {
            out.resize(start);
            const QByteArray utf8 = s.toUtf8();
            appendEscapedUtf8(out, utf8.constData(), utf8.constData() + utf8.size());
            out.append('"');
            return;
        }
    }
    out.resize(w - base);
    out.append('"');
}

} // namespace vk
