#include "app/page_session.h"

#include <charconv>
#include <limits>

#include "app/exit_status.h"
#include "host/entry.h"
#include "sim/host/host.h"
#include "sim/world/scenario.h"

namespace kalvo::app {

namespace {

std::string SizeRange() {
    return "width " + std::to_string(kSmallestDisplayWidth) + " to " + std::to_string(kLargestDisplaySide) +
           " and height " + std::to_string(kSmallestDisplayHeight) + " to " + std::to_string(kLargestDisplaySide) +
           " pixels";
}

// A whole number of pixels, digits only; a number too large for a DWORD reads as
// the largest one, which is out of range.
bool ReadPixels(std::string_view text, DWORD& pixels) {
    if (text.empty() || text.find_first_not_of("0123456789") != std::string_view::npos) return false;
    if (std::from_chars(text.data(), text.data() + text.size(), pixels).ec == std::errc::result_out_of_range)
        pixels = std::numeric_limits<DWORD>::max();
    return true;
}

int CellsCovering(DWORD pixels, int cell) { return static_cast<int>((pixels + cell - 1) / cell); }

}  // namespace

DisplaySize ParseDisplaySize(std::string_view text) {
    const auto x = text.find('x');
    DisplaySize size{};
    if (x == std::string_view::npos || !ReadPixels(text.substr(0, x), size.width) ||
        !ReadPixels(text.substr(x + 1), size.height))
        throw UsageError("display size \"" + std::string(text) + "\" is not WIDTHxHEIGHT in pixels (for example " +
                         DisplaySizeText(kDefaultDisplaySize) + ")");
    if (size.width < kSmallestDisplayWidth || size.width > kLargestDisplaySide ||
        size.height < kSmallestDisplayHeight || size.height > kLargestDisplaySide)
        throw UsageError("display size " + std::string(text) + " out of range (" + SizeRange() + ")");
    return size;
}

std::string DisplaySizeText(DisplaySize size) { return std::to_string(size.width) + "x" + std::to_string(size.height); }

int ReportFailure(std::string_view prefix, std::ostream& err) {
    try {
        throw;
    } catch (const UsageError& error) {
        err << prefix << ": " << error.what() << '\n';
        return kExitUsage;
    } catch (const sim::ModuleError& error) {
        err << prefix << ": " << error.what() << '\n';
        return kExitNoModule;
    } catch (const std::exception& error) {
        err << prefix << ": " << error.what() << '\n';
        return kExitFailed;
    }
}

void StartScenario(std::string_view nameOrPath) {
    const std::string error = sim::LoadScenario(nameOrPath);
    if (!error.empty()) throw UsageError(error);
}

PageSession::PageSession(const std::string& modulePath, DisplaySize size)
    : module_(modulePath),
      valueCell_(module_.ExportAs<decltype(&KalvoValueCell)>("KalvoValueCell")),
      pageStatus_(module_.ExportAs<decltype(&KalvoPageStatus)>("KalvoPageStatus")),
      pageSelection_(module_.ExportAs<decltype(&KalvoPageSelection)>("KalvoPageSelection")),
      display_(size.width, size.height),
      canvas_(static_cast<int>(size.width), static_cast<int>(size.height)) {
    if (valueCell_ == nullptr || pageStatus_ == nullptr || pageSelection_ == nullptr)
        throw sim::ModuleError("module \"" + modulePath +
                               "\" is not Kalvo MFD (no KalvoValueCell, KalvoPageStatus or KalvoPageSelection)");
    if (!display_.SelectMode(kModeKey))
        throw sim::ModuleError("module \"" + modulePath + "\" opened no page for mode key " + std::to_string(kModeKey));
}

std::span<const MFDBUTTONMENU> PageSession::ButtonMenu() const {
    const MFDBUTTONMENU* menu = nullptr;
    const int count = display_.ButtonMenu(&menu);
    if (menu == nullptr || count <= 0) return {};
    return {menu, static_cast<std::size_t>(count)};
}

double& PageSession::Cell(int set, int directory, int variable) {
    double* cell = valueCell_(set, directory, variable);
    if (cell == nullptr)
        throw sim::ModuleError("module \"" + module_.Path() + "\" has no value cell for set " + std::to_string(set) +
                               ", directory " + std::to_string(directory) + ", variable " + std::to_string(variable));
    return *cell;
}

KalvoSelection PageSession::Selection() const {
    KalvoSelection selection{};
    if (!pageSelection_(display_.Page(), &selection))
        throw sim::ModuleError("module \"" + module_.Path() + "\" tells no selection of its page");
    return selection;
}

const sim::DeviceContext& PageSession::Draw() {
    shownStatus_ = Status();
    display_.Draw(canvas_);
    // The GDI's records of the objects the drawing made and deleted would grow with
    // every drawing of a session that runs for hours.
    sim::ForgetDeletedObjects();
    return canvas_;
}

sim::TextGridOptions PageSession::GridOptions(bool colour) const {
    return {MfdHostAccess::CellWidth(*display_.Page()), MfdHostAccess::CellHeight(*display_.Page()), colour};
}

int PageSession::DisplayColumns() const {
    return CellsCovering(display_.Width(), MfdHostAccess::CellWidth(*display_.Page()));
}

int PageSession::DisplayRows() const {
    return CellsCovering(display_.Height(), MfdHostAccess::CellHeight(*display_.Page()));
}

}  // namespace kalvo::app
