#pragma once

// Presents a MemTable to Qt's item views. Detaching (setTable(nullptr)) lets a load refill the
// table without the views following every change; attaching again resets the views once.

#include "server/memtable.h"

#include <QAbstractTableModel>
#include <QLocale>

namespace vk {

class MemTableModel : public QAbstractTableModel, private MemTableListener {
    Q_OBJECT
public:
    // Extra roles: the raw cell value and the field name of a column.
    enum Roles { RawValueRole = Qt::UserRole + 1, FieldNameRole };

    explicit MemTableModel(QObject* parent = nullptr);
    ~MemTableModel() override;

    void setTable(MemTable* table);
    MemTable* table() const { return m_table; }
    void setLocale(const QLocale& locale);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

signals:
    void currentChanged(int row); // the table's current row moved

private:
    void tableAboutToBeReset() override;
    void tableReset() override;
    void rowsAboutToBeInserted(int first, int last) override;
    void rowsInserted() override;
    void rowsAboutToBeRemoved(int first, int last) override;
    void rowsRemoved() override;
    void cellChanged(int row, int column) override;
    void displayFormatChanged(int column) override;
    void currentRowChanged(int row) override;

    MemTable* m_table = nullptr;
    QLocale m_locale;
};

} // namespace vk
