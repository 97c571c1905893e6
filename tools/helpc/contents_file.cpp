#include "contents_file.h"

#include "windows1252.h"

#include <vector>

namespace helpc {

std::string WriteContentsFile(const HelpDocument& document, const std::string& helpFileName) {
    std::vector<std::string> lines = {":Base " + helpFileName, ":Title " + document.title};
    std::string book;
    for (const Topic& topic : document.topics) {
        if (topic.book != book && !topic.book.empty()) {
            lines.push_back("1 " + topic.book);
        }
        book = topic.book;
        lines.push_back((book.empty() ? "1 " : "2 ") + topic.title + "=" + topic.id);
    }
    std::string text;
    for (const std::string& line : lines) {
        text += ToWindows1252(line) + "\r\n";
    }
    return text;
}

} // namespace helpc
