#include "shell/cli/drawing_program.h"

#include "base/cp1252.h"
#include "base/errors.h"
#include "shell/cli/cli_support.h"

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

bool isDrawingCommand(const char* command) {
    for (const char* drawing : {"wheel", "sheet", "report"})
        if (std::strcmp(command, drawing) == 0) return true;
    return false;
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
