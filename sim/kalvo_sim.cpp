// kalvo-sim: the stand-in host as a program. It loads the Kalvo MFD module as the
// simulator loads an add-on, opens one display in its mode and plays a script on
// it, drawing the page whenever the script says so and whenever a command asks for
// a redraw. The same source runs on Linux
// (the stand-in GDI, pictures painted by Cairo) and on Windows (the real GDI).
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "sim/canvas.h"
#include "sim/display.h"
#include "sim/dynamic_library.h"
#include "sim/host.h"
#include "sim/module_loader.h"
#include "sim/page_geometry.h"
#include "sim/scenario.h"
#include "sim/script.h"

namespace {

// Scan code of the E key, with which the pilot selects Kalvo MFD.
constexpr DWORD kKalvoModeKey = 18;

constexpr const char* kUsage =
    "usage: kalvo-sim [--module PATH] [--scenario NAME|FILE] [--size WIDTHxHEIGHT] [--save FILE] [--geometry]\n"
    "                 STEP...\n"
    "Loads the Kalvo MFD module, opens a display in its mode and plays the steps:\n"
    "  a button label (Dr> Dr< Eq> Eq< VSt Vr> Vr< Inp Slv All Cpy Pst Get Hlp 0->) clicks that button\n"
    "  type:TEXT     confirms the input box with TEXT\n"
    "  draw          draws the page (the host's periodic refresh): drawing N, saved with --save\n"
    "  wait:SECONDS  moves the simulated world on\n"
    "After a step that asks for a redraw the page is drawn at once, as the simulator\n"
    "draws it (showing a status message uses it up); only the draw steps' drawings are kept.\n"
    "Options:\n"
    "  --module PATH      the module to load (default: " KALVO_MODULE_FILE_NAME
    " beside kalvo-sim)\n"
    "  --scenario NAME    a built-in scenario (leo, lunar-orbit, glide, no-engines) or a scenario file\n"
    "  --size WxH         the display's size in pixels (default 400x400)\n"
    "  --save FILE        writes the drawing of draw step N to FILE with -N before its extension,\n"
    "                     even for a single one: page.bmp gives page-1.bmp (.bmp, or .png on Linux)\n"
    "  --geometry         prints where each drawing put its separators, band, highlights and arrows\n";

struct Options {
    std::string module;
    std::string scenario{sim::kDefaultScenario};
    DWORD width = 400;
    DWORD height = 400;
    std::string save;
    bool geometry = false;
    std::vector<std::string> steps;
};

class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// "400x256" as a width and a height, each 1 to 65535.
void ParseSize(const std::string& text, Options& options) {
    unsigned width = 0;
    unsigned height = 0;
    char separator = 0;
    char rest = 0;
    if (std::sscanf(text.c_str(), "%u%c%u%c", &width, &separator, &height, &rest) != 3 || separator != 'x' ||
        width < 1 || width > 0xFFFF || height < 1 || height > 0xFFFF)
        throw UsageError("--size \"" + text + "\": expected WIDTHxHEIGHT, each 1 to 65535 pixels");
    options.width = width;
    options.height = height;
}

Options ParseOptions(int argc, char** argv) {
    Options options;
    options.module = sim::ExecutableDirectory() + "/" + KALVO_MODULE_FILE_NAME;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        const auto value = [&]() -> std::string {
            if (i + 1 >= argc) throw UsageError(argument + " needs a value");
            return argv[++i];
        };
        if (argument == "--module")
            options.module = value();
        else if (argument == "--scenario")
            options.scenario = value();
        else if (argument == "--size")
            ParseSize(value(), options);
        else if (argument == "--save")
            options.save = value();
        else if (argument == "--geometry")
            options.geometry = true;
        else if (argument.starts_with("--"))
            throw UsageError("unknown option " + argument);
        else
            options.steps.push_back(argument);
    }
    return options;
}

// FILE with "-N" before its extension.
std::string DrawingPath(const std::string& file, int drawing) {
    const std::size_t dot = file.find_last_of('.');
    const std::size_t slash = file.find_last_of("/\\");
    const bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash);
    const std::string stem = hasExtension ? file.substr(0, dot) : file;
    return stem + "-" + std::to_string(drawing) + (hasExtension ? file.substr(dot) : "");
}

int Run(const Options& options) {
    if (const std::string error = sim::LoadScenario(options.scenario); !error.empty()) {
        std::cerr << "kalvo-sim: " << error << "\n";
        return EXIT_FAILURE;
    }
    const sim::LoadedModule module(options.module);
    sim::Display display(options.width, options.height);
    if (!display.SelectMode(kKalvoModeKey)) {
        std::cerr << "kalvo-sim: " << options.module << " registered no mode with the key " << kKalvoModeKey << "\n";
        return EXIT_FAILURE;
    }
    const std::vector<sim::ScriptStep> steps = sim::ParseScript(options.steps, display.ButtonLabels());
    sim::Canvas canvas(static_cast<int>(options.width), static_cast<int>(options.height));
    const int cellWidth = MfdHostAccess::CellWidth(*display.Page());
    const int cellHeight = MfdHostAccess::CellHeight(*display.Page());
    const auto draw = [&] {
        canvas.Clear();
        display.Draw(canvas.Handle());
    };
    const auto keep = [&](int drawing) {
        draw();
        const sim::Pixels pixels = canvas.Read();
        std::cout << "drawing " << drawing;
        if (!options.save.empty()) {
            const std::string path = DrawingPath(options.save, drawing);
            sim::SaveDrawing(pixels, path);
            std::cout << ": " << path;
        }
        std::cout << "\n";
        if (options.geometry) std::cout << sim::DescribeGeometry(sim::MeasurePage(pixels, cellWidth, cellHeight));
    };
    // The redraws a command asks for are drawn, as the simulator draws them, and not
    // kept: the draw steps' drawings are the pictures asked for.
    sim::RunScript(display, steps, keep, [&](std::size_t) { draw(); });
    return EXIT_SUCCESS;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        if (argc == 2 && (std::string(argv[1]) == "--help" || std::string(argv[1]) == "-h")) {
            std::cout << kUsage;
            return EXIT_SUCCESS;
        }
        return Run(ParseOptions(argc, argv));
    } catch (const UsageError& error) {
        std::cerr << "kalvo-sim: " << error.what() << "\n" << kUsage;
    } catch (const std::exception& error) {
        std::cerr << "kalvo-sim: " << error.what() << "\n";
    }
    return EXIT_FAILURE;
}
