#include "common/httpget.h"

#include <QUrl>

#include <httplib.h>

namespace vk {

std::optional<QByteArray> httpGet(const QString& url, int timeoutMs, QString* error, qint64 maxBytes) {
    auto fail = [error](const QString& why) -> std::optional<QByteArray> {
        if (error)
            *error = why;
        return std::nullopt;
    };
    const QUrl u(url, QUrl::TolerantMode);
    if (!u.isValid() || u.host().isEmpty() || (u.scheme() != u"http" && u.scheme() != u"https"))
        return fail(QStringLiteral("Adres geçersiz: %1").arg(url));
    const int port = u.port(u.scheme() == u"https" ? 443 : 80);
    QString host = u.host();
    if (host.contains(u':'))
        host = u'[' + host + u']';
    try {
        httplib::Client client(
            (u.scheme() + QStringLiteral("://") + host + u':' + QString::number(port)).toStdString());
        const auto timeout = std::chrono::milliseconds(timeoutMs);
        client.set_connection_timeout(timeout);
        client.set_read_timeout(timeout);
        client.set_follow_location(true);
        QString path = u.path(QUrl::FullyEncoded);
        if (path.isEmpty())
            path = QStringLiteral("/");
        if (u.hasQuery())
            path += u'?' + u.query(QUrl::FullyEncoded);
        QByteArray body;
        bool tooLarge = false;
        const httplib::Result r = client.Get(path.toStdString(), [&](const char* data, size_t n) {
            if (body.size() + qint64(n) > maxBytes) {
                tooLarge = true;
                return false;
            }
            body.append(data, qsizetype(n));
            return true;
        });
        if (tooLarge)
            return fail(QStringLiteral("Yanıt çok büyük"));
        if (!r)
            return fail(QString::fromStdString(httplib::to_string(r.error())));
        if (r->status != 200)
            return fail(QStringLiteral("HTTP %1").arg(r->status));
        return body;
    } catch (const std::exception& e) {
        return fail(QString::fromLocal8Bit(e.what()));
    }
}

} // namespace vk
