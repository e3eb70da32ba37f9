// quorendaville-cli: the engine of Quorendaville without windows.
#include "shell/cli/analysis_command.h"
#include "shell/cli/archive_commands.h"
#include "shell/cli/atlas_command.h"
#include "shell/cli/calendar_command.h"
#include "shell/cli/chart_command.h"
#include "shell/cli/consultation_command.h"
#include "shell/cli/person_command.h"
#include "shell/cli/practitioner_command.h"
#include "shell/cli/cli_support.h"
#include "shell/cli/remedies_command.h"
#include "shell/cli/return_commands.h"
#include "shell/cli/transits_command.h"
#include "shell/cli/drawing_program.h"
#include "shell/cli/standard_output.h"

#include <algorithm>
#include <iostream>
#include <string>
#include <vector>

namespace {

// Printed as it is: UTF-8, like everything the terminal receives.
const char* const kUsage =
    "Uso: quorendaville-cli COMANDO [OPZIONI]\n"
    "\n"
    "Comandi:\n"
    "  chart   calcola un tema natale dai dati di nascita\n"
    "          --date GG/MM/AAAA --time HH:MM --corr ORE --coords 45N28-009E11\n"
    "          [--calendar GR|GI] [--houses NOME] [--node MEDIO|VERO]\n"
    "          [--black-moon VERA|MEDIA] [--data-dir CARTELLA] [--json]\n"
    "  atlas   luoghi di nascita e regimi orari\n"
    "          find PREFISSO [--estero] [--data-dir CARTELLA]\n"
    "          correction --place NOME [--estero] [--state STATO] --date GG/MM/AAAA\n"
    "          --time HH:MM [--reform-flag 0|1] [--json] [--data-dir CARTELLA]\n"
    "  chart --current [--json]   il tema del soggetto attuale\n"
    "  archive list NOME [--prefix P] | archive show NOME N   archivi dei soggetti\n"
    "  archive export NOME --format aaf|csv --out FILE   i soggetti di un archivio in un file di scambio\n"
    "  archive import NOME FILE --format aaf|csv [--dry-run] [--accept-all | --accept N,...]\n"
    "          prima la verifica di ogni record con l'atlante; --dry-run non scrive nulla\n"
    "  register --archive NOME --name NOME --date GG/MM/AAAA --time HH:MM --place COMUNE\n"
    "          [--estero --state STATO] [--corr ORE | --zone \xC2\xB1H] [--coords 45N28-009E11]\n"
    "          [--nation STATO] [--calendar GR|GI] [--annotation TESTO]... [--with-text]\n"
    "          coordinate e correzione non indicate vengono dall'atlante\n"
    "  modify NOME N [--name NOME] [--date GG/MM/AAAA] [--time HH:MM] [--place LUOGO]\n"
    "          [--nation STATO] [--coords 45N28-009E11] [--corr ORE | --zone \xC2\xB1H]\n"
    "          [--calendar GR|GI] [--update-current]   modifica il soggetto N; la correzione\n"
    "          segue l'atlante se non indicata\n"
    "  --corr ORE: le ore da aggiungere all'ora locale per avere il Tempo Universale\n"
    "          (Italia, ora solare: -1);  --zone \xC2\xB1H: il fuso, positivo a est (Italia: +1)\n"
    "  recall NOME N   il soggetto N dell'archivio diventa il soggetto attuale\n"
    "  delete NOME N [--with-consultations | --keep-consultations]   elimina il soggetto N dall'archivio\n"
    "          (con consultazioni registrate va detto se eliminarle o conservarle)\n"
    "  analysis [--current | --date GG/MM/AAAA --time HH:MM --corr ORE --coords 45N28-009E11]\n"
    "          [--only aspects|grid|distances|subdivisions|dodecatemories|antiscia|structure|\n"
    "          substance|hour|masters|scoring|keys] [--name NOME] [--place LUOGO] [--calendar GR|GI]\n"
    "          [--node MEDIO|VERO] [--black-moon VERA|MEDIA] [--json]   le analisi del tema\n"
    "  wheel [--current | dati di nascita come per chart] --out FILE.svg|.pdf|.png [--mono]\n"
    "          [--spindles] [--size MM]   disegna la ruota del tema\n"
    "  sheet --layout V1|V2|O1|O2 [--current | dati di nascita come per chart] --out FILE.pdf|.svg|.png\n"
    "          [--name NOME] [--place LUOGO] [--nation STATO]   (senza --current)\n"
    "          [--mono] [--screen]   il foglio stampabile del tema su una pagina A4 (--screen: PNG su nero)\n"
    "  remedies symptom SINTOMO | remedy RIMEDIO | pathology PATOLOGIA | rank SINTOMO...\n"
    "          | therapy PATOLOGIA... | rebuild | signature --planet P [--sign S] [--secondary]\n"
    "          | linked [--current | dati di nascita] [--json]   la banca dati dei rimedi\n"
    "  consultation add --archive A --subject N [--date GG/MM/AAAA] [--symptom S]... [--remedy R]...\n"
    "          [--note T] [--follow-up GG/MM/AAAA] [--medicine FARMACO]... [--pregnancy] [--breastfeeding]\n"
    "          | list --archive A --subject N [--json]\n"
    "          | delete --archive A --subject N --id K   le consultazioni di un soggetto\n"
    "  report --archive A --subject N [--id K] --out FILE.pdf   la relazione per la persona\n"
    "          (senza --id la consultazione pi\xC3\xB9 recente)\n"
    "  person erase --archive A --subject N --confirm [--receipt FILE]   cancella la persona e\n"
    "          tutti i suoi dati, con una ricevuta\n"
    "  person export --archive A --subject N --out CARTELLA   i dati della persona (JSON)\n"
    "  audit show [--check]   il registro di ci\u00f2 che \u00e8 uscito dal programma\n"
    "  retention list [--years N]   i soggetti senza consultazioni da oltre N anni (10)\n"
    "  practitioner show | set [--name NOME] [--qualification Q] [--association A] [--contact C]\n"
    "          [--law4 on|off] [--law4-text TESTO]   il professionista nelle relazioni e nelle schede\n"
    "  transits (--current | dati) --from GG/MM/AAAA --to GG/MM/AAAA [--bodies Sole,..]\n"
    "          [--orbs L,P,S,O,N] [--json]   i transiti (dati di nascita come chart)\n"
    "  return --year AAAA (--current | dati) [--json]   la rivoluzione solare\n"
    "  progressions --date GG/MM/AAAA (--current | dati) [--json]\n"
    "  calendar (--coords C --corr ORE | --place P) --from D --to D [--planet P|--remedy R]\n"
    "          [--waxing] [--moon-signs S,..] [--ics FILE] [--json]   ore planetarie\n"
    "  (tutti i comandi accettano --data-dir CARTELLA)\n"
    "  --verbose   i messaggi interni di Qt anche sullo standard error (sempre nel file\n"
    "          MessaggiQt.log della cartella dati)\n"
    "  --help    questo aiuto;  --version    la versione del programma\n";

int runCommandLine(std::vector<std::string> args, int argc, char** argv) {
    // Only the drawing commands load Qt, in a program of their own; --verbose
    // (Qt's messages on standard error) matters to them alone.
    const auto verbose = std::find(args.begin(), args.end(), "--verbose");
    if (verbose != args.end()) args.erase(verbose);
    if (qv::cli::runsInDrawingProgram(args))
        return qv::cli::runDrawingProgram(argc, argv, std::cerr);
    if (args.empty() || args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        std::cout << kUsage;
        return args.empty() ? qv::cli::kExitUsage : qv::cli::kExitOk;
    }
    if (args[0] == "--version") {
        std::cout << "quorendaville-cli " << QV_VERSION << "\n";
        return qv::cli::kExitOk;
    }
    const std::string command = args[0];
    args.erase(args.begin());
    if (command == "chart") return qv::cli::chartCommand(args, std::cout, std::cerr);
    if (command == "atlas") return qv::cli::atlasCommand(args, std::cout, std::cerr);
    if (command == "archive") return qv::cli::archiveCommand(args, std::cout, std::cerr);
    if (command == "register") return qv::cli::registerCommand(args, std::cout, std::cerr);
    if (command == "recall") return qv::cli::recallCommand(args, std::cout, std::cerr);
    if (command == "analysis") return qv::cli::analysisCommand(args, std::cout, std::cerr);
    if (command == "remedies") return qv::cli::remediesCommand(args, std::cout, std::cerr);
    if (command == "practitioner") return qv::cli::practitionerCommand(args, std::cout, std::cerr);
    if (command == "consultation") return qv::cli::consultationCommand(args, std::cout, std::cerr);
    if (command == "modify") return qv::cli::modifyCommand(args, std::cout, std::cerr);
    if (command == "transits") return qv::cli::transitsCommand(args, std::cout, std::cerr);
    if (command == "return") return qv::cli::returnCommand(args, std::cout, std::cerr);
    if (command == "progressions") return qv::cli::progressionsCommand(args, std::cout, std::cerr);
    if (command == "calendar") return qv::cli::calendarCommand(args, std::cout, std::cerr);
    if (command == "delete") return qv::cli::deleteCommand(args, std::cout, std::cerr);
    if (command == "person") return qv::cli::personCommand(args, std::cout, std::cerr);
    if (command == "audit") return qv::cli::auditCommand(args, std::cout, std::cerr);
    if (command == "retention") return qv::cli::retentionCommand(args, std::cout, std::cerr);
    std::cerr << "Comando sconosciuto: " << qv::cli::echoed(command) << "\n" << kUsage;
    return qv::cli::kExitUsage;
}

} // namespace

int main(int argc, char** argv) {
    qv::cli::CheckedStandardOutput out;
    const int status = runCommandLine(std::vector<std::string>(argv + 1, argv + argc), argc, argv);
    return qv::cli::checkedExit(status, out, std::cerr);
}
