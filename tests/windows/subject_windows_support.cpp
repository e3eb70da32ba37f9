#include "tests/windows/subject_windows_support.h"

#include "archive/archive_files.h"
#include "archive/archive_records.h"
#include "base/data_dir.h"

#include <QListWidget>
#include <QTest>
#include <algorithm>
#include <cstdio>

namespace qv::test {

void writeExampleArchive(const std::string& name, const std::vector<StoredExample>& subjects) {
    std::vector<std::string> keys;
    std::vector<Bytes> births = {encodeBirthRecord(headerBirthRecord())};
    std::vector<Bytes> notes = {encodeAnnotationRecord(headerAnnotationRecord())};
    for (std::size_t k = 0; k < subjects.size(); ++k) {
        const StoredExample& s = subjects[k];
        keys.push_back(subjectKey(s.name, static_cast<int>(k) + 1));
        BirthRecord r;
        r.moment = s.moment;
        r.place = s.place;
        r.calendar = s.calendar;
        r.nation = s.nation;
        r.reserved2 = s.reserved2;
        r.annotationNumber = "00000";
        if (s.annotation) {
            char number[8];
            std::snprintf(number, sizeof number, "%05d", static_cast<int>(notes.size()));
            r.annotationNumber = number;
            notes.push_back(encodeAnnotationRecord({*s.annotation}));
        }
        births.push_back(encodeBirthRecord(r));
    }
    std::sort(keys.begin(), keys.end());
    std::vector<Bytes> index = {encodeIndexEntry(headerIndexEntry())};
    for (const auto& key : keys) index.push_back(encodeIndexEntry({key}));
    rewriteRecordFile(dataDir().prepareForWrite(archiveFileName(name, 1)), index, name);
    rewriteRecordFile(dataDir().prepareForWrite(archiveFileName(name, 2)), births, name);
    rewriteRecordFile(dataDir().prepareForWrite(archiveFileName(name, 3)), notes, name);
}

std::vector<StoredExample> numberedSubjects(int count) {
    std::vector<StoredExample> out;
    for (int i = 1; i <= count; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "NAME%02d", i);
        out.push_back({name});
    }
    return out;
}

std::vector<std::string> indexTexts(const std::string& archive) {
    std::vector<std::string> out;
    for (const auto& e : openAnyArchive(archive).readWholeIndex()) out.push_back(e.text);
    return out;
}

void chooseListedSubject(QWidget* window, int row) {
    auto* list = window->findChild<QListWidget*>("ListBoxNomi");
    const QPoint at = list->visualItemRect(list->item(row)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
}

} // namespace qv::test
