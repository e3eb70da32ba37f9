// The subject the window tests study: Rossi Maria, born in Milan on
// 14/07/1968 at 06:35, two hours east of Greenwich.
#pragma once

#include "archive/subject_registration.h"

namespace qv::test {

NewSubject exampleSubject();

// Registers the example in the temporary archive: it becomes the current
// subject without entering the personal archive.
void registerExampleSubject();

} // namespace qv::test
