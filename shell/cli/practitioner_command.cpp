#include "shell/cli/practitioner_command.h"

#include "base/data_dir.h"
#include "settings/display_settings.h"
#include "shell/cli/cli_support.h"

namespace qv::cli {

namespace {

const char* const kPractitionerUsage =
    "Uso: quorendaville-cli practitioner show\n"
    "     quorendaville-cli practitioner set [--name NOME [--surname COGNOME]] [--qualification QUALIFICA]\n"
    "            [--association ASSOCIAZIONE] [--contact CONTATTI] [--law4 on|off] [--law4-text TESTO]\n"
    "     senza --surname il cognome \xE8 l'ultima parola di --name; un valore vuoto (\"\") cancella il campo;\n"
    "     i campi non indicati restano come sono; tutti accettano --data-dir CARTELLA";

void show(const PractitionerIdentity& id, std::ostream& out) {
    out << shownLine("Nome: " + id.name.firstName) << shownLine("Cognome: " + id.name.surname)
        << shownLine("Qualifica: " + id.qualification) << shownLine("Associazione: " + id.association)
        << shownLine("Contatti: " + id.contact)
        << shownLine(std::string("Legge 4/2013: ") + (id.citesLaw4 ? "s\xEC" : "no") + " (" + id.law4Text + ")");
    const auto lines = id.printedLines();
    if (lines.empty()) {
        out << "Nessun nome impostato: relazioni e schede non riportano il professionista\n";
        return;
    }
    out << "Nelle relazioni e nelle schede:\n";
    for (const std::string& l : lines) out << shownLine("  " + l);
}

} // namespace

int practitionerCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    return runCommand(err, [&] {
        if (args.empty()) throw UsageError{kPractitionerUsage};
        const std::string sub = args.front();
        const std::vector<std::string> rest(args.begin() + 1, args.end());
        if (sub == "show") {
            const Arguments a(rest, {"--data-dir"}, {});
            if (!a.positional().empty()) throw UsageError{"Argomento inatteso: " + a.positional().front()};
            openDataDirectory(a.value("--data-dir"));
            show(readPractitionerIdentity(), out);
            return kExitOk;
        }
        if (sub != "set") throw UsageError{"Sottocomando sconosciuto: " + sub + "\n" + kPractitionerUsage};
        const Arguments a(rest,
                          {"--name", "--surname", "--qualification", "--association", "--contact", "--law4",
                           "--law4-text", "--data-dir"},
                          {});
        if (!a.positional().empty()) throw UsageError{"Argomento inatteso: " + a.positional().front()};
        if (a.value("--surname") && !a.value("--name")) throw UsageError{"--surname vale solo con --name"};
        std::optional<bool> law4;
        if (const auto v = a.value("--law4")) {
            if (*v != "on" && *v != "off") throw UsageError{"--law4 vuole on oppure off: \"" + *v + "\""};
            law4 = *v == "on";
        }
        // Every value is checked before anything is written.
        auto text = [&](const char* option) -> std::optional<std::string> {
            if (const auto v = a.value(option)) return typedText(*v, option);
            return std::nullopt;
        };
        const auto name = text("--name"), surname = text("--surname"), qualification = text("--qualification"),
                   association = text("--association"), contact = text("--contact"), law4Text = text("--law4-text");
        openDataDirectory(a.value("--data-dir"));
        PractitionerIdentity id = readPractitionerIdentity();
        if (name) {
            if (surname) {
                id.name = {*name, *surname};
            } else {
                // The surname is the last word; "Maria Grazia Rossi" is Maria Grazia, Rossi.
                const auto end = name->find_last_not_of(' ');
                const auto blank = end == std::string::npos ? std::string::npos : name->find_last_of(' ', end);
                id.name = blank == std::string::npos ? PractitionerName{*name, ""}
                                                     : PractitionerName{name->substr(0, blank), name->substr(blank + 1, end - blank)};
            }
        }
        if (qualification) id.qualification = *qualification;
        if (association) id.association = *association;
        if (contact) id.contact = *contact;
        if (law4) id.citesLaw4 = *law4;
        if (law4Text) id.law4Text = law4Text->empty() ? kDefaultLaw4Text : *law4Text;
        writePractitionerIdentity(id);
        show(id, out);
        return kExitOk;
    });
}

} // namespace qv::cli
