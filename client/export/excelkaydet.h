#pragma once

// "Excel Kaydet" of every list: the grid's rows as they are shown (sorted and filtered, all of
// them, not only those on screen), its shown columns in display order, typed cells, into an .xls
// file the user names.

#include "export/xlswriter.h"

#include <QString>

#include <functional>

class QWidget;

namespace vk {
class DataGrid;

// The name the file is saved under: the chosen name's extension replaced by ".xls" (added when
// there is none; "liste.xlsx" becomes "liste.xls").
QString xlsFileName(const QString& chosen);

// Writes the grid into the file at path (replaced without asking, never left half written).
xls::Outcome exportGrid(const DataGrid& grid, const QString& path,
                        const xls::Progress& progress = {});

// Asks for the file (the save dialog unless replaced; empty: cancelled). Returns the previous one.
using SaveFileChooser = std::function<QString(QWidget* parent)>;
SaveFileChooser setSaveFileChooser(SaveFileChooser chooser);

} // namespace vk

// Asks for a file name and saves the grid there, with progress shown for long lists. A failure
// raises vk::Error with its reason (the general error display shows it).
void ExcelKaydet(vk::DataGrid* grid);
