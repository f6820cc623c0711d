#pragma once
// Writes lists as Excel 97-2003 workbooks (.xls): BIFF8 records in a compound-file container.

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>

class QIODevice;

namespace vk::xls {

enum class CellKind { Text, Number, Date, DateTime };

struct Column {
    QString caption;
    CellKind kind = CellKind::Text;
};

// The rows to write; value() may return a null/invalid QVariant for an empty cell.
//
// What a value becomes, by the column's kind:
// - Number: int/double/qlonglong... as a number; a text only when it is a plain decimal
//   ("-12.5", not "1,5", "0012" or "1e5") of at most 15 digits. Integers of more than 15 digits,
//   NaN and infinities are written as text, so that no digit is lost or made up.
// - Date, DateTime: QDate or QDateTime (its own date and time, not converted), shown as
//   "dd.mm.yyyy" or "dd.mm.yyyy hh:mm:ss"; a Date cell keeps the time of a QDateTime in its value.
//   Dates before 1900-03-01 or after 9999 have no Excel date and are written as text in the
//   shown form.
// - Text, and anything the other kinds cannot take: the value as text, cut to 32,767 characters
//   (the most an Excel cell holds).
// Empty texts and invalid dates are empty cells.
class RowSource {
public:
    virtual ~RowSource() = default;
    virtual qsizetype rowCount() const = 0;
    virtual QVariant value(qsizetype row, int column) const = 0;
};

// Called now and then with the rows read so far and all rows; returning false cancels.
using Progress = std::function<bool(qsizetype done, qsizetype total)>;

enum class Outcome { Written, Cancelled };

constexpr int kMaxColumns = 256;
constexpr qsizetype kMaxSheetRows = 65536; // the header row included

// The names of the sheets of a list written under `given`: the first is `given` made valid (at
// most 31 characters, none of []:*?/\) or "Sayfa1"; further ones are "Sayfa2"... or "given (2)"...
QStringList sheetNames(const QString& given, int count);

// Writes the workbook to `device` (open for writing). The whole file is built before anything is
// written, so a cancelled export leaves the device as it was and returns Outcome::Cancelled.
// Rows beyond a sheet's 65,535 data rows go on to further sheets, each with the header row.
// Throws vk::Error for more than 256 columns or when the device does not take the bytes;
// exceptions of the source pass through.
Outcome writeWorkbook(QIODevice& device, const QList<Column>& columns, const RowSource& source,
                      const QString& sheetName = {}, const Progress& progress = {});

// The same into the file at `path`, which is replaced without asking. The file is written beside
// it and renamed over it only when complete: after a cancel or an error the old file (or none)
// is still there. Throws vk::Error with the reason when the file cannot be written.
Outcome saveWorkbook(const QString& path, const QList<Column>& columns, const RowSource& source,
                     const QString& sheetName = {}, const Progress& progress = {});

} // namespace vk::xls
