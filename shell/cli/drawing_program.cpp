#include "shell/cli/drawing_program.h"

#include "base/cp1252.h"
#include "base/errors.h"
#include "shell/cli/cli_support.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

namespace qv::cli {

namespace {

// Beside the command-line program: ../libexec/quorendaville/ in the
// installed tree (PREFIX/bin) and in the build tree (bin/) alike.
std::filesystem::path drawingProgramPath() {
    std::error_code ec;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
    const std::filesystem::path bin = ec ? std::filesystem::path(".") : self.parent_path();
    return bin.parent_path() / "libexec" / "quorendaville" / "quorendaville-cli-draw";
}

} // namespace

bool runsInDrawingProgram(const std::vector<std::string>& args) {
    if (args.empty()) return false;
    for (const char* drawing : {"wheel", "sheet", "report"})
        if (args[0] == drawing) return true;
    return args[0] == "calendar" && std::find(args.begin(), args.end(), "--ics") != args.end();
}

int runDrawingProgram(int argc, char** argv, std::ostream& err) {
    const std::string program = drawingProgramPath().string();
    std::vector<char*> args(argv, argv + argc);
    args[0] = const_cast<char*>(program.c_str());
    args.push_back(nullptr);
    ::execv(program.c_str(), args.data());
    err << cp1252ToUtf8("Impossibile avviare il programma di disegno " + program + ": " + italianSystemReason(errno))
        << "\n";
    return kExitFailure;
}

} // namespace qv::cli
