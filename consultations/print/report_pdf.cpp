#include "consultations/print/report_pdf.h"

#include "base/errors.h"
#include "consultations/print/report_document.h"

#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <QPdfWriter>

#include <memory>

namespace qv::consultations {

namespace {

void ensureGuiApplication() {
    if (QCoreApplication::instance()) return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "quorendaville";
    static char* argv[] = {name, nullptr};
    static std::unique_ptr<QGuiApplication> app = std::make_unique<QGuiApplication>(argc, argv);
}

} // namespace

void writeReportPdf(const ReportContent& report, const ChartState& natal, const OrbTable& orbs, const std::string& file) {
    ensureGuiApplication();
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
