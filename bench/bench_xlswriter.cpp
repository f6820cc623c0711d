// Exporting a list of 50,000 rows x 20 columns (texts, numbers, dates) as an Excel 97-2003
// workbook, into memory, into a file, and from a grid over an in-memory table the way "Excel
// Kaydet" does. Prints seconds and bytes.

#include "export/excelkaydet.h"
#include "export/xlswriter.h"
#include "server/memtable.h"
#include "widgets/datagrid.h"

#include <QApplication>

#include <QBuffer>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

using vk::xls::CellKind;

// 8 text columns (names repeat, codes do not), 8 numbers, 2 dates, 2 date-times; made up front,
// as the client exports from a table it already holds.
class StockGrid : public vk::xls::RowSource {
public:
    explicit StockGrid(qsizetype rows) {
        static const char* const names[] = {
            "FREN BALATASI ÖN",  "YAĞ FİLTRESİ", "TRİGER SETİ",   "AMORTİSÖR ARKA SOL",
            "SİLECEK SÜPÜRGESİ", "BUJİ TAKIMI",  "DEBRİYAJ SETİ", "ŞANZIMAN YAĞI"};
        const QDateTime base(QDate(2026, 1, 1), QTime(8, 0));
        m_cells.reserve(rows * kColumns);
        for (qsizetype row = 0; row < rows; ++row) {
            for (int column = 0; column < kColumns; ++column) {
                QVariant v;
                if (column < 8)
                    v = column % 2 == 0 ? QStringLiteral("%1-%2").arg(row + 100000).arg(column)
                                        : QString::fromUtf8(names[(row + column) % 8]);
                else if (column < 16)
                    v = column % 2 ? QVariant(qlonglong(row) * 7 + column)
                                   : QVariant((row % 997) * 1.25 + column / 8.0);
                else if (column < 18)
                    v = base.date().addDays(row % 400);
                else
                    v = base.addSecs(qint64(row) * 97);
                m_cells.push_back(std::move(v));
            }
        }
    }

    static QList<vk::xls::Column> columns() {
        QList<vk::xls::Column> c;
        for (int i = 0; i < kColumns; ++i) {
            const CellKind k = i < 8    ? CellKind::Text
                               : i < 16 ? CellKind::Number
                               : i < 18 ? CellKind::Date
                                        : CellKind::DateTime;
            c.append({QStringLiteral("KOLON %1").arg(i + 1), k});
        }
        return c;
    }

    qsizetype rowCount() const override { return qsizetype(m_cells.size()) / kColumns; }

    QVariant value(qsizetype row, int column) const override {
        return m_cells[size_t(row * kColumns + column)];
    }

private:
    static constexpr int kColumns = 20;
    std::vector<QVariant> m_cells;
};

template <class F> double medianSeconds(int runs, F&& f) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        f();
        times.push_back(timer.nsecsElapsed() / 1e9);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    constexpr qsizetype kRows = 50000;
    const StockGrid grid(kRows);
    const QList<vk::xls::Column> columns = StockGrid::columns();
    const int runs = 3;

    qsizetype memoryBytes = 0;
    const double inMemory = medianSeconds(runs, [&] {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        vk::xls::writeWorkbook(buffer, columns, grid);
        memoryBytes = buffer.size();
    });

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("liste.xls"));
    const double toFile = medianSeconds(runs, [&] { vk::xls::saveWorkbook(path, columns, grid); });

    // The same cells in a table shown by the grid every list uses.
    vk::MemTable table;
    QList<vk::FieldDef> fields;
    QList<vk::GridColumn> gridColumns;
    for (int i = 0; i < columns.size(); ++i) {
        const CellKind k = columns[i].kind;
        const vk::FieldType t = k == CellKind::Text     ? vk::FieldType::String
                                : k == CellKind::Number ? vk::FieldType::Float
                                : k == CellKind::Date   ? vk::FieldType::Date
                                                        : vk::FieldType::DateTime;
        const QString name = QStringLiteral("F%1").arg(i);
        fields.append(vk::FieldDef::make(name, t));
        vk::GridColumn c;
        c.field = name;
        c.caption = columns[i].caption;
        gridColumns.append(c);
    }
    table.defineFields(fields);
    for (qsizetype row = 0; row < kRows; ++row) {
        QVariantList values;
        for (int i = 0; i < columns.size(); ++i)
            values.append(grid.value(row, i));
        table.appendRow(values);
    }
    vk::DataGrid dataGrid;
    dataGrid.setColumns(gridColumns);
    dataGrid.setTable(&table);
    const QString gridPath = dir.filePath(QStringLiteral("grid.xls"));
    const double fromGrid = medianSeconds(runs, [&] { vk::exportGrid(dataGrid, gridPath); });

    std::printf("xls export: %lld rows x %lld columns (8 text, 8 number, 2 date, 2 date-time)\n",
                qlonglong(kRows), qlonglong(columns.size()));
    std::printf("into memory : %7.3f s  %10lld bytes  (%.0f rows/s)\n", inMemory,
                qlonglong(memoryBytes), kRows / inMemory);
    std::printf("into a file : %7.3f s  %10lld bytes  (%.0f rows/s)\n", toFile,
                qlonglong(QFileInfo(path).size()), kRows / toFile);
    std::printf("from a grid : %7.3f s  %10lld bytes  (%.0f rows/s; %.2f x into a file)\n",
                fromGrid, qlonglong(QFileInfo(gridPath).size()), kRows / fromGrid,
                fromGrid / toFile);
    return 0;
}
