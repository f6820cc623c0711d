#include "common/workstation.h"

#include "common/errors.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>

#include <algorithm>

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <netdb.h>
#include <pwd.h>
#include <sys/socket.h>
#include <unistd.h>

namespace vk {

namespace {

std::optional<QByteArray> readFile(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    return f.readAll();
}

QString readText(const QString& path) {
    const auto bytes = readFile(path);
    return bytes ? QString::fromLatin1(*bytes).trimmed() : QString();
}

// Block devices that are never a physical disk.
bool isVirtualBlockDevice(const QString& name) {
    static const char* const prefixes[] = {"loop", "ram", "zram", "dm-",      "md",
                                           "sr",   "fd",  "nbd",  "mtdblock", "nullb"};
    return std::any_of(std::begin(prefixes), std::end(prefixes),
                       [&](const char* p) { return name.startsWith(QLatin1StringView(p)); });
}

std::optional<QByteArray> parseHardwareAddress(const QString& text) {
    const QStringList parts = text.trimmed().split(u':');
    if (parts.size() != 6)
        return std::nullopt;
    QByteArray out;
    for (const QString& p : parts) {
        bool ok = false;
        const uint b = p.toUInt(&ok, 16);
        if (!ok || p.size() != 2 || b > 255)
            return std::nullopt;
        out.append(char(b));
    }
    return out;
}

class LinuxPlatform final : public WorkstationPlatform {
public:
    explicit LinuxPlatform(QString root) : m_root(std::move(root)) {}

    QString diskSerial() override {
        const QDir block(at(QStringLiteral("sys/block")));
        if (!block.exists())
            throw Error(QStringLiteral("Diskler sorgulanamadı"));
        QStringList disks;
        for (const QString& name :
             block.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System, QDir::Name)) {
            const QString dev = block.filePath(name);
            if (isVirtualBlockDevice(name) || !QFileInfo::exists(dev + QStringLiteral("/device")))
                continue;
            if (readText(dev + QStringLiteral("/removable")) == u"1")
                continue;
            disks.append(name);
        }
        if (disks.isEmpty())
            return {};
        return serialOf(block.filePath(disks.first())).toUpper();
    }

    QList<std::optional<QByteArray>> adapterAddresses() override {
        struct Adapter {
            bool physical;
            int index;
            QString path;
        };
        QList<Adapter> adapters;
        const QDir net(at(QStringLiteral("sys/class/net")));
        for (const QString& name :
             net.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System)) {
            const QString dir = net.filePath(name);
            if (readText(dir + QStringLiteral("/type")) != u"1") // Ethernet-like hardware only
                continue;
            adapters.append({QFileInfo::exists(dir + QStringLiteral("/device")),
                             readText(dir + QStringLiteral("/ifindex")).toInt(), dir});
        }
        std::sort(adapters.begin(), adapters.end(), [](const Adapter& a, const Adapter& b) {
            return a.physical != b.physical ? a.physical : a.index < b.index;
        });
        QList<std::optional<QByteArray>> out;
        for (const Adapter& a : adapters) {
            const auto text = readFile(a.path + QStringLiteral("/address"));
            out.append(text ? parseHardwareAddress(QString::fromLatin1(*text)) : std::nullopt);
        }
        return out;
    }

    QString computerName() override {
        QString name = QSysInfo::machineHostName();
        const qsizetype dot = name.indexOf(u'.');
        return dot > 0 ? name.left(dot) : name;
    }

    QString userName() override {
        if (const passwd* pw = ::getpwuid(::geteuid()); pw && pw->pw_name)
            return QString::fromLocal8Bit(pw->pw_name);
        const QString user = qEnvironmentVariable("USER");
        return user.isEmpty() ? qEnvironmentVariable("LOGNAME") : user;
    }

    QString hostName() override { return QSysInfo::machineHostName(); }

    QStringList resolveIpv4(const QString& host) override {
        QStringList out;
        addrinfo hints{};
        hints.ai_family = AF_INET;
        hints.ai_socktype = SOCK_STREAM;
        addrinfo* list = nullptr;
        if (host.isEmpty() ||
            ::getaddrinfo(host.toLocal8Bit().constData(), nullptr, &hints, &list) != 0)
            return out;
        for (const addrinfo* ai = list; ai; ai = ai->ai_next) {
            char text[INET_ADDRSTRLEN];
            const auto* sin = reinterpret_cast<const sockaddr_in*>(ai->ai_addr);
            if (::inet_ntop(AF_INET, &sin->sin_addr, text, sizeof text)) {
                const QString a = QString::fromLatin1(text);
                if (!out.contains(a))
                    out.append(a);
            }
        }
        ::freeaddrinfo(list);
        return out;
    }

    QStringList interfaceIpv4() override {
        QStringList out;
        ifaddrs* list = nullptr;
        if (::getifaddrs(&list) != 0)
            return out;
        for (const ifaddrs* i = list; i; i = i->ifa_next) {
            if (!i->ifa_addr || i->ifa_addr->sa_family != AF_INET || !(i->ifa_flags & IFF_UP) ||
                (i->ifa_flags & IFF_LOOPBACK))
                continue;
            char text[INET_ADDRSTRLEN];
            const auto* sin = reinterpret_cast<const sockaddr_in*>(i->ifa_addr);
            if (::inet_ntop(AF_INET, &sin->sin_addr, text, sizeof text))
                out.append(QString::fromLatin1(text));
        }
        ::freeifaddrs(list);
        return out;
    }

private:
    QString at(const QString& relative) const { return QDir(m_root).filePath(relative); }

    // The serial from the first source that reports one: the device's own attribute, the
    // virtio attribute, udev's database, then the SCSI unit serial number page.
    QString serialOf(const QString& dev) const {
        for (const QString& file :
             {dev + QStringLiteral("/device/serial"), dev + QStringLiteral("/serial")}) {
            if (const auto bytes = readFile(file); bytes && !bytes->trimmed().isEmpty())
                return QString::fromLatin1(bytes->trimmed());
        }
        const QString majorMinor = readText(dev + QStringLiteral("/dev"));
        if (!majorMinor.isEmpty()) {
            if (const auto udev = readFile(at(QStringLiteral("run/udev/data/b") + majorMinor))) {
                for (const QByteArray& line : udev->split('\n')) {
                    if (line.startsWith("E:ID_SERIAL_SHORT=")) {
                        const QByteArray v = line.mid(18).trimmed();
                        if (!v.isEmpty())
                            return QString::fromLatin1(v);
                    }
                }
            }
        }
        if (const auto page = readFile(dev + QStringLiteral("/device/vpd_pg80"));
            page && page->size() > 4)
            return QString::fromLatin1(page->mid(4)).trimmed();
        return {};
    }

    QString m_root;
};

WorkstationPlatform* g_platform = nullptr;

} // namespace

std::unique_ptr<WorkstationPlatform> createLinuxPlatform(const QString& root) {
    return std::make_unique<LinuxPlatform>(root);
}

WorkstationPlatform& workstationPlatform() {
    if (g_platform)
        return *g_platform;
    static const std::unique_ptr<WorkstationPlatform> system = createLinuxPlatform();
    return *system;
}

WorkstationPlatform* setWorkstationPlatform(WorkstationPlatform* platform) {
    WorkstationPlatform* previous = g_platform;
    g_platform = platform;
    return previous;
}

} // namespace vk
