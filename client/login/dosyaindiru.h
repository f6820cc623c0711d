#pragma once

// The download window of a new version: it downloads the installer, shows the progress, starts
// the installer in silent mode and ends the program, in every case.

#include <QDialog>

#include <memory>

class QLabel;
class QProgressBar;

namespace vk {
class ServerConnection;
}

class Tdosyaindir : public QDialog {
    Q_OBJECT
public:
    static constexpr int kClientVersion = 6;

    // Yeni: the server's version number and the installer's address ("http[s]://host/exe/...").
    Tdosyaindir(QWidget* owner, int serverVersion, const QString& installerUrl,
                vk::ServerConnection* bag);
    ~Tdosyaindir() override;

    QLabel* sLabel1;
    QLabel* bilgi;
    QProgressBar* ProgressBar1;
    bool basladi = false;
    vk::ServerConnection* bag;

    QString targetPath() const; // the installer's place in the local data folder

protected:
    bool event(QEvent* e) override; // FormActivate: the first activation starts the download

private:
    void done(int result) override; // every way of closing ends the program, never accepted
    void startDownload();
    void NetHTTPClient1ReceiveData(qint64 contentLength, qint64 readCount);
    void finished(bool ok, const QString& error);

    QString m_url;
    struct Task;
    std::unique_ptr<Task> m_task;
};
