#pragma once

// The platform seam behind the workstation facts. The Linux implementation reads sysfs, udev
// data and the resolver under a root folder, so tests can point it at a fixture tree; tests can
// also install a platform of their own.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>
#include <span>

namespace vk {

class WorkstationPlatform {
public:
    virtual ~WorkstationPlatform() = default;

    // Serial number of the first physical disk as the system reports it; empty when none is
    // reported. Raises vk::Error when the disks cannot be queried at all.
    virtual QString diskSerial() = 0;
    // The network adapters in enumeration order: each adapter's six-byte hardware address, or
    // no value when its status cannot be read.
    virtual QList<std::optional<QByteArray>> adapterAddresses() = 0;
    virtual QString computerName() = 0;
    virtual QString userName() = 0;
    virtual QString hostName() = 0;
    // IPv4 addresses the name resolves to, in resolver order.
    virtual QStringList resolveIpv4(const QString& host) = 0;
    // IPv4 addresses of the interfaces that are up, loopback excluded.
    virtual QStringList interfaceIpv4() = 0;
};

std::unique_ptr<WorkstationPlatform> createLinuxPlatform(const QString& root = QStringLiteral("/"));

// The platform the workstation facts read (the system's unless a test installed another).
WorkstationPlatform& workstationPlatform();
// Installs a platform (not owned); nullptr restores the system's. Returns the previous one.
WorkstationPlatform* setWorkstationPlatform(WorkstationPlatform* platform);

// Deployment aliases of machine identifiers: an identifier listed here is replaced exactly
// (case-sensitive, whole value) by its alias.
struct MachineIdAlias {
    const char* serial;
    const char* replacement;
};
std::span<const MachineIdAlias> machineIdAliases();

} // namespace vk
