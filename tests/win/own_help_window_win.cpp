// Tintview's own help window, where the help viewer is the stub of Windows 10 and 11. Runs in a
// prefix whose C:\windows\winhlp32.exe is a stand-in with the stub's version record
// (run-with-help-stub.sh). The main window runs in-process, driven by real X input; a stand-in
// viewer window of the test's own catches any help request that would reach the platform's
// viewer (even the closing one, which never starts a program).
#include "fake_help_viewer.h"
#include "rules/help_pages.h"
#include "message_pump.h"
#include "picker_fixture.h"
#include "resources/resource_ids.h"
#include "source_parser.h"
#include "unix_command.h"
#include "window_frame.h"
#include "x_input.h"

#include <richedit.h>

#include <fstream>
#include <map>
#include <set>
#include <sstream>

using namespace testing_support;

namespace {

constexpr char kHelpWindowClass[] = "PrismelHelpWindow";
constexpr UINT kContentsButton = 100;
constexpr UINT kBackButton = 101;
constexpr UINT kTextPane = 102;

// What the help source says, read on its own: the oracle for what each page shows.
struct SourceJump {
    std::wstring text;
    std::string target;
};
struct SourceTopic {
    std::wstring title;
    std::vector<SourceJump> jumps;
};

std::wstring Wide(const std::string& utf8) {
    std::wstring wide(utf8.size(), L'\0');
    wide.resize(static_cast<size_t>(MultiByteToWideChar(CP_UTF8, 0, utf8.data(),
                                                        static_cast<int>(utf8.size()), wide.data(),
                                                        static_cast<int>(wide.size()))));
    return wide;
}

std::map<std::string, SourceTopic> ReadSource() {
    std::ifstream in(WindowsPathOf(PRISMEL_HELP_SOURCE), std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    std::map<std::string, SourceTopic> topics;
    for (const helpc::Topic& topic : helpc::ParseHelpSource(text.str()).topics) {
        SourceTopic& read = topics[topic.id];
        read.title = Wide(topic.title);
        for (const helpc::Block& block : topic.blocks) {
            std::string previous;
            for (const helpc::Run& run : block.runs) {
                if (!run.jumpTarget.empty() && run.jumpTarget == previous) {
                    read.jumps.back().text += Wide(run.text);
                } else if (!run.jumpTarget.empty()) {
                    read.jumps.push_back(SourceJump{Wide(run.text), run.jumpTarget});
                }
                previous = run.jumpTarget;
            }
        }
    }
    return topics;
}

// The pages compiled into this program, as into Tintview: which page a jump names.
picker::HelpPages CompiledPages() {
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    const HRSRC found = FindResourceA(instance, MAKEINTRESOURCEA(IDR_HELP_PAGES), RT_RCDATA);
    const char* bytes = static_cast<const char*>(LockResource(LoadResource(instance, found)));
    return picker::ReadHelpPages(std::string_view(bytes, SizeofResource(instance, found)))
        .value_or(picker::HelpPages{});
}

class OwnHelpWindowTest : public PickerWindowTest {
protected:
    // The help window of the UI thread once one shows, else null.
    HWND WaitForHelpWindow(DWORD timeoutMs = 5000) const {
        HWND shown = nullptr;
        PumpUntil(
            [&] {
                const auto windows = HelpWindows();
                shown = windows.size() == 1 && IsWindowVisible(windows[0]) ? windows[0] : nullptr;
                return shown != nullptr;
            },
            timeoutMs);
        return shown;
    }
    std::vector<HWND> HelpWindows() const {
        std::vector<HWND> windows;
        for (HWND found = nullptr;
             (found = FindWindowExA(nullptr, found, kHelpWindowClass, nullptr));) {
            if (GetWindowThreadProcessId(found, nullptr) == ui_->Id()) {
                windows.push_back(found);
            }
        }
        return windows;
    }
    bool WaitUntilNoHelpWindow(DWORD timeoutMs = 5000) const {
        return PumpUntil([&] { return HelpWindows().empty(); }, timeoutMs);
    }

    static HWND Pane(HWND help) { return GetDlgItem(help, kTextPane); }

    // The text the pane shows, as the rich-edit control holds it.
    static std::wstring ShownText(HWND help) {
        GETTEXTLENGTHEX length{GTL_NUMCHARS, 1200};
        const auto characters =
            SendMessageW(Pane(help), EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&length), 0);
        std::wstring text(static_cast<size_t>(characters > 0 ? characters : 0) + 1, L'\0');
        TEXTRANGEW range{{0, -1}, text.data()};
        text.resize(static_cast<size_t>(
            SendMessageW(Pane(help), EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&range))));
        return text;
    }
    static std::wstring ShownTitle(HWND help) {
        const std::wstring text = ShownText(help);
        return text.substr(0, text.find(L'\r'));
    }
    bool WaitForTitle(HWND help, const std::wstring& title, DWORD timeoutMs = 5000) const {
        return PumpUntil([&] { return ShownTitle(help) == title; }, timeoutMs);
    }
    static CHARRANGE Selection(HWND help) {
        CHARRANGE range{};
        SendMessageW(Pane(help), EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
        return range;
    }

    // A point inside the jump's text on the screen. The pane is scrolled to it first, as a user
    // scrolls to what they mean to click.
    POINT JumpPoint(HWND help, const picker::HelpJump& jump) const {
        const HWND pane = Pane(help);
        ui_->Invoke([&] {
            CHARRANGE caret{static_cast<LONG>(jump.start), static_cast<LONG>(jump.start)};
            SendMessageW(pane, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&caret));
            SendMessageW(pane, EM_SCROLLCARET, 0, 0);
        });
        WaitPainted(help);
        return CharacterPoint(help, jump.start + jump.length / 2);
    }
    // A point on the character at `position`, on the screen.
    static POINT CharacterPoint(HWND help, std::size_t position) {
        POINTL at{};
        SendMessageW(Pane(help), EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&at),
                     static_cast<LPARAM>(position));
        POINT point{at.x + 2, at.y + 6}; // the character's top left: step into its body
        ClientToScreen(Pane(help), &point);
        return point;
    }

    void ClickButton(HWND help, UINT id) const { xinput::Click(CentreOf(GetDlgItem(help, id))); }

    const std::map<std::string, SourceTopic> source = ReadSource();
    const picker::HelpPages pages = CompiledPages();
};

TEST_F(OwnHelpWindowTest, HelpAndF1OpenOneOwnWindowAtTheContentsAndNothingReachesTheViewer) {
    FakeHelpViewer viewer;
    // The rich-edit library comes with the first help window, not with the program.
    EXPECT_EQ(GetModuleHandleA("msftedit.dll"), nullptr);

    xinput::Click(Centre(ID_HELP));
    const HWND help = WaitForHelpWindow();
    ASSERT_NE(help, nullptr) << "HELP opened no help window";
    EXPECT_NE(GetModuleHandleA("msftedit.dll"), nullptr);
    wchar_t caption[64] = L"";
    GetWindowTextW(help, caption, 64);
    EXPECT_STREQ(caption, L"Tintview Help");
    EXPECT_EQ(GetWindow(help, GW_OWNER), Window());
    const LONG style = GetWindowLongA(help, GWL_STYLE);
    EXPECT_TRUE((style & WS_THICKFRAME) && (style & WS_MAXIMIZEBOX)) << "not resizable";
    RECT main{}, opened{}, overlap{};
    GetWindowRect(Window(), &main);
    GetWindowRect(help, &opened);
    EXPECT_FALSE(IntersectRect(&overlap, &main, &opened)) << "it opened over the main window";
    EXPECT_EQ(GetForegroundWindow(), help);
    const std::wstring contents = ShownText(help);
    EXPECT_EQ(contents.rfind(L"Tintview Help\rTintview composes a colour from its red", 0), 0u)
        << "the contents is not shown first";
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(help, kBackButton))) << "nothing to go back to";

    // Reading a topic; then F1 in the main window brings the same window to the front, at the
    // contents, with the topic a Back away.
    const picker::HelpJump& first = pages.pages.at(0).jumps.at(0);
    const SourceTopic& firstTopic = source.at(pages.pages.at(first.target).id);
    xinput::Click(JumpPoint(help, first));
    ASSERT_TRUE(WaitForTitle(help, firstTopic.title));
    xinput::Click(TitleBarOf(Window()));
    ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == Window(); }, 3000));
    xinput::Click(Centre(IDC_GREEN_FIELD));
    xinput::Key("F1");
    ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == help; }, 3000))
        << "F1 did not bring the help to the front";
    EXPECT_EQ(HelpWindows(), std::vector<HWND>{help}) << "a second help window";
    EXPECT_TRUE(WaitForTitle(help, L"Tintview Help"));
    ClickButton(help, kBackButton);
    EXPECT_TRUE(WaitForTitle(help, firstTopic.title)) << "Back did not return to the topic";
    xinput::Click(TitleBarOf(Window()));
    xinput::Click(Centre(ID_HELP));
    ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == help; }, 3000));
    EXPECT_EQ(HelpWindows(), std::vector<HWND>{help});

    // Esc closes the help and leaves the program running: F1 opens it anew, at the contents.
    xinput::Key("Escape");
    ASSERT_TRUE(WaitUntilNoHelpWindow()) << "Esc did not close the help";
    ASSERT_TRUE(IsWindow(Window()));
    xinput::Key("F1");
    const HWND reopened = WaitForHelpWindow();
    ASSERT_NE(reopened, nullptr) << "the program did not survive the help's Esc";
    EXPECT_EQ(ShownTitle(reopened), L"Tintview Help");
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(reopened, kBackButton)));
    // The close box closes it too.
    xinput::Click(CloseBoxOf(reopened));
    ASSERT_TRUE(WaitUntilNoHelpWindow()) << "the close box did not close the help";

    // Ending the program closes an open help window, and asks nothing of the viewer.
    xinput::Key("F1");
    ASSERT_NE(WaitForHelpWindow(), nullptr);
    xinput::Click(TitleBarOf(Window()));
    xinput::Key("Escape");
    ASSERT_TRUE(Ended(5000));
    EXPECT_TRUE(HelpWindows().empty()) << "the help outlived the program";
    EXPECT_TRUE(viewer.Requests().empty()) << "a help request reached the platform's viewer";
    // The stand-in viewer does catch a request that is made.
    WinHelpA(nullptr, "Tintview.HLP", HELP_QUIT, 0);
    EXPECT_EQ(viewer.Requests().size(), 1u);
}

TEST_F(OwnHelpWindowTest, EveryJumpLeadsToItsTopicByMouseOrKeysAndBackComesBack) {
    ASSERT_FALSE(pages.pages.empty());
    xinput::Click(Centre(ID_HELP));
    const HWND help = WaitForHelpWindow();
    ASSERT_NE(help, nullptr);
    ASSERT_EQ(pages.pages.size(), source.size());
    std::set<std::string> visited{pages.pages[0].id};

    // Each jump of the contents with the mouse, and Back to the same place in the contents.
    const picker::HelpPage& contents = pages.pages[0];
    ASSERT_EQ(contents.jumps.size(), source.at(contents.id).jumps.size());
    for (std::size_t i = 0; i < contents.jumps.size(); ++i) {
        const picker::HelpJump& jump = contents.jumps[i];
        const std::string& target = source.at(contents.id).jumps[i].target;
        SCOPED_TRACE("contents jump to " + target);
        ASSERT_EQ(pages.pages.at(jump.target).id, target);
        const POINT point = JumpPoint(help, jump);
        const int line = static_cast<int>(SendMessageW(Pane(help), EM_GETFIRSTVISIBLELINE, 0, 0));
        xinput::Click(point);
        ASSERT_TRUE(WaitForTitle(help, source.at(target).title))
            << "shown instead: " << ShownTitle(help).size() << " characters of title";
        visited.insert(target);
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(help, kBackButton)));

        // On the topic, each of its own jumps from the keyboard: Tab selects it, Enter follows
        // it, Alt+B comes back.
        const picker::HelpPage& page = pages.pages.at(jump.target);
        const SourceTopic& topic = source.at(target);
        ASSERT_EQ(page.jumps.size(), topic.jumps.size());
        const std::wstring text = ShownText(help);
        for (std::size_t k = 0; k < page.jumps.size(); ++k) {
            const picker::HelpJump& own = page.jumps[k];
            SCOPED_TRACE("its jump " + std::to_string(k) + " to " + topic.jumps[k].target);
            ASSERT_LE(own.start + own.length, text.size());
            EXPECT_EQ(text.substr(own.start, own.length), topic.jumps[k].text);
            // A click on the title puts the caret there; from it Tab goes from jump to jump.
            ui_->Invoke([&] { SendMessageW(Pane(help), WM_VSCROLL, SB_TOP, 0); });
            WaitPainted(help);
            // Each time on another character: two clicks on one spot would be a double click.
            xinput::Click(CharacterPoint(help, (3 * k + 1) % topic.title.size()));
            ASSERT_TRUE(PumpUntil(
                [&] { return Selection(help).cpMax <= static_cast<LONG>(topic.title.size()); },
                3000));
            for (std::size_t tab = 0; tab <= k; ++tab) {
                xinput::Key("Tab");
            }
            ASSERT_TRUE(PumpUntil(
                [&] {
                    const CHARRANGE selected = Selection(help);
                    return selected.cpMin == static_cast<LONG>(own.start) &&
                           selected.cpMax == static_cast<LONG>(own.start + own.length);
                },
                3000))
                << "Tab did not select the jump";
            xinput::Key("Return");
            ASSERT_TRUE(WaitForTitle(help, source.at(topic.jumps[k].target).title));
            visited.insert(topic.jumps[k].target);
            xinput::Key("alt+b");
            ASSERT_TRUE(WaitForTitle(help, topic.title)) << "Alt+B did not come back";
        }

        ClickButton(help, kBackButton);
        ASSERT_TRUE(WaitForTitle(help, L"Tintview Help"));
        EXPECT_EQ(SendMessageW(Pane(help), EM_GETFIRSTVISIBLELINE, 0, 0), line)
            << "Back did not return to where the contents was scrolled";
    }
    EXPECT_EQ(visited.size(), pages.pages.size()) << "some topic was never reached";

    // Contents from a topic, and Back from the contents to the topic.
    xinput::Click(JumpPoint(help, contents.jumps.back()));
    const std::wstring last = source.at(pages.pages.at(contents.jumps.back().target).id).title;
    ASSERT_TRUE(WaitForTitle(help, last));
    xinput::Key("alt+c");
    EXPECT_TRUE(WaitForTitle(help, L"Tintview Help")) << "Alt+C did not show the contents";
    ClickButton(help, kBackButton);
    EXPECT_TRUE(WaitForTitle(help, last));

    // A press on a jump that is released elsewhere follows nothing. In a new window, so that
    // nothing is a Back away yet.
    xinput::Key("Escape");
    ASSERT_TRUE(WaitUntilNoHelpWindow());
    xinput::Key("F1");
    const HWND fresh = WaitForHelpWindow();
    ASSERT_NE(fresh, nullptr);
    xinput::Press(JumpPoint(fresh, contents.jumps[0]));
    xinput::MoveTo(CentreOf(GetDlgItem(fresh, kContentsButton)));
    xinput::Release();
    // Then a click that does follow, so the press above has surely been handled.
    xinput::Click(JumpPoint(fresh, contents.jumps[1]));
    ASSERT_TRUE(WaitForTitle(fresh, source.at(pages.pages.at(contents.jumps[1].target).id).title));
    ClickButton(fresh, kBackButton);
    ASSERT_TRUE(WaitForTitle(fresh, L"Tintview Help"));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(fresh, kBackButton)))
        << "the press released elsewhere opened a topic";
}

} // namespace
