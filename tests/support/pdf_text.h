// What a PDF that a window printed or saved says, read back with pdftotext
// (poppler-utils): the bytes of a PDF prove only that a file was written;
// its text shows that the page carries what the window drew, in the fonts
// and encoding a reader gets back.
#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

namespace qv::test {

struct PdfText {
    QString text;   // the pages' text, blanks and line ends folded to one blank
    QString error;  // why the file could not be read; empty when it was
    bool has(const QString& part) const { return text.contains(part); }
};

// Pages `first` to `last` (1-based; 0 for the last page) of `file`. A
// missing pdftotext is an error like an unreadable file: a check that
// cannot run must not pass.
inline PdfText pdfText(const QString& file, int first = 1, int last = 0) {
    QProcess run;
    QStringList args = {"-enc", "UTF-8", "-f", QString::number(first)};
    if (last > 0) args << "-l" << QString::number(last);
    run.start("pdftotext", args << file << "-");
    PdfText out;
    if (!run.waitForStarted(10000)) {
        out.error = "pdftotext (poppler-utils) cannot be started: " + run.errorString();
        return out;
    }
    run.waitForFinished(30000);
    const QString raw = QString::fromUtf8(run.readAllStandardOutput());
    if (run.exitStatus() != QProcess::NormalExit || run.exitCode() != 0) {
        out.error = "pdftotext " + file + ": " + QString::fromUtf8(run.readAllStandardError());
        return out;
    }
    out.text = raw.simplified();
    return out;
}

} // namespace qv::test
