#include "shell/access_modes.h"

#include "base/cp1252.h"

namespace qv {

AccessModes& accessModes() {
    static AccessModes modes;
    return modes;
}

AccessCodeBuffer::Match AccessCodeBuffer::type(char key) {
    buffer_ += upperCase1252(key);
    if (buffer_ == kAdministratorCode) {
        accessModes().administrator = true;
        return Match::Administrator;
    }
    if (buffer_ == kHiddenModeCode) {
        accessModes().hidden = true;
        return Match::Hidden;
    }
    return Match::None;
}

} // namespace qv
