#include "ReportPreview.h"

#include "ReportDocument.h"

#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTextDocument>

namespace report {

void previewShiftReport(const ShiftReport& report, QWidget* parent)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    QTextDocument document;
    fillDocument(&document, report);
    QPrintPreviewDialog preview(&printer, parent);
    preview.setObjectName(QStringLiteral("dlgShiftReport"));
    preview.setWindowTitle(QStringLiteral("Shift Report"));
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [&document](QPrinter* target) { document.print(target); });
    preview.exec();
}

} // namespace report
