#include "tests/support/example_subject.h"

#include "archive/archive_files.h"

namespace qv::test {

NewSubject exampleSubject() {
    NewSubject s;
    s.name = "ROSSI MARIA";
    s.day = 14;
    s.month = 7;
    s.year = 1968;
    s.hour = 6;
    s.minute = 35;
    s.corr = -2;
    s.coordinates = "45N28-009E11";
    s.place = "MILANO *MI*";
    s.nation = "ITALIA";
    return s;
}

void registerExampleSubject() { registerSubject(kTemporaryArchive, exampleSubject()); }

} // namespace qv::test
