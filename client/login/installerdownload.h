#pragma once

// Downloading the installer: one GET with the browser-like headers the update host expects,
// progress reported as it arrives, and the file written only when a complete 200 answer with a
// body came (atomically: an interrupted download leaves no torn installer).

#include <QLocale>
#include <QString>

#include <atomic>
#include <functional>

namespace vk {

struct DownloadOutcome {
    bool ok = false;
    QString error; // what went wrong, for "Hata Oluştu !\nHata: ..."
};

// progress(contentLength, readCount) is called from the downloading thread; contentLength is 0
// when unknown. cancel, when set, stops the download.
DownloadOutcome downloadInstaller(const QString& url, const QString& targetPath,
                                  const std::function<void(qint64, qint64)>& progress,
                                  const std::atomic<bool>* cancel = nullptr);

// "Bilgi: %45,20  İndirilen: 1,23/2,72 Mb" for the locale's decimal separator; empty when the
// content length is not known.
QString downloadProgressText(qint64 contentLength, qint64 readCount,
                             const QLocale& locale = QLocale());

// Starts the downloaded installer with "/silent". Tests replace it; returns an error text, empty
// on success.
using InstallerStarter = std::function<QString(const QString& path)>;
InstallerStarter setInstallerStarter(InstallerStarter starter);
QString startInstaller(const QString& path);

} // namespace vk
