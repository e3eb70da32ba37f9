#include "consultations/print/report_pdf.h"

#include "base/errors.h"
#include "consultations/print/report_document.h"
#include "display/picture_file.h"
#include "display/picture_output.h"

#include <QBuffer>
#include <QByteArray>
#include <QPdfWriter>

namespace qv::consultations {

// Made in memory and checked whole before it reaches the disk, then written
// as the pictures are: an unwritable target, a full disk or a PDF the
// writer did not finish is an error naming the file, and the old file stays.
void writeReportPdf(const ReportContent& report, const ChartState& natal, const OrbTable& orbs, const std::string& file) {
    draw::PictureFile target(file);
    draw::ensureGuiApplication();
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter pdf(&buffer);
        pdf.setResolution(300);
        pdf.setCreator(QStringLiteral("Quorendaville"));
        pdf.setTitle(QStringLiteral("Relazione di consultazione"));
        printReport(report, natal, orbs, pdf);
    }
    std::string content(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    if (!draw::completePdf(content)) throw IoError(file, "il PDF della relazione non \xE8 stato completato");
    target.commit(content);
}

} // namespace qv::consultations
