#include "login/installerdownload.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QSaveFile>
#include <QUrl>

#include <httplib.h>

#include <chrono>
#include <utility>

namespace vk {

namespace {

constexpr auto kTimeout = std::chrono::seconds(60);

// The update host serves browsers; it is asked the way a browser asks.
const httplib::Headers& requestHeaders() {
    static const httplib::Headers headers = {
        {"Accept",
         "text/html,application/xhtml+xml,application/xml;q=0.9,image/webp,image/apng,*/*;q=0.8"},
        {"Accept-Encoding", "gzip, deflate"},
        {"Accept-Language", "en-US,tr-TR;q=0.8,tr;q=0.6,en;q=0.4"},
        {"User-Agent", "Mozilla/5.0 (Windows NT 10.0; Win64; x64) AppleWebKit/537.36 (KHTML, "
                       "like Gecko) Chrome/60.0.3112.32 Safari/537.36"},
    };
    return headers;
}

QString describe(httplib::Error err, const QString& where) {
    switch (err) {
    case httplib::Error::Connection:
        return QStringLiteral("Sunucuya bağlanılamadı (%1)").arg(where);
    case httplib::Error::ConnectionTimeout:
        return QStringLiteral("Sunucuya bağlanırken zaman aşımı oldu (%1)").arg(where);
    case httplib::Error::Read:
        return QStringLiteral("Sunucunun yanıtı okunamadı: bağlantı koptu ya da zaman aşımı oldu");
    case httplib::Error::Write:
        return QStringLiteral("İstek gönderilemedi: bağlantı koptu");
    case httplib::Error::SSLConnection:
        return QStringLiteral("Güvenli bağlantı kurulamadı (%1)").arg(where);
    case httplib::Error::SSLServerVerification:
        return QStringLiteral("Sunucunun sertifikası doğrulanamadı (%1)").arg(where);
    case httplib::Error::ExceedRedirectCount:
        return QStringLiteral("İndirme adresi çok fazla yönlendirme yaptı");
    case httplib::Error::Compression:
        return QStringLiteral("Sıkıştırılmış yanıt açılamadı");
    default:
        return QStringLiteral("İndirme başarısız: %1")
            .arg(QString::fromStdString(httplib::to_string(err)));
    }
}

DownloadOutcome failure(QString text) {
    return DownloadOutcome{false, std::move(text)};
}

InstallerStarter g_starter;

} // namespace

DownloadOutcome downloadInstaller(const QString& url, const QString& targetPath,
                                  const std::function<void(qint64, qint64)>& progress,
                                  const std::atomic<bool>* cancel) {
    const auto cancelled = [cancel] { return cancel && cancel->load(); };

    const QUrl address(url.trimmed(), QUrl::StrictMode);
    const QString scheme = address.scheme().toLower();
    if (!address.isValid() || (scheme != u"http" && scheme != u"https") || address.host().isEmpty())
        return failure(QStringLiteral("İndirme adresi geçersiz: %1").arg(url));
    QString host = address.host(QUrl::FullyEncoded);
    if (host.contains(u':'))
        host = u'[' + host + u']';
    const int port = address.port(scheme == u"https" ? 443 : 80);
    const QString where = host + u':' + QString::number(port);
    std::string target =
        address.toEncoded(QUrl::RemoveScheme | QUrl::RemoveAuthority | QUrl::RemoveFragment)
            .toStdString();
    if (target.empty() || target.front() != '/')
        target.insert(target.begin(), '/');

    httplib::Client client((scheme + QStringLiteral("://") + where).toStdString());
    if (!client.is_valid())
        return failure(QStringLiteral("İndirme bağlantısı hazırlanamadı (%1)").arg(where));
    client.set_connection_timeout(kTimeout);
    client.set_read_timeout(kTimeout);
    client.set_follow_location(true);

    int status = 0;
    qint64 contentLength = 0; // as announced; the encoded size when the answer is compressed
    bool encoded = false;
    qint64 wireBytes = 0; // bytes as sent, counted against contentLength
    QByteArray body;

    const auto onResponse = [&](const httplib::Response& res) {
        status = res.status;
        if (status != 200)
            return false; // the body of a refusal is not wanted
        bool ok = false;
        const qint64 announced =
            QByteArray::fromStdString(res.get_header_value("Content-Length")).toLongLong(&ok);
        contentLength = ok && announced > 0 ? announced : 0;
        const std::string encoding = res.get_header_value("Content-Encoding");
        encoded = !encoding.empty() && encoding != "identity";
        if (contentLength > 0 && !encoded && contentLength <= (qint64(1) << 30))
            body.reserve(contentLength);
        if (progress)
            progress(contentLength, 0);
        return !cancelled();
    };
    const auto onData = [&](const char* data, size_t length) {
        if (cancelled())
            return false;
        body.append(data, static_cast<qsizetype>(length));
        if (contentLength == 0 && progress)
            progress(0, body.size());
        return true;
    };
    const auto onProgress = [&](uint64_t current, uint64_t total) {
        if (cancelled())
            return false;
        if (total > 0) {
            wireBytes = static_cast<qint64>(current);
            if (progress)
                progress(contentLength, wireBytes);
        }
        return true;
    };

    const httplib::Result result =
        client.Get(target, requestHeaders(), onResponse, onData, onProgress);

    if (cancelled())
        return failure(QStringLiteral("İndirme iptal edildi"));
    if (status != 0 && status != 200)
        return failure(QStringLiteral("Sunucu dosyayı vermedi: HTTP %1").arg(status));
    if (!result) {
        if (result.error() == httplib::Error::Read && contentLength > 0)
            return failure(QStringLiteral("Dosya eksik indi: %1 / %2 bayt, bağlantı koptu")
                               .arg(encoded ? wireBytes : body.size())
                               .arg(contentLength));
        return failure(describe(result.error(), where));
    }
    if (result->status != 200)
        return failure(QStringLiteral("Sunucu dosyayı vermedi: HTTP %1").arg(result->status));
    if (body.isEmpty())
        return failure(QStringLiteral("Sunucudan boş dosya geldi"));
    const qint64 received = encoded ? wireBytes : body.size();
    if (contentLength > 0 && received < contentLength)
        return failure(
            QStringLiteral("Dosya eksik indi: %1 / %2 bayt").arg(received).arg(contentLength));

    QDir().mkpath(QFileInfo(targetPath).absolutePath());
    QSaveFile file(targetPath);
    const auto writeFailed = [&] {
        return failure(QStringLiteral("Dosya kaydedilemedi (%1): %2")
                           .arg(QDir::toNativeSeparators(targetPath), file.errorString()));
    };
    if (!file.open(QIODevice::WriteOnly))
        return writeFailed();
    // set on the temporary file, so the installer appears executable or not at all
    if (!file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                             QFileDevice::ExeOwner | QFileDevice::ReadUser |
                             QFileDevice::WriteUser | QFileDevice::ExeUser |
                             QFileDevice::ReadGroup | QFileDevice::ExeGroup |
                             QFileDevice::ReadOther | QFileDevice::ExeOther))
        return writeFailed();
    if (file.write(body) != body.size())
        return writeFailed();
    if (cancelled()) {
        file.cancelWriting();
        return failure(QStringLiteral("İndirme iptal edildi"));
    }
    if (!file.commit())
        return writeFailed();
    return DownloadOutcome{true, {}};
}

QString downloadProgressText(qint64 contentLength, qint64 readCount, const QLocale& locale) {
    if (contentLength <= 0)
        return {};
    const auto megabytes = [](qint64 bytes) { return double(bytes) / 1024.0 / 1024.0; };
    const double percent = double(readCount) / double(contentLength) * 100.0;
    return QStringLiteral("Bilgi: %") + locale.toString(percent, 'f', 2) +
           QStringLiteral("  İndirilen: ") + locale.toString(megabytes(readCount), 'f', 2) + u'/' +
           locale.toString(megabytes(contentLength), 'f', 2) + QStringLiteral(" Mb");
}

InstallerStarter setInstallerStarter(InstallerStarter starter) {
    return std::exchange(g_starter, std::move(starter));
}

QString startInstaller(const QString& path) {
    if (g_starter)
        return g_starter(path);
    if (!QProcess::startDetached(path, {QStringLiteral("/silent")}))
        return QStringLiteral("Kurulum programı başlatılamadı: %1")
            .arg(QDir::toNativeSeparators(path));
    return {};
}

} // namespace vk
