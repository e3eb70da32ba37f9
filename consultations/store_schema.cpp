#include "consultations/store_schema.h"

#include "base/errors.h"
#include "consultations/store_statements.h"

#include <sqlite3.h>

namespace qv::consultations {

namespace {

// Version 1: the consultations, their symptoms and their remedies. Dates
// are "AAAA-MM-GG" so that they sort as text; the follow-up may be absent.
const char* const kVersion1 = R"SQL(
CREATE TABLE schema_version (version INTEGER NOT NULL);
INSERT INTO schema_version (version) VALUES (0);
CREATE TABLE consultation (
    id INTEGER PRIMARY KEY AUTOINCREMENT,
    archive TEXT NOT NULL,
    subject_name TEXT NOT NULL,
    birth_moment TEXT NOT NULL,
    date TEXT NOT NULL,
    follow_up TEXT,
    complaints TEXT NOT NULL DEFAULT '',
    notes TEXT NOT NULL DEFAULT ''
);
CREATE TABLE consultation_symptom (
    consultation_id INTEGER NOT NULL REFERENCES consultation(id) ON DELETE CASCADE,
    position INTEGER NOT NULL,
    symptom TEXT NOT NULL,
    PRIMARY KEY (consultation_id, position)
);
CREATE TABLE consultation_remedy (
    consultation_id INTEGER NOT NULL REFERENCES consultation(id) ON DELETE CASCADE,
    position INTEGER NOT NULL,
    name TEXT NOT NULL,
    dosage TEXT NOT NULL DEFAULT '',
    duration TEXT NOT NULL DEFAULT '',
    PRIMARY KEY (consultation_id, position)
);
)SQL";

// Version 2: a subject's consultations are found through an index in the
// order the list shows them, instead of a pass over every consultation.
const char* const kVersion2 = R"SQL(
CREATE INDEX consultation_by_subject
    ON consultation (archive, subject_name, birth_moment, date DESC, id DESC);
)SQL";

// Version 3: every subject has an id of its own. A consultation names its
// subject by that id, so correcting a person's name or birth moment changes
// one row, and deleting the person removes one row with everything under
// it. The archive, name and birth moment identify one person: unique.
const char* const kVersion3 = R"SQL(
CREATE TABLE subject (
    id INTEGER PRIMARY KEY AUTOINCREMENT,
    archive TEXT NOT NULL,
    name TEXT NOT NULL,
    birth_moment TEXT NOT NULL,
    UNIQUE (archive, name, birth_moment)
);
INSERT INTO subject (archive, name, birth_moment)
    SELECT archive, subject_name, birth_moment FROM consultation
    GROUP BY archive, subject_name, birth_moment ORDER BY MIN(id);
ALTER TABLE consultation ADD COLUMN subject_id INTEGER REFERENCES subject(id);
UPDATE consultation SET subject_id = (
    SELECT s.id FROM subject s WHERE s.archive = consultation.archive
        AND s.name = consultation.subject_name AND s.birth_moment = consultation.birth_moment);
DROP INDEX consultation_by_subject;
ALTER TABLE consultation DROP COLUMN archive;
ALTER TABLE consultation DROP COLUMN subject_name;
ALTER TABLE consultation DROP COLUMN birth_moment;
CREATE INDEX consultation_by_subject ON consultation (subject_id, date DESC, id DESC);
)SQL";

// Version 4: the person's health context of a consultation, read against
// the cautions of the remedies: the medicines taken (free text), pregnancy
// and breastfeeding. Consultations recorded before say nothing of them.
const char* const kVersion4 = R"SQL(
ALTER TABLE consultation ADD COLUMN medicines TEXT NOT NULL DEFAULT '';
ALTER TABLE consultation ADD COLUMN pregnancy INTEGER NOT NULL DEFAULT 0;
ALTER TABLE consultation ADD COLUMN breastfeeding INTEGER NOT NULL DEFAULT 0;
)SQL";

} // namespace

const std::vector<const char*>& schemaSteps() {
    static const std::vector<const char*> steps{kVersion1, kVersion2, kVersion3, kVersion4};
    return steps;
}

int recordedSchemaVersion(const std::filesystem::path& file, sqlite3* db) {
    sql::Statement tables(file, db, "SELECT name FROM sqlite_master WHERE type = 'table'");
    bool any = false, versioned = false;
    while (tables.step()) {
        any = true;
        versioned = versioned || tables.text(0) == "schema_version";
    }
    if (!any) return 0;
    if (!versioned) throw IoError(file.string(), "non \xE8 un archivio delle consultazioni (manca la versione dello schema)");
    sql::Statement version(file, db, "SELECT version FROM schema_version");
    if (!version.step() || version.isNull(0))
        throw IoError(file.string(), "archivio delle consultazioni danneggiato (versione dello schema assente)");
    const std::int64_t v = version.integer(0);
    if (version.step()) throw IoError(file.string(), "archivio delle consultazioni danneggiato (versione dello schema doppia)");
    if (v < 0) throw IoError(file.string(), "archivio delle consultazioni danneggiato (versione dello schema non valida)");
    return static_cast<int>(v > 1000000 ? 1000000 : v);
}

void migrateSchema(const std::filesystem::path& file, sqlite3* db, int from) {
    const auto& steps = schemaSteps();
    if (from >= static_cast<int>(steps.size())) return;
    sql::Transaction t(file, db);
    // Another program may have migrated the store while this one waited for
    // the lock: the version read before it is stale.
    from = recordedSchemaVersion(file, db);
    if (from >= static_cast<int>(steps.size())) return;
    for (int v = from + 1; v <= static_cast<int>(steps.size()); ++v) {
        sql::exec(file, db, steps[static_cast<std::size_t>(v - 1)]);
        sql::Statement record(file, db, "UPDATE schema_version SET version = ?");
        record.bind(1, static_cast<std::int64_t>(v)).run();
    }
    t.commit();
}

} // namespace qv::consultations
