#include "PageDrawer.h"

#include "PrintFaces.h"

#include <QCoreApplication>
#include <QFile>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextLayout>
#include <algorithm>
#include <utility>

namespace report {
namespace {

constexpr double kPointSize = 8.5;
constexpr double kHeadingScale = 1.17;
constexpr double kTitleScale = 1.5;
const QColor kShade(0xe0, 0xe0, 0xe0);

struct Text {
    Q_DECLARE_TR_FUNCTIONS(PageDrawer)
};

bool hasScript(const QString& text, bool (*isIt)(QChar::Script))
{
    return std::any_of(text.begin(), text.end(), [isIt](QChar c) { return isIt(c.script()); });
}

// Letters of a script other than Latin; figures, blanks and signs belong to none.
bool hasOtherScript(const QString& text)
{
    return hasScript(text, [](QChar::Script s) { return s > QChar::Script_Latin; });
}

QFont reportFont(bool bold)
{
    QFont font = printFace(QFont());
    font.setPointSizeF(kPointSize);
    font.setBold(bold);
    // Letter spacing keeps the shaper from joining letters into ligatures ("ff" as one glyph),
    // so that text copied or extracted from the PDF reads as the names were stored.
    font.setLetterSpacing(QFont::AbsoluteSpacing, 0.1);
    return font;
}

QFont scaled(QFont font, double scale)
{
    font.setPointSizeF(font.pointSizeF() * scale);
    return font;
}

QPaintDevice* begun(QPainter* painter, QPagedPaintDevice* device)
{
    painter->begin(device);
    return device;
}

} // namespace

PageDrawer::PageDrawer(QPagedPaintDevice* device)
    : m_device(device), m_font(reportFont(false)), m_bold(reportFont(true)),
      m_metrics(m_font, begun(&m_painter, device)), m_boldMetrics(m_bold, device)
{
    m_width = device->width();
    m_height = device->height();
    m_pad = m_metrics.height() * 0.25;
    m_painter.setFont(m_font);
    QPen pen(Qt::black);
    pen.setWidthF(m_metrics.height() / 14);
    m_painter.setPen(pen);
}

PageDrawer::~PageDrawer()
{
    if (!m_painter.isActive())
        return;
    drawLead(0); // a preview's pages end here, without finish()
    m_painter.end();
}

void PageDrawer::makeRoom(double height)
{
    if (m_y + height <= m_height || m_y == 0)
        return;
    m_device->newPage();
    m_y = 0;
    if (!m_columns.isEmpty() && m_headingRow)
        drawHeadingRow();
}

void PageDrawer::textLine(const QString& text, const QFont& font, Qt::Alignment align)
{
    m_painter.setFont(printFace(font, text));
    const QRectF room(0, 0, m_width, 1e9);
    const double height =
        m_painter.boundingRect(room, int(align | Qt::TextWordWrap), text).height();
    m_painter.setFont(m_font);
    // A run of lines longer than a third of a page is no heading: it goes as it comes.
    if (m_leadHeight > m_height / 3)
        drawLead(0);
    m_lead.append({text, font, align, height, height + m_pad});
    m_leadHeight += height + m_pad;
}

void PageDrawer::drawLead(double following)
{
    makeRoom(m_leadHeight + following);
    for (const Lead& lead : std::exchange(m_lead, {})) {
        if (!lead.text.isEmpty()) {
            m_painter.setFont(printFace(lead.font, lead.text));
            m_painter.drawText(QRectF(0, m_y, m_width, lead.height),
                               int(lead.align | Qt::TextWordWrap), lead.text);
        }
        m_y += lead.advance;
    }
    m_leadHeight = 0;
    m_painter.setFont(m_font);
}

void PageDrawer::title(const QString& text)
{
    textLine(text, scaled(m_bold, kTitleScale), Qt::AlignHCenter);
}

void PageDrawer::centred(const QString& text, bool bold)
{
    textLine(text, bold ? scaled(m_bold, kHeadingScale) : m_font, Qt::AlignHCenter);
}

void PageDrawer::heading(const QString& text)
{
    gap();
    textLine(text, scaled(m_bold, kHeadingScale), Qt::AlignLeft);
}

void PageDrawer::line(const QString& text)
{
    textLine(text, m_font, Qt::AlignLeft);
}

void PageDrawer::gap()
{
    const double gap = m_metrics.height() / 2;
    m_lead.append({QString(), m_font, Qt::AlignLeft, 0, gap});
    m_leadHeight += gap;
}

void PageDrawer::beginTable(const QVector<TableColumn>& columns, bool headingRow)
{
    m_columns = columns;
    double shares = 0;
    for (const TableColumn& column : columns)
        shares += column.width;
    m_left = {0};
    for (const TableColumn& column : columns)
        m_left << m_left.last() + m_width * column.width / shares;
    m_headingRow = headingRow;
    m_tableStarted = false;
}

void PageDrawer::startTable(double firstRow)
{
    m_tableStarted = true;
    const double heading = m_headingRow ? headingHeight() : 0;
    // Drawn after the lines before it, not atop the page they may move to.
    const bool headingRow = std::exchange(m_headingRow, false);
    drawLead(heading + firstRow);
    m_headingRow = headingRow;
    if (m_headingRow)
        drawHeadingRow();
}

double PageDrawer::headingHeight() const
{
    double height = 0;
    for (int c = 0; c < m_columns.size(); ++c)
        height =
            std::max(height, cellHeight(m_columns[c].heading, m_left[c + 1] - m_left[c], true));
    return height;
}

void PageDrawer::drawHeadingRow()
{
    const double height = headingHeight();
    QVector<int> edges;
    for (int c = 0; c < m_columns.size(); ++c) {
        drawCell(QRectF(m_left[c], m_y, m_left[c + 1] - m_left[c], height), m_columns[c].heading,
                 Qt::AlignHCenter, true, true);
        edges << c;
    }
    drawRules(edges << m_columns.size(), height);
    m_y += height;
}

double PageDrawer::cellHeight(const QString& text, double width, bool bold) const
{
    const QFontMetricsF& metrics = bold ? m_boldMetrics : m_metrics;
    const double inner = width - 2 * m_pad;
    if (hasOtherScript(text)) {
        QTextLayout layout(text, printFace(bold ? m_bold : m_font, text), m_device);
        return layOut(&layout, inner, Qt::AlignLeft, bold) + 2 * m_pad;
    }
    // Short texts (numbers, codes) fit by their length alone, without being shaped twice.
    if (text.size() * metrics.maxWidth() <= inner || metrics.horizontalAdvance(text) <= inner)
        return metrics.height() + 2 * m_pad;
    return metrics.boundingRect(QRectF(0, 0, inner, 1e9), Qt::TextWordWrap, text).height() +
           2 * m_pad;
}

// A line stands as high as the fonts of its letters reach. Devanagari alone (a village's name,
// a Hindi heading) reaches less high than Latin letters and figures, and would ride above the
// numbers of its row: its first line is moved down onto theirs. The height the lines take.
double PageDrawer::layOut(QTextLayout* layout, double width, Qt::Alignment align, bool bold) const
{
    QTextOption option(align & Qt::AlignHorizontal_Mask);
    option.setWrapMode(QTextOption::WordWrap);
    layout->setTextOption(option);
    layout->beginLayout();
    double y = 0;
    for (QTextLine line = layout->createLine(); line.isValid(); line = layout->createLine()) {
        line.setLineWidth(width);
        if (line.lineNumber() == 0)
            y = std::max(0.0, (bold ? m_boldMetrics : m_metrics).ascent() - line.ascent());
        line.setPosition(QPointF(0, y));
        y += line.height();
    }
    layout->endLayout();
    return y;
}

void PageDrawer::drawCell(const QRectF& cell, const QString& text, Qt::Alignment align, bool bold,
                          bool shaded)
{
    if (shaded)
        m_painter.fillRect(cell, kShade);
    if (text.isEmpty())
        return;
    const QRectF room = cell.adjusted(m_pad, m_pad, -m_pad, -m_pad);
    if (hasOtherScript(text)) {
        QTextLayout layout(text, printFace(bold ? m_bold : m_font, text), m_device);
        layOut(&layout, room.width(), align, bold);
        layout.draw(&m_painter, room.topLeft());
        return;
    }
    if (bold)
        m_painter.setFont(m_bold);
    m_painter.drawText(room, int(align | Qt::AlignTop | Qt::TextWordWrap), text);
    if (bold)
        m_painter.setFont(m_font);
}

// A row's lines in one go: its top and bottom and the edge of each cell (one by one, the
// rectangles cost more than the text).
void PageDrawer::drawRules(const QVector<int>& edges, double height)
{
    QVector<QLineF> rules{QLineF(m_left.first(), m_y, m_left.last(), m_y),
                          QLineF(m_left.first(), m_y + height, m_left.last(), m_y + height)};
    for (int edge : edges)
        rules << QLineF(m_left[edge], m_y, m_left[edge], m_y + height);
    m_painter.drawLines(rules);
}

void PageDrawer::row(const QStringList& cells, bool bold, int firstSpan)
{
    // Cell i covers columns [edge[i], edge[i + 1]).
    QVector<int> edge{0, std::min<int>(firstSpan, m_columns.size())};
    while (edge.last() < m_columns.size())
        edge << edge.last() + 1; // cells left out are drawn empty
    double height = 0;
    for (int i = 0; i + 1 < edge.size(); ++i)
        height = std::max(height,
                          cellHeight(cells.value(i), m_left[edge[i + 1]] - m_left[edge[i]], bold));
    if (m_tableStarted)
        makeRoom(height);
    else
        startTable(height);
    for (int i = 0; i + 1 < edge.size(); ++i)
        drawCell(QRectF(m_left[edge[i]], m_y, m_left[edge[i + 1]] - m_left[edge[i]], height),
                 cells.value(i), m_columns[edge[i]].align, bold, false);
    drawRules(edge, height);
    m_y += height;
}

void PageDrawer::endTable()
{
    if (!m_tableStarted)
        startTable(0); // a table without rows still shows its heading row
    m_columns.clear();
    m_y += m_pad;
}

bool PageDrawer::finish()
{
    drawLead(0);
    return m_painter.end();
}

bool writePdf(const QString& file, const QString& title,
              const std::function<void(PageDrawer&)>& draw, QString* error)
{
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        *error = Text::tr("cannot write %1: %2").arg(file, out.errorString());
        return false;
    }
    bool drawn = false;
    {
        QPdfWriter writer(&out);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
        writer.setTitle(title);
        PageDrawer drawer(&writer);
        if (drawer.isActive()) {
            draw(drawer);
            drawn = drawer.finish();
        }
    }
    out.close();
    if (!drawn || out.error() != QFileDevice::NoError || QFile(file).size() == 0) {
        *error = Text::tr("cannot write %1: %2").arg(file, out.errorString());
        return false;
    }
    return true;
}

} // namespace report
