// quorendaville-cli-draw: the drawing commands of quorendaville-cli (wheel,
// sheet, report), which starts it in its own place for them; only this program
// loads Qt.
#include "display/qt_messages.h"
#include "shell/cli/calendar_command.h"
#include "shell/cli/cli_support.h"
#include "shell/cli/report_command.h"
#include "shell/cli/sheet_command.h"
#include "shell/cli/standard_output.h"
#include "shell/cli/wheel_command.h"

#include <algorithm>
#include <iostream>
#include <string>
#include <vector>

namespace {

int runDrawingCommand(std::vector<std::string> args) {
    // Qt's own warnings go to the data directory's log, never to the user's
    // terminal unless asked for.
    const auto verbose = std::find(args.begin(), args.end(), "--verbose");
    qv::installQtMessageLog(verbose != args.end());
    qv::cli::whenDataDirectoryOpens([](const std::filesystem::path& root) {
        qv::setQtMessageLogFile(qv::qtMessageLogIn(root));
    });
    if (verbose != args.end()) args.erase(verbose);
    if (args.empty()) {
        std::cerr << "Uso: quorendaville-cli wheel|sheet|report ... (vedere quorendaville-cli --help)\n";
        return qv::cli::kExitUsage;
    }
    const std::string command = args[0];
    args.erase(args.begin());
    if (command == "wheel") return qv::cli::wheelCommand(args, std::cout, std::cerr);
    if (command == "sheet") return qv::cli::sheetCommand(args, std::cout, std::cerr);
    if (command == "report") return qv::cli::reportCommand(args, std::cout, std::cerr);
    if (command == "calendar") return qv::cli::calendarCommand(args, std::cout, std::cerr, qv::cli::writeCheckedIcs);
    std::cerr << "Comando sconosciuto: " << qv::cli::echoed(command) << "\n";
    return qv::cli::kExitUsage;
}

} // namespace

int main(int argc, char** argv) {
    qv::cli::CheckedStandardOutput out;
    const int status = runDrawingCommand(std::vector<std::string>(argv + 1, argv + argc));
    return qv::cli::checkedExit(status, out, std::cerr);
}
