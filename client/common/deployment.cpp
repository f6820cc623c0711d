#include "common/deployment.h"

#include "common/utils.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStringList>

#include <mutex>
#include <optional>

#ifndef VK_DEFAULT_WEB_HOST
#define VK_DEFAULT_WEB_HOST ""
#endif
#ifndef VK_DEFAULT_IP_ECHO_URL
#define VK_DEFAULT_IP_ECHO_URL ""
#endif
#ifndef VK_UPDATE_BASE_URL
#define VK_UPDATE_BASE_URL ""
#endif
#ifndef VK_WEB_SITE_URL
#define VK_WEB_SITE_URL "http://www.velkorotomotiv.com.tr"
#endif
#ifndef VK_PAYMENT_HOST
#define VK_PAYMENT_HOST "odeme.velkorotomotiv.com.tr"
#endif

namespace vk {

namespace {

std::mutex g_mutex;
std::optional<Deployment> g_deployment;

QString withoutTrailingSlash(QString url) {
    while (url.endsWith(u'/'))
        url.chop(1);
    return url;
}

// "host", "host:port" or "[v6]:port"; false when the text is not one of those.
bool splitHostPort(const QString& text, QString* host, int* port) {
    QString h = text.trimmed();
    int p = 0;
    if (h.startsWith(u'[')) {
        const qsizetype close = h.indexOf(u']');
        if (close < 0)
            return false;
        const QString rest = h.mid(close + 1);
        h = h.mid(1, close - 1);
        if (!rest.isEmpty()) {
            bool ok = false;
            if (!rest.startsWith(u':') || (p = rest.mid(1).toInt(&ok), !ok))
                return false;
        }
    } else if (const qsizetype colon = h.lastIndexOf(u':'); colon >= 0 && h.count(u':') == 1) {
        bool ok = false;
        p = h.mid(colon + 1).toInt(&ok);
        if (!ok)
            return false;
        h = h.left(colon);
    }
    if (h.isEmpty() || h.contains(u' ') || h.contains(u'/') || p < 0 || p > 65535)
        return false;
    *host = h;
    *port = p;
    return true;
}

QString hostText(const QString& host, int port) {
    const QString h = host.contains(u':') ? u'[' + host + u']' : host;
    return port > 0 ? h + u':' + QString::number(port) : h;
}

// Fills the addresses that default to the web host.
Deployment completed(Deployment d) {
    if (d.webHost.isEmpty())
        d.webHost = hostText(d.serverHost, 0);
    if (d.ipEchoUrl.isEmpty())
        d.ipEchoUrl = QStringLiteral("http://") + d.webHost + QStringLiteral("/ip");
    if (d.updateBaseUrl.isEmpty())
        d.updateBaseUrl = QStringLiteral("http://") + d.webHost;
    d.updateBaseUrl = withoutTrailingSlash(d.updateBaseUrl);
    return d;
}

} // namespace

QString Deployment::pictureUrlPrefix() const {
    return QStringLiteral("http://") + webHost + QStringLiteral("/resimgoster.ashx?id=");
}

QString Deployment::installerUrl() const {
    return updateBaseUrl + QStringLiteral("/exe/VelkorB2BSetup.exe");
}

QString Deployment::requestFormUrl(const QString& machineId) const {
    return QStringLiteral("http://") + webHost +
           QStringLiteral("/formmailgonder.aspx?carino=0&kullanici= &id=") + machineId;
}

Deployment Deployment::builtIn() {
    Deployment d;
    d.serverHost = DefaultServerHost();
    d.webHost = QStringLiteral(VK_DEFAULT_WEB_HOST);
    d.ipEchoUrl = QStringLiteral(VK_DEFAULT_IP_ECHO_URL);
    d.updateBaseUrl = QStringLiteral(VK_UPDATE_BASE_URL);
    d.webSiteUrl = QStringLiteral(VK_WEB_SITE_URL);
    d.paymentHost = QStringLiteral(VK_PAYMENT_HOST);
    return completed(d);
}

Deployment applyIpTxt(const QString& content, Deployment base) {
    Deployment d = base;
    bool webGiven = false, echoGiven = false, updateGiven = false;
    for (const QString& raw : content.split(u'\n')) {
        const QString line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        const qsizetype eq = line.indexOf(u'=');
        if (eq < 0) {
            QString host;
            int port = 0;
            if (splitHostPort(line, &host, &port)) {
                d.serverHost = host;
                if (port > 0)
                    d.serverPort = port;
            }
            continue;
        }
        const QString key = line.left(eq).trimmed().toLower();
        const QString value = line.mid(eq + 1).trimmed();
        if (key == u"web") {
            QString host;
            int port = 0;
            if (splitHostPort(value, &host, &port)) {
                d.webHost = hostText(host, port);
                webGiven = true;
            }
        } else if (key == u"ipecho" && value.startsWith(QStringLiteral("http"))) {
            d.ipEchoUrl = value;
            echoGiven = true;
        } else if (key == u"update" && value.startsWith(QStringLiteral("http"))) {
            d.updateBaseUrl = value;
            updateGiven = true;
        }
    }
    // Addresses that were derived from another follow it when only that one is given here.
    if (!webGiven && base.webHost == hostText(base.serverHost, 0))
        d.webHost = hostText(d.serverHost, 0);
    if (!echoGiven &&
        base.ipEchoUrl == QStringLiteral("http://") + base.webHost + QStringLiteral("/ip"))
        d.ipEchoUrl.clear();
    if (!updateGiven && base.updateBaseUrl == QStringLiteral("http://") + base.webHost)
        d.updateBaseUrl.clear();
    return completed(d);
}

const Deployment& deployment() {
    std::lock_guard<std::mutex> lock(g_mutex);
    if (!g_deployment) {
        Deployment d = Deployment::builtIn();
        QFile f(QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("ip.txt")));
        if (f.open(QIODevice::ReadOnly))
            d = applyIpTxt(QString::fromUtf8(f.readAll()), d);
        g_deployment = d;
    }
    return *g_deployment;
}

void setDeployment(const Deployment& d) {
    std::lock_guard<std::mutex> lock(g_mutex);
    g_deployment = d;
}

} // namespace vk
