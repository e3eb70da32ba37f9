// What a start does with one program file of the template, from what it
// knows of it: a table of the cases, each with the action it must take.
#include "datatemplate/template_update.h"

#include <gtest/gtest.h>

namespace qv {
namespace template_decision_test {

using Action = TemplateFileAction;

const FileIdentity kSeen{8, 1234, 100, 1000, 2000};
const FileIdentity kOther{8, 1234, 100, 1000, 2001};  // changed since (its ctime moved)

const ManifestEntry kShipped{"FilePosi\\DSEL.rnd", 100, 0xAAAA, {}};
const ManifestEntry kRecorded{"FilePosi\\DSEL.rnd", 100, 0xAAAA, kSeen};
const ManifestEntry kRecordedUnread{"FilePosi\\DSEL.rnd", 100, 0xAAAA, {}};

struct Case {
    const char* what;
    TemplateFileFacts facts;
    Action expected;
};

TemplateFileFacts present(const ManifestEntry* recorded, FileIdentity identity = kSeen, std::uintmax_t size = 100) {
    TemplateFileFacts f;
    f.shipped = &kShipped;
    f.recorded = recorded;
    f.directoryRecorded = recorded != nullptr;
    f.sourcePresent = true;
    f.present = true;
    f.regular = true;
    f.size = size;
    f.identity = identity;
    return f;
}

TemplateFileFacts with(TemplateFileFacts f, void (*change)(TemplateFileFacts&)) {
    change(f);
    return f;
}

TEST(TemplateDecision, EachProgramFileIsDecidedFromWhatIsKnownOfIt) {
    const Case cases[] = {
        {"missing, the template has it", with(present(&kRecorded), [](TemplateFileFacts& f) { f.present = f.regular = false; }),
         Action::Copy},
        {"missing, the template lacks it too",
         with(present(&kRecorded), [](TemplateFileFacts& f) { f.present = f.regular = f.sourcePresent = false; }),
         Action::Skip},
        {"a newer program brought the directory further",
         with(present(&kRecorded, kOther), [](TemplateFileFacts& f) { f.directoryNewer = true; }), Action::Skip},
        {"an older data version", with(present(&kRecorded), [](TemplateFileFacts& f) { f.directoryOlder = true; }),
         Action::Replace},
        {"an older data version, the template lacks the file",
         with(present(&kRecorded), [](TemplateFileFacts& f) { f.directoryOlder = true; f.sourcePresent = false; }),
         Action::Skip},
        {"the identity recorded when last found sound", present(&kRecorded), Action::TrustUnread},
        {"changed since: read it", present(&kRecorded, kOther), Action::ReadChecksum},
        {"recorded without an identity: read it", present(&kRecordedUnread), Action::ReadChecksum},
        {"read, and the bytes recorded",
         with(present(&kRecorded, kOther), [](TemplateFileFacts& f) { f.crc = 0xAAAA; }), Action::RecordChecked},
        {"read, and other bytes", with(present(&kRecorded, kOther), [](TemplateFileFacts& f) { f.crc = 0xBBBB; }),
         Action::Restore},
        {"another size than recorded: damaged without reading", present(&kRecorded, kOther, 99), Action::Restore},
        {"a folder in its place", with(present(&kRecorded), [](TemplateFileFacts& f) { f.regular = false; }),
         Action::Restore},
        {"a folder in its place, no record at all",
         with(present(nullptr), [](TemplateFileFacts& f) { f.regular = false; }), Action::Restore},
        {"no record at all: the directory's own file, read once", present(nullptr), Action::ReadChecksum},
        {"no record at all, read: kept as found",
         with(present(nullptr), [](TemplateFileFacts& f) { f.crc = 0xBBBB; }), Action::RecordAsFound},
        {"a record that lacks this file: compared with the manifest",
         with(present(nullptr, kOther), [](TemplateFileFacts& f) { f.directoryRecorded = true; f.crc = 0xBBBB; }),
         Action::Restore},
    };
    for (const Case& c : cases) EXPECT_EQ(decideTemplateFile(c.facts), c.expected) << c.what;
}

} // namespace template_decision_test
} // namespace qv
