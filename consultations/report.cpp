#include "consultations/report.h"

#include "analysis/chart_codes.h"
#include "analysis/chart_master.h"
#include "analysis/substance.h"
#include "base/data_dir.h"
#include "remedies/consultation.h"
#include "remedies/remedy_text.h"

#include <algorithm>
#include <array>

namespace qv::consultations {

const char* const kReportClosing =
    "Le indicazioni di questa relazione accompagnano, ma non sostituiscono, il parere e le cure del medico. "
    "Prima di iniziare un rimedio, in gravidanza o allattamento, con altre terapie in corso, e per ogni disturbo "
    "che persiste o peggiora, rivolgersi al proprio medico.";

namespace {

const char* const kPlanetTextsPath = "OpzioneT\\SpgPian.txt";

// What each element says of a constitution, in the program's own words.
const std::array<const char*, 4> kElementReading = {
    "Prevale il Fuoco: una costituzione calda e vivace, pronta all'azione, che tende a consumare in fretta le "
    "proprie energie e trae beneficio dal riposo e dalla misura.",
    "Prevale la Terra: una costituzione concreta e costante, che ama i ritmi regolari e tende a trattenere; "
    "giovano il movimento e una digestione leggera.",
    "Prevale l'Aria: una costituzione mobile e comunicativa, sensibile agli stimoli e ai cambiamenti; giovano "
    "la regolarit\xE0 del sonno e dei pasti.",
    "Prevale l'Acqua: una costituzione ricettiva ed emotiva, che risente dell'umidit\xE0 e della stanchezza; "
    "giovano il calore, il movimento e il drenaggio.",
};

// The temperament of the two stronger qualities.
std::string humourReading(const Humours& h) {
    const bool hot = h.hot >= h.cold;
    const bool moist = h.moist >= h.dry;
    if (hot && moist) return "L'umore che prevale \xE8 il sanguigno (caldo e umido): espansivo, socievole, generoso.";
    if (hot) return "L'umore che prevale \xE8 il collerico (caldo e secco): energico, deciso, facile all'irritazione.";
    if (moist) return "L'umore che prevale \xE8 il flemmatico (freddo e umido): calmo, paziente, lento nelle reazioni.";
    return "L'umore che prevale \xE8 il melanconico (freddo e secco): riflessivo, preciso, incline alla chiusura.";
}

const std::array<const char*, 11> kMasterNames = {"",      "Sole",    "Luna",   "Mercurio", "Venere",  "Marte",
                                                  "Giove", "Saturno", "Urano",  "Nettuno",  "Plutone"};

// The planet's lines of the planet texts: nature, body, humour (the first,
// third and fourth of its code), joined; empty when the file lacks them.
std::string masterTexts(int master) {
    if (master < 1 || master > kPlanets || !dataDir().exists(kPlanetTextsPath)) return {};
    const std::string code = std::string(kPointTextCodes[static_cast<std::size_t>(master)]) + " ";
    std::vector<std::string> lines;
    for (const std::string& l : readDataTextLines(kPlanetTextsPath))
        if (l.rfind(code, 0) == 0) lines.push_back(remedies::trimRightBlanks(l.substr(code.size())));
    std::string out;
    for (std::size_t i : {0u, 2u, 3u})
        if (i < lines.size()) out += (out.empty() ? "" : " ") + lines[i];
    return out;
}

std::string trimmedBlanks(std::string s) {
    s = remedies::trimRightBlanks(s);
    const auto first = s.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : s.substr(first);
}

} // namespace

std::vector<std::string> constitutionReading(const ChartState& natal, int master) {
    std::vector<std::string> out;
    if (master >= 1 && master <= 10) {
        std::string m = std::string("Il maestro del tema \xE8 ") + kMasterNames[static_cast<std::size_t>(master)] + ".";
        if (const std::string t = masterTexts(master); !t.empty()) m += " " + t;
        out.push_back(m);
    }
    const Substance s = computeSubstance(natal);
    const auto& e = s.elementalHumours.element;
    const auto strongest = static_cast<std::size_t>(std::max_element(e.begin(), e.end()) - e.begin());
    out.push_back(kElementReading[strongest]);
    out.push_back(humourReading(s.elementalHumours));
    return out;
}

ReportContent reportContent(const Consultation& c, const ReportSubject& subject, const ChartState& natal, int master,
                            const std::string& practitioner) {
    ReportContent r;
    r.title = "Relazione di consultazione";
    r.practitioner = trimmedBlanks(practitioner);
    r.person = trimmedBlanks(subject.name);
    r.birth = "Nascita: " + trimmedBlanks(subject.birthDate) + ", " + trimmedBlanks(subject.place) +
              (trimmedBlanks(subject.nation).empty() ? std::string() : " (" + trimmedBlanks(subject.nation) + ")");
    r.date = dateText(c.date);
    r.constitution = constitutionReading(natal, master);
    r.complaints = c.complaints;
    r.symptoms = c.symptoms;
    for (const PrescribedRemedy& p : c.remedies) {
        ReportRemedy rr{p.name, {}, p.dosage, p.duration, {}};
        std::string caption = remedies::preparationCaption(p.name);
        if (caption.size() > 2 && caption.front() == '(') caption = caption.substr(1, caption.size() - 2);
        rr.preparation = caption;
        const auto records = remedies::findRemedy(dataDir(), p.name);
        // A remedy the database no longer holds is printed with a warning
        // that sends the person to the practitioner and the doctor.
        rr.warnings = records.empty()
                          ? "Rimedio non presente nella banca dati: chiedere al professionista e al medico le "
                            "avvertenze prima dell'uso."
                          : remedies::trimRightBlanks(remedies::warningsOrNotice(records.back().data));
        r.remedies.push_back(rr);
    }
    r.followUp = c.followUp ? dateText(*c.followUp) : std::string();
    r.closing = kReportClosing;
    return r;
}

std::string reportText(const ReportContent& r) {
    std::string t = r.title + "\n";
    t += "Professionista: " + r.practitioner + "\n";
    t += "Persona: " + r.person + "\n" + r.birth + "\n";
    t += "Data della consultazione: " + r.date + "\n\nCostituzione\n";
    for (const std::string& p : r.constitution) t += p + "\n";
    t += "\nDisturbi\n";
    if (!r.complaints.empty()) t += r.complaints + "\n";
    for (const std::string& s : r.symptoms) t += "- " + s + "\n";
    t += "\nRimedi\n";
    for (const ReportRemedy& m : r.remedies) {
        t += m.name + (m.preparation.empty() ? "" : " (" + m.preparation + ")") + "\n";
        if (!m.dosage.empty()) t += "Posologia: " + m.dosage + "\n";
        if (!m.duration.empty()) t += "Durata: " + m.duration + "\n";
        t += "Avvertenze: " + m.warnings + "\n";
    }
    if (!r.followUp.empty()) t += "\nProssimo controllo: " + r.followUp + "\n";
    t += "\n" + r.closing + "\n";
    return t;
}

} // namespace qv::consultations
