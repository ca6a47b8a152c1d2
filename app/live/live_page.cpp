#include "app/live/live_page.h"

#define NCURSES_NOMACROS
#include <curses.h>
#include <langinfo.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <clocale>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <map>
#include <optional>
#include <utility>

#include "app/exit_status.h"
#include "app/live/bezel.h"
#include "app/live/live_keys.h"
#include "app/live/prompt_line.h"
#include "app/live/terminal_cells.h"
#include "app/live/terminal_type.h"
#include "app/module_location.h"
#include "app/page_session.h"
#include "catalogue/catalogue.h"
#include "sim/gdi/render_text.h"
#include "sim/host/host.h"
#include "sim/world/scenario.h"
#include "sim/world/world.h"

namespace kalvo::app {

namespace {

using Clock = std::chrono::steady_clock;
using Seconds = std::chrono::duration<double>;

// The simulator's default display refresh.
constexpr Seconds kRefreshInterval{0.5};
// How long the terminal is waited on for a key before time moves on again.
constexpr int kKeyWaitMilliseconds = 50;
// A pause longer than this (the program stopped and resumed) counts as this much.
constexpr Seconds kLongestTick{0.5};
// Escape alone quits; this is how long the terminal waits for the rest of a longer sequence.
constexpr int kEscapeDelayMilliseconds = 25;

// The display's background, where the page draws nothing.
constexpr COLORREF kDisplayBlack = 0x00000000;
constexpr COLORREF kPlainInk = 0x00C0C0C0;

// Set by the signals that end the program (Ctrl-C among them), read by the loop.
volatile std::sig_atomic_t stopRequested = 0;
void RequestStop(int) { stopRequested = 1; }

// The help lines are drawn in a font narrower than a cell; the grid gives every
// character a column, so the frame is as wide as the widest help line needs
// (the first line starts one column in).
int PageColumnsShown(int displayColumns) {
    std::size_t widest = 0;
    for (const DirectoryRow& directory : kCatalogue)
        for (const EquationRow& equation : directory.equations)
            widest = std::max({widest, equation.help[0].size() + 1, equation.help[1].size(), equation.help[2].size()});
    return std::max(displayColumns, static_cast<int>(widest));
}

// The live page's key codes for the special keys the terminal reports.
int KeyOfTerminal(int key) {
    switch (key) {
        case KEY_LEFT:
            return keys::kLeft;
        case KEY_RIGHT:
            return keys::kRight;
        case KEY_HOME:
            return keys::kHome;
        case KEY_END:
            return keys::kEnd;
        case KEY_BACKSPACE:
            return keys::kBackspace;
        case KEY_DC:
            return keys::kDelete;
        case KEY_ENTER:
            return keys::kEnter;
        default:
            return key < 0x100 ? key : -1;
    }
}

// Whether the user's locale shows UTF-8. Sets the locale's characters only: numbers
// keep the C locale's decimal point.
bool LocaleIsUtf8() {
    std::setlocale(LC_CTYPE, "");
    return std::strcmp(nl_langinfo(CODESET), "UTF-8") == 0;
}

// The terminal in the live page's modes for as long as it lives; restored after.
class Terminal {
public:
    Terminal() {
        utf8_ = LocaleIsUtf8();
        screen_ = newterm(nullptr, stdout, stdin);
        if (screen_ == nullptr) return;
        cbreak();
        noecho();
        nonl();
        keypad(stdscr, TRUE);
        set_escdelay(kEscapeDelayMilliseconds);
        curs_set(0);
        timeout(kKeyWaitMilliseconds);
        mousemask(BUTTON1_PRESSED | BUTTON1_RELEASED | BUTTON1_CLICKED, nullptr);
        mouseinterval(0);
        if (has_colors()) {
            start_color();
            colours_ = COLORS >= 256 ? 256 : COLORS >= 8 ? 8 : 0;
        }
    }
    ~Terminal() {
        if (screen_ == nullptr) return;
        endwin();
        delscreen(screen_);
    }
    Terminal(const Terminal&) = delete;
    Terminal& operator=(const Terminal&) = delete;

    bool Usable() const { return screen_ != nullptr; }

    // The attributes that show ink on paper: a colour pair where the terminal has
    // colours, reverse video for a coloured background where it has none.
    attr_t Attributes(COLORREF ink, COLORREF paper) {
        if (colours_ == 0) return paper != kDisplayBlack ? A_REVERSE : A_NORMAL;
        const auto nearest = [&](COLORREF c) {
            return colours_ == 256 ? NearestOf256(c) : NearestOf8(c);
        };
        const std::pair<int, int> colours{nearest(ink), nearest(paper)};
        auto found = pairs_.find(colours);
        if (found == pairs_.end()) {
            const int pair = static_cast<int>(pairs_.size()) + 1;
            // A pair number must fit the attribute's 8 bits as well as the terminal.
            if (pair >= COLOR_PAIRS || pair > 255) return A_NORMAL;
            init_pair(static_cast<short>(pair), static_cast<short>(colours.first), static_cast<short>(colours.second));
            found = pairs_.emplace(colours, pair).first;
        }
        return COLOR_PAIR(found->second);
    }

    void Put(int row, int column, std::string_view glyph, attr_t attributes) {
        attrset(static_cast<int>(attributes));
        const std::string shown(utf8_ ? glyph : AsciiOf(glyph));
        mvaddstr(row, column, shown.c_str());
    }

private:
    SCREEN* screen_ = nullptr;
    bool utf8_ = false;
    int colours_ = 0;
    std::map<std::pair<int, int>, int> pairs_;
};

class LivePage {
public:
    LivePage(PageSession& session, Terminal& terminal, std::string scenarioName)
        : session_(session),
          terminal_(terminal),
          scenarioName_(std::move(scenarioName)),
          labels_(session.ButtonLabels()),
          menu_(session.ButtonMenu()),
          pageColumns_(PageColumnsShown(session.DisplayColumns())),
          pageRows_(session.DisplayRows()),
          menuLines_(MenuLines(labels_, menu_, pageColumns_ - 1)),
          title_(BezelTitle(scenarioName_, DisplaySizeText(session.Size()))) {}

    void Run() {
        Clock::time_point lastTick = Clock::now();
        Clock::time_point nextRefresh = lastTick;
        while (!quit_ && stopRequested == 0) {
            const Clock::time_point now = Clock::now();
            sim::AdvanceTime(std::min(Seconds(now - lastTick), kLongestTick).count() * acceleration_);
            lastTick = now;
            if (now >= nextRefresh || redrawSoon_) {
                session_.Draw();
                cells_ = sim::RenderTextCells(session_.LastDrawing(), session_.GridOptions(false));
                nextRefresh = now + std::chrono::duration_cast<Clock::duration>(kRefreshInterval);
                redrawSoon_ = false;
            }
            Paint();
            const int key = getch();
            if (key != ERR) Handle(key);
            // Every frame while the mouse holds a button down, as the glass cockpit tells the page.
            if (heldButton_) session_.Display().HoldButton(*heldButton_);
        }
    }

private:
    LiveView View() const {
        if (!layout_) return LiveView::TooSmall;
        return menuShown_ ? LiveView::Menu : LiveView::Page;
    }

    void Handle(int key) {
        if (key == KEY_RESIZE) return;
        if (key == KEY_MOUSE) {
            MEVENT event;
            if (getmouse(&event) == OK) HandleMouse(event);
        } else if (prompt_ && layout_) {
            EditPrompt(KeyOfTerminal(key));
        } else {
            // Behind the message that the terminal is too small, only quitting acts.
            Carry(CommandOfKey(KeyOfTerminal(key), menu_, View()));
        }
        FollowInputBox();
        if (session_.TakeRedrawRequest()) redrawSoon_ = true;
    }

    // The terminal's mouse press and release bound the hold of a button. A press
    // anywhere closes the input box without storing, as a click in the simulator's
    // view does, and still presses a button under it. A press and release reported
    // as one click is a press alone.
    void HandleMouse(const MEVENT& event) {
        if (event.bstate & BUTTON1_RELEASED) heldButton_.reset();
        if (!(event.bstate & (BUTTON1_PRESSED | BUTTON1_CLICKED)) || !layout_) return;
        sim::CancelInputBox();
        const auto button = ButtonAt(*layout_, event.x, event.y);
        if (!button) return;
        menuShown_ = false;
        session_.Display().PressButton(*button);
        if (event.bstate & BUTTON1_PRESSED) heldButton_ = button;
    }

    // A button pressed from the menu closes it, as the simulator's menu closes.
    void Carry(const LiveCommand& command) {
        if (std::holds_alternative<QuitLivePage>(command)) {
            quit_ = true;
        } else if (std::holds_alternative<CycleTimeAcceleration>(command)) {
            acceleration_ = NextTimeAcceleration(acceleration_);
        } else if (std::holds_alternative<ToggleMenu>(command)) {
            menuShown_ = !menuShown_;
        } else if (const auto* click = std::get_if<ClickOnButton>(&command)) {
            menuShown_ = false;
            session_.ClickButton(click->button);
        } else if (const auto* press = std::get_if<PressKeyCode>(&command)) {
            menuShown_ = false;
            session_.PressKey(press->scanCode);
        }
    }

    void EditPrompt(int key) {
        switch (prompt_->Apply(key)) {
            case PromptOutcome::Confirmed:
                sim::TypeIntoInputBox(prompt_->Text());
                break;
            case PromptOutcome::Cancelled:
                sim::CancelInputBox();
                break;
            case PromptOutcome::Editing:
                break;
        }
    }

    // The prompt shows the host's input box: opened by the page, closed when typed
    // into or cancelled, and begun afresh when the page opens it for another variable.
    void FollowInputBox() {
        const sim::InputBoxState& box = sim::InputBox();
        if (!box.open) {
            prompt_.reset();
        } else if (!prompt_ || promptTitle_ != box.title) {
            prompt_.emplace();
            promptTitle_ = box.title;
        }
    }

    void Paint() {
        erase();
        const auto fitted = LayOutBezel(labels_, menu_, pageColumns_, pageRows_, COLS, LINES);
        if (const auto* tooSmall = std::get_if<TerminalTooSmall>(&fitted)) {
            layout_.reset();
            PaintTooSmall(*tooSmall);
        } else {
            layout_ = std::get<BezelLayout>(fitted);
            PaintFrame();
            if (menuShown_)
                PaintMenu();
            else
                PaintPage();
            PaintButtons();
            PaintKeyLine();
        }
        // The prompt's cursor is the only one shown.
        const bool prompting = prompt_ && layout_;
        if (prompting) PaintPrompt();
        if (prompting != cursorShown_) curs_set(prompting ? 1 : 0);
        cursorShown_ = prompting;
        refresh();
    }

    void PaintTooSmall(const TerminalTooSmall& needed) {
        const std::vector<std::string> lines = WrapWords(TooSmallMessage(needed, COLS, LINES), COLS);
        for (int row = 0; row < LINES && row < static_cast<int>(lines.size()); ++row)
            terminal_.Put(row, 0, lines[row], A_NORMAL);
    }

    void PaintFrame() {
        const BezelLayout& l = *layout_;
        const int top = l.pageRow - 1, bottom = l.pageRow + l.pageRows;
        const int left = l.pageColumn - 1, right = l.pageColumn + l.pageColumns;
        attrset(A_NORMAL);
        mvhline(top, left + 1, ACS_HLINE, l.pageColumns);
        mvhline(bottom, left + 1, ACS_HLINE, l.pageColumns);
        mvvline(top + 1, left, ACS_VLINE, l.pageRows);
        mvvline(top + 1, right, ACS_VLINE, l.pageRows);
        mvaddch(top, left, ACS_ULCORNER);
        mvaddch(top, right, ACS_URCORNER);
        mvaddch(bottom, left, ACS_LLCORNER);
        mvaddch(bottom, right, ACS_LRCORNER);
        terminal_.Put(top, l.pageColumn + 1, title_.substr(0, std::max(l.pageColumns - 2, 0)), A_BOLD);
    }

    void PaintPage() {
        const BezelLayout& l = *layout_;
        const sim::TextCell blank;
        for (int row = 0; row < l.pageRows; ++row)
            for (int column = 0; column < l.pageColumns; ++column) {
                const bool drawn =
                    row < static_cast<int>(cells_.size()) && column < static_cast<int>(cells_[row].size());
                const sim::TextCell& cell = drawn ? cells_[row][column] : blank;
                terminal_.Put(l.pageRow + row, l.pageColumn + column, cell.glyph,
                              terminal_.Attributes(cell.ink.value_or(kPlainInk), cell.paper.value_or(kDisplayBlack)));
            }
    }

    void PaintMenu() {
        const BezelLayout& l = *layout_;
        for (int row = 0; row < l.pageRows && row < static_cast<int>(menuLines_.size()); ++row)
            terminal_.Put(l.pageRow + row, l.pageColumn + 1, menuLines_[row], row == 0 ? A_BOLD : A_NORMAL);
    }

    void PaintButtons() {
        for (const BezelButton& button : layout_->buttons)
            terminal_.Put(button.row, button.column, button.text, A_REVERSE | A_BOLD);
    }

    void PaintKeyLine() {
        const BezelLayout& l = *layout_;
        const std::string line =
            SimulatedTimeText(sim::TheWorld().time) + " at " + std::to_string(acceleration_) + "x   " + HostKeysHint();
        terminal_.Put(l.keyLineRow, l.left, line.substr(0, l.width), A_NORMAL);
    }

    // The host's input box over the middle of the page: its title in the top edge,
    // the text being typed, and what Enter and Escape do in the bottom edge.
    void PaintPrompt() {
        const BezelLayout& l = *layout_;
        const std::string hint = " Enter: ok  Esc: cancel ";
        const int field = std::max(sim::InputBox().visibleWidth, 1);
        const int inner =
            std::min(std::max({field, static_cast<int>(promptTitle_.size()) + 2, static_cast<int>(hint.size())}),
                     l.pageColumns - 4);
        const int left = l.pageColumn + (l.pageColumns - inner - 2) / 2;
        const int top = l.pageRow + l.pageRows / 2 - 1;
        attrset(A_NORMAL);
        for (int row = top; row < top + 3; ++row) mvhline(row, left, ' ', inner + 2);
        mvhline(top, left + 1, ACS_HLINE, inner);
        mvhline(top + 2, left + 1, ACS_HLINE, inner);
        mvaddch(top, left, ACS_ULCORNER);
        mvaddch(top, left + inner + 1, ACS_URCORNER);
        mvaddch(top + 1, left, ACS_VLINE);
        mvaddch(top + 1, left + inner + 1, ACS_VLINE);
        mvaddch(top + 2, left, ACS_LLCORNER);
        mvaddch(top + 2, left + inner + 1, ACS_LRCORNER);
        terminal_.Put(top, left + 1, (" " + promptTitle_ + " ").substr(0, inner), A_BOLD);
        terminal_.Put(top + 2, left + 1, hint.substr(0, inner), A_NORMAL);

        const std::size_t shownWidth = static_cast<std::size_t>(std::min(field, inner));
        const std::size_t first = prompt_->FirstShown(shownWidth);
        terminal_.Put(top + 1, left + 1, prompt_->Text().substr(first, shownWidth), A_NORMAL);
        move(top + 1, left + 1 + static_cast<int>(prompt_->Cursor() - first));
    }

    PageSession& session_;
    Terminal& terminal_;
    std::string scenarioName_;
    std::vector<std::string> labels_;
    std::span<const MFDBUTTONMENU> menu_;
    int pageColumns_;
    int pageRows_;
    std::vector<std::string> menuLines_;
    std::string title_;
    int acceleration_ = kTimeAccelerations[0];
    bool quit_ = false;
    bool menuShown_ = false;
    bool redrawSoon_ = false;
    bool cursorShown_ = false;
    sim::TextCells cells_;
    std::optional<BezelLayout> layout_;
    std::optional<PromptLine> prompt_;
    std::optional<int> heldButton_;
    std::string promptTitle_;
};

void CatchStopSignals() {
    struct sigaction action {};
    action.sa_handler = RequestStop;
    sigemptyset(&action.sa_mask);
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) sigaction(signal, &action, nullptr);
}

}  // namespace

int RunLivePage(const LiveRequest& request, std::ostream& out, std::ostream& err) {
    try {
        const DisplaySize size = ParseDisplaySize(request.size);
        StartScenario(request.scenario);
        PageSession session(FindModule(), size);

        const auto printOnce = [&] {
            out << sim::RenderTextGrid(session.Draw(), session.GridOptions(false));
        };
        if (!isatty(STDIN_FILENO) || !isatty(STDOUT_FILENO)) {
            printOnce();
            return kExitDone;
        }
        std::string shortcoming = TerminalShortcoming();
        std::optional<Terminal> terminal;
        if (shortcoming.empty() && !terminal.emplace().Usable()) shortcoming = "the terminal could not be set up";
        if (!shortcoming.empty()) {
            terminal.reset();
            err << "kalvo: " << shortcoming << "; the page is printed once as text (set TERM to the terminal's "
                << "type for the live page)\n";
            const std::string page = sim::RenderTextGrid(session.Draw(), session.GridOptions(false));
            out << (LocaleIsUtf8() ? page : AsciiOfText(page));
            return kExitDone;
        }
        CatchStopSignals();
        LivePage(session, *terminal, request.scenario).Run();
        return kExitDone;
    } catch (...) {
        return ReportFailure("kalvo", err);
    }
}

}  // namespace kalvo::app
