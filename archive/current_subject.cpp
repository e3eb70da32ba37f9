#include "archive/current_subject.h"

#include "archive/archive_files.h"
#include "base/data_dir.h"
#include "archive/side_files.h"
#include "base/errors.h"
#include "base/text_file.h"

#include <filesystem>
#include <system_error>

namespace qv {

namespace {
const std::string kSt1 = archiveFileName(kTemporaryArchive, 1);
const std::string kSt2 = archiveFileName(kTemporaryArchive, 2);
} // namespace

bool currentSubjectExists() { return dataDir().exists(kSt1) && dataDir().exists(kSt2); }

CurrentSubject readCurrentSubject() {
    const RecordFile names(dataDir().resolve(kSt1), kIndexRecordSize, RecordFile::Mode::ReadOnly, kSt1);
    const RecordFile births(dataDir().resolve(kSt2), kBirthRecordSize, RecordFile::Mode::ReadOnly, kSt2);
    CurrentSubject s;
    s.nameText = decodeIndexEntry(names.read(0)).text;
    s.record = decodeBirthRecord(births.read(0));
    return s;
}

void writeCurrentSubject(const std::string& nameText, const BirthRecord& record) {
    rewriteRecordFile(dataDir().prepareForWrite(kSt2), {encodeBirthRecord(record)}, kSt2);
    rewriteRecordFile(dataDir().prepareForWrite(kSt1), {encodeIndexEntry({nameText.substr(0, kKeyWidth)})}, kSt1);
}

void replaceCurrentSubject(const std::string& nameText, const BirthRecord& record, bool appendBirth) {
    const Bytes birth = encodeBirthRecord(record);
    std::vector<std::pair<int, Bytes>> births;
    if (appendBirth) births.push_back({currentSubjectBirthCount(), birth});
    births.push_back({0, birth});
    writeRecordsAtomically(dataDir().prepareForWrite(kSt2), kBirthRecordSize, births, kSt2);
    writeRecordsAtomically(dataDir().prepareForWrite(kSt1), kIndexRecordSize,
                           {{0, encodeIndexEntry({nameText.substr(0, kKeyWidth)})}}, kSt1);
}

void clearCurrentSubject() {
    // TMPR.ST1 goes first: its absence is what says there is no subject, so
    // a stop part way leaves either the subject or none.
    for (int extension : {1, 2, 3}) {
        const std::string file = archiveFileName(kTemporaryArchive, extension);
        if (!dataDir().exists(file)) continue;
        std::error_code ec;
        std::filesystem::remove(dataDir().resolve(file), ec);
        if (ec) throw IoError(file, italianSystemReason(ec.value()));
    }
    for (const char* carrier : {kAnnotationsFile, kTextPointerFile, kRecalledPointerFile})
        if (dataDir().exists(carrier)) writeFileAtomically(dataDir().resolve(carrier), std::string(), carrier);
}

int currentSubjectBirthCount() {
    if (!dataDir().exists(kSt2)) return 0;
    std::error_code ec;
    const auto size = std::filesystem::file_size(dataDir().resolve(kSt2), ec);
    if (ec) throw IoError(kSt2, italianSystemReason(ec.value()));
    return static_cast<int>(size / kBirthRecordSize);
}

} // namespace qv
