#include "consultations/subject_change_record.h"

#include "base/data_dir.h"
#include "base/errors.h"
#include "base/file_safety.h"
#include "base/text_file.h"

#include <map>

namespace qv::consultations {

namespace {

// Every value is written as hexadecimal bytes: names, records and blanks
// come back exactly as they were, whatever they hold.
std::string hex(const std::string& bytes) {
    static const char* const digits = "0123456789abcdef";
    std::string out;
    for (unsigned char c : bytes) {
        out += digits[c >> 4];
        out += digits[c & 15];
    }
    return out;
}

std::optional<std::string> unhex(const std::string& text) {
    if (text.size() % 2 != 0) return std::nullopt;
    auto value = [](char c) -> int {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        return -1;
    };
    std::string out;
    for (std::size_t i = 0; i < text.size(); i += 2) {
        const int high = value(text[i]), low = value(text[i + 1]);
        if (high < 0 || low < 0) return std::nullopt;
        out += static_cast<char>(high * 16 + low);
    }
    return out;
}

std::string bytesText(const Bytes& b) { return std::string(b.begin(), b.end()); }

const char* const kHeader = "CAMBIO SOGGETTO 1";

} // namespace

std::string encodeSubjectChange(const SubjectChangeRecord& r) {
    std::string out = std::string(kHeader) + "\r\n";
    auto field = [&](const char* key, const std::string& value) { out += std::string(key) + "=" + hex(value) + "\r\n"; };
    field("tipo", r.kind == SubjectChangeRecord::Kind::Rename ? "RINOMINA" : "ELIMINA");
    field("archivio", r.archive);
    field("nascita", std::to_string(r.birthNumber));
    field("annotazione", std::to_string(r.annotationNumber));
    field("voce", r.oldEntry);
    field("nome", r.oldLink.name);
    field("momento", r.oldLink.moment);
    field("archivio_legame", r.oldLink.archive);
    field("nuova_voce", r.newEntry);
    field("nuovo_nome", r.newLink.name);
    field("nuovo_momento", r.newLink.moment);
    field("nuovo_archivio_legame", r.newLink.archive);
    field("record", bytesText(encodeBirthRecord(r.oldBirth)));
    field("nuovo_record", bytesText(encodeBirthRecord(r.newBirth)));
    field("annotazioni", r.oldAnnotation ? bytesText(encodeAnnotationRecord(*r.oldAnnotation)) : std::string());
    field("consultazioni", r.withConsultations ? "1" : "0");
    field("attuale", r.wasCurrent ? "1" : "0");
    field("testo", r.textNumber);
    out += "FINE\r\n";
    return out;
}

std::optional<SubjectChangeRecord> decodeSubjectChange(const std::string& text) {
    const std::vector<std::string> lines = splitLines(text);
    if (lines.size() < 2 || lines.front() != kHeader || lines.back() != "FINE") return std::nullopt;
    std::map<std::string, std::string> values;
    for (std::size_t i = 1; i + 1 < lines.size(); ++i) {
        const auto eq = lines[i].find('=');
        if (eq == std::string::npos) return std::nullopt;
        const auto value = unhex(lines[i].substr(eq + 1));
        if (!value) return std::nullopt;
        values[lines[i].substr(0, eq)] = *value;
    }
    auto number = [&](const char* key) -> std::optional<int> {
        const std::string& v = values[key];
        if (v.empty() || v.size() > 9) return std::nullopt;
        int n = 0;
        for (char c : v) {
            if (c < '0' || c > '9') return std::nullopt;
            n = n * 10 + (c - '0');
        }
        return n;
    };
    SubjectChangeRecord r;
    const std::string& kind = values["tipo"];
    if (kind != "RINOMINA" && kind != "ELIMINA") return std::nullopt;
    r.kind = kind == "RINOMINA" ? SubjectChangeRecord::Kind::Rename : SubjectChangeRecord::Kind::Delete;
    const auto birth = number("nascita"), annotation = number("annotazione");
    if (!birth || !annotation) return std::nullopt;
    r.birthNumber = *birth;
    r.annotationNumber = *annotation;
    r.archive = values["archivio"];
    r.oldEntry = values["voce"];
    r.oldLink = {values["archivio_legame"], values["nome"], values["momento"]};
    r.newEntry = values["nuova_voce"];
    r.newLink = {values["nuovo_archivio_legame"], values["nuovo_nome"], values["nuovo_momento"]};
    auto bytesOf = [](const std::string& s) { return std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(s.data()), s.size()); };
    if (values["record"].size() != kBirthRecordSize || values["nuovo_record"].size() != kBirthRecordSize)
        return std::nullopt;
    r.oldBirth = decodeBirthRecord(bytesOf(values["record"]));
    r.newBirth = decodeBirthRecord(bytesOf(values["nuovo_record"]));
    const std::string& annotationBytes = values["annotazioni"];
    if (!annotationBytes.empty()) {
        if (annotationBytes.size() != kAnnotationRecordSize) return std::nullopt;
        r.oldAnnotation = decodeAnnotationRecord(bytesOf(annotationBytes));
    }
    r.withConsultations = values["consultazioni"] == "1";
    r.wasCurrent = values["attuale"] == "1";
    r.textNumber = values["testo"];
    return r;
}

void writeSubjectChange(const SubjectChangeRecord& record) {
    writeFileAtomically(dataDir().prepareForWrite(kSubjectChangeFile), encodeSubjectChange(record), kSubjectChangeFile);
}

std::optional<SubjectChangeRecord> readSubjectChange() {
    if (!dataDir().exists(kSubjectChangeFile)) return std::nullopt;
    const auto record = decodeSubjectChange(readWholeFile(dataDir().resolve(kSubjectChangeFile), kSubjectChangeFile));
    if (!record) throw IoError(kSubjectChangeFile, "registro di una modifica interrotta illeggibile");
    return record;
}

void removeSubjectChange() {
    std::error_code ec;
    std::filesystem::remove(dataDir().resolve(kSubjectChangeFile), ec);
    if (ec) throw IoError(kSubjectChangeFile, italianSystemReason(ec.value()));
    syncFolder(dataDir().resolve(kSubjectChangeFile).parent_path());
}

} // namespace qv::consultations
