// Decoding a table reply of 10,000 rows x 40 mixed columns into an in-memory table, against a
// bare QJsonDocument::fromJson of the same bytes. Prints rows per second and the ratio.

#include "server/memtable.h"
#include "server/methodcatalogue.h"
#include "server/servercommand.h"
#include "server/tabledata.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QJsonDocument>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

using vk::FieldType;

// 40 columns: codes and names (text), numbers of three kinds, flags and dates, as stock lists have.
vk::TableData makeTable(int rows) {
    const FieldType kinds[] = {FieldType::Integer, FieldType::String, FieldType::String,
                               FieldType::Float,   FieldType::Float,  FieldType::String,
                               FieldType::Integer, FieldType::Float,  FieldType::Boolean,
                               FieldType::String};
    const char* const names[] = {"FREN BALATASI ÖN",   "YAĞ FİLTRESİ",      "TRİGER SETİ",
                                 "AMORTİSÖR ARKA SOL", "SİLECEK SÜPÜRGESİ", "BUJİ TAKIMI",
                                 "DEBRİYAJ SETİ",      "ŞANZIMAN YAĞI"};
    vk::TableData t;
    for (int c = 0; c < 40; ++c) {
        FieldType k = kinds[c % 10];
        if (c == 37)
            k = FieldType::DateTime;
        if (c == 38)
            k = FieldType::Date;
        if (c == 39)
            k = FieldType::LargeInt;
        t.fields.append(vk::FieldDef::make(QStringLiteral("KOLON%1").arg(c), k, 40));
    }
    t.columns.resize(40);
    const QDateTime base(QDate(2026, 1, 1), QTime(8, 0), Qt::UTC);
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < 40; ++c) {
            QVariant v;
            switch (t.fields[c].type) {
            case FieldType::Integer:
                v = r * 7 + c;
                break;
            case FieldType::LargeInt:
                v = qint64(r) * 100003;
                break;
            case FieldType::Float:
                v = (r % 997) * 1.25 + c / 8.0;
                break;
            case FieldType::Boolean:
                v = (r + c) % 3 == 0;
                break;
            case FieldType::DateTime:
                v = base.addSecs(qint64(r) * 97);
                break;
            case FieldType::Date:
                v = base.date().addDays(r % 400);
                break;
            default:
                v = c % 5 == 1 ? QStringLiteral("%1-%2").arg(r + 10000).arg(c)
                               : QString::fromUtf8(names[(r + c) % 8]);
            }
            t.columns[c].append(v);
        }
    }
    t.rowCount = rows;
    return t;
}

template <class F> double medianMs(int runs, F&& f) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        f();
        times.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

int main() {
    constexpr int kRows = 10000;
    const vk::TableData table = makeTable(kRows);
    vk::JsonWriter w(8 << 20);
    w.beginObject();
    w.key("result");
    w.beginArray();
    vk::encodeTable(w, table);
    w.endArray();
    w.endObject();
    const QByteArray reply = w.take();

    const vk::MethodSpec& spec = vk::methodSpec(vk::MethodId::StokAraGetir);
    const int runs = 15;
    const double bare = medianMs(runs, [&] {
        const QJsonDocument d = QJsonDocument::fromJson(reply);
        if (d.isNull())
            std::abort();
    });
    vk::MemTable target;
    const double full = medianMs(runs, [&] {
        auto outputs = vk::decodeReply(spec, 200, reply);
        vk::loadFromDataPacket(target,
                               vk::DataPacket(std::get<vk::TablePtr>(outputs.back().second)));
    });
    if (target.recordCount() != kRows || target.fieldCount() != 40)
        std::abort();

    std::printf("table reply: %d rows x 40 columns, %.1f MB\n", kRows, reply.size() / 1e6);
    std::printf("QJsonDocument::fromJson only : %8.1f ms\n", bare);
    std::printf("decode into MemTable         : %8.1f ms  (%.0f rows/s)\n", full,
                kRows / (full / 1000));
    std::printf("ratio decode / parse         : %8.2f  (target <= 3)\n", full / bare);
    return 0;
}
