#pragma once

// Stand-ins the tests install for what touches the person or the machine: dialogs, the pause
// between connection attempts, the workstation facts, the end of the program, the browser.

#include "common/dialogs.h"
#include "common/errors.h"
#include "common/programend.h"
#include "common/utils.h"
#include "common/workstation.h"

#include <QList>
#include <QUrl>

#include <functional>
#include <optional>

namespace vk::test {

// Records every dialog and answers with a chosen button (the focused one by default).
class RecordingDialogs final : public vk::DialogService {
public:
    QList<vk::DialogRequest> requests;
    std::optional<vk::DialogButton> answer;

    RecordingDialogs() : m_previous(vk::setDialogService(this)) {}
    ~RecordingDialogs() override { vk::setDialogService(m_previous); }
    vk::DialogButton show(const vk::DialogRequest& r) override {
        requests.append(r);
        return answer.value_or(r.focus);
    }
    QStringList messages() const {
        QStringList m;
        for (const vk::DialogRequest& r : requests)
            m.append(r.message);
        return m;
    }

private:
    vk::DialogService* m_previous;
};

// Records the pauses between connection attempts instead of sleeping.
class RecordingWait {
public:
    QList<int> pauses;
    RecordingWait() {
        m_previous = vk::setRetryWait([this](int ms) { pauses.append(ms); });
    }
    ~RecordingWait() { vk::setRetryWait(m_previous); }

private:
    std::function<void(int)> m_previous;
};

// Workstation facts a test sets directly.
class FakePlatform final : public vk::WorkstationPlatform {
public:
    QString serial;
    bool diskQueryFails = false;
    QList<std::optional<QByteArray>> adapters;
    QString computer = QStringLiteral("BAYI-PC");
    QString user = QStringLiteral("bayi");
    QStringList resolved;
    QStringList interfaces;

    FakePlatform() : m_previous(vk::setWorkstationPlatform(this)) {}
    ~FakePlatform() override { vk::setWorkstationPlatform(m_previous); }

    QString diskSerial() override {
        if (diskQueryFails)
            throw vk::Error(QStringLiteral("disk query failed"));
        return serial;
    }
    QList<std::optional<QByteArray>> adapterAddresses() override { return adapters; }
    QString computerName() override { return computer; }
    QString userName() override { return user; }
    QString hostName() override { return computer; }
    QStringList resolveIpv4(const QString&) override { return resolved; }
    QStringList interfaceIpv4() override { return interfaces; }

private:
    vk::WorkstationPlatform* m_previous;
};

// Counts the ends of the program instead of ending it.
class RecordingEnd {
public:
    int ends = 0;
    RecordingEnd() {
        m_previous = vk::setProgramEnd([this] { ++ends; });
    }
    ~RecordingEnd() { vk::setProgramEnd(m_previous); }

private:
    std::function<void()> m_previous;
};

// Records what would have been handed to the desktop.
class RecordingOpener {
public:
    QList<QUrl> opened;
    RecordingOpener();
    ~RecordingOpener();

private:
    std::function<bool(const QUrl&)> m_previous;
};

} // namespace vk::test
