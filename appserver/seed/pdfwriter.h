#pragma once

// A small PDF writer for text documents (payment receipts, reports): A4 pages, Helvetica text
// with Turkish letters, filled rectangles and lines. The output depends only on what was drawn.

#include <QByteArray>
#include <QColor>
#include <QString>

#include <memory>

namespace vk::server {

class PdfWriter {
public:
    PdfWriter();
    ~PdfWriter();
    PdfWriter(const PdfWriter&) = delete;
    PdfWriter& operator=(const PdfWriter&) = delete;

    // Points from the page's top-left corner (A4 is 595 × 842 points).
    void newPage(); // the first drawing call starts a page by itself
    void text(double x, double y, const QString& text, double size = 11, bool bold = false,
              const QColor& color = Qt::black);
    void rect(double x, double y, double width, double height, const QColor& fill);
    void line(double x1, double y1, double x2, double y2, double width = 0.5,
              const QColor& color = Qt::black);
    // Width of a text line in points, for right alignment.
    double textWidth(const QString& text, double size = 11, bool bold = false) const;

    QByteArray finish(const QString& title = QString());

private:
    struct Data;
    std::unique_ptr<Data> d;
};

} // namespace vk::server
