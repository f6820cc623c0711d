#include "seed/gifwriter.h"
#include "seed/pdfwriter.h"
#include "seed/pictures.h"

#include "common/errors.h"

#include <QBuffer>
#include <QImageReader>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

using namespace vk::server;

namespace {

// Frames of pseudo-random pixels drawn from `colours` distinct colours: noise makes the LZW
// table fill and restart many times.
QList<QImage> noiseFrames(int colours, QSize size, int frames) {
    QList<QImage> result;
    quint32 state = 12345;
    for (int f = 0; f < frames; ++f) {
        QImage image(size, QImage::Format_RGB32);
        for (int y = 0; y < size.height(); ++y) {
            for (int x = 0; x < size.width(); ++x) {
                state = state * 1103515245u + 12345u;
                const int i = static_cast<int>((state >> 16) % static_cast<quint32>(colours));
                image.setPixel(x, y, qRgb(i, 255 - i, (i * 37) % 256));
            }
        }
        result.append(image);
    }
    return result;
}

struct DecodedGif {
    QList<QImage> frames;
    int loopCount = 0;
    int delay = 0;
};

DecodedGif decodeGif(const QByteArray& bytes) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "gif");
    DecodedGif out;
    const int count = reader.imageCount();
    for (int i = 0; i < count; ++i) {
        QImage frame;
        if (!reader.read(&frame))
            break;
        out.frames.append(frame.convertToFormat(QImage::Format_RGB32));
        out.delay = reader.nextImageDelay();
    }
    out.loopCount = reader.loopCount();
    return out;
}

int maxChannelDifference(const QImage& a, const QImage& b) {
    int worst = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            worst = std::max({worst, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                              std::abs(qBlue(p) - qBlue(q))});
        }
    }
    return worst;
}

QSet<QRgb> distinctColours(const QList<QImage>& frames) {
    QSet<QRgb> colours;
    for (const QImage& frame : frames) {
        const QImage rgb = frame.convertToFormat(QImage::Format_RGB32);
        for (int y = 0; y < rgb.height(); ++y)
            for (int x = 0; x < rgb.width(); ++x)
                colours.insert(rgb.pixel(x, y));
    }
    return colours;
}

QByteArray samplePdf() {
    PdfWriter pdf;
    pdf.rect(40, 40, 515, 30, QColor(0x1a, 0xa6, 0xb7));
    pdf.text(50, 60, QStringLiteral("Ödeme Makbuzu (kopya)"), 16, true, Qt::white);
    pdf.line(40, 80, 555, 80);
    pdf.text(50, 100, QStringLiteral("Bayi: Işık Oto Yedek Parça, Eğirdir"));
    pdf.newPage();
    pdf.text(50, 60, QStringLiteral("Toplam: 1.250,00 ₺ \\ ödendi"));
    return pdf.finish(QStringLiteral("Ödeme Makbuzu"));
}

// The content of the first page's stream.
QByteArray firstContent(const QByteArray& pdf) {
    const qsizetype start = pdf.indexOf("stream\n") + 7;
    return pdf.mid(start, pdf.indexOf("endstream", start) - start);
}

const QStringList kGroups{
    QStringLiteral("FREN SİSTEMİ"), QStringLiteral("FİLTRELER"),  QStringLiteral("SÜSPANSİYON"),
    QStringLiteral("MOTOR"),        QStringLiteral("AYDINLATMA"), QStringLiteral("YAĞLAR"),
    QStringLiteral("AKSESUAR"),
};

} // namespace

class MediaTest : public QObject {
    Q_OBJECT

private slots:
    void gifRoundTrip_data();
    void gifRoundTrip();
    void gifWithManyColours();
    void gifIsDeterministic();
    void gifRejectsBadFrames();

    void pdfStructure();
    void pdfText_data();
    void pdfText();
    void pdfCoordinatesFromTopLeft();
    void pdfIsDeterministic();
    void pdfTextWidth();

    void partPictures();
    void adverts_data();
    void adverts();
    void banners_data();
    void banners();
    void imageBytesFormats_data();
    void imageBytesFormats();
};

void MediaTest::gifRoundTrip_data() {
    QTest::addColumn<int>("colours");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("frameCount");
    QTest::addColumn<int>("tableEntries");

    QTest::newRow("one colour, still") << 1 << QSize(7, 5) << 1 << 2;
    QTest::newRow("two colours") << 2 << QSize(33, 17) << 2 << 2;
    QTest::newRow("three colours") << 3 << QSize(20, 10) << 3 << 4;
    QTest::newRow("seventeen colours") << 17 << QSize(64, 48) << 2 << 32;
    QTest::newRow("256 colours, table restarts") << 256 << QSize(160, 120) << 3 << 256;
    QTest::newRow("single pixel") << 1 << QSize(1, 1) << 1 << 2;
}

void MediaTest::gifRoundTrip() {
    QFETCH(int, colours);
    QFETCH(QSize, size);
    QFETCH(int, frameCount);
    QFETCH(int, tableEntries);

    const QList<QImage> frames = noiseFrames(colours, size, frameCount);
    const QByteArray gif = writeAnimatedGif(frames, 7);
    QVERIFY(gif.startsWith("GIF89a"));
    QVERIFY(gif.endsWith('\x3b'));
    QCOMPARE(2 << (gif.at(10) & 7), tableEntries);
    QCOMPARE(gif.contains("NETSCAPE2.0"), frameCount > 1);

    const DecodedGif decoded = decodeGif(gif);
    QCOMPARE(decoded.frames.size(), frameCount);
    for (int i = 0; i < frameCount; ++i) {
        QCOMPARE(decoded.frames[i].size(), size);
        QVERIFY2(decoded.frames[i] == frames[i], qPrintable(QStringLiteral("frame %1").arg(i)));
    }
    QCOMPARE(decoded.delay, 70);
    // Qt reports an endless loop as -1 and a GIF without loop extension as 0.
    QCOMPARE(decoded.loopCount, frameCount > 1 ? -1 : 0);
}

void MediaTest::gifWithManyColours() {
    // 4096 colours in smooth gradients: reduced to 256, each pixel close to its source.
    QImage gradient(64, 64, QImage::Format_RGB32);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            gradient.setPixel(x, y, qRgb(x * 4, y * 4, 255 - x * 2));
    const QList<QImage> frames{gradient, gradient.mirrored(true, false)};
    const QByteArray gif = writeAnimatedGif(frames, 10);
    QCOMPARE(2 << (gif.at(10) & 7), 256);

    const DecodedGif decoded = decodeGif(gif);
    QCOMPARE(decoded.frames.size(), 2);
    for (int i = 0; i < 2; ++i)
        QVERIFY2(maxChannelDifference(decoded.frames[i], frames[i]) <= 16,
                 qPrintable(QString::number(maxChannelDifference(decoded.frames[i], frames[i]))));
}

void MediaTest::gifIsDeterministic() {
    const QList<QImage> exact = noiseFrames(40, QSize(50, 30), 3);
    QCOMPARE(writeAnimatedGif(exact, 5), writeAnimatedGif(exact, 5));
    QImage many(70, 70, QImage::Format_RGB32);
    for (int y = 0; y < 70; ++y)
        for (int x = 0; x < 70; ++x)
            many.setPixel(x, y, qRgb((x * 7 + y) % 256, (y * 5) % 256, (x * y) % 256));
    QCOMPARE(writeAnimatedGif({many, many.mirrored()}, 5),
             writeAnimatedGif({many, many.mirrored()}, 5));
}

void MediaTest::gifRejectsBadFrames() {
    QVERIFY_THROWS_EXCEPTION(vk::Error, writeAnimatedGif({}, 5));
    const QList<QImage> mixed{noiseFrames(2, QSize(10, 10), 1).first(),
                              noiseFrames(2, QSize(10, 11), 1).first()};
    QVERIFY_THROWS_EXCEPTION(vk::Error, writeAnimatedGif(mixed, 5));
}

void MediaTest::pdfStructure() {
    const QByteArray pdf = samplePdf();
    QVERIFY(pdf.startsWith("%PDF-1.4\n"));
    QVERIFY(pdf.endsWith("%%EOF\n"));

    const qsizetype startxrefAt = pdf.lastIndexOf("startxref\n");
    QVERIFY(startxrefAt > 0);
    const qsizetype xref = pdf.mid(startxrefAt + 10).split('\n').first().toLongLong();
    QVERIFY(pdf.mid(xref).startsWith("xref\n0 "));
    const QList<QByteArray> head = pdf.mid(xref).split('\n');
    const int count = head[1].split(' ')[1].toInt();
    const QRegularExpression size(QStringLiteral("/Size (\\d+)"));
    QCOMPARE(size.match(QString::fromLatin1(pdf.mid(xref))).captured(1).toInt(), count);

    const qsizetype entries = xref + head[0].size() + head[1].size() + 2;
    QCOMPARE(pdf.mid(entries, 20), QByteArray("0000000000 65535 f \n"));
    for (int i = 1; i < count; ++i) {
        const QByteArray entry = pdf.mid(entries + 20 * i, 20);
        QVERIFY2(entry.endsWith(" 00000 n \n"), entry.constData());
        const qsizetype offset = entry.left(10).toLongLong();
        QVERIFY2(pdf.mid(offset).startsWith(QByteArray::number(i) + " 0 obj\n"),
                 qPrintable(QStringLiteral("object %1").arg(i)));
    }
    QVERIFY(pdf.mid(entries + 20 * count).startsWith("trailer\n"));
    QVERIFY(pdf.contains("/Count 2"));
    QVERIFY(pdf.contains("/BaseFont /Helvetica "));
    QVERIFY(pdf.contains("/BaseFont /Helvetica-Bold "));
    for (const char* glyph :
         {"/Gbreve", "/gbreve", "/Scedilla", "/scedilla", "/Idotaccent", "/dotlessi"})
        QVERIFY2(pdf.contains(glyph), glyph);
    QVERIFY(pdf.contains("/BaseEncoding /WinAnsiEncoding"));
    QVERIFY(!pdf.contains("Date"));
}

void MediaTest::pdfText_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("literal");

    QTest::newRow("turkish lower") << QStringLiteral("ğşıçöüâîû")
                                   << QByteArray("(\\360\\376\\375\\347\\366\\374\\342\\356\\373)");
    QTest::newRow("turkish upper")
        << QStringLiteral("ĞŞİÇÖÜ") << QByteArray("(\\320\\336\\335\\307\\326\\334)");
    QTest::newRow("decomposed letters")
        << QStringLiteral("s\u0327g\u0306") << QByteArray("(\\376\\360)");
    QTest::newRow("escapes") << QStringLiteral("a (b) \\ c") << QByteArray("(a \\(b\\) \\\\ c)");
    QTest::newRow("winansi extras")
        << QStringLiteral("€ – “x”") << QByteArray("(\\200 \\226 \\223x\\224)");
    QTest::newRow("unmapped") << QStringLiteral("Жð😀") << "(" + QByteArray(3, '?') + ")";
}

void MediaTest::pdfText() {
    QFETCH(QString, text);
    QFETCH(QByteArray, literal);
    PdfWriter pdf;
    pdf.text(10, 10, text);
    const QByteArray content = firstContent(pdf.finish());
    QVERIFY2(content.contains(literal + " Tj"), content.constData());
}

void MediaTest::pdfCoordinatesFromTopLeft() {
    PdfWriter pdf;
    pdf.rect(10, 20, 100, 50, QColor(255, 0, 0));
    pdf.text(50.5, 100, QStringLiteral("x"), 12, true, QColor(0, 0, 255));
    pdf.line(0, 0, 595, 842, 1.25, QColor(0, 128, 0));
    const QByteArray content = firstContent(pdf.finish());
    QVERIFY2(content.contains("1 0 0 rg 10 772 100 50 re f"), content.constData());
    QVERIFY2(content.contains("/F2 12 Tf 0 0 1 rg 50.5 742 Td (x) Tj"), content.constData());
    QVERIFY2(content.contains("1.25 w 0 0.502 0 RG 0 842 m 595 0 l S"), content.constData());
}

void MediaTest::pdfIsDeterministic() {
    const QByteArray pdf = samplePdf();
    QCOMPARE(samplePdf(), pdf);
    // A Turkish title goes into the information dictionary as UTF-16.
    QVERIFY(pdf.contains("/Title <FEFF00D6"));
    QVERIFY(pdf.contains("/Producer ("));
}

void MediaTest::pdfTextWidth() {
    PdfWriter pdf;
    QCOMPARE(pdf.textWidth(QString()), 0.0);
    QVERIFY(qFuzzyCompare(pdf.textWidth(QStringLiteral("Hello"), 10), 22.78));
    QVERIFY(qFuzzyCompare(pdf.textWidth(QStringLiteral("Hello"), 20), 45.56));
    QVERIFY(
        qFuzzyCompare(pdf.textWidth(QStringLiteral("ğışİ"), 10, true), 6.11 + 2.78 + 5.56 + 2.78));
    const QString text = QStringLiteral("Sipariş Özeti");
    QVERIFY(pdf.textWidth(text, 11, true) > pdf.textWidth(text, 11, false));
    QVERIFY(pdf.textWidth(QStringLiteral("iii")) < pdf.textWidth(QStringLiteral("MMM")));
    // Unmapped characters are measured as the '?' that is written.
    QCOMPARE(pdf.textWidth(QStringLiteral("Ж")), pdf.textWidth(QStringLiteral("?")));
}

void MediaTest::partPictures() {
    QSet<QByteArray> seen;
    for (const QString& group : kGroups) {
        const QByteArray jpeg =
            partPictureJpeg(group, QStringLiteral("VK-10234"), QStringLiteral("Ön Fren Diski"), 3);
        QVERIFY2(jpeg.size() > 1200, qPrintable(group));
        const QImage image = QImage::fromData(jpeg, "JPEG");
        QCOMPARE(image.size(), QSize(400, 300));
        QCOMPARE(
            partPictureJpeg(group, QStringLiteral("VK-10234"), QStringLiteral("Ön Fren Diski"), 3),
            jpeg);
        QVERIFY2(partPictureJpeg(group, QStringLiteral("VK-10234"), QStringLiteral("Ön Fren Diski"),
                                 4) != jpeg,
                 qPrintable(group));
        seen.insert(jpeg);
    }
    // Each group has its own drawing, whatever the case of its name.
    QCOMPARE(seen.size(), kGroups.size());
    QCOMPARE(
        partPictureJpeg(QStringLiteral("Filtreler"), QStringLiteral("A"), QStringLiteral("B"), 1),
        partPictureJpeg(QStringLiteral("FİLTRELER"), QStringLiteral("A"), QStringLiteral("B"), 1));
}

void MediaTest::adverts_data() {
    QTest::addColumn<QSize>("size");
    QTest::newRow("advert") << QSize(600, 400);
    QTest::newRow("announcement") << QSize(605, 405);
}

void MediaTest::adverts() {
    QFETCH(QSize, size);
    QSet<QByteArray> seen;
    for (int variant = 0; variant < 3; ++variant) {
        const QByteArray jpeg =
            advertJpeg(QStringLiteral("Bahar Kampanyası: Fren Balatalarında %20"),
                       QStringLiteral("Tüm bayilerimize 30 Nisan'a kadar geçerli"), variant, size);
        QCOMPARE(QImage::fromData(jpeg, "JPEG").size(), size);
        seen.insert(jpeg);
    }
    QCOMPARE(seen.size(), 3);
}

void MediaTest::banners_data() {
    QTest::addColumn<QSize>("size");
    QTest::newRow("box") << QSize(300, 90);
    QTest::newRow("strip") << QSize(1200, 60);
}

void MediaTest::banners() {
    QFETCH(QSize, size);
    const QString text = QStringLiteral("Yeni sezon akü ve şarj ürünleri stoklarımızda");
    const QList<QImage> frames = bannerFrames(size, text, 8);
    QCOMPARE(frames.size(), 8);
    for (const QImage& frame : frames)
        QCOMPARE(frame.size(), size);
    QVERIFY(frames[2] != frames[5]); // the highlight moves
    QVERIFY2(distinctColours(frames).size() <= 16,
             qPrintable(QString::number(distinctColours(frames).size())));

    // Few flat colours: the GIF holds the frames exactly.
    const DecodedGif decoded = decodeGif(writeAnimatedGif(frames, 12));
    QCOMPARE(decoded.frames.size(), frames.size());
    for (qsizetype i = 0; i < frames.size(); ++i)
        QVERIFY(decoded.frames[i] == frames[i].convertToFormat(QImage::Format_RGB32));

    const QImage still = bannerImage(size, text);
    QCOMPARE(still.size(), size);
    QVERIFY(distinctColours({still}).size() > 4);
}

void MediaTest::imageBytesFormats_data() {
    QTest::addColumn<QByteArray>("format");
    QTest::newRow("PNG") << QByteArray("PNG");
    QTest::newRow("JPEG") << QByteArray("JPEG");
    QTest::newRow("BMP") << QByteArray("BMP");
}

void MediaTest::imageBytesFormats() {
    QFETCH(QByteArray, format);
    const QImage banner = bannerImage(QSize(300, 90), QStringLiteral("Kış lastiği"));
    const QByteArray bytes = imageBytes(banner, format.constData());
    QCOMPARE(QImage::fromData(bytes, format.constData()).size(), banner.size());
    QVERIFY_THROWS_EXCEPTION(vk::Error, imageBytes(banner, "NO-SUCH-FORMAT"));
}

QTEST_MAIN(MediaTest)
#include "tst_media.moc"
