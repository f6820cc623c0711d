#include "seed/pdfwriter.h"

#include <QList>

#include <array>
#include <cmath>

namespace vk::server {

namespace {

constexpr double kPageWidth = 595;
constexpr double kPageHeight = 842;

// Font encoding: WinAnsi with the six Icelandic letters that Latin-5 also replaces swapped for
// the Turkish ones, so the codes match ISO 8859-9 there.
struct Swap {
    char16_t unicode;
    uchar code;
    const char* glyph;
};
constexpr std::array<Swap, 6> kTurkish{{
    {u'Ğ', 0xd0, "Gbreve"},
    {u'İ', 0xdd, "Idotaccent"},
    {u'Ş', 0xde, "Scedilla"},
    {u'ğ', 0xf0, "gbreve"},
    {u'ı', 0xfd, "dotlessi"},
    {u'ş', 0xfe, "scedilla"},
}};

// WinAnsi codes 0x80-0x9f, by Unicode character (0 where the code is unused).
constexpr std::array<char16_t, 32> kWinAnsiHigh{
    0x20ac, 0,      0x201a, 0x0192, 0x201e, 0x2026, 0x2020, 0x2021, 0x02c6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017d, 0,      0,      0x2018, 0x2019, 0x201c, 0x201d, 0x2022,
    0x2013, 0x2014, 0x02dc, 0x2122, 0x0161, 0x203a, 0x0153, 0,      0x017e, 0x0178};

// Glyph widths (1/1000 em) of the codes 32-255 in the encoding above, from the standard metrics.
constexpr std::array<short, 224> kHelvetica{
    278,  278, 355, 556, 556, 889,  667,  191,  333, 333,  389, 584, 278,  333, 278, 278,  // 32
    556,  556, 556, 556, 556, 556,  556,  556,  556, 556,  278, 278, 584,  584, 584, 556,  // 48
    1015, 667, 667, 722, 722, 667,  611,  778,  722, 278,  500, 667, 556,  833, 722, 778,  // 64
    667,  778, 722, 667, 611, 722,  667,  944,  667, 667,  611, 278, 278,  278, 469, 556,  // 80
    333,  556, 556, 500, 556, 556,  278,  556,  556, 222,  222, 500, 222,  833, 556, 556,  // 96
    556,  556, 333, 500, 278, 556,  500,  722,  500, 500,  500, 334, 260,  334, 584, 0,    // 112
    556,  0,   222, 556, 333, 1000, 556,  556,  333, 1000, 667, 333, 1000, 0,   611, 0,    // 128
    0,    222, 222, 333, 333, 350,  556,  1000, 333, 1000, 500, 333, 944,  0,   500, 667,  // 144
    278,  333, 556, 556, 556, 556,  260,  556,  333, 737,  370, 556, 584,  333, 737, 333,  // 160
    400,  584, 333, 333, 333, 556,  537,  278,  333, 333,  365, 556, 834,  834, 834, 611,  // 176
    667,  667, 667, 667, 667, 667,  1000, 722,  667, 667,  667, 667, 278,  278, 278, 278,  // 192
    778,  722, 778, 778, 778, 778,  778,  584,  778, 722,  722, 722, 722,  278, 667, 611,  // 208
    556,  556, 556, 556, 556, 556,  889,  500,  556, 556,  556, 556, 278,  278, 278, 278,  // 224
    556,  556, 556, 556, 556, 556,  556,  584,  611, 556,  556, 556, 556,  278, 500, 500}; // 240
constexpr std::array<short, 224> kHelveticaBold{
    278, 333, 474, 556, 556, 889,  722,  238,  333, 333,  389, 584, 278,  333, 278, 278,  // 32
    556, 556, 556, 556, 556, 556,  556,  556,  556, 556,  333, 333, 584,  584, 584, 611,  // 48
    975, 722, 722, 722, 722, 667,  611,  778,  722, 278,  556, 722, 611,  833, 722, 778,  // 64
    667, 778, 722, 667, 611, 722,  667,  944,  667, 667,  611, 333, 278,  333, 584, 556,  // 80
    333, 556, 611, 556, 611, 556,  333,  611,  611, 278,  278, 556, 278,  889, 611, 611,  // 96
    611, 611, 389, 556, 333, 611,  556,  778,  556, 556,  500, 389, 280,  389, 584, 0,    // 112
    556, 0,   278, 556, 500, 1000, 556,  556,  333, 1000, 667, 333, 1000, 0,   611, 0,    // 128
    0,   278, 278, 500, 500, 350,  556,  1000, 333, 1000, 556, 333, 944,  0,   500, 667,  // 144
    278, 333, 556, 556, 556, 556,  280,  556,  333, 737,  370, 556, 584,  333, 737, 333,  // 160
    400, 584, 333, 333, 333, 611,  556,  278,  333, 333,  365, 556, 834,  834, 834, 611,  // 176
    722, 722, 722, 722, 722, 722,  1000, 722,  667, 667,  667, 667, 278,  278, 278, 278,  // 192
    778, 722, 778, 778, 778, 778,  778,  584,  778, 722,  722, 722, 722,  278, 667, 611,  // 208
    556, 556, 556, 556, 556, 556,  889,  556,  556, 556,  556, 556, 278,  278, 278, 278,  // 224
    611, 611, 611, 611, 611, 611,  611,  584,  611, 611,  611, 611, 611,  278, 556, 556}; // 240

uchar encodeChar(char32_t c) {
    if (c == U'\t')
        return ' ';
    if (c >= 0x20 && c < 0x7f)
        return static_cast<uchar>(c);
    for (const Swap& s : kTurkish) {
        if (c == s.unicode)
            return s.code;
        if (c == s.code)
            return '?'; // the Latin-1 letter that gave its code away
    }
    if (c >= 0xa0 && c <= 0xff)
        return static_cast<uchar>(c);
    for (size_t i = 0; i < kWinAnsiHigh.size(); ++i) {
        if (kWinAnsiHigh[i] != 0 && c == kWinAnsiHigh[i])
            return static_cast<uchar>(0x80 + i);
    }
    return '?';
}

QByteArray encode(const QString& text) {
    QByteArray out;
    for (char32_t c : text.normalized(QString::NormalizationForm_C).toUcs4())
        out.append(static_cast<char>(encodeChar(c)));
    return out;
}

// A literal string: ( ) \ escaped, everything outside printable ASCII as an octal escape.
QByteArray literal(const QByteArray& codes) {
    QByteArray out("(");
    for (char ch : codes) {
        const auto b = static_cast<uchar>(ch);
        if (ch == '(' || ch == ')' || ch == '\\') {
            out.append('\\');
            out.append(ch);
        } else if (b < 0x20 || b >= 0x7f) {
            out.append('\\');
            out.append(static_cast<char>('0' + (b >> 6)));
            out.append(static_cast<char>('0' + ((b >> 3) & 7)));
            out.append(static_cast<char>('0' + (b & 7)));
        } else {
            out.append(ch);
        }
    }
    out.append(')');
    return out;
}

// A text string for the document information: plain when ASCII, else UTF-16BE with a mark.
QByteArray textString(const QString& text) {
    bool ascii = true;
    for (QChar c : text)
        ascii = ascii && c.unicode() >= 0x20 && c.unicode() < 0x7f;
    if (ascii)
        return literal(text.toLatin1());
    QByteArray out("<FEFF");
    for (QChar c : text)
        out.append(QByteArray::number(c.unicode() | 0x10000, 16).mid(1).toUpper());
    out.append('>');
    return out;
}

QByteArray num(double v, int decimals = 2) {
    if (!std::isfinite(v))
        v = 0;
    QByteArray s = QByteArray::number(v, 'f', decimals);
    if (s.contains('.')) {
        while (s.endsWith('0'))
            s.chop(1);
        if (s.endsWith('.'))
            s.chop(1);
    }
    return s == "-0" ? QByteArray("0") : s;
}

QByteArray rgb(const QColor& color) {
    const QColor c = color.toRgb();
    return num(c.red() / 255.0, 3) + ' ' + num(c.green() / 255.0, 3) + ' ' +
           num(c.blue() / 255.0, 3);
}

const std::array<short, 224>& widths(bool bold) {
    return bold ? kHelveticaBold : kHelvetica;
}

QByteArray fontObject(const char* baseFont, bool bold, int encodingObject) {
    QByteArray out("<< /Type /Font /Subtype /Type1 /BaseFont /");
    out.append(baseFont);
    out.append(" /Encoding " + QByteArray::number(encodingObject) +
               " 0 R /FirstChar 32 /LastChar 255\n/Widths [");
    const auto& w = widths(bold);
    for (size_t i = 0; i < w.size(); ++i) {
        out.append(QByteArray::number(w[i]));
        out.append(i + 1 == w.size() ? "]" : i % 16 == 15 ? "\n" : " ");
    }
    out.append(" >>");
    return out;
}

} // namespace

struct PdfWriter::Data {
    QList<QByteArray> pages; // content streams

    QByteArray& page() {
        if (pages.isEmpty())
            pages.append(QByteArray());
        return pages.last();
    }
};

PdfWriter::PdfWriter() : d(std::make_unique<Data>()) {}

PdfWriter::~PdfWriter() = default;

void PdfWriter::newPage() {
    d->pages.append(QByteArray());
}

// y is the baseline, measured from the top of the page.
void PdfWriter::text(double x, double y, const QString& text, double size, bool bold,
                     const QColor& color) {
    QByteArray& out = d->page();
    if (text.isEmpty())
        return;
    out.append("BT /" + QByteArray(bold ? "F2 " : "F1 ") + num(size) + " Tf " + rgb(color) +
               " rg " + num(x) + ' ' + num(kPageHeight - y) + " Td " + literal(encode(text)) +
               " Tj ET\n");
}

void PdfWriter::rect(double x, double y, double width, double height, const QColor& fill) {
    d->page().append(rgb(fill) + " rg " + num(x) + ' ' + num(kPageHeight - y - height) + ' ' +
                     num(width) + ' ' + num(height) + " re f\n");
}

void PdfWriter::line(double x1, double y1, double x2, double y2, double width,
                     const QColor& color) {
    d->page().append(num(width) + " w " + rgb(color) + " RG " + num(x1) + ' ' +
                     num(kPageHeight - y1) + " m " + num(x2) + ' ' + num(kPageHeight - y2) +
                     " l S\n");
}

double PdfWriter::textWidth(const QString& text, double size, bool bold) const {
    const auto& w = widths(bold);
    int units = 0;
    for (char ch : encode(text))
        units += w[static_cast<uchar>(ch) - 32];
    return units * size / 1000.0;
}

QByteArray PdfWriter::finish(const QString& title) {
    if (d->pages.isEmpty())
        d->pages.append(QByteArray());

    // 1 catalog, 2 page tree, 3 encoding, 4-5 fonts, 6 info, then a page and its contents each.
    constexpr int kFirstPage = 7;
    QList<QByteArray> objects;
    objects.append("<< /Type /Catalog /Pages 2 0 R >>");
    QByteArray kids;
    for (qsizetype i = 0; i < d->pages.size(); ++i)
        kids.append((i ? " " : "") + QByteArray::number(kFirstPage + 2 * i) + " 0 R");
    objects.append("<< /Type /Pages /Kids [" + kids + "] /Count " +
                   QByteArray::number(d->pages.size()) + " >>");
    QByteArray differences;
    int previous = -2;
    for (const Swap& s : kTurkish) {
        if (s.code != previous + 1)
            differences.append(' ' + QByteArray::number(s.code));
        differences.append(" /" + QByteArray(s.glyph));
        previous = s.code;
    }
    objects.append("<< /Type /Encoding /BaseEncoding /WinAnsiEncoding /Differences [" +
                   differences.mid(1) + "] >>");
    objects.append(fontObject("Helvetica", false, 3));
    objects.append(fontObject("Helvetica-Bold", true, 3));
    QByteArray info("<< ");
    if (!title.isEmpty())
        info.append("/Title " + textString(title) + ' ');
    info.append("/Producer (Velkor B2B) >>");
    objects.append(info);
    for (qsizetype i = 0; i < d->pages.size(); ++i) {
        objects.append("<< /Type /Page /Parent 2 0 R /MediaBox [0 0 " + num(kPageWidth) + ' ' +
                       num(kPageHeight) +
                       "] /Resources << /ProcSet [/PDF /Text] /Font << /F1 4 0 R /F2 5 0 R >> "
                       ">> /Contents " +
                       QByteArray::number(kFirstPage + 2 * i + 1) + " 0 R >>");
        const QByteArray& content = d->pages[i];
        objects.append("<< /Length " + QByteArray::number(content.size()) + " >>\nstream\n" +
                       content + "\nendstream");
    }

    QByteArray out("%PDF-1.4\n%\xe2\xe3\xcf\xd3\n");
    QList<qsizetype> offsets;
    for (qsizetype i = 0; i < objects.size(); ++i) {
        offsets.append(out.size());
        out.append(QByteArray::number(i + 1) + " 0 obj\n" + objects[i] + "\nendobj\n");
    }
    const qsizetype xref = out.size();
    out.append("xref\n0 " + QByteArray::number(objects.size() + 1) + "\n0000000000 65535 f \n");
    for (qsizetype offset : offsets)
        out.append(QByteArray::number(offset).rightJustified(10, '0') + " 00000 n \n");
    out.append("trailer\n<< /Size " + QByteArray::number(objects.size() + 1) +
               " /Root 1 0 R /Info 6 0 R >>\nstartxref\n" + QByteArray::number(xref) + "\n%%EOF\n");
    return out;
}

} // namespace vk::server
