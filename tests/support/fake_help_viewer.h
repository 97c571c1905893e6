// Stands in for the help viewer: a window of the viewer's class that records what WinHelpA asks
// of it, and answers as told. The real viewer opens a blocking "Cannot find" box when the file
// is missing; this one lets a test see the request itself (file, command, data) and make the
// viewer fail. It serves requests while the creating thread dispatches messages.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace testing_support {

struct HelpRequest {
    std::string file;
    UINT command;
    LONG data;
    HWND owner;
};

class FakeHelpViewer {
public:
    explicit FakeHelpViewer(bool starts = true);
    ~FakeHelpViewer();
    FakeHelpViewer(const FakeHelpViewer&) = delete;
    FakeHelpViewer& operator=(const FakeHelpViewer&) = delete;

    const std::vector<HelpRequest>& Requests() const { return requests_; }

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND window_ = nullptr;
    bool starts_;
    std::vector<HelpRequest> requests_;
};

} // namespace testing_support
