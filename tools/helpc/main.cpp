// helpc: compiles a help source into a help file, its contents file, a web page, and the pages
// of Tintview's own help window.
//
//   helpc SOURCE --hlp FILE.HLP [--cnt FILE.cnt] [--html FILE.html] [--pages FILE.pages]
//
// Faults in the source are reported as "SOURCE:LINE: error: ..." and nothing is written: every
// output is made whole in memory first and then put in place by renaming.
#include "contents_file.h"
#include "help_file.h"
#include "html_rendering.h"
#include "page_rendering.h"
#include "source_parser.h"

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>

namespace {

namespace fs = std::filesystem;

constexpr int kSourceFault = 1;
constexpr int kUsageFault = 2;
// Seconds from 1 January 1970 to 1 January 1980, the help format's epoch.
constexpr long long kEpochDifference = 315532800;

int Usage(const std::string& problem) {
    std::cerr << "helpc: " << problem << "\n"
              << "usage: helpc SOURCE --hlp FILE.HLP [--cnt FILE.cnt] [--html FILE.html] "
                 "[--pages FILE.pages]\n";
    return kUsageFault;
}

// The source's date, or SOURCE_DATE_EPOCH when set, so that equal sources give equal files.
std::uint32_t GenerationDate(const std::string& source) {
    long long seconds = 0;
    if (const char* fixed = std::getenv("SOURCE_DATE_EPOCH")) {
        seconds = std::atoll(fixed);
    } else if (struct stat status{}; stat(source.c_str(), &status) == 0) {
        seconds = status.st_mtime;
    }
    return seconds > kEpochDifference ? static_cast<std::uint32_t>(seconds - kEpochDifference) : 0;
}

void WriteWhole(const fs::path& path, const std::string& bytes) {
    if (path.has_parent_path()) {
        fs::create_directories(path.parent_path());
    }
    const fs::path part = path.string() + ".part";
    {
        std::ofstream out(part, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!out.flush()) {
            throw std::runtime_error("cannot write " + part.string());
        }
    }
    fs::rename(part, path);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        return Usage("no source given");
    }
    const std::string source = argv[1];
    std::map<std::string, std::string> outputs;
    for (int i = 2; i < argc; i += 2) {
        const std::string option = argv[i];
        if ((option != "--hlp" && option != "--cnt" && option != "--html" && option != "--pages") ||
            i + 1 >= argc) {
            return Usage("unknown option or missing file: " + option);
        }
        outputs[option] = argv[i + 1];
    }
    if (!outputs.count("--hlp")) {
        return Usage("--hlp is required");
    }

    std::ifstream in(source, std::ios::binary);
    if (!in) {
        std::cerr << source << ": error: cannot read the file\n";
        return kSourceFault;
    }
    std::stringstream text;
    text << in.rdbuf();

    try {
        const helpc::HelpDocument document = helpc::ParseHelpSource(text.str());
        const helpc::Bytes hlp = helpc::CompileHelpFile(document, GenerationDate(source));
        std::map<std::string, std::string> files;
        files[outputs["--hlp"]] = std::string(hlp.begin(), hlp.end());
        if (outputs.count("--cnt")) {
            const std::string helpName = fs::path(outputs["--hlp"]).filename().string();
            files[outputs["--cnt"]] = helpc::WriteContentsFile(document, helpName);
        }
        if (outputs.count("--html")) {
            files[outputs["--html"]] = helpc::RenderHtml(document);
        }
        if (outputs.count("--pages")) {
            files[outputs["--pages"]] = helpc::RenderHelpPages(document);
        }
        for (const auto& [path, bytes] : files) {
            WriteWhole(path, bytes);
        }
    } catch (const helpc::CSourceError& error) {
        std::cerr << source << ":" << error.Line() << ": error: " << error.what() << "\n";
        return kSourceFault;
    } catch (const std::exception& error) {
        std::cerr << "helpc: " << error.what() << "\n";
        return kSourceFault;
    }
    return 0;
}
