#include "editor/editor_document.h"

#include "base/data_dir.h"
#include "base/text_file.h"

#include <cstdio>

namespace qv {

std::filesystem::path documentLocation(const std::string& path) {
    const std::filesystem::path direct(path);
    if (direct.is_absolute()) return direct;
    return dataDir().resolve(path);
}

void writeEditedDocument(const std::string& path) {
    writeTextLines(dataDir().prepareForWrite(kEditedDocumentFile), {path}, kEditedDocumentFile);
}

std::string handedOverDocument() {
    if (!dataDir().exists(kEditedDocumentFile)) return {};
    const auto lines = readDataTextLines(kEditedDocumentFile);
    return lines.empty() ? std::string() : lines.front();
}

std::string readDocumentText(const std::filesystem::path& file) {
    const auto lines = readTextLines(file, file.string());
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) text += '\n';
        text += lines[i];
    }
    return text;
}

void writeDocumentText(const std::filesystem::path& file, const std::string& text) {
    std::vector<std::string> lines;
    if (!text.empty()) {
        std::size_t from = 0;
        for (;;) {
            const std::size_t end = text.find('\n', from);
            lines.push_back(text.substr(from, end == std::string::npos ? std::string::npos : end - from));
            if (end == std::string::npos) break;
            from = end + 1;
        }
    }
    writeTextLines(file, lines, file.string());
}

std::string positionText(int line, int column) {
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "Line: %3d   Col: %3d", line, column);
    return buffer;
}

std::string documentCaption(const std::string& documentName) {
    const std::size_t slash = documentName.find_last_of("/\\");
    return (slash == std::string::npos ? documentName : documentName.substr(slash + 1)) + "   ";
}

} // namespace qv
