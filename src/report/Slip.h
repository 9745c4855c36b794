#pragma once

#include "datastore/Connection.h"
#include "platform/DeskSettings.h"

#include <QByteArray>
#include <QChar>
#include <QDate>
#include <QImage>
#include <QString>
#include <QVector>
#include <optional>

class QPainter;

// The slip a supplier takes home from the weighing: one receipt, as it was stored.
namespace report {

struct SlipFields {
    QString company;
    QString town;
    QDate date;
    int shift = 0; // 2 AM, 3 PM
    qint64 refNo = 0;
    qint64 serial = 0; // DlySlNo
    QString route;
    QString villageCode;
    QString villageName;
    QString animal;
    QString milkType;
    double cans = 0;
    double weight = 0;
    QString time; // as stored, "02:30:05 PM"
    QString operatorName;
    QChar mark; // 'M' manual weight, 'C' corrected, else none
};

// One line of the slip: a heading, the weight in large print, a rule, or a label with its value.
struct SlipLine {
    enum class Style { Heading, Text, Large, Rule };
    Style style = Style::Text;
    QString left;
    QString right;
};

// The slip's lines in print order, whatever it is printed on.
QVector<SlipLine> slipLines(const SlipFields& fields);
// The slip as plain text lines of `columns` characters (a label at the left, its value at the
// right; a value that does not fit goes on the line below). Large lines are laid out at double
// width, so they hold columns / 2 characters.
QStringList slipText(const SlipFields& fields, int columns);
// The bytes a receipt printer speaking ESC/POS prints the slip from, ending with a cut: text in
// the printer's own characters, or, when the slip holds letters those lack, its picture.
QByteArray escPosSlip(const SlipFields& fields, int columns);
// The slip as a receipt printer's picture: 384 dots across for 32 columns, 576 for 48.
QImage escPosSlipImage(const SlipFields& fields, int columns);

// The slip as a one-page PDF on that paper: a roll's width and the height its lines take, or A6.
QByteArray slipPdf(const SlipFields& fields, platform::SlipPaper paper);

// The stored receipt's slip: its row and masters from the company year, the company's name and
// town from the main database. Nothing when there is no such receipt.
datastore::Result<std::optional<SlipFields>> loadSlip(datastore::Connection& main,
                                                       datastore::Connection& companyYear,
                                                       const QString& company, qint64 refNo);

} // namespace report
