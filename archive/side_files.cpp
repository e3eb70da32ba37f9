#include "archive/side_files.h"

#include "archive/archive_files.h"

#include "base/data_dir.h"
#include "base/errors.h"
#include "base/text_file.h"

#include <cerrno>
#include <system_error>

namespace qv {

namespace {

void writeLines(const char* dataPath, const std::vector<std::string>& lines) {
    writeTextLines(dataDir().prepareForWrite(dataPath), lines, dataPath);
}

std::vector<std::string> readLines(const std::string& dataPath) {
    return readDataTextLines(dataPath);
}

std::string fiveDigits(long long n) {
    std::string s = std::to_string(n);
    while (s.size() < 5) s.insert(s.begin(), '0');
    return s;
}

constexpr long long kLastTextNumber = 99999;

} // namespace

void writeAnnotationsFile(const std::string& text) { writeLines(kAnnotationsFile, {text}); }

std::string readAnnotationsFile() {
    const auto lines = readLines(kAnnotationsFile);
    return lines.empty() ? std::string() : lines.front();
}

std::string recalledAnnotationText(const AnnotationRecord& record) {
    std::string text;
    for (const auto& line : record.lines) text += " " + trimSpaces(line);
    return text;
}

std::string registeredAnnotationText(const AnnotationRecord& record) {
    return record.lines[0] + " " + record.lines[1] + " " + record.lines[2] + " " + record.lines[3];
}

void writeRecalledPointer(int birthNumber, const std::string& archive) {
    writeLines(kRecalledPointerFile, {fiveDigits(birthNumber), archive});
}

void writeTextPointer(const TextPointer& pointer) {
    writeLines(kTextPointerFile, {pointer.archive, pointer.number});
}

TextPointer readTextPointer() {
    const auto lines = readLines(kTextPointerFile);
    TextPointer p;
    if (!lines.empty()) p.archive = lines[0].substr(0, 4);
    if (lines.size() > 1) p.number = trimSpaces(lines[1].substr(0, 5));
    return p;
}


void writeArchiveChoice(const std::string& archive, const std::string& entryText, int position,
                        const std::string& name) {
    writeLines(kArchiveChoiceFile, {archive, entryText, std::to_string(position), name});
}

std::vector<std::string> archivesInUse() {
    if (!dataDir().exists(kArchivesInUseFile)) return {};
    std::vector<std::string> names;
    for (const auto& line : readLines(kArchivesInUseFile)) names.push_back(line.substr(0, 6));
    return names;
}

void noteArchiveInUse(const std::string& archive) {
    std::vector<std::string> names = archivesInUse();
    for (const auto& n : names)
        if (n == archive) return;
    names.push_back(archive);
    writeLines(kArchivesInUseFile, names);
}

std::string textFolder(const std::string& archive) {
    requirePlainArchiveName(archive);
    return archive + "txt";
}

std::string textDocumentPath(const std::string& archive, const std::string& number) {
    return textFolder(archive) + "\\" + number + ".txt";
}

bool textDocumentExists(const std::string& archive, const std::string& number) {
    return !number.empty() && dataDir().exists(textDocumentPath(archive, number));
}

std::string createTextDocument(const std::string& archive, const std::string& subjectName) {
    const std::string flag = textFolder(archive) + "\\FlagTxt.set";
    if (!dataDir().exists(flag)) writeLines(flag.c_str(), {"1"});
    const auto lines = readLines(flag);
    long long k = 0;
    bool number = !lines.empty() && !lines[0].empty() && lines[0].size() <= 6;
    if (number) {
        for (char c : lines[0]) {
            if (c < '0' || c > '9') {
                number = false;
                break;
            }
            k = k * 10 + (c - '0');
        }
    }
    if (!number || k < 1)
        throw ConversionError("Numero del prossimo testo non valido nel file \"" + flag + "\": \"" +
                              (lines.empty() ? std::string() : lines[0]) + "\"");
    while (k <= kLastTextNumber && dataDir().exists(textDocumentPath(archive, fiveDigits(k)))) ++k;
    if (k > kLastTextNumber) throw IoError(flag, "numerazione dei testi esaurita (99999)");

    const std::string digits = fiveDigits(k);
    const std::string document = textDocumentPath(archive, digits);
    writeLines(flag.c_str(), {std::to_string(k + 1)});
    writeLines(document.c_str(), {padRight(subjectName, kNameWidth).substr(0, kNameWidth)});
    writeEditedDocument(document);
    return digits;
}

bool deleteTextDocument(const std::string& archive, const std::string& number) {
    if (number.empty()) return false;
    const std::string document = textFolder(archive) + "\\" + number + ".Txt";
    if (!dataDir().exists(document)) return false;
    std::error_code ec;
    if (!std::filesystem::remove(dataDir().resolve(document), ec) || ec)
        throw IoError(document, italianSystemReason(ec ? ec.value() : ENOENT));
    return true;
}

} // namespace qv
