// The stand-in host's own operations at their edges: display sizes; how a display
// opens, closes and switches a mode's pages, hands them clicks and prepares their
// drawings, and its input box, each as HOST.md describes the simulator; the
// simulation queries out of range (the values they give, and none without bodies,
// are checked through the page's readings and the glide), and play scripts, read and played on a
// display. Which commands ask the page for a redraw is the page's own (its command
// tests), and what the steps do to it is checked through `kalvo play` and the
// guide's examples.
#include "sim/host/host.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "sim/host/display.h"
#include "sim/host/host_look.h"
#include "sim/host/script.h"
#include "sim/world/world.h"

namespace {

OAPI_MSGTYPE NoPage(UINT, UINT, WPARAM, LPARAM) { return 0; }

// Sizes a message procedure's 16-bit halves can carry; without a mode, or with one
// that gives no page, nothing.
TEST(Display, SizesAndNoMode) {
    for (const auto& [width, height] : {std::pair<DWORD, DWORD>{0, 100}, {100, 0}, {65536, 100}, {100, 65536}})
        EXPECT_THROW(sim::Display(width, height), std::invalid_argument) << width << "x" << height;
    sim::Display display(65535, 65535);
    EXPECT_FALSE(display.SelectMode(0xABCD));
    char name[] = "Pageless";
    MFDMODESPEC mode{name, 0x72, NoPage};
    const int pageless = oapiRegisterMFDMode(mode);
    EXPECT_FALSE(display.SelectMode(0x72));
    EXPECT_EQ(display.ModeId(), 0);
    EXPECT_TRUE(oapiUnregisterMFDMode(pageless));
    EXPECT_FALSE(oapiUnregisterMFDMode(pageless));
    EXPECT_FALSE(display.PressKey(13));
    EXPECT_FALSE(display.PressButton(0));
    EXPECT_TRUE(display.ButtonLabels().empty());
    EXPECT_EQ(display.ButtonMenu(nullptr), 0);
    EXPECT_FALSE(display.TakeRedrawRequest());
    sim::DeviceContext dc(1, 1);
    display.Draw(dc);
    EXPECT_TRUE(dc.Drawing().empty());
}

// What the host did to the recording modes and their pages, in order.
std::vector<std::string> events;
void Record(const std::string& event) { events.push_back(event); }

// A page that records the host's calls; its drawing is whatever the test sets.
std::function<void(MFD&, HDC)> pageDrawing;
class RecordingPage : public MFD {
public:
    RecordingPage(const std::string& mode, DWORD w, DWORD h) : MFD(w, h, nullptr), mode_(mode) {
        Record(mode_ + " new " + std::to_string(W) + "x" + std::to_string(H) +
               (cw == sim::kUnsetCell && ch == sim::kUnsetCell ? ", cell unset" : ", cell set"));
    }
    ~RecordingPage() override { Record(mode_ + " delete"); }
    void Update(HDC hdc) override { pageDrawing(*this, hdc); }
    void StoreStatus() const override { Record(mode_ + " StoreStatus"); }
    void RecallStatus() override {
        Record(mode_ + " RecallStatus, cell " + std::to_string(cw) + "x" + std::to_string(ch));
    }
    char* ButtonLabel(int button) override {
        Record(mode_ + " label " + std::to_string(button));
        return nullptr;
    }
    bool ConsumeButton(int button, int event) override {
        Record(mode_ + " button " + std::to_string(button) + " event " + std::to_string(event));
        return true;
    }

private:
    std::string mode_;
};

// Answers OAPI_MSG_MFD_OPENEDEX when `extended`, else only OAPI_MSG_MFD_OPENED.
OAPI_MSGTYPE ModeMessage(const std::string& mode, bool extended, UINT message, WPARAM wparam, LPARAM lparam) {
    const bool vessel = reinterpret_cast<VESSEL*>(lparam) == oapiGetFocusInterface();
    if (message == OAPI_MSG_MFD_OPENEDEX) {
        const auto* open = reinterpret_cast<const MFDMODEOPENSPEC*>(wparam);
        Record(mode + " message 4: " + std::to_string(open->w) + "x" + std::to_string(open->h) + ", mode \"" +
               open->spec->name + "\" key " + std::to_string(open->spec->key) +
               (open->spec->context == nullptr ? ", no context" : ", a context") +
               (vessel ? ", the focus vessel" : ", another vessel"));
        if (extended)
            return reinterpret_cast<OAPI_MSGTYPE>(
                new RecordingPage(mode, static_cast<DWORD>(open->w), static_cast<DWORD>(open->h)));
        return 0;
    }
    if (message == OAPI_MSG_MFD_OPENED) {
        Record(mode + " message 1: " + std::to_string(wparam & 0xFFFF) + "x" + std::to_string(wparam >> 16) +
               (vessel ? ", the focus vessel" : ", another vessel"));
        return reinterpret_cast<OAPI_MSGTYPE>(new RecordingPage(mode, wparam & 0xFFFF, (wparam >> 16) & 0xFFFF));
    }
    Record(mode + " message " + std::to_string(message) + ": " + std::to_string(wparam) + ", " +
           std::to_string(lparam));
    return 0;
}
OAPI_MSGTYPE LegacyMode(UINT message, UINT, WPARAM wparam, LPARAM lparam) {
    return ModeMessage("legacy", false, message, wparam, lparam);
}
OAPI_MSGTYPE ExtendedMode(UINT message, UINT, WPARAM wparam, LPARAM lparam) {
    return ModeMessage("extended", true, message, wparam, lparam);
}

class RecordingModes : public ::testing::Test {
protected:
    void SetUp() override {
        legacyId_ = oapiRegisterMFDMode(legacy_);
        extendedId_ = oapiRegisterMFDMode(extended_);
        events.clear();
    }
    void TearDown() override {
        oapiUnregisterMFDMode(legacyId_);
        oapiUnregisterMFDMode(extendedId_);
        sim::CancelInputBox();
    }
    static constexpr DWORD kLegacyKey = 0x70, kExtendedKey = 0x71;

    static std::vector<std::string> Labels(const std::string& mode) {
        std::vector<std::string> labels;
        for (int button = 0; button < 12; ++button) labels.push_back(mode + " label " + std::to_string(button));
        return labels;
    }
    static std::vector<std::string> Joined(std::vector<std::string> first, const std::vector<std::string>& then) {
        first.insert(first.end(), then.begin(), then.end());
        return first;
    }

private:
    char legacyName_[7] = "Legacy";
    char extendedName_[9] = "Extended";
    MFDMODESPEC legacy_{legacyName_, kLegacyKey, LegacyMode};
    MFDMODESPEC extended_{extendedName_, kExtendedKey, ExtendedMode};
    int legacyId_ = 0, extendedId_ = 0;
};

// HOST.md 3.1, 3.3 and 3.5: the extended opening message first, the plain one
// only when that gave no page; the cell (400 / 40 by 256 / 24 pixels) set after the
// constructor, then RecallStatus, then the labels of buttons 0 to 11. Closing:
// StoreStatus, message 2, delete. A switch builds the new page before it closes the
// old one; the mode already shown stays.
TEST_F(RecordingModes, OpenSwitchAndCloseInTheSimulatorsOrder) {
    const std::string legacyOpened = "legacy message 4: 400x256, mode \"Legacy\" key 112, no context, the focus vessel";
    const std::string extendedOpened =
        "extended message 4: 400x256, mode \"Extended\" key 113, no context, the focus vessel";
    const std::vector<std::string> legacyOpen =
        Joined({legacyOpened, "legacy message 1: 400x256, the focus vessel", "legacy new 400x256, cell unset",
                "legacy RecallStatus, cell 10x10"},
               Labels("legacy"));
    const std::vector<std::string> extendedBuilt = {extendedOpened, "extended new 400x256, cell unset",
                                                    "extended RecallStatus, cell 10x10"};
    const std::vector<std::string> legacyClosed = {"legacy StoreStatus", "legacy message 2: 0, 0", "legacy delete"};
    const std::vector<std::string> extendedClosed = {"extended StoreStatus", "extended message 2: 0, 0",
                                                     "extended delete"};
    const struct {
        const char* step;
        std::function<bool(sim::Display&)> act;
        std::vector<std::string> events;
    } steps[] = {
        {"open the legacy mode", [](sim::Display& d) { return d.SelectMode(kLegacyKey); }, legacyOpen},
        {"select it again", [](sim::Display& d) { return d.SelectMode(kLegacyKey); }, {}},
        {"switch to the extended mode", [](sim::Display& d) { return d.SelectMode(kExtendedKey); },
         Joined(Joined(extendedBuilt, legacyClosed), Labels("extended"))},
        {"leave the mode",
         [](sim::Display& d) {
             d.LeaveMode();
             return true;
         },
         extendedClosed},
        {"open the legacy mode again", [](sim::Display& d) { return d.SelectMode(kLegacyKey); }, legacyOpen},
        {"a key no mode has", [](sim::Display& d) { return !d.SelectMode(0x7F); }, legacyClosed},
    };
    sim::Display display(400, 256);
    for (const auto& step : steps) {
        SCOPED_TRACE(step.step);
        events.clear();
        EXPECT_TRUE(step.act(display));
        EXPECT_EQ(events, step.events);
    }
}

// HOST.md 5.3: the glass cockpit's press is 0x11, every frame it is held 0x10, and
// no release follows; the press, a mouse click in the view, closes the input box
// without calling back (HOST.md 5.5).
TEST_F(RecordingModes, ClicksAsTheGlassCockpitGivesThem) {
    sim::Display display(400, 256);
    ASSERT_TRUE(display.SelectMode(kExtendedKey));
    static int callbacks = 0;
    char title[] = "Box";
    oapiOpenInputBox(title, [](void*, char*, void*) { return ++callbacks > 0; });
    events.clear();
    EXPECT_TRUE(display.PressButton(3));
    EXPECT_FALSE(sim::InputBox().open);
    EXPECT_TRUE(display.HoldButton(3));
    EXPECT_TRUE(display.HoldButton(3));
    EXPECT_EQ(events, (std::vector<std::string>{"extended button 3 event 17", "extended button 3 event 16",
                                                "extended button 3 event 16"}));
    EXPECT_EQ(callbacks, 0);
}

// HOST.md 4.2 to 4.4: each drawing starts on a black surface with a fresh context
// prepared by the host, and ends with the null pen and brush. Title draws in grey
// at (cw / 2, 0), or at the current position when the page set TA_UPDATECP, and
// leaves the grey set; the default fonts 0 to 3 and pens 0 to 5 are selected with
// the previous object returned, any other index returns 0 and selects nothing.
TEST_F(RecordingModes, DrawingStartsAsTheSimulatorPreparesIt) {
    sim::Display display(400, 256);  // cells of 10 x 10 pixels
    ASSERT_TRUE(display.SelectMode(kExtendedKey));
    sim::DeviceContext dc(400, 256);
    MoveToEx(dc.Handle(), 7, 7, nullptr);
    LineTo(dc.Handle(), 9, 9);  // a line of an earlier drawing, and its state
    SetTextAlign(dc.Handle(), TA_UPDATECP);
    struct State {
        COLORREF textColour;
        int backgroundMode;
        UINT align;
        sim::Point position;
        HGDIOBJ brush, pen, font;
        std::size_t drawn;
        bool operator==(const State&) const = default;
    };
    const auto stateOf = [](const sim::DeviceContext& context) {
        return State{context.TextColour(),      context.BackgroundMode(), context.TextAlign(),
                     context.CurrentPosition(), context.SelectedBrush(),  context.SelectedPen(),
                     context.SelectedFont(),    context.Drawing().size()};
    };
    const HFONT font0 = sim::HostDefaultFont(0, 10, 10);
    const HPEN pen0 = sim::HostDefaultPen(0);
    State atStart{};
    pageDrawing = [&](MFD& page, HDC hdc) {
        atStart = stateOf(dc);
        page.Title(hdc, "One");
        EXPECT_EQ(SelectObject(hdc, sim::HostDefaultPen(5)), pen0);
        SetTextAlign(hdc, TA_UPDATECP);
        MoveToEx(hdc, 50, 20, nullptr);
        page.Title(hdc, "Two");
        EXPECT_EQ(page.SelectDefaultPen(hdc, 2), sim::HostDefaultPen(5));
        EXPECT_EQ(page.SelectDefaultPen(hdc, 6), nullptr);
        EXPECT_EQ(page.SelectDefaultFont(hdc, 3), font0);
        EXPECT_EQ(page.SelectDefaultFont(hdc, 4), nullptr);
        EXPECT_EQ(page.SelectDefaultFont(hdc, 0xFFFFFFFF), nullptr);
        EXPECT_EQ(page.SelectDefaultPen(hdc, 0xFFFFFFFF), nullptr);
        EXPECT_EQ((std::pair{dc.SelectedPen(), dc.SelectedFont()}),
                  (std::pair{sim::HostDefaultPen(2), sim::HostDefaultFont(3, 10, 10)}));
    };
    display.Draw(dc);
    EXPECT_EQ(atStart, (State{0x0000FF00,
                              TRANSPARENT,
                              TA_LEFT | TA_TOP | TA_NOUPDATECP,
                              {0, 0},
                              GetStockObject(NULL_BRUSH),
                              pen0,
                              font0,
                              0}));
    const auto texts = dc.DrawingsOf<sim::DrawnText>();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ((std::tuple{texts[0].text, texts[0].at, texts[0].colour, texts[0].backgroundMode}),
              (std::tuple{"One", sim::Point{5, 0}, 0x00E0E0E0u, TRANSPARENT}));
    EXPECT_EQ((std::tuple{texts[1].text, texts[1].at, texts[1].colour}),
              (std::tuple{"Two", sim::Point{50, 20}, 0x00E0E0E0u}));
    EXPECT_EQ(stateOf(dc), (State{0x00E0E0E0,
                                  TRANSPARENT,
                                  TA_UPDATECP,
                                  {80, 20},
                                  GetStockObject(NULL_BRUSH),
                                  GetStockObject(NULL_PEN),
                                  sim::HostDefaultFont(3, 10, 10),
                                  2}));
    pageDrawing = nullptr;
}

// HOST.md 5.5: the box's own buffer of 256 characters takes printable characters
// and spaces, up to 255; a callback returning false keeps the box open, Esc closes
// it without calling back.
TEST(InputBox, TakesWhatTheSimulatorsBoxTakes) {
    static std::string received;
    static bool answer = true;
    static int calls = 0;
    const auto callback = [](void*, char* text, void*) {
        received = text;
        ++calls;
        return answer;
    };
    char title[] = "Box";
    const struct {
        std::string typed;
        bool answer;
        std::string received;
        bool open;
    } cases[] = {
        {"6.5e6", true, "6.5e6", false},
        {std::string(300, '7'), true, std::string(255, '7'), false},
        {"1\t2\n3\x01 4\xA0"
         "\x7F"
         "5~",
         true, "123 45~", false},
        {"12", false, "12", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.received);
        oapiOpenInputBox(title, callback);
        answer = c.answer;
        calls = 0;
        ASSERT_TRUE(sim::TypeIntoInputBox(c.typed));
        EXPECT_EQ((std::tuple{calls, received, sim::InputBox().open}), (std::tuple{1, c.received, c.open}));
    }
    calls = 0;
    sim::CancelInputBox();
    EXPECT_FALSE(sim::InputBox().open);
    EXPECT_FALSE(sim::TypeIntoInputBox("1"));
    EXPECT_EQ(calls, 0);
}

TEST(Queries, HandlesOutOfRange) {
    sim::World& world = sim::TheWorld();
    world = sim::World{};
    world.bodies = {{"Earth", 5.9736e24, 6.371e6, 0, {}, {}}};
    world.focus.tank = {4000, 0.9};
    world.focus.mainThrusters = {{100000, 30000}};
    const OBJHANDLE ship = oapiGetFocusObject();
    EXPECT_EQ(oapiGetGbodyByIndex(1), nullptr);
    EXPECT_EQ(oapiGetGbodyByIndex(-1), nullptr);
    EXPECT_EQ(oapiGetPropellantHandle(ship, 1), nullptr);
    VESSEL* vessel = oapiGetFocusInterface();
    EXPECT_EQ(vessel->GetGroupThrusterCount(THGROUP_RETRO), 0u);
    EXPECT_EQ(vessel->GetGroupThruster(THGROUP_MAIN, 1), nullptr);
    world = sim::World{};
}

// The simulator's (year % 100) * 10000 + month * 100 + day (HOST.md), worked by
// hand, of dates as __DATE__ writes them and as a scanf of "%s%d%d" reads them
// (blanks before each field, a sign, only the first three letters of the month);
// 0 for what is no such date. The Windows host's is checked through its log line.
TEST(Date2Int, TheSimulatorsDateNumber) {
    const struct {
        const char* date;
        int number;
    } cases[] = {
        {"Apr 25 2006", 60425},    {"Jan  1 2000", 101},      {"Dec 31 1999", 991231}, {"Feb 29 2024", 240229},
        {" Sep\t9\n2099", 990909}, {"April +25 2006", 60425}, {"Jun 30 -3", -29370},   {"", 0},
        {"Ap 25 2006", 0},         {"Apx 25 2006", 0},        {"Apr 25", 0},           {"Apr x 2006", 0},
        {"Apr 25 1234567890", 0},
    };
    const int calls = sim::Date2IntCalls();
    for (const auto& [date, number] : cases) {
        std::string text = date;
        EXPECT_EQ(Date2Int(text.data()), number) << '"' << date << '"';
    }
    EXPECT_EQ(Date2Int(nullptr), 0);
    EXPECT_EQ(sim::Date2IntCalls(), calls + std::ssize(cases) + 1);
}

using sim::ScriptStep;
using Kind = ScriptStep::Kind;

const std::vector<std::string> kLabels = {"Dr>", "Dr<", "Eq>", "Inp", "0->"};

// The kinds of step at their edges (the guide's examples play each kind).
TEST(Script, ReadsStepsAtTheirEdges) {
    const std::vector<ScriptStep> steps = sim::ParseScript({"0->", "type:", "type:1 2:3", "wait:1e8"}, kLabels);
    ASSERT_EQ(steps.size(), 4u);
    EXPECT_TRUE(steps[0].kind == Kind::Button && steps[0].button == 4);
    EXPECT_TRUE(steps[1].kind == Kind::Type && steps[1].text.empty());  // the input callback judges it
    EXPECT_TRUE(steps[2].kind == Kind::Type && steps[2].text == "1 2:3" && steps[2].token == "type:1 2:3");
    EXPECT_TRUE(steps[3].kind == Kind::Wait && steps[3].seconds == 1e8);
}

TEST(Script, NamesTheBadStepItsPlaceAndWhatIsValid) {
    const std::string valid = "(expected a button label: Dr> Dr< Eq> Inp 0->; or type:TEXT, wait:SECONDS, draw)";
    const std::string wait = "wait takes a number of seconds from 0 to 100000000, got ";
    const struct {
        std::vector<std::string> tokens;
        std::string message;
    } cases[] = {
        {{"Dr>", "Dr> "}, "step 2: unknown step \"Dr> \" " + valid},
        {{"wait:nan"}, "step 1: " + wait + "\"nan\""},
        {{"draw", "draw", "wait:1.1e8"}, "step 3: " + wait + "\"1.1e8\""},
    };
    for (const auto& c : cases) {
        try {
            sim::ParseScript(c.tokens, kLabels);
            ADD_FAILURE() << "accepted \"" << c.tokens.back() << "\"";
        } catch (const sim::ScriptError& error) {
            EXPECT_EQ(std::string(error.what()), c.message);
        }
    }
}

// Waits longer than one advance of the world are made of several. Which steps are
// followed by a redraw is checked through kalvo play's status line, shown at the
// next drawing after a solve and used up by a move's redraw.
TEST(ScriptRun, LongWaitsAndDrawings) {
    sim::TheWorld() = sim::World{};
    sim::Display display(400, 400);
    int drawings = 0;
    sim::RunScript(display, sim::ParseScript({"draw", "wait:60", "wait:0", "draw", "wait:25000000.5"}, kLabels),
                   [&](int drawing) { drawings = drawing; });
    EXPECT_EQ(drawings, 2);
    EXPECT_EQ(sim::TheWorld().time, 60 + 25000000.5);
    sim::TheWorld() = sim::World{};
}

}  // namespace
