#pragma once

#include "Slip.h"
#include "platform/DeskSettings.h"

#include <QString>
#include <QStringList>
#include <optional>

// Slips that have not reached the printer yet, kept on disk until they have: one file a slip in
// the desk's folder for them, so that closing the desk (or a power cut) loses none. The desk reads
// them back when it next opens its weighing window.
namespace report {

struct KeptSlip {
    SlipFields fields;
    // How far it went, and with which printer (printerKey): that only counts for the same one.
    QString printer;
    int queueJob = 0; // the print service's job, once handed to it
    int sent = 0;     // bytes a receipt printer has taken
};

// "queue:slips", "escpos:/dev/usb/lp0", "pdf-folder:/srv/slips".
QString printerKey(const platform::SlipPrinter& printer);

// Writes the slip's file whole or not at all; false when it cannot be written.
bool writeKeptSlip(const QString& file, const KeptSlip& slip);
// Nothing for a file that is not a kept slip (or cannot be read).
std::optional<KeptSlip> readKeptSlip(const QString& file);
// The kept slips' files in the folder, oldest first; they are numbered in the order kept.
QStringList keptSlipFiles(const QString& folder);
QString keptSlipFile(const QString& folder, int number);
int keptSlipNumber(const QString& file);

} // namespace report
