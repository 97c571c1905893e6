// The helpc program as the build runs it: its outputs, its messages, and that a faulty source
// leaves every earlier output as it was.
#include "hlp_reader.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

namespace fs = std::filesystem;

class HelpcProgram : public testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() / ("helpc-test-" + std::to_string(getpid()));
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }

    fs::path Path(const std::string& name) const { return folder_ / name; }

    void Write(const std::string& name, const std::string& text) const {
        std::ofstream(Path(name), std::ios::binary) << text;
    }
    std::string Read(const std::string& name) const {
        std::stringstream text;
        text << std::ifstream(Path(name), std::ios::binary).rdbuf();
        return text.str();
    }

    // Runs helpc with `arguments` in the test's folder; returns its exit status.
    int Run(const std::string& arguments) const {
        const std::string command =
            "cd '" + folder_.string() + "' && '" HELPC_PROGRAM "' " + arguments + " 2>errors.txt";
        const int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

private:
    fs::path folder_;
};

TEST_F(HelpcProgram, WritesTheHelpFileContentsFileWebPageAndPages) {
    Write("Sample.help", ":title Sample\n= Start {#start}\nHello.\n");
    ASSERT_EQ(Run("Sample.help --hlp out/Sample.HLP --cnt out/Sample.cnt --html web/Sample.html "
                  "--pages res/Sample.pages"),
              0)
        << Read("errors.txt");
    EXPECT_EQ(Read("res/Sample.pages").rfind("Prismel help pages 1\ntitle Sample\npage start\n", 0),
              0u);
    EXPECT_NE(Read("res/Sample.pages").find("Hello."), std::string::npos);
    const hlp_reader::HlpFile file(hlp_reader::ReadFileBytes(Path("out/Sample.HLP")));
    EXPECT_EQ(file.Topics().at(0).title, "Start");
    EXPECT_EQ(Read("out/Sample.cnt"), ":Base Sample.HLP\r\n:Title Sample\r\n1 Start=start\r\n");
    EXPECT_NE(Read("web/Sample.html").find("Hello."), std::string::npos);
    EXPECT_EQ(Read("errors.txt"), "");
}

TEST_F(HelpcProgram, AFaultySourceIsReportedByLineAndChangesNoOutput) {
    Write("Sample.help", ":title Sample\n= Start {#start}\nHello.\n");
    ASSERT_EQ(Run("Sample.help --hlp Sample.HLP --cnt Sample.cnt --pages Sample.pages"), 0);
    const std::string before = Read("Sample.HLP");
    const std::string pagesBefore = Read("Sample.pages");

    Write("Sample.help", ":title Sample\n= Start {#start}\nSee [nothing](#gone).\n");
    EXPECT_EQ(Run("Sample.help --hlp Sample.HLP --cnt Sample.cnt --pages Sample.pages"), 1);
    EXPECT_EQ(Read("errors.txt"), "Sample.help:3: error: jump to an unknown topic 'gone'\n");
    EXPECT_EQ(Read("Sample.HLP"), before);
    EXPECT_EQ(Read("Sample.pages"), pagesBefore);
    for (const auto& entry : fs::directory_iterator(Path(""))) {
        EXPECT_NE(entry.path().extension(), ".part") << entry.path();
    }
}

TEST_F(HelpcProgram, UsageFaultsAndUnreadableSources) {
    EXPECT_EQ(Run("Missing.help --hlp Out.HLP"), 1);
    EXPECT_NE(Read("errors.txt").find("Missing.help: error: cannot read"), std::string::npos);
    EXPECT_EQ(Run("Missing.help"), 2);
    EXPECT_EQ(Run("Missing.help --hlp"), 2);
    EXPECT_EQ(Run("Missing.help --pdf x"), 2);
    EXPECT_FALSE(fs::exists(Path("Out.HLP")));
}

} // namespace
