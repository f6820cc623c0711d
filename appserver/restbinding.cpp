#include "restbinding.h"

#include "dispatcher.h"
#include "store/store.h"

#include <QByteArray>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QStringList>

#include <cstdio>

namespace vk::server {

namespace {

const QByteArray kRestPrefix = "/datasnap/rest/";

struct BadRequest {
    QString message;
};

// A JSON value from text that may be any JSON value, objects and arrays included.
std::optional<QJsonValue> parseJsonValue(const QByteArray& text) {
    QJsonParseError e;
    const QJsonDocument d = QJsonDocument::fromJson("[" + text + "]", &e);
    if (e.error != QJsonParseError::NoError || d.array().size() != 1)
        return std::nullopt;
    return d.array().at(0);
}

// A path segment as the JSON value of a parameter of the given type.
QJsonValue segmentValue(const QString& segment, const ParamSpec& p, const MethodSpec& m) {
    if (segment == u"null")
        return QJsonValue(QJsonValue::Null);
    auto bad = [&](const char* expected) {
        return BadRequest{QStringLiteral("%1: \"%2\" parametresi %3 olmalı")
                              .arg(QString::fromLatin1(m.name), QString::fromLatin1(p.name),
                                   QString::fromUtf8(expected))};
    };
    bool ok = false;
    switch (p.type) {
    case WireType::Int32:
    case WireType::Int64: {
        const qint64 i = segment.toLongLong(&ok);
        if (!ok)
            throw bad(wireTypeName(p.type));
        return QJsonValue(i);
    }
    case WireType::Double: {
        const double d = segment.toDouble(&ok); // C locale: the wire's decimal point
        if (!ok)
            throw bad(wireTypeName(p.type));
        return QJsonValue(d);
    }
    case WireType::Boolean:
        if (segment.compare(u"true", Qt::CaseInsensitive) == 0)
            return QJsonValue(true);
        if (segment.compare(u"false", Qt::CaseInsensitive) == 0)
            return QJsonValue(false);
        throw bad(wireTypeName(p.type));
    case WireType::Record:
    case WireType::Object: {
        const auto v = parseJsonValue(segment.toUtf8());
        if (!v)
            throw bad(wireTypeName(p.type));
        return *v;
    }
    default:
        return QJsonValue(segment);
    }
}

std::vector<WireValue> decodeInputs(const MethodSpec& m, const QList<QJsonValue>& given,
                                    bool missingAreNull) {
    std::vector<const ParamSpec*> inputs;
    for (const ParamSpec& p : m.params) {
        if (!p.out)
            inputs.push_back(&p);
    }
    if (given.size() > qsizetype(inputs.size()))
        throw BadRequest{QStringLiteral("%1: %2 parametre beklenirken %3 geldi")
                             .arg(QString::fromLatin1(m.name))
                             .arg(inputs.size())
                             .arg(given.size())};
    if (!missingAreNull && given.size() < qsizetype(inputs.size()))
        throw BadRequest{
            QStringLiteral("%1: \"%2\" parametresi eksik (%3 parametre beklenirken %4 geldi)")
                .arg(QString::fromLatin1(m.name), QString::fromLatin1(inputs[given.size()]->name))
                .arg(inputs.size())
                .arg(given.size())};
    std::vector<WireValue> out;
    out.reserve(inputs.size());
    UnmarshalContext ctx;
    for (size_t i = 0; i < inputs.size(); ++i) {
        const ParamSpec& p = *inputs[i];
        const QJsonValue v = qsizetype(i) < given.size() ? given[qsizetype(i)] : QJsonValue();
        if (v.isNull() || v.isUndefined()) {
            out.emplace_back(std::monostate());
            continue;
        }
        try {
            out.push_back(decodeWireValue(v, p.type, p.recordType, ctx));
        } catch (const ProtocolError& e) {
            throw BadRequest{
                QStringLiteral("%1: \"%2\" parametresi: %3")
                    .arg(QString::fromLatin1(m.name), QString::fromLatin1(p.name), e.text())};
        }
    }
    return out;
}

QString decodeSegment(const QByteArray& raw) {
    return QString::fromUtf8(QByteArray::fromPercentEncoding(raw));
}

} // namespace

RestOutcome handleRestCall(Dispatcher& dispatcher, const std::string& httpMethod,
                           const std::string& target, const std::string& body,
                           const QString& peer) {
    RestOutcome out;
    QByteArray path = QByteArray::fromStdString(target);
    if (const qsizetype q = path.indexOf('?'); q >= 0)
        path.truncate(q);
    try {
        if (!path.startsWith(kRestPrefix))
            throw BadRequest{QStringLiteral("Bilinmeyen adres")};
        QList<QByteArray> segments = path.mid(kRestPrefix.size()).split('/');
        if (segments.size() < 2 || segments[0] != "TServerMethods1")
            throw BadRequest{QStringLiteral("Bilinmeyen sunucu sınıfı")};
        QString name = decodeSegment(segments[1]);
        segments.remove(0, 2);
        if (!segments.isEmpty() && path.endsWith('/'))
            segments.removeLast(); // a trailing slash closes the list, it adds no parameter

        // A quoted name is called as it stands; otherwise the HTTP verb picks a prefix.
        if (name.size() >= 2 && name.startsWith(u'"') && name.endsWith(u'"')) {
            name = name.mid(1, name.size() - 2);
        } else if (httpMethod == "POST") {
            name = QStringLiteral("update") + name;
        } else if (httpMethod == "PUT") {
            name = QStringLiteral("accept") + name;
        } else if (httpMethod == "DELETE") {
            name = QStringLiteral("cancel") + name;
        }
        out.method = name;
        const MethodSpec* spec = findMethod(name);
        if (!spec)
            throw BadRequest{QStringLiteral("Bilinmeyen sunucu metodu: %1").arg(name)};

        std::vector<const ParamSpec*> inputs;
        for (const ParamSpec& p : spec->params) {
            if (!p.out)
                inputs.push_back(&p);
        }
        QList<QJsonValue> given;
        for (const QByteArray& raw : std::as_const(segments)) {
            if (given.size() >= qsizetype(inputs.size()))
                throw BadRequest{QStringLiteral("%1: %2 parametre beklenirken daha fazlası geldi")
                                     .arg(name)
                                     .arg(inputs.size())};
            given.append(segmentValue(decodeSegment(raw), *inputs[given.size()], *spec));
        }
        bool exactCount = false;
        const QByteArray bodyText = QByteArray::fromStdString(body).trimmed();
        if (httpMethod != "GET" && !bodyText.isEmpty()) {
            const auto value = parseJsonValue(bodyText);
            if (!value)
                throw BadRequest{QStringLiteral("%1: istek gövdesi geçerli JSON değil").arg(name)};
            const QJsonValue params = value->toObject().value(QLatin1StringView("_parameters"));
            if (value->isObject() && params.isArray()) {
                for (const QJsonValue v : params.toArray())
                    given.append(v);
                exactCount = true;
            } else {
                given.append(*value);
            }
        }
        std::vector<WireValue> decoded = decodeInputs(*spec, given, !exactCount);
        out.body = dispatcher.invoke(*spec, std::move(decoded), peer);
        out.status = 200;
    } catch (const BadRequest& e) {
        out.status = 500;
        out.error = e.message;
        out.body = encodeError(e.message);
    } catch (const StoreError& e) {
        out.status = 500;
        out.error = e.text();
        out.body = encodeError(QStringLiteral("Sunucuda veritabanı hatası oluştu"));
    } catch (const vk::Error& e) {
        out.status = 500;
        out.error = e.text();
        out.body = encodeError(e.text());
    } catch (const std::exception& e) {
        out.status = 500;
        out.error = QString::fromLocal8Bit(e.what());
        out.body = encodeError(QStringLiteral("Beklenmeyen sunucu hatası"));
    }
    return out;
}

} // namespace vk::server
