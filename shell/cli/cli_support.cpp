#include "base/decimal_text.h"
#include "shell/cli/cli_support.h"

#include "base/cp1252.h"
#include "base/data_dir.h"

#include <algorithm>
#include <cstdio>
#include <cerrno>
#include <cstdlib>

namespace qv::cli {

Arguments::Arguments(const std::vector<std::string>& args, const std::vector<std::string>& valued,
                     const std::vector<std::string>& flags) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a.rfind("--", 0) == 0) {
            if (std::find(flags.begin(), flags.end(), a) != flags.end()) {
                flags_.push_back(a);
            } else if (std::find(valued.begin(), valued.end(), a) != valued.end()) {
                if (i + 1 >= args.size()) throw UsageError{"Manca il valore dell'opzione " + a};
                values_[a] = args[++i];
            } else {
                throw UsageError{"Opzione sconosciuta: " + a};
            }
        } else {
            positional_.push_back(a);
        }
    }
}

std::optional<std::string> Arguments::value(const std::string& name) const {
    auto it = values_.find(name);
    if (it == values_.end()) return std::nullopt;
    return it->second;
}

std::string Arguments::required(const std::string& name) const {
    auto v = value(name);
    if (!v) throw UsageError{"Manca l'opzione obbligatoria " + name};
    return *v;
}

bool Arguments::flag(const std::string& name) const {
    return std::find(flags_.begin(), flags_.end(), name) != flags_.end();
}

std::filesystem::path dataDirectoryRoot(const std::optional<std::string>& dir) {
    if (!dir) return defaultDataDirRoot();
    if (dir->empty()) throw UsageError{"--data-dir vuoto: indicare la cartella dei dati"};
    return std::filesystem::path(*dir);
}

void openDataDirectory(const std::optional<std::string>& dir) {
    const std::filesystem::path root = dataDirectoryRoot(dir);
    setDataDir(root);
    dataDir().installTemplate(templateDir());
}

std::string shown(const std::string& cp1252) { return cp1252ToUtf8(cp1252); }

std::string jsonString(const std::string& cp1252) {
    std::string out = "\"";
    for (char c : shown(cp1252)) {
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\u%04x", static_cast<unsigned char>(c));
                out += buf;
            } else {
                out += c;
            }
        }
    }
    return out + "\"";
}

std::string jsonNumber(long double x) { return generalText(x, 15); }

std::string typedText(const std::string& utf8, const std::string& option) {
    std::string offending;
    const auto text = typedTextToCp1252(utf8, &offending);
    if (!text)
        throw UsageError{"Il testo di " + option + " contiene \"" + offending +
                         "\", che non si pu\xF2 scrivere negli archivi (solo i caratteri dell'alfabeto Windows-1252)"};
    if (const std::string c = controlCharacterIn(*text); !c.empty())
        throw UsageError{"Il testo di " + option + " contiene un carattere di controllo (" + c + "), non ammesso"};
    return *text;
}

int parseInt(const std::string& text, const std::string& option) {
    if (text.empty()) throw UsageError{"Valore vuoto per " + option};
    char* end = nullptr;
    errno = 0;
    const long v = std::strtol(text.c_str(), &end, 10);
    if (*end != '\0' || errno != 0 || v < -1000000 || v > 1000000)
        throw UsageError{"Valore non valido per " + option + ": \"" + text + "\""};
    return static_cast<int>(v);
}

long double parseReal(const std::string& text, const std::string& option) {
    std::string t = text;
    std::replace(t.begin(), t.end(), ',', '.');
    long double v = 0;
    if (!parseDecimal(t, v)) throw UsageError{"Valore non valido per " + option + ": \"" + text + "\""};
    return v;
}

} // namespace qv::cli
