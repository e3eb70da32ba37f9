#pragma once

#include "base/cp1252.h"
#include "base/errors.h"

#include <exception>
#include <filesystem>

namespace qv::cli {

template <typename Body>
int runCommand(std::ostream& err, Body body) {
    try {
        return body();
    } catch (const UsageError& e) {
        err << mixedToUtf8(e.message) << "\n";
        return kExitUsage;
    } catch (const DataDirectoryInUse& e) {
        err << mixedToUtf8("La cartella dati \"" + e.root + "\" \xE8 in uso da un'altra copia di Quorendaville" +
                           (e.consequence.empty() ? std::string() : ": " + e.consequence))
            << "\n";
        return kExitFailure;
    } catch (const IoError& e) {
        err << mixedToUtf8(e.what()) << "\n";
        return kExitFailure;
    } catch (const ConversionError& e) {
        err << mixedToUtf8(e.what()) << "\n";
        return kExitFailure;
    } catch (const std::filesystem::filesystem_error& e) {
        err << mixedToUtf8("Errore sul file \"" + e.path1().string() + "\": " + italianSystemReason(e.code().value()))
            << "\n";
        return kExitFailure;
    } catch (const std::exception& e) {
        err << "Errore: " << e.what() << "\n";
        return kExitFailure;
    }
}

} // namespace qv::cli
