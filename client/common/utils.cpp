#include "common/utils.h"

#include "common/numberformat.h"
#include "common/workstation.h"
#include "server/connection.h"
#include "server/memtable.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QThread>

#include <atomic>
#include <cstring>
#include <utility>

#ifndef VK_DEFAULT_SERVER_HOST
#define VK_DEFAULT_SERVER_HOST "127.0.0.1"
#endif

namespace {

std::function<void(int)> g_retryWait;
std::atomic<int> g_embeddedBrowserVersion{0};

constexpr int kConnectAttempts = 11;
constexpr int kConnectPauseMs = 500;

QString ensureFolder(QString base, const QString& sub) {
    if (base.isEmpty())
        base = QDir::homePath();
    const QString path = sub.isEmpty() ? base : QDir(base).filePath(sub);
    QDir().mkpath(path);
    return QDir::cleanPath(path);
}

} // namespace

namespace vk {

std::function<void(int)> setRetryWait(std::function<void(int)> wait) {
    return std::exchange(g_retryWait, std::move(wait));
}

void setEmbeddedBrowserVersion(int majorVersion) {
    g_embeddedBrowserVersion = majorVersion;
}

} // namespace vk

QString PictureUrlPrefix =
    QStringLiteral("http://") + DefaultServerHost() + QStringLiteral("/resimgoster.ashx?id=");

QString DefaultServerHost() {
    return QStringLiteral(VK_DEFAULT_SERVER_HOST);
}

QString GetDiskSerial() {
    try {
        return vk::workstationPlatform().diskSerial().toUpper();
    } catch (const std::exception&) {
        return {};
    }
}

QString GetMacAddress() {
    static const QString kZero = QStringLiteral("00-00-00-00-00-00");
    QString text;
    for (const std::optional<QByteArray>& address : vk::workstationPlatform().adapterAddresses()) {
        if (address && address->size() >= 6)
            text = QString::fromLatin1(address->left(6).toHex('-').toUpper());
        if (text != kZero)
            break;
    }
    return text;
}

QString GetMachineId() {
    QString id = GetDiskSerial().trimmed();
    if (id.isEmpty())
        id = GetMacAddress().trimmed();
    id.remove(u' ');
    for (const vk::MachineIdAlias& alias : vk::machineIdAliases()) {
        if (id == QLatin1StringView(alias.serial))
            return QString::fromLatin1(alias.replacement);
    }
    return id;
}

QString GetWorkstationName() {
    return vk::workstationPlatform().computerName().left(15);
}

QString GetWorkstationUser() {
    return vk::workstationPlatform().userName().left(15);
}

QString GetLocalIp() {
    vk::WorkstationPlatform& p = vk::workstationPlatform();
    const QStringList resolved = p.resolveIpv4(p.hostName());
    // Debian maps the host name to a loopback address; the workstation's own address is wanted.
    for (const QString& a : resolved) {
        if (!a.startsWith(u"127."))
            return a;
    }
    const QStringList own = p.interfaceIpv4();
    if (!own.isEmpty())
        return own.first();
    return resolved.isEmpty() ? QStringLiteral("127.0.0.1") : resolved.first();
}

QString GetDataFolder() {
    return ensureFolder(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation),
                        QStringLiteral("velkab2b"));
}

QString GetLocalDataFolder() {
    return ensureFolder(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation),
                        QStringLiteral("velkab2b"));
}

QString GetDocumentsFolder() {
    return ensureFolder(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation), {});
}

bool EnsureConnected(vk::ServerConnection& connection, int showMessage) {
    if (connection.Connected())
        connection.Close();
    for (int failures = 0; failures < kConnectAttempts;) {
        try {
            connection.Open();
            break;
        } catch (const std::exception&) {
            connection.Close();
            if (g_retryWait)
                g_retryWait(kConnectPauseMs);
            else
                QThread::msleep(kConnectPauseMs);
            ++failures;
        }
    }
    if (!connection.Connected() && showMessage == 1)
        ShowDialog(vk::kConnectionFailedMessage, vk::DialogKind::Error, vk::DialogButton::OK,
                   vk::DialogButton::OK);
    return connection.Connected();
}

vk::DialogButton ShowDialog(const QString& message, vk::DialogKind kind, vk::DialogButtons buttons,
                            vk::DialogButton focus) {
    if (buttons.isEmpty())
        buttons = vk::DialogButton::OK;
    if (!buttons.contains(focus))
        focus = buttons.list().first();
    return vk::dialogService().show(vk::DialogRequest{message, kind, buttons, focus});
}

double IkiHaneYuvarla(double x) {
    return vk::roundDecimal(x, 2);
}

void FormatFloatFields(vk::MemTable& table) {
    for (int c = 0; c < table.fieldCount(); ++c) {
        if (table.field(c).type == vk::FieldType::Float)
            table.setDisplayFormat(c, QStringLiteral("#,###,##0.00"));
    }
}

bool HasRecords(const vk::MemTable& table) {
    return table.active() && table.recordCount() > 0;
}

QString UrlEncode(const QString& url) {
    static const char hex[] = "0123456789ABCDEF";
    auto isHex = [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
    };
    auto literal = [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
               std::strchr("-._~:/?#[]@!$&'()*+,;=", c) != nullptr;
    };
    const QByteArray in = url.toUtf8();
    QByteArray out;
    out.reserve(in.size() * 3 / 2);
    for (qsizetype i = 0; i < in.size(); ++i) {
        const char c = in[i];
        if (c != '\0' && literal(c)) {
            out.append(c);
        } else if (c == '%' && i + 2 < in.size() && isHex(in[i + 1]) && isHex(in[i + 2])) {
            out.append(c); // an escape that is already there stays as it is
        } else {
            const auto u = static_cast<unsigned char>(c);
            out.append('%');
            out.append(hex[u >> 4]);
            out.append(hex[u & 0xF]);
        }
    }
    return QString::fromLatin1(out);
}

int GetIEMajorVersion() {
    return g_embeddedBrowserVersion;
}

QString FindChromePath() {
    static const char* const kPaths[] = {
        "/usr/bin/chromium",      "/usr/bin/chromium-browser", "/usr/bin/google-chrome-stable",
        "/usr/bin/google-chrome", "/opt/google/chrome/chrome", "/snap/bin/chromium",
    };
    for (const char* p : kPaths) {
        const QFileInfo fi(QString::fromLatin1(p));
        if (fi.exists() && fi.isExecutable())
            return fi.absoluteFilePath();
    }
    for (const char* name :
         {"chromium", "google-chrome", "chromium-browser", "google-chrome-stable"}) {
        const QString found = QStandardPaths::findExecutable(QString::fromLatin1(name));
        if (!found.isEmpty())
            return found;
    }
    return {};
}
