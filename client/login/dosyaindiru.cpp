#include "login/dosyaindiru.h"

#include "common/programend.h"
#include "common/utils.h"
#include "login/installerdownload.h"

#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QFuture>
#include <QLabel>
#include <QProgressBar>
#include <QTimer>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>

#include <atomic>
#include <climits>
#include <mutex>

namespace {
// Where activation never comes (some platforms do not activate tool windows), being shown this
// long starts the download instead.
constexpr int kActivationFallbackMs = 300;
} // namespace

// The download running in the background. Its shared part outlives a window that is closed or
// destroyed early: the thread then finishes on its own and reports to nobody.
struct Tdosyaindir::Task {
    struct Shared {
        std::atomic<bool> cancel{false};
        std::atomic<qint64> contentLength{0};
        std::atomic<qint64> readCount{0};
        std::atomic<bool> progressQueued{false}; // one progress update waits at a time
        std::mutex mutex;
        Tdosyaindir* window = nullptr; // guarded by mutex; null once the window let go
    };

    std::shared_ptr<Shared> shared = std::make_shared<Shared>();
    QFuture<void> future;
    QString path;
    bool over = false; // the program was ended: nothing more happens in the window

    void release() {
        shared->cancel = true;
        std::lock_guard<std::mutex> lock(shared->mutex);
        shared->window = nullptr;
    }
};

Tdosyaindir::Tdosyaindir(QWidget* owner, int serverVersion, const QString& installerUrl,
                         vk::ServerConnection* connection)
    : QDialog(owner), bag(connection), m_url(installerUrl), m_task(std::make_unique<Task>()) {
    setWindowTitle(QStringLiteral("Dosya İndir"));
    setWindowFlags(Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::CustomizeWindowHint);
    setModal(true);
    setFixedSize(543, 309); // QDialog centres it on its owner when shown

    sLabel1 = new QLabel(this);
    sLabel1->setAlignment(Qt::AlignCenter);
    sLabel1->setWordWrap(true);
    QFont big = sLabel1->font();
    big.setPointSize(big.pointSize() + 4);
    big.setBold(true);
    sLabel1->setFont(big);
    sLabel1->setText(QStringLiteral("Velkor Otomotiv B2B Programı Programının\n"
                                    "Yeni versiyonu indirilecektir\n"
                                    "Lütfen Bekleyiniz...!\n"
                                    "Version: ") +
                     QString::number(serverVersion) + u'-' + QString::number(kClientVersion));

    auto* strip = new QFrame(this);
    strip->setFrameShape(QFrame::StyledPanel);
    bilgi = new QLabel(strip);
    ProgressBar1 = new QProgressBar(strip);
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    ProgressBar1->setTextVisible(false);
    ProgressBar1->setFixedHeight(20);
    auto* stripLayout = new QVBoxLayout(strip);
    stripLayout->setContentsMargins(10, 6, 10, 10);
    stripLayout->setSpacing(4);
    stripLayout->addWidget(bilgi);
    stripLayout->addWidget(ProgressBar1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(8);
    layout->addWidget(sLabel1, 1);
    layout->addWidget(strip);
}

Tdosyaindir::~Tdosyaindir() {
    m_task->release();
}

QString Tdosyaindir::targetPath() const {
    return GetLocalDataFolder() + QStringLiteral("/VelkorB2BSetup.exe");
}

bool Tdosyaindir::event(QEvent* e) {
    if (e->type() == QEvent::WindowActivate) {
        startDownload();
    } else if (e->type() == QEvent::Show && !basladi) {
        QTimer::singleShot(kActivationFallbackMs, this, [this] {
            if (isVisible())
                startDownload();
        });
    }
    return QDialog::event(e);
}

void Tdosyaindir::done(int) {
    // the login must not go on with the outdated program, however the window is closed
    if (!m_task->over) {
        m_task->over = true;
        m_task->release();
        QDialog::done(QDialog::Rejected);
        vk::endProgram();
        return;
    }
    QDialog::done(QDialog::Rejected);
}

void Tdosyaindir::startDownload() {
    if (basladi || m_task->over)
        return;
    basladi = true;
    m_task->path = targetPath();
    if (QFileInfo::exists(m_task->path))
        QFile::remove(m_task->path); // a stale installer of an earlier update

    std::shared_ptr<Task::Shared> shared = m_task->shared;
    {
        std::lock_guard<std::mutex> lock(shared->mutex);
        shared->window = this;
    }
    m_task->future = QtConcurrent::run([shared, url = m_url, path = m_task->path] {
        // Runs f on the window's thread, unless the window has let go of the download; a
        // window destroyed before the call comes drops it.
        const auto post = [&shared](auto f) {
            std::lock_guard<std::mutex> lock(shared->mutex);
            if (Tdosyaindir* w = shared->window)
                QMetaObject::invokeMethod(
                    w, [w, f] { f(w); }, Qt::QueuedConnection);
        };
        const auto progress = [&](qint64 contentLength, qint64 readCount) {
            shared->contentLength = contentLength;
            shared->readCount = readCount;
            if (shared->progressQueued.exchange(true))
                return; // the queued update will show the latest figures
            post([shared](Tdosyaindir* w) {
                shared->progressQueued = false;
                w->NetHTTPClient1ReceiveData(shared->contentLength, shared->readCount);
            });
        };
        const vk::DownloadOutcome outcome =
            vk::downloadInstaller(url, path, progress, &shared->cancel);
        post([outcome](Tdosyaindir* w) { w->finished(outcome.ok, outcome.error); });
    });
}

void Tdosyaindir::NetHTTPClient1ReceiveData(qint64 contentLength, qint64 readCount) {
    if (contentLength <= 0 || m_task->over)
        return;
    bilgi->setText(vk::downloadProgressText(contentLength, readCount));
    int shift = 0; // the bar counts in ints: larger files are shown in KiB (or coarser)
    while ((contentLength >> shift) > INT_MAX)
        shift += 10;
    ProgressBar1->setMaximum(int(contentLength >> shift));
    ProgressBar1->setValue(int(qBound(qint64(0), readCount, contentLength) >> shift));
}

void Tdosyaindir::finished(bool ok, const QString& error) {
    if (m_task->over)
        return;
    m_task->over = true;
    const QString problem = ok ? vk::startInstaller(m_task->path) : error;
    if (ok && problem.isEmpty()) {
        vk::endProgram();
        reject();
        return;
    }
    ShowDialog(QStringLiteral("Hata Oluştu !\nHata: ") + problem, vk::DialogKind::Error,
               vk::DialogButton::OK, vk::DialogButton::OK);
    vk::endProgram();
    reject();
}
