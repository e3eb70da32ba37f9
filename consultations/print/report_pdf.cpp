#include "consultations/print/report_pdf.h"

#include "base/errors.h"
#include "consultations/print/report_document.h"
#include "display/picture_output.h"

#include <QFile>
#include <QPdfWriter>

namespace qv::consultations {

void writeReportPdf(const ReportContent& report, const ChartState& natal, const OrbTable& orbs, const std::string& file) {
    draw::ensureGuiApplication();
    const QString name = QString::fromLocal8Bit(file.c_str());
    {
        QPdfWriter pdf(name);
        pdf.setResolution(300);
        pdf.setCreator(QStringLiteral("Quorendaville"));
        pdf.setTitle(QStringLiteral("Relazione di consultazione"));
        printReport(report, natal, orbs, pdf);
    }
    QFile written(name);
    if (!written.exists() || written.size() == 0) throw IoError(file, "impossibile scrivere il file");
}

} // namespace qv::consultations
