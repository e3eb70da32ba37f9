// The current subject: the one-subject archive TMPR (TMPR.ST1 and TMPR.ST2,
// one record each) that carries the subject from window to window and
// across runs. The chart computation always starts from it.
#pragma once

#include "archive/archive_records.h"

#include <string>

namespace qv {

struct CurrentSubject {
    std::string nameText;  // record 0 of TMPR.ST1: an index entry or a bare name
    BirthRecord record;    // record 0 of TMPR.ST2

    // The first 38 characters of the name text.
    std::string name() const { return nameText.substr(0, kNameWidth); }
};

// True when TMPR.ST1 and TMPR.ST2 both exist.
bool currentSubjectExists();

// Reads record 0 of TMPR.ST1 and TMPR.ST2; a missing or short file is an IoError.
CurrentSubject readCurrentSubject();

// Replaces TMPR.ST2 and then TMPR.ST1 with one record each (the name cut to
// 43 characters), each through a temporary file.
void writeCurrentSubject(const std::string& nameText, const BirthRecord& record);

// Replaces record 0 of TMPR.ST2 and then of TMPR.ST1, keeping any further
// records; `appendBirth` also appends the birth record at the end of
// TMPR.ST2 (a registration into TMPR). Files are created when missing.
void replaceCurrentSubject(const std::string& nameText, const BirthRecord& record, bool appendBirth);

// There is no current subject any more (it was deleted): TMPR's files go,
// the windows and the chart say there is none, and the side files that
// carry it from window to window (annotations, text pointer, recalled
// record) are emptied.
void clearCurrentSubject();

// The record count of TMPR.ST2 (0 when it is missing).
int currentSubjectBirthCount();

} // namespace qv
