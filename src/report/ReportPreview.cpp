#include "ReportPreview.h"

#include "PageDrawer.h"
#include "ReportDocument.h"

#include <QCoreApplication>
#include <QPrintPreviewDialog>
#include <QPrinter>

namespace report {
namespace {
struct Text {
    Q_DECLARE_TR_FUNCTIONS(ReportPreview)
};
} // namespace

void previewShiftReport(const ShiftReport& report, QWidget* parent)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
    QPrintPreviewDialog preview(&printer, parent);
    preview.setObjectName(QStringLiteral("dlgShiftReport"));
    preview.setWindowTitle(Text::tr("Shift Report"));
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [&report](QPrinter* target) {
                         PageDrawer pages(target);
                         if (pages.isActive())
                             drawShiftReport(pages, report);
                     });
    preview.exec();
}

} // namespace report
