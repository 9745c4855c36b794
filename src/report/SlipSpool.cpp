#include "SlipSpool.h"

#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace report {

namespace {
const QByteArray kMagic("tarvolen kept slip");
constexpr quint32 kFormat = 1;
constexpr QDataStream::Version kStreamVersion = QDataStream::Qt_6_0;
const QString kSuffix = QStringLiteral(".slip");

QDataStream& operator<<(QDataStream& out, const SlipFields& f)
{
    return out << f.company << f.town << f.date << qint32(f.shift) << f.refNo << f.serial << f.route
               << f.villageCode << f.villageName << f.animal << f.milkType << f.cans << f.weight
               << f.time << f.operatorName << f.mark;
}

QDataStream& operator>>(QDataStream& in, SlipFields& f)
{
    qint32 shift = 0;
    in >> f.company >> f.town >> f.date >> shift >> f.refNo >> f.serial >> f.route >>
        f.villageCode >> f.villageName >> f.animal >> f.milkType >> f.cans >> f.weight >> f.time >>
        f.operatorName >> f.mark;
    f.shift = shift;
    return in;
}
} // namespace

QString printerKey(const platform::SlipPrinter& printer)
{
    switch (printer.kind) {
    case platform::SlipPrinter::Kind::Queue:
        return QStringLiteral("queue:") + printer.target;
    case platform::SlipPrinter::Kind::EscPos:
        return QStringLiteral("escpos:") + printer.target;
    case platform::SlipPrinter::Kind::PdfFolder:
        return QStringLiteral("pdf-folder:") + printer.target;
    case platform::SlipPrinter::Kind::Off:
        break;
    }
    return QString();
}

bool writeKeptSlip(const QString& file, const KeptSlip& slip)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(kStreamVersion);
    out << kMagic << kFormat << slip.printer << qint32(slip.queueJob) << qint32(slip.sent)
        << slip.fields;
    QSaveFile save(file);
    return QDir().mkpath(QFileInfo(file).path()) && save.open(QIODevice::WriteOnly) &&
           save.write(bytes) == bytes.size() && save.commit();
}

std::optional<KeptSlip> readKeptSlip(const QString& file)
{
    QFile kept(file);
    if (!kept.open(QIODevice::ReadOnly))
        return std::nullopt;
    QDataStream in(&kept);
    in.setVersion(kStreamVersion);
    QByteArray magic;
    quint32 format = 0;
    qint32 queueJob = 0, sent = 0;
    KeptSlip slip;
    in >> magic >> format;
    if (magic != kMagic || format != kFormat)
        return std::nullopt;
    in >> slip.printer >> queueJob >> sent >> slip.fields;
    if (in.status() != QDataStream::Ok)
        return std::nullopt;
    slip.queueJob = queueJob;
    slip.sent = sent;
    return slip;
}

QStringList keptSlipFiles(const QString& folder)
{
    const QDir dir(folder);
    QStringList files = dir.entryList({QStringLiteral("*") + kSuffix}, QDir::Files, QDir::Name);
    for (QString& file : files)
        file = dir.filePath(file);
    return files;
}

QString keptSlipFile(const QString& folder, int number)
{
    return QDir(folder).filePath(QStringLiteral("%1").arg(number, 8, 10, QLatin1Char('0')) +
                                 kSuffix);
}

int keptSlipNumber(const QString& file)
{
    return QFileInfo(file).completeBaseName().toInt();
}

} // namespace report
