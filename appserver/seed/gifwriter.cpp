#include "seed/gifwriter.h"

#include "common/errors.h"

#include <QHash>

#include <algorithm>
#include <climits>
#include <unordered_map>
#include <vector>

namespace vk::server {

namespace {

constexpr int kMaxColours = 256;
constexpr int kMaxCode = 4096; // 12-bit LZW codes

struct Palette {
    QList<QRgb> colours;    // padded with black to a power of two
    QHash<QRgb, uchar> map; // every colour of the frames -> palette index
    int bits = 1;           // colours.size() == 1 << bits
};

struct ColourCount {
    QRgb colour;
    qint64 count;
};

int channel(QRgb c, int ch) {
    return ch == 0 ? qRed(c) : ch == 1 ? qGreen(c) : qBlue(c);
}

// Median cut over the histogram: split the box with the widest channel range at its weighted
// median until there are enough boxes. Sorting is total (ties broken by the colour value), so
// the result depends only on the histogram.
QList<QRgb> medianCut(std::vector<ColourCount> entries, int maxColours) {
    struct Box {
        size_t begin;
        size_t end;
    };
    std::vector<Box> boxes{{0, entries.size()}};
    while (static_cast<int>(boxes.size()) < maxColours) {
        int best = -1;
        int bestRange = 0;
        int bestChannel = 0;
        for (size_t i = 0; i < boxes.size(); ++i) {
            for (int ch = 0; ch < 3; ++ch) {
                int lo = 255;
                int hi = 0;
                for (size_t e = boxes[i].begin; e < boxes[i].end; ++e) {
                    const int v = channel(entries[e].colour, ch);
                    lo = std::min(lo, v);
                    hi = std::max(hi, v);
                }
                if (hi - lo > bestRange) {
                    bestRange = hi - lo;
                    best = static_cast<int>(i);
                    bestChannel = ch;
                }
            }
        }
        if (best < 0)
            break; // every box holds a single colour
        const Box box = boxes[static_cast<size_t>(best)];
        const auto first = entries.begin() + static_cast<std::ptrdiff_t>(box.begin);
        const auto last = entries.begin() + static_cast<std::ptrdiff_t>(box.end);
        std::sort(first, last, [bestChannel](const ColourCount& a, const ColourCount& b) {
            const int ca = channel(a.colour, bestChannel);
            const int cb = channel(b.colour, bestChannel);
            return ca != cb ? ca < cb : a.colour < b.colour;
        });
        qint64 total = 0;
        for (size_t e = box.begin; e < box.end; ++e)
            total += entries[e].count;
        size_t split = box.end - 1;
        qint64 seen = 0;
        for (size_t e = box.begin; e + 1 < box.end; ++e) {
            seen += entries[e].count;
            if (seen * 2 >= total) {
                split = e + 1;
                break;
            }
        }
        boxes[static_cast<size_t>(best)] = {box.begin, split};
        boxes.push_back({split, box.end});
    }

    QList<QRgb> result;
    for (const Box& box : boxes) {
        qint64 r = 0, g = 0, b = 0, n = 0;
        for (size_t e = box.begin; e < box.end; ++e) {
            r += qRed(entries[e].colour) * entries[e].count;
            g += qGreen(entries[e].colour) * entries[e].count;
            b += qBlue(entries[e].colour) * entries[e].count;
            n += entries[e].count;
        }
        result.append(qRgb(static_cast<int>((r + n / 2) / n), static_cast<int>((g + n / 2) / n),
                           static_cast<int>((b + n / 2) / n)));
    }
    return result;
}

uchar nearest(const QList<QRgb>& palette, QRgb c) {
    int best = 0;
    int bestDistance = INT_MAX;
    for (int i = 0; i < palette.size(); ++i) {
        const int dr = qRed(c) - qRed(palette[i]);
        const int dg = qGreen(c) - qGreen(palette[i]);
        const int db = qBlue(c) - qBlue(palette[i]);
        const int distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = i;
        }
    }
    return static_cast<uchar>(best);
}

// One palette for all frames: the colours themselves when there are few enough, else a median
// cut of them.
Palette buildPalette(const QList<QImage>& frames) {
    std::vector<ColourCount> histogram; // in order of first appearance
    QHash<QRgb, size_t> slot;
    for (const QImage& frame : frames) {
        for (int y = 0; y < frame.height(); ++y) {
            const auto* line = reinterpret_cast<const QRgb*>(frame.constScanLine(y));
            for (int x = 0; x < frame.width(); ++x) {
                const QRgb c = line[x] | 0xff000000u;
                const auto it = slot.constFind(c);
                if (it != slot.constEnd()) {
                    ++histogram[*it].count;
                } else {
                    slot.insert(c, histogram.size());
                    histogram.push_back({c, 1});
                }
            }
        }
    }

    Palette palette;
    if (histogram.size() <= static_cast<size_t>(kMaxColours)) {
        for (size_t i = 0; i < histogram.size(); ++i) {
            palette.colours.append(histogram[i].colour);
            palette.map.insert(histogram[i].colour, static_cast<uchar>(i));
        }
    } else {
        palette.colours = medianCut(histogram, kMaxColours);
        for (const ColourCount& entry : histogram)
            palette.map.insert(entry.colour, nearest(palette.colours, entry.colour));
    }
    while ((1 << palette.bits) < palette.colours.size())
        ++palette.bits;
    while (palette.colours.size() < (1 << palette.bits))
        palette.colours.append(qRgb(0, 0, 0));
    return palette;
}

class BitPacker {
public:
    explicit BitPacker(QByteArray& out) : m_out(out) {}
    void put(int code, int width) {
        m_bits |= static_cast<quint32>(code) << m_count;
        m_count += width;
        while (m_count >= 8) {
            m_out.append(static_cast<char>(m_bits & 0xff));
            m_bits >>= 8;
            m_count -= 8;
        }
    }
    void flush() {
        if (m_count > 0)
            m_out.append(static_cast<char>(m_bits & 0xff));
        m_bits = 0;
        m_count = 0;
    }

private:
    QByteArray& m_out;
    quint32 m_bits = 0;
    int m_count = 0;
};

// Variable-width LZW as GIF decoders expect it: the width grows when the decoder's table
// reaches the next power of two, and a clear code restarts the table once it is full.
QByteArray compress(const QByteArray& indices, int minCodeSize) {
    const int clearCode = 1 << minCodeSize;
    const int endCode = clearCode + 1;
    QByteArray packed;
    BitPacker bits(packed);
    std::unordered_map<quint32, int> table; // (prefix code << 8 | index) -> code
    table.reserve(kMaxCode * 2);
    int width = minCodeSize + 1;
    int next = endCode + 1;
    const auto grow = [&] {
        ++next;
        if (next > (1 << width) && width < 12)
            ++width;
    };

    bits.put(clearCode, width);
    const auto* px = reinterpret_cast<const uchar*>(indices.constData());
    int prefix = px[0];
    for (qsizetype i = 1; i < indices.size(); ++i) {
        const int k = px[i];
        const quint32 key = static_cast<quint32>(prefix) << 8 | static_cast<quint32>(k);
        const auto it = table.find(key);
        if (it != table.end()) {
            prefix = it->second;
            continue;
        }
        bits.put(prefix, width);
        if (next < kMaxCode) {
            table.emplace(key, next);
            grow();
        } else {
            bits.put(clearCode, width);
            table.clear();
            width = minCodeSize + 1;
            next = endCode + 1;
        }
        prefix = k;
    }
    bits.put(prefix, width);
    // The decoder adds an entry for the last code too, which may widen the end code.
    if (next < kMaxCode)
        grow();
    bits.put(endCode, width);
    bits.flush();
    return packed;
}

void putWord(QByteArray& out, int value) {
    out.append(static_cast<char>(value & 0xff));
    out.append(static_cast<char>((value >> 8) & 0xff));
}

void putSubBlocks(QByteArray& out, const QByteArray& data) {
    for (qsizetype pos = 0; pos < data.size(); pos += 255) {
        const qsizetype n = std::min<qsizetype>(255, data.size() - pos);
        out.append(static_cast<char>(n));
        out.append(data.constData() + pos, n);
    }
    out.append('\0');
}

} // namespace

QByteArray writeAnimatedGif(const QList<QImage>& frames, int delayCentiseconds) {
    if (frames.isEmpty())
        throw Error(QStringLiteral("GIF için en az bir kare gerekir"));
    const QSize size = frames.first().size();
    if (size.isEmpty() || size.width() > 0xffff || size.height() > 0xffff)
        throw Error(QStringLiteral("GIF karesinin boyutu geçersiz"));

    QList<QImage> rgb;
    rgb.reserve(frames.size());
    for (const QImage& frame : frames) {
        if (frame.size() != size)
            throw Error(QStringLiteral("GIF kareleri aynı boyutta olmalı"));
        rgb.append(frame.convertToFormat(QImage::Format_RGB32));
    }
    const Palette palette = buildPalette(rgb);
    const int minCodeSize = std::max(2, palette.bits);
    const int delay = std::clamp(delayCentiseconds, 0, 0xffff);

    QByteArray out("GIF89a");
    putWord(out, size.width());
    putWord(out, size.height());
    out.append(static_cast<char>(0x80 | 0x70 | (palette.bits - 1))); // global table, 8-bit
    out.append('\0');                                                // background index
    out.append('\0');                                                // square pixels
    for (QRgb c : palette.colours) {
        out.append(static_cast<char>(qRed(c)));
        out.append(static_cast<char>(qGreen(c)));
        out.append(static_cast<char>(qBlue(c)));
    }
    if (rgb.size() > 1) {
        out.append("\x21\xff\x0bNETSCAPE2.0\x03\x01", 16);
        putWord(out, 0); // loop forever
        out.append('\0');
    }

    QByteArray indices(qsizetype(size.width()) * size.height(), Qt::Uninitialized);
    for (const QImage& frame : rgb) {
        out.append("\x21\xf9\x04\x04", 4); // graphic control: keep the frame, no transparency
        putWord(out, delay);
        out.append("\0\0", 2);

        out.append('\x2c');
        putWord(out, 0);
        putWord(out, 0);
        putWord(out, size.width());
        putWord(out, size.height());
        out.append('\0'); // no local table, not interlaced

        char* dst = indices.data();
        for (int y = 0; y < size.height(); ++y) {
            const auto* line = reinterpret_cast<const QRgb*>(frame.constScanLine(y));
            for (int x = 0; x < size.width(); ++x)
                *dst++ = static_cast<char>(palette.map.value(line[x] | 0xff000000u));
        }
        out.append(static_cast<char>(minCodeSize));
        putSubBlocks(out, compress(indices, minCodeSize));
    }
    out.append('\x3b');
    return out;
}

} // namespace vk::server
