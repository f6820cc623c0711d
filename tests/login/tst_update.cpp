// The self-update: the download of the installer, the window that shows it, and how the program
// ends after it.

#include "cannedserver.h"
#include "common/dialogs.h"
#include "common/programend.h"
#include "common/utils.h"
#include "login/dosyaindiru.h"
#include "login/installerdownload.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMutex>
#include <QMutexLocker>
#include <QProgressBar>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <httplib.h>

#include <algorithm>
#include <atomic>
#include <thread>

namespace {

constexpr size_t kSlowTotal = 16 << 20, kSlowPiece = 64 << 10;

// A plain file server on an ephemeral loopback port, counting what it is asked.
class FileServer {
public:
    explicit FileServer(QString watchedPath) : m_watched(std::move(watchedPath)) {
        QRandomGenerator random(7);
        m_binary.resize(3 << 20);
        random.fillRange(reinterpret_cast<quint32*>(m_binary.data()), m_binary.size() / 4);
        for (int i = 0; m_text.size() < (2 << 20); ++i)
            m_text += "satır " + QByteArray::number(i) + " kurulum dosyası\n";

        m_server.Get("/setup.exe", [this](const httplib::Request& req, httplib::Response& res) {
            record(req);
            res.set_content(m_binary.toStdString(), "application/octet-stream");
        });
        m_server.Get("/moved", [this](const httplib::Request& req, httplib::Response& res) {
            record(req);
            res.set_redirect(url("/setup.exe").toStdString());
        });
        m_server.Get("/text", [this](const httplib::Request& req, httplib::Response& res) {
            record(req); // text is served gzip-compressed to a client that accepts it
            res.set_content(m_text.toStdString(), "text/plain");
        });
        m_server.Get("/missing", [this](const httplib::Request& req, httplib::Response& res) {
            record(req);
            res.status = 404;
            res.set_content("yok", "text/plain");
        });
        m_server.Get("/empty", [this](const httplib::Request& req, httplib::Response& res) {
            record(req);
            res.set_content("", "application/octet-stream");
        });
        m_server.Get("/cut", [this](const httplib::Request& req, httplib::Response& res) {
            record(req);
            const std::string body = m_binary.toStdString();
            const size_t cut = body.size() / 2;
            res.set_content_provider(body.size(), "application/octet-stream",
                                     [body, cut](size_t offset, size_t, httplib::DataSink& sink) {
                                         if (offset < cut)
                                             sink.write(body.data() + offset, cut - offset);
                                         return offset < cut;
                                     });
        });
        m_server.Get("/slow", [this](const httplib::Request& req, httplib::Response& res) {
            record(req); // 16 MiB in 64 KiB pieces, 20 ms apart: about five seconds
            res.set_content_provider(
                kSlowTotal, "application/octet-stream",
                [](size_t offset, size_t, httplib::DataSink& sink) {
                    QThread::msleep(20);
                    const std::string piece(std::min(kSlowPiece, kSlowTotal - offset), 'x');
                    return sink.write(piece.data(), piece.size());
                },
                [this](bool success) {
                    m_slowSucceeded = success;
                    m_slowEnded = true;
                });
        });

        m_port = m_server.bind_to_any_port("127.0.0.1");
        m_thread = std::thread([this] { m_server.listen_after_bind(); });
        while (!m_server.is_running())
            QThread::msleep(1);
    }
    ~FileServer() {
        m_server.stop();
        m_thread.join();
    }

    QString url(const char* path) const {
        return QStringLiteral("http://127.0.0.1:%1").arg(m_port) + QString::fromUtf8(path);
    }
    const QByteArray& binary() const { return m_binary; }
    const QByteArray& text() const { return m_text; }

    void reset() {
        QMutexLocker lock(&m_mutex);
        m_paths.clear();
        m_headers.clear();
        m_slowEnded = false;
        m_slowSucceeded = false;
        m_targetSeen = false;
    }
    QStringList paths() const {
        QMutexLocker lock(&m_mutex);
        return m_paths;
    }
    httplib::Headers lastHeaders() const {
        QMutexLocker lock(&m_mutex);
        return m_headers;
    }
    bool targetSeen() const { return m_targetSeen; } // the installer existed at a request
    bool slowEnded() const { return m_slowEnded; }
    bool slowSucceeded() const { return m_slowSucceeded; }

private:
    void record(const httplib::Request& req) {
        QMutexLocker lock(&m_mutex);
        m_paths.append(QString::fromStdString(req.path));
        m_headers = req.headers;
        if (QFile::exists(m_watched))
            m_targetSeen = true;
    }

    httplib::Server m_server;
    std::thread m_thread;
    int m_port = 0;
    QString m_watched;
    QByteArray m_binary;
    QByteArray m_text;
    mutable QMutex m_mutex;
    QStringList m_paths;
    httplib::Headers m_headers;
    std::atomic<bool> m_targetSeen{false};
    std::atomic<bool> m_slowEnded{false};
    std::atomic<bool> m_slowSucceeded{false};
};

class RecordingDialogs : public vk::DialogService {
public:
    QList<vk::DialogRequest> shown;
    vk::DialogButton show(const vk::DialogRequest& request) override {
        shown.append(request);
        return request.focus;
    }
};

void activate(Tdosyaindir& w) {
    QEvent e(QEvent::WindowActivate);
    QCoreApplication::sendEvent(&w, &e);
}

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool writeStaleInstaller(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write("an installer of an earlier update") > 0;
}

// Anything the download left in the installer's folder: the installer or a temporary of it.
QStringList leftovers() {
    return QDir(GetLocalDataFolder()).entryList({QStringLiteral("VelkorB2BSetup*")}, QDir::Files);
}

} // namespace

class UpdateTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void showsVersionsAndWaitsForActivation();
    void progressText_data();
    void progressText();
    void downloadReportsProgress();
    void unwritableTargetFails();
    void goodDownloadStartsInstaller_data();
    void goodDownloadStartsInstaller();
    void failureShowsErrorAndEnds_data();
    void failureShowsErrorAndEnds();
    void installerThatWillNotStartIsAFailure();
    void startsOnlyOnce();
    void leavingWhileDownloadingCancels_data();
    void leavingWhileDownloadingCancels();

private:
    QTemporaryDir m_home;
    QString m_target;
    std::unique_ptr<FileServer> m_server;
    RecordingDialogs m_dialogs;
    QStringList m_started;
    QString m_starterError;
    int m_ended = 0;
};

void UpdateTest::initTestCase() {
    // a home of its own: other test programs use the same test folders at the same time
    QVERIFY(m_home.isValid());
    qputenv("HOME", QFile::encodeName(m_home.path()));
    QStandardPaths::setTestModeEnabled(true);
    m_target = GetLocalDataFolder() + QStringLiteral("/VelkorB2BSetup.exe");
    m_server = std::make_unique<FileServer>(m_target);
}

void UpdateTest::init() {
    m_server->reset();
    m_dialogs.shown.clear();
    m_started.clear();
    m_starterError.clear();
    m_ended = 0;
    vk::setDialogService(&m_dialogs);
    vk::setProgramEnd([this] { ++m_ended; });
    vk::setInstallerStarter([this](const QString& path) {
        m_started.append(path);
        return m_starterError;
    });
    QFile::remove(m_target);
}

void UpdateTest::cleanup() {
    vk::setInstallerStarter({});
    vk::setProgramEnd({});
    vk::setDialogService(nullptr);
    QFile::remove(m_target);
}

void UpdateTest::showsVersionsAndWaitsForActivation() {
    Tdosyaindir w(nullptr, 7, m_server->url("/setup.exe"), nullptr);
    QCOMPARE(w.sLabel1->text(), QStringLiteral("Velkor Otomotiv B2B Programı Programının\n"
                                               "Yeni versiyonu indirilecektir\n"
                                               "Lütfen Bekleyiniz...!\n"
                                               "Version: 7-6"));
    QCOMPARE(w.windowTitle(), QStringLiteral("Dosya İndir"));
    QCOMPARE(w.targetPath(), m_target);
    QCOMPARE(w.size(), QSize(543, 309));
    QTest::qWait(50);
    QVERIFY(!w.basladi);
    QVERIFY(m_server->paths().isEmpty());
}

void UpdateTest::progressText_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<qint64>("contentLength");
    QTest::addColumn<qint64>("readCount");
    QTest::addColumn<QString>("expected");

    const QLocale turkish(QLocale::Turkish, QLocale::Turkey);
    QTest::newRow("turkish half") << turkish << qint64(2 << 20) << qint64(1 << 20)
                                  << QStringLiteral("Bilgi: %50,00  İndirilen: 1,00/2,00 Mb");
    QTest::newRow("turkish rounded") << turkish << qint64(2718281) << qint64(1234567)
                                     << QStringLiteral("Bilgi: %45,42  İndirilen: 1,18/2,59 Mb");
    QTest::newRow("c half") << QLocale::c() << qint64(2 << 20) << qint64(1 << 20)
                            << QStringLiteral("Bilgi: %50.00  İndirilen: 1.00/2.00 Mb");
    QTest::newRow("length unknown") << turkish << qint64(0) << qint64(1 << 20) << QString();
}

void UpdateTest::progressText() {
    QFETCH(QLocale, locale);
    QFETCH(qint64, contentLength);
    QFETCH(qint64, readCount);
    QFETCH(QString, expected);
    QCOMPARE(vk::downloadProgressText(contentLength, readCount, locale), expected);
}

void UpdateTest::downloadReportsProgress() {
    QList<QPair<qint64, qint64>> reports;
    const vk::DownloadOutcome outcome = vk::downloadInstaller(m_server->url("/setup.exe"), m_target,
                                                              [&](qint64 length, qint64 read) {
                                                                  reports.append({length, read});
                                                              });
    QVERIFY2(outcome.ok, qPrintable(outcome.error));

    const qint64 size = m_server->binary().size();
    QVERIFY2(reports.size() > 2, "progress comes as the data arrives, not once");
    for (qsizetype i = 0; i < reports.size(); ++i) {
        QCOMPARE(reports[i].first, size);
        if (i > 0)
            QVERIFY(reports[i].second >= reports[i - 1].second);
    }
    QCOMPARE(reports.last().second, size);
}

void UpdateTest::unwritableTargetFails() {
    QVERIFY(QDir().mkpath(m_target)); // a folder where the installer should go
    const vk::DownloadOutcome outcome =
        vk::downloadInstaller(m_server->url("/setup.exe"), m_target, {});
    QDir(m_target).removeRecursively();
    QVERIFY(!outcome.ok);
    QVERIFY2(outcome.error.contains(QStringLiteral("kaydedilemedi")), qPrintable(outcome.error));
}

void UpdateTest::goodDownloadStartsInstaller_data() {
    QTest::addColumn<QString>("route");
    QTest::addColumn<QStringList>("requested");
    QTest::addColumn<bool>("gzip"); // sent compressed; the file holds what was compressed

    QTest::newRow("plain") << QStringLiteral("/setup.exe")
                           << QStringList{QStringLiteral("/setup.exe")} << false;
    QTest::newRow("redirected") << QStringLiteral("/moved")
                                << QStringList{QStringLiteral("/moved"),
                                               QStringLiteral("/setup.exe")}
                                << false;
    QTest::newRow("gzip") << QStringLiteral("/text") << QStringList{QStringLiteral("/text")}
                          << true;
}

void UpdateTest::goodDownloadStartsInstaller() {
    QFETCH(QString, route);
    QFETCH(QStringList, requested);
    QFETCH(bool, gzip);
    const QByteArray& expected = gzip ? m_server->text() : m_server->binary();

    QVERIFY(writeStaleInstaller(m_target));
    Tdosyaindir w(nullptr, 7, m_server->url(route.toUtf8().constData()), nullptr);
    activate(w);
    QVERIFY(w.basladi);
    QTRY_COMPARE_WITH_TIMEOUT(m_ended, 1, 20000);

    QVERIFY2(!m_server->targetSeen(), "the stale installer is deleted before the download");
    QCOMPARE(m_server->paths(), requested);
    QCOMPARE(m_started, QStringList{m_target});
    QVERIFY(readAll(m_target) == expected);
    const QFileDevice::Permissions perms = QFileInfo(m_target).permissions();
    QVERIFY(perms.testFlags(QFileDevice::ExeOwner | QFileDevice::ExeGroup | QFileDevice::ExeOther));
    QVERIFY(!(perms & (QFileDevice::WriteGroup | QFileDevice::WriteOther)));
    QCOMPARE(leftovers(), QStringList{QStringLiteral("VelkorB2BSetup.exe")});
    QVERIFY(m_dialogs.shown.isEmpty());
    QCOMPARE(w.result(), int(QDialog::Rejected));

    // the progress seen last is the whole announced length (the compressed one for gzip)
    QVERIFY2(w.bilgi->text().contains(QStringLiteral("%100")), qPrintable(w.bilgi->text()));
    QCOMPARE(w.ProgressBar1->value(), w.ProgressBar1->maximum());
    QCOMPARE(w.ProgressBar1->maximum() < expected.size(), gzip);

    const httplib::Headers headers = m_server->lastHeaders();
    const auto header = [&](const char* name) {
        const auto [from, to] = headers.equal_range(name);
        QStringList values;
        for (auto it = from; it != to; ++it)
            values.append(QString::fromStdString(it->second));
        return values;
    };
    QCOMPARE(header("Accept"),
             QStringList{QStringLiteral("text/html,application/xhtml+xml,application/xml;q=0.9,"
                                        "image/webp,image/apng,*/*;q=0.8")});
    QCOMPARE(header("Accept-Encoding"), QStringList{QStringLiteral("gzip, deflate")});
    QCOMPARE(header("Accept-Language"),
             QStringList{QStringLiteral("en-US,tr-TR;q=0.8,tr;q=0.6,en;q=0.4")});
    QCOMPARE(
        header("User-Agent"),
        QStringList{QStringLiteral("Mozilla/5.0 (Windows NT 10.0; Win64; x64) AppleWebKit/537.36 "
                                   "(KHTML, like Gecko) Chrome/60.0.3112.32 Safari/537.36")});
    QVERIFY(header("Cookie").isEmpty());
}

void UpdateTest::failureShowsErrorAndEnds_data() {
    QTest::addColumn<QString>("url");
    QTest::addColumn<QString>("says");

    QTest::newRow("not found") << m_server->url("/missing") << QStringLiteral("HTTP 404");
    QTest::newRow("empty body") << m_server->url("/empty") << QStringLiteral("boş dosya");
    QTest::newRow("cut short") << m_server->url("/cut") << QStringLiteral("eksik indi");
    QTest::newRow("nothing listening")
        << QStringLiteral("http://127.0.0.1:%1/setup.exe").arg(vk::test::CannedServer::closedPort())
        << QStringLiteral("bağlanılamadı");
    QTest::newRow("malformed address")
        << QStringLiteral("ftp//127.0.0.1/setup.exe") << QStringLiteral("adresi geçersiz");
}

void UpdateTest::failureShowsErrorAndEnds() {
    QFETCH(QString, url);
    QFETCH(QString, says);

    QVERIFY(writeStaleInstaller(m_target));
    Tdosyaindir w(nullptr, 7, url, nullptr);
    activate(w);
    QTRY_COMPARE_WITH_TIMEOUT(m_ended, 1, 20000);

    QCOMPARE(m_dialogs.shown.size(), 1);
    const vk::DialogRequest& shown = m_dialogs.shown.first();
    QVERIFY2(shown.message.startsWith(QStringLiteral("Hata Oluştu !\nHata: ")),
             qPrintable(shown.message));
    QVERIFY2(shown.message.contains(says), qPrintable(shown.message));
    QCOMPARE(shown.kind, vk::DialogKind::Error);
    QVERIFY(m_started.isEmpty());
    QCOMPARE(leftovers(), QStringList());
    QCOMPARE(w.result(), int(QDialog::Rejected));
}

void UpdateTest::installerThatWillNotStartIsAFailure() {
    m_starterError = QStringLiteral("Kurulum programı başlatılamadı");
    Tdosyaindir w(nullptr, 7, m_server->url("/setup.exe"), nullptr);
    activate(w);
    QTRY_COMPARE_WITH_TIMEOUT(m_ended, 1, 20000);
    QCOMPARE(m_started.size(), 1);
    QCOMPARE(m_dialogs.shown.size(), 1);
    QCOMPARE(m_dialogs.shown.first().message,
             QStringLiteral("Hata Oluştu !\nHata: Kurulum programı başlatılamadı"));
}

void UpdateTest::startsOnlyOnce() {
    Tdosyaindir w(nullptr, 7, m_server->url("/setup.exe"), nullptr);
    w.show(); // activation or, failing that, having been shown starts it
    activate(w);
    QTRY_COMPARE_WITH_TIMEOUT(m_ended, 1, 20000);
    activate(w);
    QTest::qWait(500); // longer than the shown-window fallback
    QCOMPARE(m_server->paths(), QStringList{QStringLiteral("/setup.exe")});
    QCOMPARE(m_started.size(), 1);
    QCOMPARE(m_ended, 1);
}

void UpdateTest::leavingWhileDownloadingCancels_data() {
    QTest::addColumn<bool>("closed");
    QTest::newRow("closed by the user") << true;
    QTest::newRow("destroyed by its owner") << false;
}

void UpdateTest::leavingWhileDownloadingCancels() {
    QFETCH(bool, closed);
    auto w = std::make_unique<Tdosyaindir>(nullptr, 7, m_server->url("/slow"), nullptr);
    activate(*w);
    QTRY_VERIFY_WITH_TIMEOUT(!w->bilgi->text().isEmpty(), 10000); // well under way
    if (closed) {
        w->reject(); // as Escape and the close box do
        QCOMPARE(m_ended, 1);
        QCOMPARE(w->result(), int(QDialog::Rejected));
    } else {
        w.reset(); // the task must not come back to it
    }

    QTRY_VERIFY_WITH_TIMEOUT(m_server->slowEnded(), 10000);
    QVERIFY2(!m_server->slowSucceeded(), "the download is given up, not finished");
    w.reset();
    QTest::qWait(100);
    QVERIFY(m_started.isEmpty());
    QVERIFY(m_dialogs.shown.isEmpty());
    QCOMPARE(m_ended, closed ? 1 : 0);
    QCOMPARE(leftovers(), QStringList());
}

QTEST_MAIN(UpdateTest)
#include "tst_update.moc"
