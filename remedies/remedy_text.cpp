#include "remedies/remedy_text.h"

#include "ephemeris/text_forms.h"

namespace qv::remedies {

const char* const kUseNumberNotice =
    "Il numero tra parentesi si riferisce ad un impiego specifico del Rimedio e NON ad una variante del "
    "Rimedio stesso";

std::string listedForm(const std::string& text) { return TrimRightSymbols(text.substr(0, text.find('*'))); }

std::string upperLetters(const std::string& text) {
    std::string out = text;
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return out;
}

std::string trimRightBlanks(const std::string& text) {
    const std::size_t end = text.find_last_not_of(' ');
    return end == std::string::npos ? std::string() : text.substr(0, end + 1);
}

std::string preparationCaption(const std::string& name) {
    std::string caption;
    if (name.find("MSA") != std::string::npos) caption = "(Macerato Spagirico-Alchemico)";
    if (name.find("TSA") != std::string::npos) caption = "(Tintura Spagirico-Alchemica)";
    if (name.find("QSPC") != std::string::npos) caption = "(Quintessenza Spagirica Canonica)";
    return caption;
}

bool hasUseNumber(const std::string& name) {
    for (char d = '1'; d <= '9'; ++d)
        if (name.find(std::string("(") + d + ")") != std::string::npos) return true;
    return false;
}

namespace {
void appendWords(std::vector<std::string>& out, const std::string& text, const std::string& mark) {
    std::string word;
    for (char c : text) {
        if (c == ' ' || c == '-') {
            out.push_back(word.empty() ? word : mark + word);
            word.clear();
        } else {
            word += c;
        }
    }
    out.push_back(word.empty() ? word : mark + word);
}
} // namespace

std::vector<std::string> signatureWords(const std::string& primary, const std::string& secondary,
                                        bool markPrimary) {
    std::vector<std::string> out;
    appendWords(out, primary, markPrimary ? "\xA7 " : "");
    if (markPrimary) {
        // The secondary signature follows the primary after one blank; an
        // empty one still gives its (empty) line, as the box text ends in a blank.
        std::vector<std::string> rest;
        appendWords(rest, secondary, "");
        out.insert(out.end(), rest.begin(), rest.end());
    }
    return out;
}

} // namespace qv::remedies
