#include "help_viewer.h"

#include "message_pump.h"

#include <fstream>

namespace testing_support::help_viewer {
namespace {

constexpr int kTextPaneId = 0x701;
constexpr UINT kReplyTimeoutMs = 2000;

// WM_GETTEXT works across processes where GetWindowText does not (it reads only captions).
std::string TextOf(HWND window) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kReplyTimeoutMs,
                             &length)) {
        return "";
    }
    std::string text(length + 1, '\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                        SMTO_ABORTIFHUNG, kReplyTimeoutMs, &copied);
    text.resize(copied);
    return text;
}

struct Search {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK MatchViewer(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<Search*>(parameter);
    char className[64];
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (GetClassNameA(window, className, sizeof className) &&
        lstrcmpA(className, kViewerClass) == 0 && IsWindowVisible(window) &&
        (search->processId == 0 || search->processId == owner)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

} // namespace

HWND FindViewer(DWORD processId) {
    Search search{processId, nullptr};
    EnumWindows(MatchViewer, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string ShownText(HWND viewer) {
    const HWND pane = GetDlgItem(viewer, kTextPaneId);
    return pane ? TextOf(pane) : "";
}

ViewerView WaitForTopic(const std::string& title, DWORD timeoutMs, DWORD processId) {
    ViewerView view;
    PumpUntil(
        [&] {
            view.error = DismissErrorBox();
            if (!view.error.empty()) {
                return true;
            }
            const HWND viewer = FindViewer(processId);
            if (!viewer) {
                return false;
            }
            view.text = ShownText(viewer);
            if (view.text.empty() || view.text.compare(0, title.size() + 2, title + "\r\n") != 0) {
                return false;
            }
            view.window = viewer;
            view.caption = TextOf(viewer);
            return true;
        },
        timeoutMs);
    return view;
}

bool WaitUntilClosed(DWORD timeoutMs) {
    return PumpUntil([] { return FindWindowA(kViewerClass, nullptr) == nullptr; }, timeoutMs);
}

std::string DismissErrorBox() {
    const HWND box = FindWindowA("#32770", "ERROR");
    if (!box) {
        return "";
    }
    const std::string text = TextOf(GetDlgItem(box, 0xFFFF));
    const HWND no = GetDlgItem(box, IDNO);
    const int answer = no ? IDNO : IDOK;
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(box, answer)));
    PumpUntil([box] { return !IsWindow(box); }, kReplyTimeoutMs);
    return text.empty() ? "(an ERROR box without text)" : text;
}

void CloseAllViewers() {
    for (HWND viewer; (viewer = FindWindowA(kViewerClass, nullptr)) != nullptr;) {
        PostMessageA(viewer, WM_CLOSE, 0, 0);
        if (!PumpUntil([viewer] { return !IsWindow(viewer); }, kReplyTimeoutMs)) {
            return;
        }
    }
}

std::vector<ContentsEntry> ReadContentsFile(const std::string& path) {
    std::vector<ContentsEntry> entries;
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        // "2 Title=context_id" is a page; "1 Title" without '=' is a book.
        const std::size_t space = line.find(' ');
        const std::size_t equals = line.rfind('=');
        if (line.empty() || line[0] < '1' || line[0] > '9' || space == std::string::npos ||
            equals == std::string::npos) {
            continue;
        }
        entries.push_back({line.substr(space + 1, equals - space - 1), line.substr(equals + 1)});
    }
    return entries;
}

} // namespace testing_support::help_viewer
