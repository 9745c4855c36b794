#include "Slip.h"

#include "PrintFaces.h"

#include "datastore/Audit.h"
#include "datastore/NullFields.h"
#include "datastore/ShiftQueries.h"
#include "formkit/TextRules.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFont>
#include <QFontMetricsF>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>
#include <cmath>

namespace report {

namespace {
using Style = SlipLine::Style;

QString shiftText(int shift)
{
    return shift == 2   ? QCoreApplication::translate("report::Slip", "AM", "the morning shift")
           : shift == 3 ? QCoreApplication::translate("report::Slip", "PM", "the evening shift")
                        : QString();
}

QString markText(QChar mark)
{
    if (mark == QLatin1Char('M'))
        return QCoreApplication::translate("report::Slip", "manual weight");
    if (mark == QLatin1Char('C'))
        return QCoreApplication::translate("report::Slip", "corrected");
    return QString();
}

// Words laid into lines of at most `width` characters; a word longer than a line is cut.
QStringList wrapped(const QString& text, int width)
{
    QStringList lines;
    QString line;
    for (QString word : text.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        while (word.size() > width) {
            if (!line.isEmpty())
                lines << line;
            line.clear();
            lines << word.left(width);
            word = word.mid(width);
        }
        if (line.isEmpty())
            line = word;
        else if (line.size() + 1 + word.size() <= width)
            line += QLatin1Char(' ') + word;
        else {
            lines << line;
            line = word;
        }
    }
    if (!line.isEmpty() || lines.isEmpty())
        lines << line;
    return lines;
}

QString centred(const QString& text, int width)
{
    const int pad = qMax(0, (width - int(text.size())) / 2);
    return QString(pad, QLatin1Char(' ')) + text;
}
} // namespace

QVector<SlipLine> slipLines(const SlipFields& f)
{
    const auto text = [](const QString& label, const QString& value) {
        return SlipLine{Style::Text, label, value};
    };
    QVector<SlipLine> lines{{Style::Heading, f.company, {}}};
    if (!f.town.isEmpty())
        lines << SlipLine{Style::Heading, f.town, {}};
    lines << SlipLine{Style::Rule, {}, {}};
    lines << text(QCoreApplication::translate("report::Slip", "Date"),
                  formkit::dateText(f.date) + QLatin1Char(' ') + shiftText(f.shift));
    lines << text(QCoreApplication::translate("report::Slip", "Receipt No."),
                  QString::number(f.refNo));
    lines << text(QCoreApplication::translate("report::Slip", "Serial"), QString::number(f.serial));
    lines << text(QCoreApplication::translate("report::Slip", "Route"), f.route);
    lines << text(QCoreApplication::translate("report::Slip", "Village"),
                  f.villageCode + QLatin1Char(' ') + f.villageName);
    lines << text(QCoreApplication::translate("report::Slip", "Animal"), f.animal);
    lines << text(QCoreApplication::translate("report::Slip", "Milk Type"), f.milkType);
    lines << text(QCoreApplication::translate("report::Slip", "Cans"),
                  formkit::plainNumber(f.cans));
    lines << SlipLine{Style::Rule, {}, {}};
    lines << SlipLine{Style::Text, QCoreApplication::translate("report::Slip", "Weight"), {}};
    lines << SlipLine{Style::Large, formkit::shownWeight(f.weight), {}};
    if (!markText(f.mark).isEmpty())
        lines << SlipLine{Style::Heading, markText(f.mark), {}};
    lines << SlipLine{Style::Rule, {}, {}};
    lines << text(QCoreApplication::translate("report::Slip", "Time"), f.time);
    lines << text(QCoreApplication::translate("report::Slip", "Operator"), f.operatorName);
    return lines;
}

namespace {
// One slip line as text of `columns` characters; a large line counts double-width characters.
QStringList lineText(const SlipLine& line, int columns)
{
    QStringList out;
    switch (line.style) {
    case Style::Rule:
        out << QString(columns, QLatin1Char('-'));
        break;
    case Style::Heading:
        for (const QString& part : wrapped(line.left, columns))
            out << centred(part, columns);
        break;
    case Style::Large:
        for (const QString& part : wrapped(line.left, columns / 2))
            out << centred(part, columns / 2);
        break;
    case Style::Text: {
        const QString value = line.right.simplified();
        if (value.isEmpty()) {
            out << line.left;
            break;
        }
        if (line.left.size() + 1 + value.size() <= columns) {
            out << line.left +
                       QString(columns - line.left.size() - value.size(), QLatin1Char(' ')) + value;
            break;
        }
        out << line.left;
        for (const QString& part : wrapped(value, columns))
            out << QString(columns - part.size(), QLatin1Char(' ')) + part;
        break;
    }
    }
    return out;
}
} // namespace

QStringList slipText(const SlipFields& fields, int columns)
{
    QStringList out;
    for (const SlipLine& line : slipLines(fields))
        out << lineText(line, columns);
    return out;
}

namespace {
// The printer's own character set holds plain ASCII for sure: accents are dropped, anything
// else shows as '?'.
QByteArray printable(const QString& text)
{
    QByteArray bytes;
    for (const QChar c : text.normalized(QString::NormalizationForm_KD)) {
        if (c.unicode() < 0x80)
            bytes += char(c.unicode());
        else if (c.category() != QChar::Mark_NonSpacing)
            bytes += '?';
    }
    return bytes;
}

const QByteArray kInit("\x1b@", 2);
const QByteArray kCentre("\x1b"
                         "a\x01",
                         3);
const QByteArray kLeft("\x1b"
                       "a\x00",
                       3);
const QByteArray kBoldOn("\x1b"
                         "E\x01",
                         3);
const QByteArray kBoldOff("\x1b"
                          "E\x00",
                          3);
const QByteArray kDoubleSize("\x1d!\x11", 3);
const QByteArray kNormalSize("\x1d!\x00", 3);
const QByteArray kFeedAndCut("\x1b"
                             "d\x04\x1d"
                             "V\x01",
                             6);
} // namespace

namespace {
// Whether the printer's own character set shows the text (accents dropped, as printable does).
bool printableAsText(const QString& text)
{
    const QString plain = text.normalized(QString::NormalizationForm_KD);
    return std::all_of(plain.begin(), plain.end(), [](QChar c) {
        return c.unicode() < 0x80 || c.category() == QChar::Mark_NonSpacing;
    });
}

// The picture as GS v 0 commands, one dot a bit (1 black), in bands of at most 255 rows, which
// every receipt printer takes.
QByteArray rasterCommands(const QImage& image)
{
    const int bytesPerRow = (image.width() + 7) / 8;
    QByteArray bytes;
    for (int top = 0; top < image.height(); top += 255) {
        const int rows = std::min(255, image.height() - top);
        bytes += QByteArray("\x1dv0\x00", 4);
        bytes += char(bytesPerRow & 0xff);
        bytes += char(bytesPerRow >> 8);
        bytes += char(rows & 0xff);
        bytes += char(rows >> 8);
        for (int y = top; y < top + rows; ++y) {
            const uchar* line = image.constScanLine(y);
            for (int byte = 0; byte < bytesPerRow; ++byte) {
                uchar dots = 0;
                for (int bit = 0; bit < 8; ++bit) {
                    const int x = byte * 8 + bit;
                    if (x < image.width() && line[x] < 128)
                        dots |= uchar(0x80 >> bit);
                }
                bytes += char(dots);
            }
        }
    }
    return bytes;
}
} // namespace

QByteArray escPosSlip(const SlipFields& fields, int columns)
{
    // Text the printer's character set cannot show (a village named in Devanagari, a Hindi or
    // Marathi desk's words) goes as a picture of the slip, drawn as the PDF is.
    const QVector<SlipLine> lines = slipLines(fields);
    const bool asText = std::all_of(lines.begin(), lines.end(), [](const SlipLine& line) {
        return printableAsText(line.left) && printableAsText(line.right);
    });
    if (!asText)
        return kInit + rasterCommands(escPosSlipImage(fields, columns)) + kFeedAndCut;
    // The text layout decides the lines; the commands only say how each is printed. Centred
    // lines are centred by the printer itself, so their padding goes.
    QByteArray bytes = kInit;
    for (const SlipLine& line : lines) {
        const QStringList text = lineText(line, columns);
        switch (line.style) {
        case Style::Heading:
        case Style::Large:
            bytes += kCentre + (line.style == Style::Heading ? kBoldOn : kDoubleSize);
            for (const QString& part : text)
                bytes += printable(part.trimmed()) + '\n';
            bytes += (line.style == Style::Heading ? kBoldOff : kNormalSize) + kLeft;
            break;
        case Style::Rule:
        case Style::Text:
            for (const QString& part : text)
                bytes += printable(part) + '\n';
            break;
        }
    }
    return bytes + kFeedAndCut;
}

namespace {
constexpr double kMmPerPoint = 25.4 / 72.0;

// The type and margins of each paper, in points and millimetres.
struct PaperLook {
    double widthMm;
    double fixedHeightMm; // 0: as long as the slip
    double marginMm;
    double textPt;
    double headingPt;
    double largePt;
};

PaperLook lookOf(platform::SlipPaper paper)
{
    switch (paper) {
    case platform::SlipPaper::Roll58:
        return {58, 0, 3, 8, 9, 22};
    case platform::SlipPaper::A6:
        return {105, 148, 8, 10, 12, 30};
    case platform::SlipPaper::Roll80:
        break;
    }
    return {80, 0, 4, 10, 11, 28};
}

QFont slipFont(double points, bool bold)
{
    QFont font = printFace(QFont());
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

// A piece of text placed on the page (millimetres from the top left corner).
struct Placed {
    QRectF box;
    QString text;
    QFont font;
    int flags = 0;
    bool rule = false;
};

// Lays the slip out on a page of the paper's width; measured on the device it will be drawn on.
QVector<Placed> placeSlip(const SlipFields& fields, const PaperLook& look, QPaintDevice* device,
                          double* heightMm)
{
    const double mmPerPixel = 25.4 / device->logicalDpiX();
    const double width = look.widthMm - 2 * look.marginMm;
    double y = look.marginMm;
    QVector<Placed> placed;
    const auto place = [&](const QString& text, const QFont& shared, int flags) {
        const QFont font = printFace(shared, text);
        const QFontMetricsF metrics(font, device);
        const QRectF bounds = metrics.boundingRect(QRectF(0, 0, width / mmPerPixel, 1e6),
                                                   flags | Qt::TextWordWrap, text);
        const double height = qMax(bounds.height(), metrics.height()) * mmPerPixel;
        placed << Placed{QRectF(look.marginMm, y, width, height), text, font,
                         flags | Qt::TextWordWrap};
        return height;
    };
    for (const SlipLine& line : slipLines(fields)) {
        switch (line.style) {
        case Style::Rule:
            y += look.textPt * kMmPerPoint * 0.5;
            placed << Placed{QRectF(look.marginMm, y, width, 0), {}, {}, 0, true};
            y += look.textPt * kMmPerPoint * 0.5;
            break;
        case Style::Heading:
            y += place(line.left, slipFont(look.headingPt, true), Qt::AlignHCenter);
            break;
        case Style::Large: {
            QFont large = slipFont(look.largePt, true);
            const QFontMetricsF metrics(large, device);
            const double fits = width / (metrics.horizontalAdvance(line.left) * mmPerPixel);
            if (fits < 1)
                large.setPointSizeF(look.largePt * fits);
            y += place(line.left, large, Qt::AlignHCenter);
            break;
        }
        case Style::Text: {
            const QFont font = slipFont(look.textPt, false);
            const QFontMetricsF metrics(font, device);
            const double together =
                metrics.horizontalAdvance(line.left + QStringLiteral("  ") + line.right) *
                mmPerPixel;
            if (together <= width) {
                place(line.right, font, Qt::AlignRight);
                y += place(line.left, font, Qt::AlignLeft);
            } else {
                y += place(line.left, font, Qt::AlignLeft);
                y += place(line.right, font, Qt::AlignRight);
            }
            break;
        }
        }
    }
    *heightMm = y + look.marginMm;
    return placed;
}

// Draws what placeSlip laid out, on a device of that many pixels a millimetre.
void drawSlip(QPainter& painter, const QVector<Placed>& placed, double pixelsPerMm)
{
    painter.scale(pixelsPerMm, pixelsPerMm);
    for (const Placed& piece : placed) {
        if (piece.rule) {
            painter.setPen(QPen(Qt::black, 0.2));
            painter.drawLine(piece.box.topLeft(), piece.box.topRight());
            continue;
        }
        // The fonts were measured in device pixels: draw them unscaled, at the scaled place.
        painter.save();
        painter.scale(1 / pixelsPerMm, 1 / pixelsPerMm);
        painter.setFont(piece.font);
        const QRectF box(piece.box.topLeft() * pixelsPerMm, piece.box.size() * pixelsPerMm);
        painter.drawText(box, piece.flags, piece.text);
        painter.restore();
    }
}
} // namespace

QImage escPosSlipImage(const SlipFields& fields, int columns)
{
    // A receipt printer prints 8 dots a millimetre: 384 across a 58 mm roll (32 columns), 576
    // across an 80 mm one (48 columns).
    constexpr int kDotsPerMm = 8;
    const bool wide = columns >= 48;
    const PaperLook look{wide ? 72.0 : 48.0, 0, 1, wide ? 10.0 : 8.0, wide ? 11.0 : 9.0,
                         wide ? 28.0 : 22.0};
    const auto sized = [](int width, int height) {
        QImage image(width, height, QImage::Format_Grayscale8);
        image.setDotsPerMeterX(kDotsPerMm * 1000);
        image.setDotsPerMeterY(kDotsPerMm * 1000);
        image.fill(Qt::white);
        return image;
    };
    QImage measure = sized(int(look.widthMm) * kDotsPerMm, 1);
    double height = 0;
    const QVector<Placed> placed = placeSlip(fields, look, &measure, &height);
    QImage image = sized(measure.width(), int(std::ceil(height * kDotsPerMm)));
    QPainter painter(&image);
    drawSlip(painter, placed, kDotsPerMm);
    painter.end();
    return image;
}

QByteArray slipPdf(const SlipFields& fields, platform::SlipPaper paper)
{
    QByteArray pdf;
    QBuffer buffer(&pdf);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setResolution(300);
    writer.setTitle(QCoreApplication::translate("report::Slip", "Slip %1").arg(fields.refNo));
    writer.setCreator(QStringLiteral("Tarvolen"));
    const PaperLook look = lookOf(paper);
    double height = 0;
    const QVector<Placed> placed = placeSlip(fields, look, &writer, &height);
    if (look.fixedHeightMm > 0)
        height = look.fixedHeightMm;
    writer.setPageSize(QPageSize(QSizeF(look.widthMm, height), QPageSize::Millimeter,
                                 QStringLiteral("Slip"), QPageSize::ExactMatch));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));

    QPainter painter(&writer);
    drawSlip(painter, placed, writer.logicalDpiX() / 25.4);
    painter.end();
    return pdf;
}

datastore::Result<std::optional<SlipFields>> loadSlip(datastore::Connection& main,
                                                      datastore::Connection& companyYear,
                                                      const QString& company, qint64 refNo)
{
    const auto receipt = datastore::storedReceipt(companyYear, refNo);
    if (!receipt)
        return receipt.error();
    if (!*receipt)
        return std::optional<SlipFields>();
    const datastore::StoredReceipt& r = **receipt;
    SlipFields slip;
    auto heading = main.exec(
        QStringLiteral("Select ComName, Town from Years Where ComCode = ? order by Code Desc"),
        {company});
    if (!heading)
        return heading.error();
    if (heading->next()) {
        slip.company = datastore::Null_Str(heading->value(0));
        slip.town = datastore::Null_Str(heading->value(1));
    }
    slip.date = r.date;
    slip.shift = r.shift;
    slip.refNo = r.refNo;
    slip.serial = r.serial;
    slip.route = r.routeName;
    slip.villageCode = r.villageCode;
    slip.villageName = r.villageName;
    slip.animal = r.animalName;
    slip.milkType = r.milkTypeName;
    slip.cans = r.cans.toDouble();
    slip.weight = r.weight.toDouble();
    slip.time = r.collectionTime;
    slip.operatorName = r.userName;
    const auto marks = datastore::receiptMarks(companyYear, r.date, r.shift);
    if (!marks)
        return marks.error();
    slip.mark = marks->value(qint32(r.refNo));
    return std::optional<SlipFields>(slip);
}

} // namespace report
