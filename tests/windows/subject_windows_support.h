// Archives built record by record for the tests of the subject windows,
// and the message-box recorder installed for one test (tests/support).
#pragma once

#include "base/ui/dialogs.h"
#include "tests/support/recorded_boxes.h"

class QWidget;

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace qv::test {

struct StoredExample {
    StoredExample(std::string subjectName = {}) : name(std::move(subjectName)) {}
    std::string name;
    std::string moment = "194403151230-1";
    std::string place = "45N28-009E11MILANO *MI*";
    std::string calendar = "GR";
    std::string nation = "ITALIA";
    std::string reserved2;
    // An annotation record of its own (lines as stored), or none ("00000").
    std::optional<std::array<std::string, 4>> annotation;
};

// Writes archive NAME (.ST1, .ST2, .ST3) holding `subjects`: birth record
// k + 1 for subjects[k], the index sorted as the archive keeps it, the
// annotation records appended in the same order.
void writeExampleArchive(const std::string& name, const std::vector<StoredExample>& subjects);

// Subjects "NAME01" … "NAMEnn".
std::vector<StoredExample> numberedSubjects(int count);

// The whole index of an archive, record 0 included.
std::vector<std::string> indexTexts(const std::string& archive);

// Clicks and then double-clicks line `row` of the window's name list
// (ListBoxNomi), as a user chooses a subject.
void chooseListedSubject(QWidget* window, int row);

} // namespace qv::test
