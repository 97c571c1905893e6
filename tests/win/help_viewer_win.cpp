// The help files the build compiles, opened in the platform's help viewer: the contents topic
// through WinHelpA as Tintview asks for it, every topic by its context id, and the viewer's
// error for a file it cannot read. The viewer is only ever given a file that exists: for a
// missing one it asks where the file is and keeps its caller waiting.
#include "context_hash.h"

#include "child_process.h"
#include "help_viewer.h"
#include "message_pump.h"
#include "test_paths.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <fstream>
#include <thread>

namespace {

namespace viewer = testing_support::help_viewer;
using testing_support::BesideTest;
using testing_support::ChildProcess;

constexpr DWORD kOpenTimeoutMs = 15000;

bool FileExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// WinHelpA on a thread of its own: the viewer answers it only after handling the command, so an
// "ERROR" box would hold the caller until the test thread, left free, dismisses it.
class HelpCall {
public:
    HelpCall(HWND owner, const std::string& file, UINT command)
        : thread_([this, owner, file, command] {
              result_ = WinHelpA(owner, file.c_str(), command, 0);
              done_ = true;
          }) {}
    ~HelpCall() { thread_.join(); }
    // WinHelpA's result once it has returned within `timeoutMs`.
    bool Returned(DWORD timeoutMs) {
        return testing_support::PumpUntil([this] { return done_.load(); }, timeoutMs) && result_;
    }

private:
    std::atomic<bool> done_{false};
    BOOL result_ = FALSE;
    std::thread thread_;
};

class HelpViewer : public testing::Test {
protected:
    void SetUp() override {
        owner_ = CreateWindowA("STATIC", "help owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                               nullptr, nullptr);
        ASSERT_NE(owner_, nullptr);
        ASSERT_EQ(FindWindowA(viewer::kViewerClass, nullptr), nullptr)
            << "a help viewer is already running";
    }
    void TearDown() override {
        viewer::DismissErrorBox();
        viewer::CloseAllViewers();
        EXPECT_TRUE(viewer::WaitUntilClosed(5000));
        DestroyWindow(owner_);
    }

    // Opens `id` of `file` in a viewer of its own (winhlp32 -i), checks that it shows the topic
    // titled `title` with text below the title, and closes it.
    void ExpectTopicOpensById(const std::string& file, const std::string& id,
                              const std::string& title) {
        ChildProcess process("winhlp32.exe -i " + id + " \"" + file + "\"");
        ASSERT_TRUE(process.Started());
        const viewer::ViewerView view = viewer::WaitForTopic(title, kOpenTimeoutMs, process.Id());
        EXPECT_EQ(view.error, "") << id;
        EXPECT_NE(view.window, nullptr) << id << " shows: " << view.text;
        EXPECT_GT(view.text.size(), title.size() + 2) << id << " shows only its title";
        if (view.window) {
            PostMessageA(view.window, WM_CLOSE, 0, 0);
        }
        EXPECT_TRUE(process.WaitForExit(5000).has_value()) << id;
    }

    HWND owner_ = nullptr;
};

TEST_F(HelpViewer, FinderOpensTintviewsContentsTopicAndQuitClosesTheViewer) {
    const std::string file = BesideTest("Tintview.HLP");
    ASSERT_TRUE(FileExists(file)) << file;

    const DWORD start = GetTickCount();
    HelpCall finder(owner_, file, viewer::kHelpFinder);
    const viewer::ViewerView view = viewer::WaitForTopic("Tintview Help", kOpenTimeoutMs);
    const DWORD shown = GetTickCount();
    EXPECT_EQ(view.error, "");
    ASSERT_NE(view.window, nullptr) << "shown: " << view.text;
    EXPECT_TRUE(finder.Returned(5000));
    EXPECT_EQ(view.caption, "Tintview Help");
    EXPECT_NE(view.text.find("\r\nTintview composes a colour from its red, green and blue parts"),
              std::string::npos)
        << view.text;
    EXPECT_NE(view.text.find("\r\nTaking a colour from the screen\r\n"), std::string::npos);

    HelpCall quit(owner_, file, viewer::kHelpQuit);
    EXPECT_TRUE(quit.Returned(5000));
    EXPECT_TRUE(viewer::WaitUntilClosed(10000));
    std::printf("contents shown after %lu ms; viewer gone %lu ms after HELP_QUIT\n", shown - start,
                GetTickCount() - shown);
}

TEST_F(HelpViewer, EveryTopicOfTintviewsHelpOpensByItsContextId) {
    const std::string file = BesideTest("Tintview.HLP");
    ASSERT_TRUE(FileExists(file)) << file;
    const auto topics = viewer::ReadContentsFile(BesideTest("Tintview.cnt"));
    ASSERT_GE(topics.size(), 20u);
    const DWORD start = GetTickCount();
    for (const viewer::ContentsEntry& topic : topics) {
        ExpectTopicOpensById(file, topic.id, topic.title);
        if (HasFailure()) {
            return; // one broken topic says enough; the rest would repeat it
        }
    }
    std::printf("%zu topics opened by id in %lu ms\n", topics.size(), GetTickCount() - start);
}

// 300 topics: the context map has two leaves, and topics lie in many blocks. Open the topics
// with the smallest and largest hashes and those on both sides of the leaves' boundary.
TEST_F(HelpViewer, ALargeHelpFileOpensAtTopicsInEveryLeafOfItsContextMap) {
    const std::string file = BesideTest("LargeTest.HLP");
    ASSERT_TRUE(FileExists(file)) << file;
    std::vector<std::pair<std::int32_t, int>> byHash;
    for (int topic = 0; topic < 300; ++topic) {
        byHash.emplace_back(helpc::ContextHash("topic_" + std::to_string(topic)), topic);
    }
    std::sort(byHash.begin(), byHash.end());
    for (std::size_t index :
         {std::size_t{0}, std::size_t{254}, std::size_t{255}, byHash.size() - 1}) {
        const std::string number = std::to_string(byHash[index].second);
        ExpectTopicOpensById(file, "topic_" + number, "Topic " + number);
    }
}

TEST_F(HelpViewer, AFileTheViewerCannotReadBringsUpItsErrorWhichTheHelperDismisses) {
    const std::string file = testing_support::ScratchFolder("help") + "\\Broken.HLP";
    std::ofstream(file, std::ios::binary) << "not a help file, but long enough to be read";
    ASSERT_TRUE(FileExists(file));
    ChildProcess process("winhlp32.exe \"" + file + "\"");
    ASSERT_TRUE(process.Started());
    const viewer::ViewerView view = viewer::WaitForTopic("", kOpenTimeoutMs, process.Id());
    EXPECT_NE(view.error.find("Error while reading the help file"), std::string::npos)
        << "error: '" << view.error << "', shown: " << view.text;
    EXPECT_TRUE(process.WaitForExit(5000).has_value());
    DeleteFileA(file.c_str());
}

} // namespace
