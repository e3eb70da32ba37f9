#include "base/decimal_text.h"
#include "shell/cli/cli_support.h"

#include "base/cp1252.h"
#include "base/data_dir.h"
#include "datatemplate/template_update.h"
#include "datatemplate/template_files.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <chrono>
#include <cstdio>
#include <thread>
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
                throw UsageError{"Opzione sconosciuta: " + echoed(a)};
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

namespace {
void (*dataDirectoryOpened)(const std::filesystem::path&) = nullptr;
} // namespace

void whenDataDirectoryOpens(void (*hook)(const std::filesystem::path& root)) { dataDirectoryOpened = hook; }

std::unique_ptr<DataDirLock> holdDataDirectory(const std::string& consequence, int waitSeconds) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(waitSeconds);
    for (;;) {
        auto lock = std::make_unique<DataDirLock>(dataDir());
        if (lock->acquired()) return lock;
        if (std::chrono::steady_clock::now() >= until) throw DataDirectoryInUse{dataDir().root().string(), consequence};
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}

void openDataDirectory(const std::optional<std::string>& dir) {
    const std::filesystem::path root = dataDirectoryRoot(dir);
    setDataDir(root);
    if (dataDirectoryOpened) dataDirectoryOpened(root);
    if (std::filesystem::exists(root) && dataDir().readOnly()) return;  // read as it is
    if (secureDataDirRoot(root))
        std::fprintf(stderr, "Quorendaville: la cartella dati %s era leggibile da altri utenti, ora solo dal proprietario\n",
                     root.c_str());
    installTemplate(dataDir(), templateDir());
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

namespace {

// The length of the UTF-8 sequence at `i`, or 0 when the bytes there are
// no UTF-8 (a stray continuation byte, a cut or overlong sequence).
std::size_t utf8Length(const std::string& s, std::size_t i) {
    const auto b = static_cast<unsigned char>(s[i]);
    if (b < 0x80) return 1;
    std::size_t n = b >= 0xC2 && b <= 0xDF ? 2 : b >= 0xE0 && b <= 0xEF ? 3 : b >= 0xF0 && b <= 0xF4 ? 4 : 0;
    if (n == 0 || i + n > s.size()) return 0;
    for (std::size_t k = 1; k < n; ++k)
        if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return 0;
    const auto second = static_cast<unsigned char>(s[i + 1]);
    if ((b == 0xE0 && second < 0xA0) || (b == 0xF0 && second < 0x90) || (b == 0xF4 && second > 0x8F) ||
        (b == 0xED && second > 0x9F))
        return 0;
    return n;
}

bool validUtf8(const std::string& s) {
    for (std::size_t i = 0; i < s.size();) {
        const std::size_t n = utf8Length(s, i);
        if (n == 0) return false;
        i += n;
    }
    return true;
}

} // namespace

std::string echoed(const std::string& typed) {
    constexpr std::size_t kShownCharacters = 80;
    std::string out = "\"";
    std::size_t characters = 0, i = 0;
    for (; i < typed.size() && characters < kShownCharacters; ++characters) {
        const std::size_t n = utf8Length(typed, i);
        if (n == 0) {
            out += "\xEF\xBF\xBD";  // U+FFFD
            ++i;
        } else {
            out.append(typed, i, n);
            i += n;
        }
    }
    if (i < typed.size()) out += "\xE2\x80\xA6";  // "…"
    return out + "\"";
}

std::string ofWhat(const std::string& what) {
    static const std::pair<const char*, const char*> joined[] = {
        {"il ", "del "}, {"lo ", "dello "}, {"la ", "della "}, {"l'", "dell'"},
        {"i ", "dei "},  {"gli ", "degli "}, {"le ", "delle "}};
    for (const auto& [article, with] : joined)
        if (what.rfind(article, 0) == 0) return with + what.substr(std::string(article).size());
    return "di " + what;
}

std::string typedText(const std::string& utf8, const std::string& option) {
    if (!validUtf8(utf8))
        throw UsageError{"Il testo " + ofWhat(option) + " non \xE8 un testo UTF-8 valido: " + echoed(utf8)};
    std::string offending;
    const auto text = typedTextToCp1252(utf8, &offending);
    if (!text)
        throw UsageError{"Il testo " + ofWhat(option) + " contiene \"" + offending +
                         "\", che non si pu\xF2 scrivere negli archivi (solo i caratteri dell'alfabeto Windows-1252)"};
    if (const std::string c = controlCharacterIn(*text); !c.empty())
        throw UsageError{"Il testo " + ofWhat(option) + " contiene un carattere di controllo (" + c + "), non ammesso"};
    return *text;
}

int parseInt(const std::string& text, const std::string& option) {
    if (text.empty()) throw UsageError{"Valore vuoto per " + option};
    char* end = nullptr;
    errno = 0;
    const long v = std::strtol(text.c_str(), &end, 10);
    if (*end != '\0' || errno != 0 || v < -1000000 || v > 1000000)
        throw UsageError{"Valore non valido per " + option + ": " + echoed(text)};
    return static_cast<int>(v);
}

std::int64_t parseBoundedInteger(const std::string& text, const std::string& option, std::int64_t smallest,
                                 std::int64_t largest) {
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos)
        throw UsageError{"Valore non valido per " + option + ": " + echoed(text)};
    std::int64_t v = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (ec == std::errc::result_out_of_range || v < smallest || v > largest)
        throw UsageError{"Valore fuori dai limiti per " + option + ": " + echoed(text) + " (da " +
                         std::to_string(smallest) + " a " + std::to_string(largest) + ")"};
    if (ec != std::errc() || end != text.data() + text.size())
        throw UsageError{"Valore non valido per " + option + ": " + echoed(text)};
    return v;
}

long double parseReal(const std::string& text, const std::string& option) {
    std::string t = text;
    std::replace(t.begin(), t.end(), ',', '.');
    long double v = 0;
    if (!parseDecimal(t, v)) throw UsageError{"Valore non valido per " + option + ": " + echoed(text)};
    return v;
}

} // namespace qv::cli
