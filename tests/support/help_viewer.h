// Watching the platform's help viewer from a test: its window, caption and shown text, its
// "ERROR" box (a missing or unreadable help file), and its end. Under Wine the viewer is
// winhlp32; its main window has the class MS_WINHELP and shows the topic in a rich-edit pane.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace testing_support::help_viewer {

constexpr char kViewerClass[] = "MS_WINHELP";
// The help commands of WinHelpA that tests use.
constexpr UINT kHelpContext = 1;
constexpr UINT kHelpQuit = 2;
constexpr UINT kHelpFinder = 11;

struct ViewerView {
    HWND window = nullptr;
    std::string caption;
    std::string text;  // the topic as shown: paragraphs separated by CR LF
    std::string error; // the text of the viewer's "ERROR" box, which has been dismissed
};

// A visible viewer window, of process `processId` when that is not 0.
HWND FindViewer(DWORD processId = 0);
// The topic text the viewer shows (the text pane, read across processes).
std::string ShownText(HWND viewer);

// Waits until a visible viewer (of `processId` when not 0) shows a topic whose text starts with
// the line `title` (any topic when `title` is empty). An "ERROR" box from the viewer ends the
// wait at once: it is dismissed and its text returned in `error`. On timeout `window` is null
// and `text` holds what was last shown, if anything.
ViewerView WaitForTopic(const std::string& title, DWORD timeoutMs, DWORD processId = 0);

// Waits until no viewer window, shown or hidden, is left.
bool WaitUntilClosed(DWORD timeoutMs);

// Dismisses the viewer's "ERROR" box if one is up and returns its text ("" when none): No on
// its yes/no form (Yes would open a file dialog), OK on the other.
std::string DismissErrorBox();

// Closes every viewer window, for cleaning up after a failed test.
void CloseAllViewers();

// The topic pages of a contents file (.cnt) as title and context id, in order.
struct ContentsEntry {
    std::string title;
    std::string id;
};
std::vector<ContentsEntry> ReadContentsFile(const std::string& path);

} // namespace testing_support::help_viewer
