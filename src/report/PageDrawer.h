#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QString>
#include <QStringList>
#include <QVector>
#include <functional>

class QPagedPaintDevice;
class QTextLayout;

// Draws a report straight onto pages (a PDF writer, a printer, the print preview) from top to
// bottom: headings, lines of text and tables whose heading row is drawn again atop every page a
// table runs onto. The lines before a table (a heading, a caption) go onto the page together
// with its heading row and first row, so that none is left alone at the foot of a page. Laying
// text out as rich text took a second for a report of two thousand receipts; placing each cell
// costs next to nothing.
namespace report {

struct TableColumn {
    QString heading;
    double width = 1; // a share of the page's width, against the other columns' shares
    Qt::Alignment align = Qt::AlignLeft;
};

class PageDrawer {
public:
    // Draws on the device from its first page on; the device's own margins are kept.
    explicit PageDrawer(QPagedPaintDevice* device);
    ~PageDrawer();
    PageDrawer(const PageDrawer&) = delete;
    PageDrawer& operator=(const PageDrawer&) = delete;

    bool isActive() const { return m_painter.isActive(); }

    void title(const QString& text);                      // large, bold, centred
    void centred(const QString& text, bool bold = false); // a centred line
    void heading(const QString& text);                    // bold, a little larger
    void line(const QString& text);                       // a plain line, wrapped if long
    void gap();                                           // half a line of space

    // With headingRow false the table starts without its heading row (a line of totals).
    void beginTable(const QVector<TableColumn>& columns, bool headingRow = true);
    // One row; its first cell spans firstSpan columns. Long texts wrap within their cell.
    void row(const QStringList& cells, bool bold = false, int firstSpan = 1);
    void endTable();

    // Ends the last page; false when the device could not be written.
    bool finish();

private:
    double cellHeight(const QString& text, double width, bool bold) const;
    double layOut(QTextLayout* layout, double width, Qt::Alignment align, bool bold) const;
    void drawCell(const QRectF& cell, const QString& text, Qt::Alignment align, bool bold,
                  bool shaded);
    double headingHeight() const;
    void drawHeadingRow();
    void drawRules(const QVector<int>& edges, double height);
    void makeRoom(double height);
    void textLine(const QString& text, const QFont& font, Qt::Alignment align);
    // Draws the lines held for what follows, with room for that after them (following).
    void drawLead(double following);
    // The lines before the table and its heading row, with room for its first row after them.
    void startTable(double firstRow);

    // A line, or a gap (no text), held until what follows it is drawn.
    struct Lead {
        QString text;
        QFont font;
        Qt::Alignment align;
        double height = 0;
        double advance = 0;
    };

    QPainter m_painter;
    QPagedPaintDevice* m_device;
    QFont m_font;
    QFont m_bold;
    QFontMetricsF m_metrics;
    QFontMetricsF m_boldMetrics;
    double m_width = 0;
    double m_height = 0;
    double m_y = 0;
    double m_pad = 0;
    QVector<TableColumn> m_columns;
    bool m_headingRow = true;
    bool m_tableStarted = false; // its heading row, if any, and a row have been drawn
    QVector<Lead> m_lead;
    double m_leadHeight = 0;
    QVector<double> m_left; // each column's left edge, and the table's right edge last
};

// Writes a PDF file of A4 pages drawn by draw. False with the reason in *error.
bool writePdf(const QString& file, const QString& title,
              const std::function<void(PageDrawer&)>& draw, QString* error);

} // namespace report
