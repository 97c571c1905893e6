// Stands in for the user's web browser. Wine's shell hands a web address to winebrowser, which
// starts the programs named in HKCU\Software\Wine\WineBrowser "Browsers"; this one is a script
// of the test's own that records every address it is given. The value in place before is put
// back when the browser goes, so no test depends on (or starts) a real browser.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace testing_support {

class FakeBrowser {
public:
    FakeBrowser();
    ~FakeBrowser();
    FakeBrowser(const FakeBrowser&) = delete;
    FakeBrowser& operator=(const FakeBrowser&) = delete;

    bool Ready() const { return ready_; }
    // The addresses opened so far, oldest first.
    std::vector<std::string> Addresses() const;

private:
    std::string script_; // Unix paths
    std::string log_;
    std::optional<std::string> previousBrowsers_;
    bool ready_ = false;
};

} // namespace testing_support
