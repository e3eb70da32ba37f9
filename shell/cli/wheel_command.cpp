#include "shell/cli/wheel_command.h"

#include "chart/chart_computation.h"
#include "display/chart_wheel.h"
#include "display/picture_output.h"
#include "archive/current_subject.h"
#include "ephemeris/chart_steps.h"
#include "settings/chart_settings.h"
#include "settings/display_settings.h"
#include "shell/cli/chart_command.h"
#include "shell/cli/cli_support.h"

namespace qv::cli {


const std::vector<std::string> kChartPictureValues = {"--date",  "--time",       "--corr", "--coords",
                                                     "--calendar", "--houses", "--node", "--black-moon",
                                                     "--out",   "--data-dir"};
const std::vector<std::string> kChartPictureFlags = {"--current", "--mono"};

draw::PictureFormat pictureOutputFormat(const Arguments& a) {
    const std::string file = a.required("--out");
    const auto format = draw::pictureFormatOf(file);
    if (!format) throw UsageError{"Il file di uscita deve finire in .svg, .pdf o .png: " + echoed(file)};
    return *format;
}


draw::PictureRequest pictureRequestFor(const Arguments& a) {
    draw::PictureRequest request;
    request.file = a.required("--out");
    request.format = pictureOutputFormat(a);
    request.monochrome = a.flag("--mono");
    request.thickness = static_cast<double>(readDisplaySettings().lineThickness);
    return request;
}

int wheelCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    return runCommand(err, [&] {
        std::vector<std::string> valued = kChartPictureValues;
        valued.push_back("--size");
        std::vector<std::string> flags = kChartPictureFlags;
        flags.push_back("--spindles");
        const Arguments a(args, valued, flags);
        if (!a.positional().empty()) throw UsageError{"Argomento inatteso: " + echoed(a.positional().front())};
        const std::string file = a.required("--out");
        pictureOutputFormat(a);
        double size = draw::kChartAreaSize;
        if (const auto text = a.value("--size")) {
            size = static_cast<double>(parseReal(*text, "--size"));
            if (size < 50 || size > 1000) throw UsageError{"Dimensione fuori dai limiti (da 50 a 1000 mm): " + echoed(*text)};
        }
        const OrbTable orbs = castPictureChart(a);
        draw::PictureRequest request = pictureRequestFor(a);
        request.outputWidth = size;
        // The wheel's PNG is the picture of the window's chart view.
        request.screenLook = request.format == draw::PictureFormat::Png;
        draw::ChartWheelOptions options;
        options.clickCircles = false;
        options.aspectMode = a.flag("--spindles") ? draw::AspectLineMode::Spindle : draw::AspectLineMode::Plain;
        draw::writePicture(request, [&] { draw::drawChartWheel(chartState(), orbs, options); });
        out << "Ruota del tema scritta in " << file << "\n";
        return kExitOk;
    });
}

} // namespace qv::cli
