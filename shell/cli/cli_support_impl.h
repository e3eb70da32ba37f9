#pragma once

#include "base/errors.h"

#include <exception>

namespace qv::cli {

template <typename Body>
int runCommand(std::ostream& err, Body body) {
    try {
        return body();
    } catch (const UsageError& e) {
        err << shown(e.message) << "\n";
        return kExitUsage;
    } catch (const IoError& e) {
        err << shown(e.what()) << "\n";
        return kExitFailure;
    } catch (const ConversionError& e) {
        err << shown(e.what()) << "\n";
        return kExitFailure;
    } catch (const std::exception& e) {
        err << "Errore: " << e.what() << "\n";
        return kExitFailure;
    }
}

} // namespace qv::cli
