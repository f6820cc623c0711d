// The common helpers: workstation facts through the platform seam, the Linux readers on a
// fixture tree, EnsureConnected's retries, the dialog service, rounding and amount formats.

#include "cannedserver.h"
#include "testdoubles.h"

#include "common/dialogs.h"
#include "common/errors.h"
#include "common/messagedialog.h"
#include "common/numberformat.h"
#include "common/utils.h"
#include "common/workstation.h"
#include "server/connection.h"
#include "server/memtable.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using vk::DialogButton;
using vk::DialogKind;

namespace {

using vk::test::FakePlatform;
using vk::test::RecordingDialogs;
using vk::test::RecordingWait;

// Puts another platform in place for a scope.
class ScopedPlatform {
public:
    explicit ScopedPlatform(vk::WorkstationPlatform* p)
        : m_previous(vk::setWorkstationPlatform(p)) {}
    ~ScopedPlatform() { vk::setWorkstationPlatform(m_previous); }

private:
    vk::WorkstationPlatform* m_previous;
};

QByteArray mac(const char* text) {
    return QByteArray::fromHex(QByteArray(text).replace(':', ""));
}

using Adapters = QList<std::optional<QByteArray>>;

void writeFile(const QString& path, const QByteArray& content) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(content);
}

} // namespace

Q_DECLARE_METATYPE(Adapters)

class CommonTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
    }

    void machineId_data() {
        QTest::addColumn<QString>("serial");
        QTest::addColumn<bool>("queryFails");
        QTest::addColumn<Adapters>("adapters");
        QTest::addColumn<QString>("expected");

        const Adapters none;
        const Adapters real{mac("02:fc:00:00:00:01")};
        QTest::newRow("serial trimmed") << "  WD-123  " << false << real << "WD-123";
        QTest::newRow("inner spaces removed") << " AB C  D " << false << none << "ABCD";
        QTest::newRow("upper case") << "s3z9nb0k" << false << none << "S3Z9NB0K";
        QTest::newRow("no serial: adapter") << "" << false << real << "02-FC-00-00-00-01";
        QTest::newRow("blank serial: adapter") << "   " << false << real << "02-FC-00-00-00-01";
        QTest::newRow("query fails: adapter") << "X" << true << real << "02-FC-00-00-00-01";
        QTest::newRow("nothing at all") << "" << false << none << "";
        QTest::newRow("zero adapter skipped")
            << "" << false << Adapters{mac("00:00:00:00:00:00"), mac("d6:f7:c0:54:40:97")}
            << "D6-F7-C0-54-40-97";
        QTest::newRow("first adapter fails")
            << "" << false << Adapters{std::nullopt, mac("d6:f7:c0:54:40:97")} << "";
        QTest::newRow("zero, failing, real")
            << "" << false
            << Adapters{mac("00:00:00:00:00:00"), std::nullopt, mac("06:a1:91:1f:5f:0f")}
            << "06-A1-91-1F-5F-0F";
        QTest::newRow("only zero adapters")
            << "" << false << Adapters{mac("00:00:00:00:00:00")} << "00-00-00-00-00-00";
        QTest::newRow("alias") << "WD-WCC6Y4KJ2RXN" << false << none << "4401902337";
        QTest::newRow("alias after spaces removed") << "Z4Y1 M7QH" << false << none << "4401902337";
        QTest::newRow("alias of the zero serial")
            << "00000000000000000000" << false << none << "00000000000000000000VELKOR";
        QTest::newRow("alias matches whole value only")
            << "WD-WCC6Y4KJ2RXN1" << false << none << "WD-WCC6Y4KJ2RXN1";
    }

    void machineId() {
        QFETCH(QString, serial);
        QFETCH(bool, queryFails);
        QFETCH(Adapters, adapters);
        QFETCH(QString, expected);
        FakePlatform p;
        p.serial = serial;
        p.diskQueryFails = queryFails;
        p.adapters = adapters;
        QCOMPARE(GetMachineId(), expected);
    }

    void namesAndLocalIp() {
        FakePlatform p;
        p.computer = QStringLiteral("MUHASEBE-BILGISAYARI-2");
        p.user = QStringLiteral("ayse.yilmaz.muhasebe");
        QCOMPARE(GetWorkstationName(), QStringLiteral("MUHASEBE-BILGIS"));
        QCOMPARE(GetWorkstationName().size(), 15);
        QCOMPARE(GetWorkstationUser(), QStringLiteral("ayse.yilmaz.muh"));

        p.resolved = {QStringLiteral("127.0.1.1"), QStringLiteral("192.168.1.40")};
        QCOMPARE(GetLocalIp(), QStringLiteral("192.168.1.40"));
        p.resolved = {QStringLiteral("127.0.1.1")};
        p.interfaces = {QStringLiteral("10.0.0.7")};
        QCOMPARE(GetLocalIp(), QStringLiteral("10.0.0.7"));
        p.interfaces.clear();
        QCOMPARE(GetLocalIp(), QStringLiteral("127.0.1.1"));
        p.resolved.clear();
        QCOMPARE(GetLocalIp(), QStringLiteral("127.0.0.1"));
    }

    // The Linux readers on a small sysfs tree.
    void linuxPlatform() {
        QTemporaryDir root;
        QVERIFY(root.isValid());
        const QString r = root.path();
        writeFile(r + QStringLiteral("/sys/block/loop0/device/x"), "");
        writeFile(r + QStringLiteral("/sys/block/loop0/serial"), "LOOP");
        writeFile(r + QStringLiteral("/sys/block/sda/device/serial"), "USBSTICK");
        writeFile(r + QStringLiteral("/sys/block/sda/removable"), "1\n");
        writeFile(r + QStringLiteral("/sys/block/vda/device/x"), "");
        writeFile(r + QStringLiteral("/sys/block/vda/removable"), "0\n");
        writeFile(r + QStringLiteral("/sys/block/vda/dev"), "254:0\n");
        writeFile(r + QStringLiteral("/sys/block/zram0/device/serial"), "ZRAM");
        writeFile(
            r + QStringLiteral("/run/udev/data/b254:0"),
            "S:disk/by-id/virtio-x\nE:ID_SERIAL=QEMU_disk_vd7x 9\nE:ID_SERIAL_SHORT=vd7x 9\n");

        writeFile(r + QStringLiteral("/sys/class/net/lo/type"), "772\n");
        writeFile(r + QStringLiteral("/sys/class/net/lo/address"), "00:00:00:00:00:00\n");
        writeFile(r + QStringLiteral("/sys/class/net/veth1/type"), "1\n");
        writeFile(r + QStringLiteral("/sys/class/net/veth1/ifindex"), "2\n");
        writeFile(r + QStringLiteral("/sys/class/net/veth1/address"), "aa:bb:cc:dd:ee:ff\n");
        writeFile(r + QStringLiteral("/sys/class/net/eth0/type"), "1\n");
        writeFile(r + QStringLiteral("/sys/class/net/eth0/ifindex"), "5\n");
        writeFile(r + QStringLiteral("/sys/class/net/eth0/device/x"), "");
        writeFile(r + QStringLiteral("/sys/class/net/eth0/address"), "02:fc:00:00:00:01\n");
        writeFile(r + QStringLiteral("/sys/class/net/wlan0/type"), "1\n");
        writeFile(r + QStringLiteral("/sys/class/net/wlan0/ifindex"), "3\n");
        writeFile(r + QStringLiteral("/sys/class/net/wlan0/device/x"), "");
        writeFile(r + QStringLiteral("/sys/class/net/wlan0/address"), "garbage\n");

        auto linux = vk::createLinuxPlatform(r);
        // vda is the first physical, fixed disk; its serial comes from udev's database.
        QCOMPARE(linux->diskSerial(), QStringLiteral("VD7X 9"));
        // Physical adapters first, by interface index; an unreadable address is a failed status.
        const Adapters expected{std::nullopt, mac("02:fc:00:00:00:01"), mac("aa:bb:cc:dd:ee:ff")};
        QCOMPARE(linux->adapterAddresses(), expected);

        ScopedPlatform scope(linux.get());
        QCOMPARE(GetMachineId(), QStringLiteral("VD7X9"));
        QFile::remove(r + QStringLiteral("/run/udev/data/b254:0"));
        QCOMPARE(GetMachineId(), QString()); // no serial; the first adapter's status fails

        auto empty = vk::createLinuxPlatform(r + QStringLiteral("/nothing"));
        QVERIFY_THROWS_EXCEPTION(vk::Error, empty->diskSerial());
        QVERIFY(empty->adapterAddresses().isEmpty());
    }

    void folders() {
        const QString data = GetDataFolder();
        QVERIFY(data.endsWith(QStringLiteral("/velkab2b")));
        QVERIFY(QDir(data).exists());
        QVERIFY(QDir(GetLocalDataFolder()).exists());
        QVERIFY(QDir(GetDocumentsFolder()).exists());
        QVERIFY(PictureUrlPrefix.endsWith(QStringLiteral("/resimgoster.ashx?id=")));
    }

    void ensureConnected_unreachable_data() {
        QTest::addColumn<int>("flag");
        QTest::addColumn<int>("dialogs");
        QTest::newRow("silent") << 0 << 0;
        QTest::newRow("with message") << 1 << 1;
        QTest::newRow("other flag is silent") << 2 << 0;
    }

    void ensureConnected_unreachable() {
        QFETCH(int, flag);
        QFETCH(int, dialogs);
        RecordingDialogs dlg;
        RecordingWait wait;
        vk::ServerConnection c;
        c.setHostName(QStringLiteral("127.0.0.1"));
        c.setPort(vk::test::CannedServer::closedPort());
        QVERIFY(!EnsureConnected(c, flag));
        QVERIFY(!c.Connected());
        QCOMPARE(wait.pauses, QList<int>(11, 500));
        QCOMPARE(dlg.requests.size(), dialogs);
        if (dialogs) {
            const vk::DialogRequest& r = dlg.requests.first();
            QCOMPARE(r.message, QStringLiteral("Bağlantı Kurulamıyor Lütfen Tekrar Deneyin ...!"));
            QCOMPARE(r.buttons, vk::DialogButtons(DialogButton::OK));
        }
    }

    void ensureConnected_reachable() {
        RecordingDialogs dlg;
        RecordingWait wait;
        vk::test::CannedServer server;
        vk::ServerConnection c;
        c.setHostName(QStringLiteral("127.0.0.1"));
        c.setPort(server.port());
        QVERIFY(EnsureConnected(c, 1));
        QVERIFY(c.Connected());
        QVERIFY(EnsureConnected(c, 1)); // an open connection is closed and opened again
        QVERIFY(wait.pauses.isEmpty());
        QVERIFY(dlg.requests.isEmpty());
    }

    void showDialog_throughService() {
        RecordingDialogs dlg;
        dlg.answer = DialogButton::No;
        QCOMPARE(ShowDialog(QStringLiteral("Silinsin mi?"), DialogKind::Question,
                            DialogButton::Yes | DialogButton::No, DialogButton::No),
                 DialogButton::No);
        QCOMPARE(dlg.requests.first().kind, DialogKind::Question);
        QCOMPARE(dlg.requests.first().focus, DialogButton::No);
        // A focus code naming a button that is not there falls back to the first button.
        dlg.answer.reset();
        QCOMPARE(ShowDialog(QStringLiteral("x"), DialogKind::Warning, DialogButton::OK,
                            DialogButton::Yes),
                 DialogButton::OK);
    }

    // The real dialog: Turkish title and captions, the focus button focused, its answer returned.
    void showDialog_widget() {
        vk::installMessageDialogs();
        QString title;
        QStringList captions;
        QString focused;
        QTimer::singleShot(0, this, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            title = box->windowTitle();
            for (QAbstractButton* b : box->buttons())
                captions.append(b->text());
            if (auto* f = qobject_cast<QPushButton*>(box->focusWidget()))
                focused = f->text();
            for (QAbstractButton* b : box->buttons()) {
                if (b->text() == QStringLiteral("Hayır"))
                    QTest::mouseClick(b, Qt::LeftButton);
            }
        });
        const DialogButton answer =
            ShowDialog(QStringLiteral("Sepet silinsin mi?"), DialogKind::Question,
                       DialogButton::Yes | DialogButton::No, DialogButton::No);
        vk::setDialogService(nullptr);
        QCOMPARE(answer, DialogButton::No);
        QCOMPARE(title, QStringLiteral("Soru"));
        captions.sort();
        QCOMPARE(captions, QStringList({QStringLiteral("Evet"), QStringLiteral("Hayır")}));
        QCOMPARE(focused, QStringLiteral("Hayır"));
    }

    void rounding_data() {
        QTest::addColumn<double>("x");
        QTest::addColumn<double>("expected");
        QTest::newRow("half up") << 0.125 << 0.13;
        QTest::newRow("below half") << 10.004 << 10.00;
        QTest::newRow("binary below half") << 1.005 << 1.01;
        QTest::newRow("negative half") << -2.675 << -2.68;
        QTest::newRow("positive half") << 2.675 << 2.68;
        QTest::newRow("smallest half") << 0.005 << 0.01;
        QTest::newRow("below smallest half") << 0.0049 << 0.0;
        QTest::newRow("tiny negative gives zero") << -0.001 << 0.0;
        QTest::newRow("sum of tenths") << 0.1 + 0.2 << 0.3;
        QTest::newRow("large") << 1234567.895 << 1234567.9;
        QTest::newRow("already rounded") << 412.5 << 412.5;
        QTest::newRow("zero") << 0.0 << 0.0;
        QTest::newRow("beyond the digits") << 1e20 << 1e20;
    }

    void rounding() {
        QFETCH(double, x);
        QFETCH(double, expected);
        for (const QLocale& l : {QLocale(QLocale::Turkish, QLocale::Turkey), QLocale::c(),
                                 QLocale(QLocale::German, QLocale::Germany)}) {
            QLocale::setDefault(l);
            const double r = IkiHaneYuvarla(x);
            QCOMPARE(r, expected);
            QVERIFY(!std::signbit(r) || expected < 0); // no negative zero
        }
        QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
    }

    void formatFloat_data() {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<double>("value");
        QTest::addColumn<bool>("turkish");
        QTest::addColumn<QString>("expected");
        const QString amount = QStringLiteral("#,###,##0.00");
        const QString noLeadingZero = QStringLiteral("#,###,##.00");
        QTest::newRow("grouped") << amount << 1234.5 << true << "1.234,50";
        QTest::newRow("millions") << amount << -1234567.891 << true << "-1.234.567,89";
        QTest::newRow("below one") << amount << 0.5 << true << "0,50";
        QTest::newRow("zero") << amount << 0.0 << true << "0,00";
        QTest::newRow("half rounds up") << amount << 0.125 << true << "0,13";
        QTest::newRow("negative rounds to zero") << amount << -0.001 << true << "0,00";
        QTest::newRow("C locale") << amount << 1234.5 << false << "1,234.50";
        QTest::newRow("no leading zero") << noLeadingZero << 0.5 << true << ",50";
        QTest::newRow("no leading zero, grouped")
            << noLeadingZero << 98765.432 << true << "98.765,43";
        QTest::newRow("no grouping") << QStringLiteral("0.00") << 1234.5 << true << "1234,50";
        QTest::newRow("optional decimals") << QStringLiteral("0.##") << 2.5 << true << "2,5";
        QTest::newRow("literal suffix")
            << QStringLiteral("#,##0.00 TL") << 1500.0 << true << "1.500,00 TL";
    }

    void formatFloat() {
        QFETCH(QString, pattern);
        QFETCH(double, value);
        QFETCH(bool, turkish);
        QFETCH(QString, expected);
        const QLocale l = turkish ? QLocale(QLocale::Turkish, QLocale::Turkey) : QLocale::c();
        QCOMPARE(vk::formatFloat(pattern, value, l), expected);
    }

    void formatFloatFields() {
        vk::MemTable t;
        t.defineFields({vk::FieldDef::make(QStringLiteral("ADI"), vk::FieldType::String),
                        vk::FieldDef::make(QStringLiteral("STOKNO"), vk::FieldType::Integer),
                        vk::FieldDef::make(QStringLiteral("FIYAT"), vk::FieldType::Float),
                        vk::FieldDef::make(QStringLiteral("TARIH"), vk::FieldType::DateTime)});
        t.appendRow({QStringLiteral("FREN BALATASI"), 101, 1234.5, QVariant()});
        FormatFloatFields(t);
        QCOMPARE(t.field(2).displayFormat, QStringLiteral("#,###,##0.00"));
        for (int c : {0, 1, 3})
            QVERIFY(t.field(c).displayFormat.isEmpty());
        QCOMPARE(t.displayText(0, 2), QStringLiteral("1.234,50"));
        QCOMPARE(t.displayText(0, 1), QStringLiteral("101"));

        vk::MemTable noFloats;
        noFloats.defineFields({vk::FieldDef::make(QStringLiteral("KOD"), vk::FieldType::String)});
        FormatFloatFields(noFloats);
        QVERIFY(noFloats.field(0).displayFormat.isEmpty());
    }

    void hasRecords() {
        vk::MemTable t;
        QVERIFY(!HasRecords(t)); // closed
        t.defineFields({vk::FieldDef::make(QStringLiteral("KOD"), vk::FieldType::String)});
        QVERIFY(!HasRecords(t)); // open, empty
        t.appendRow({QStringLiteral("A")});
        QVERIFY(HasRecords(t));
        t.close();
        QVERIFY(!HasRecords(t));
    }

    void urlEncode_data() {
        QTest::addColumn<QString>("url");
        QTest::addColumn<QString>("expected");
        QTest::newRow("plain") << "http://h/Ravlokart.html?carino=5&sube=1"
                               << "http://h/Ravlokart.html?carino=5&sube=1";
        QTest::newRow("space and Turkish letters")
            << "http://h/a b?firmasi=ÇİĞ ŞÖ"
            << "http://h/a%20b?firmasi=%C3%87%C4%B0%C4%9E%20%C5%9E%C3%96";
        QTest::newRow("existing escape kept") << "http://h/?x=%20y"
                                              << "http://h/?x=%20y";
        QTest::newRow("stray percent encoded") << "http://h/?oran=%5 indirim"
                                               << "http://h/?oran=%255%20indirim";
        QTest::newRow("quotes and angle brackets") << "http://h/?q=\"<a>\""
                                                   << "http://h/?q=%22%3Ca%3E%22";
    }

    void urlEncode() {
        QFETCH(QString, url);
        QFETCH(QString, expected);
        QCOMPARE(UrlEncode(url), expected);
    }
};

QTEST_MAIN(CommonTest)
#include "tst_common.moc"
