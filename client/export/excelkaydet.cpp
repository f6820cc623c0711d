#include "export/excelkaydet.h"

#include "server/memtable.h"
#include "widgets/datagrid.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QProgressDialog>
#include <QTableView>

namespace vk {

namespace {

SaveFileChooser& chooser() {
    static SaveFileChooser c;
    return c;
}

QString askForFile(QWidget* parent) {
    if (chooser())
        return chooser()(parent);
    return QFileDialog::getSaveFileName(parent, QStringLiteral("Excel Kaydet"), QString(),
                                        QStringLiteral("Excel (*.xls*)"), nullptr,
                                        QFileDialog::DontConfirmOverwrite);
}

xls::CellKind kindOf(FieldType type) {
    switch (type) {
    case FieldType::Integer:
    case FieldType::LargeInt:
    case FieldType::Float:
        return xls::CellKind::Number;
    case FieldType::Date:
        return xls::CellKind::Date;
    case FieldType::DateTime:
        return xls::CellKind::DateTime;
    case FieldType::String:
    case FieldType::Boolean:
    case FieldType::Time:
    case FieldType::Blob:
        break;
    }
    return xls::CellKind::Text;
}

// One exported column: a table field read as a value, or a drawn column read as its text.
struct Source {
    int field = -1;
    std::function<QString(int)> text;
};

class GridRows final : public xls::RowSource {
public:
    GridRows(const MemTable* table, QList<int> rows, QList<Source> sources)
        : m_table(table), m_rows(std::move(rows)), m_sources(std::move(sources)) {}
    qsizetype rowCount() const override { return m_rows.size(); }
    QVariant value(qsizetype row, int column) const override {
        const Source& s = m_sources[column];
        const int tableRow = m_rows[row];
        if (s.field >= 0)
            return m_table->value(tableRow, s.field);
        return s.text ? QVariant(s.text(tableRow)) : QVariant();
    }

private:
    const MemTable* m_table;
    QList<int> m_rows;
    QList<Source> m_sources;
};

} // namespace

QString xlsFileName(const QString& chosen) {
    const QFileInfo info(chosen);
    const QString name = info.fileName();
    const qsizetype dot = name.lastIndexOf(u'.');
    const QString base = dot > 0 ? name.left(dot) : name;
    const QString dir = chosen.left(chosen.size() - name.size());
    return dir + base + QStringLiteral(".xls");
}

xls::Outcome exportGrid(const DataGrid& grid, const QString& path, const xls::Progress& progress) {
    const MemTable* table = grid.table();
    QList<xls::Column> columns;
    QList<Source> sources;
    const QHeaderView* header = grid.view()->horizontalHeader();
    for (int visual = 0; visual < header->count(); ++visual) {
        const int logical = header->logicalIndex(visual);
        if (logical < 0 || logical >= grid.columnCount() || header->isSectionHidden(logical))
            continue;
        const GridColumn& c = grid.column(logical);
        Source s;
        xls::CellKind kind = xls::CellKind::Text;
        s.field = table && !c.field.isEmpty() ? table->fieldIndex(c.field) : -1;
        if (s.field >= 0)
            kind = kindOf(table->field(s.field).type);
        else if (c.text)
            s.text = c.text;
        columns.append({c.caption.isNull() ? c.field : c.caption, kind});
        sources.append(std::move(s));
    }
    const GridRows rows(table, table ? grid.shownRows() : QList<int>(), std::move(sources));
    return xls::saveWorkbook(path, columns, rows, {}, progress);
}

SaveFileChooser setSaveFileChooser(SaveFileChooser c) {
    SaveFileChooser previous = std::move(chooser());
    chooser() = std::move(c);
    return previous;
}

} // namespace vk

void ExcelKaydet(vk::DataGrid* grid) {
    const QString chosen = vk::askForFile(grid->window());
    if (chosen.isEmpty())
        return;
    const QString path = vk::xlsFileName(chosen);

    QProgressDialog dialog(QStringLiteral("Excel dosyası yazılıyor..."), QStringLiteral("İptal"),
                           0, 1000, grid->window());
    dialog.setWindowTitle(QStringLiteral("Excel Kaydet"));
    dialog.setWindowModality(Qt::WindowModal);
    dialog.setMinimumDuration(400);
    dialog.setAutoReset(false);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    struct RestoreCursor {
        ~RestoreCursor() { QApplication::restoreOverrideCursor(); }
    } restore;
    vk::exportGrid(*grid, path, [&dialog](qsizetype done, qsizetype total) {
        dialog.setValue(total > 0 ? int(done * 1000 / total) : 0);
        QCoreApplication::processEvents(); // the window-modal dialog takes the only clicks
        return !dialog.wasCanceled();
    });
}
