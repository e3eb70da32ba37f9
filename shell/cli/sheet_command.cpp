#include "shell/cli/sheet_command.h"

#include "archive/current_subject.h"
#include "base/cp1252.h"
#include "display/sheet_layouts.h"
#include "ephemeris/text_forms.h"
#include "settings/display_settings.h"
#include "shell/cli/wheel_command.h"

namespace qv::cli {

int sheetCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    return runCommand(err, [&] {
        std::vector<std::string> valued = kChartPictureValues;
        for (const char* option : {"--layout", "--name", "--place", "--nation"}) valued.push_back(option);
        std::vector<std::string> flags = kChartPictureFlags;
        flags.push_back("--screen");
        const Arguments a(args, valued, flags);
        if (!a.positional().empty()) throw UsageError{"Argomento inatteso: " + echoed(a.positional().front())};
        const std::string layoutName = a.required("--layout");
        const auto layout = draw::sheetLayoutNamed(layoutName);
        if (!layout) throw UsageError{"Foglio sconosciuto: " + echoed(layoutName) + " (V1, V2, O1 oppure O2)"};
        const std::string file = a.required("--out");
        pictureOutputFormat(a);
        const bool current = a.flag("--current");
        for (const char* option : {"--name", "--place", "--nation"})
            if (current && a.value(option))
                throw UsageError{std::string("Con --current i dati vengono dal soggetto attuale: togliere ") + option};

        // The texts are checked as register checks them, before any work.
        auto typed = [&](const char* option) -> std::optional<std::string> {
            if (const auto v = a.value(option)) return typedText(*v, option);
            return std::nullopt;
        };
        const std::string typedName = typed("--name").value_or("");
        const auto typedPlace = typed("--place"), typedNation = typed("--nation");
        const OrbTable orbs = castPictureChart(a);
        ChartState& chart = chartState();
        std::string name;
        if (current) {
            name = TrimRightSpaces(readCurrentSubject().name());
        } else {
            name = typedName;
            if (typedPlace) chart.birth.place = *typedPlace;
            if (typedNation) chart.birth.nation = *typedNation;
        }
        const draw::SheetContent content = draw::sheetContentFor(chart, name, orbs);

        draw::PictureRequest request = pictureRequestFor(a);
        if (a.flag("--screen") && request.format != draw::PictureFormat::Png)
            throw UsageError{"--screen vale solo per un'immagine .png"};
        request.screenLook = a.flag("--screen");
        request.areaWidth = draw::sheetPageWidth();
        request.areaHeight = draw::sheetPageHeight(*layout);
        request.outputWidth = draw::paperWidth(*layout);
        request.practitioner = practitionerForPrint();
        draw::writePicture(request, [&] { draw::drawSheet(*layout, chart, content); });
        out << "Foglio \"" << TrimRightSpaces(draw::sheetLayoutCaption(*layout)) << "\" scritto in " << file << "\n";
        return kExitOk;
    });
}

} // namespace qv::cli
