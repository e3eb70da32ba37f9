#include "base/errors.h"

#include <cerrno>
#include <cstring>

namespace qv {

IoError::IoError(std::string file, std::string reason)
    : std::runtime_error("Errore di I/O sul file \"" + file + "\": " + reason),
      file_(std::move(file)), reason_(std::move(reason)) {}

ConversionError::ConversionError(const std::string& message)
    : std::runtime_error(message) {}

std::string italianSystemReason(int errnoValue) {
    switch (errnoValue) {
    case ENOENT: return "file o cartella inesistente";
    case EACCES:
    case EPERM: return "accesso negato";
    case ENOSPC: return "spazio su disco esaurito";
    case EDQUOT: return "quota del disco superata";
    case EROFS: return "il disco \xE8 in sola lettura";
    case EISDIR: return "\xE8 una cartella, non un file";
    case ENOTDIR: return "un elemento del percorso non \xE8 una cartella";
    case EIO: return "errore del dispositivo";
    case EMFILE:
    case ENFILE: return "troppi file aperti";
    case ENAMETOOLONG: return "nome di file troppo lungo";
    case EEXIST: return "il file esiste gi\xE0";
    case EBUSY: return "risorsa occupata";
    case EFBIG: return "file troppo grande";
    default: return std::string("errore di sistema: ") + std::strerror(errnoValue);
    }
}

void throwSystemIoError(const std::string& file) {
    throw IoError(file, italianSystemReason(errno));
}

} // namespace qv
