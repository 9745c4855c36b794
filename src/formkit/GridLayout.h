#pragma once

#include <QList>
#include <QString>
#include <Qt>

class QTableWidget;

namespace formkit {

// One column of a grid layout string such as "^SNo.  |<Village Code   |>Weight   ": the mark
// sets the alignment ("^" centre, "<" left, ">" right), the text is the header, and the text
// with its trailing blanks sets the width in the grid's font.
struct GridColumn {
    QString header;
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
    QString widthText;
};

QList<GridColumn> parseGridLayout(const QString& layout);
// Header texts, alignments and widths of the grid from a layout string. With a translation
// context the headers are shown translated in it, the widths kept as the English texts set them
// (the caller lists the headers for the translators with QT_TRANSLATE_NOOP).
void applyGridLayout(QTableWidget* grid, const QString& layout,
                     const char* headingContext = nullptr);
// Sets a cell's text with its column's alignment; rows and columns must exist.
void setGridCell(QTableWidget* grid, int row, int column, const QString& text);

} // namespace formkit
