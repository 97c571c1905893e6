// The hand-over copy's command line, which anyone can type. The fuzzer's input is the command
// line as the copy receives it; the copy's whole run goes against a fake that checks every call.
// The input's first four bytes, with the rest as a path, also make a request to compose.
#include "fuzz_rule.h"
#include "hand_over.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <utility>

namespace uninstall {
namespace {

constexpr char kInstalledTail[] = "\\Prismel\\uninstall.exe";

class CCheckingFinish final : public CFinishOperations {
public:
    explicit CCheckingFinish(std::string uninstaller) : file(std::move(uninstaller)) {
        folder = file.substr(0, file.size() - (sizeof "uninstall.exe" - 1));
    }

    bool WaitForFirstProcess(std::uint32_t handle) override {
        FUZZ_RULE(!waited && handle != 0);
        waited = true;
        return true;
    }
    // Nothing but the named file, after the wait, before the folder.
    void RemoveFile(const char* path) override {
        FUZZ_RULE(waited && !folderRemoved && path == file);
        ++fileRemovals;
    }
    void RemoveFolder(const char* path) override {
        FUZZ_RULE(fileRemovals > 0 && !folderRemoved && path == folder);
        folderRemoved = true;
    }
    bool ItemExists(const char* path) override {
        FUZZ_RULE(path == file);
        return fileRemovals < 2; // gone at the second attempt
    }
    void Pause(unsigned milliseconds) override { FUZZ_RULE(milliseconds <= 1000); }
    void ScheduleOwnRemoval() override {
        FUZZ_RULE(folderRemoved && !scheduled);
        scheduled = true;
    }

    std::string file;
    std::string folder;
    bool waited = false;
    int fileRemovals = 0;
    bool folderRemoved = false;
    bool scheduled = false;
};

// What the copy may ever be asked to remove.
void CheckNamesAnUninstaller(const std::string& path) {
    FUZZ_RULE(path.size() <= sizeof(ComposedPath) - 1);
    FUZZ_RULE(path.size() >= sizeof kInstalledTail - 1 &&
              path.compare(path.size() - (sizeof kInstalledTail - 1), std::string::npos,
                           kInstalledTail) == 0);
    FUZZ_RULE(path.find_first_of("\"*?/") == std::string::npos);
    FUZZ_RULE(path.find("\\..\\") == std::string::npos && path.find("\\.\\") == std::string::npos);
}

void CheckCommandLine(const std::string& commandLine) {
    HandOverRequest request;
    if (!ReadHandOverArguments(commandLine.c_str(), request)) {
        // A refused request never reaches the platform: the fake would break on any call.
        struct CNoCalls final : CFinishOperations {
            bool WaitForFirstProcess(std::uint32_t) override { Broken(); }
            void RemoveFile(const char*) override { Broken(); }
            void RemoveFolder(const char*) override { Broken(); }
            bool ItemExists(const char*) override { Broken(); }
            void Pause(unsigned) override { Broken(); }
            void ScheduleOwnRemoval() override { Broken(); }
            [[noreturn]] static void Broken() {
                fuzzing::RuleBroken("a refused request calls nothing", __FILE__, __LINE__);
            }
        } none;
        FUZZ_RULE(FinishUninstall(none, commandLine.c_str()) == kFailureExitCode);
        return;
    }
    FUZZ_RULE(AsksForHandOver(commandLine.c_str()));
    const std::string path = request.uninstaller.data();
    CheckNamesAnUninstaller(path);
    // Exactly one spelling is taken: the one composed, blanks before it aside.
    HandOverArguments composed;
    FUZZ_RULE(ComposeHandOverArguments(request.firstProcess, path.c_str(), composed));
    const std::size_t start = commandLine.find_first_not_of(" \t");
    FUZZ_RULE(commandLine.compare(start, std::string::npos, composed.data()) == 0);

    CCheckingFinish finish(path);
    FUZZ_RULE(FinishUninstall(finish, commandLine.c_str()) == kSuccessExitCode);
    FUZZ_RULE(finish.fileRemovals == 2 && finish.scheduled);
}

void CheckComposed(std::uint32_t handle, const std::string& path) {
    HandOverArguments arguments;
    const bool composed = ComposeHandOverArguments(handle, path.c_str(), arguments);
    FUZZ_RULE(composed == (handle != 0 && NamesInstalledUninstaller(path.c_str())));
    if (!composed) {
        FUZZ_RULE(arguments[0] == '\0');
        return;
    }
    CheckNamesAnUninstaller(path);
    HandOverRequest request;
    FUZZ_RULE(ReadHandOverArguments(arguments.data(), request));
    FUZZ_RULE(request.firstProcess == handle && path == request.uninstaller.data());
}

} // namespace
} // namespace uninstall

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace uninstall;
    // The platform hands a command line over up to its terminator.
    const std::string input(reinterpret_cast<const char*>(data), size);
    const std::string commandLine = input.substr(0, input.find('\0'));
    CheckCommandLine(commandLine);
    if (commandLine.size() >= 4) {
        std::uint32_t handle = 0;
        std::memcpy(&handle, commandLine.data(), sizeof handle);
        CheckComposed(handle, commandLine.substr(4));
    }
    return 0;
}
