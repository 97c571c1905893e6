#include "source_parser.h"

#include "context_hash.h"
#include "windows1252.h"

#include <cctype>
#include <map>
#include <optional>

namespace helpc {
namespace {

std::string Trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) {
        return "";
    }
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

bool StartsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

std::string Quoted(const std::string& text) {
    return "'" + text + "'";
}

// A block's text gathered from its lines, with the line of every character for messages.
struct PendingBlock {
    BlockKind kind = BlockKind::Paragraph;
    std::string text;
    std::vector<int> lines;
    int line = 0;

    void Add(const std::string& more, int lineNumber) {
        if (!text.empty()) {
            text += ' ';
            lines.push_back(lineNumber);
        }
        text += more;
        lines.insert(lines.end(), more.size(), lineNumber);
    }
};

struct JumpReference {
    std::string target;
    int line;
};

// Turns a block's text into runs: **bold**, [text](#id) and backslash escapes.
class CInlineParser {
public:
    CInlineParser(const PendingBlock& block, std::vector<JumpReference>& jumpsFound)
        : text(block.text), lines(block.lines), jumps(jumpsFound) {}

    std::vector<Run> Parse() {
        for (at = 0; at < text.size();) {
            const char c = text[at];
            if (c == '\\') {
                Escape();
            } else if (text.compare(at, 2, "**") == 0) {
                EndRun();
                bold = !bold;
                boldLine = LineAt(at);
                at += 2;
            } else if (c == '[') {
                OpenJump();
            } else if (c == ']') {
                CloseJump();
            } else {
                current += c;
                ++at;
            }
        }
        EndRun();
        if (bold) {
            throw CSourceError(boldLine, "'**' opened here is not closed in its paragraph");
        }
        if (jumpStart) {
            throw CSourceError(jumpLine, "'[' opened here has no matching '](#topic_id)'");
        }
        return std::move(runs);
    }

private:
    int LineAt(std::size_t offset) const {
        return lines.at(std::min(offset, lines.size() - 1));
    }

    void Escape() {
        const int line = LineAt(at);
        if (at + 1 >= text.size() || !std::ispunct(static_cast<unsigned char>(text[at + 1]))) {
            throw CSourceError(line, "'\\' keeps the punctuation mark after it literal; write "
                                     "'\\\\' for a backslash");
        }
        current += text[at + 1];
        at += 2;
    }

    void OpenJump() {
        if (jumpStart) {
            throw CSourceError(LineAt(at), "a jump's text cannot contain '['; write '\\[' for a "
                                           "bracket");
        }
        EndRun();
        jumpStart = runs.size();
        jumpLine = LineAt(at);
        ++at;
    }

    void CloseJump() {
        const int line = LineAt(at);
        if (!jumpStart) {
            throw CSourceError(line, "']' without '[': write '\\]' for a bracket");
        }
        const std::size_t close = text.find(')', at);
        if (text.compare(at, 3, "](#") != 0 || close == std::string::npos) {
            throw CSourceError(line, "a jump is written [text](#topic_id)");
        }
        const std::string target = text.substr(at + 3, close - at - 3);
        if (!IsValidContextId(target)) {
            throw CSourceError(line, "jump target " + Quoted(target) +
                                         " is not a topic id (letters, digits, '.' and '_')");
        }
        EndRun();
        if (runs.size() == *jumpStart) {
            throw CSourceError(line, "a jump needs text between '[' and ']'");
        }
        for (std::size_t i = *jumpStart; i < runs.size(); ++i) {
            runs[i].jumpTarget = target;
        }
        jumps.push_back({target, line});
        jumpStart.reset();
        at = close + 1;
    }

    void EndRun() {
        if (!current.empty()) {
            runs.push_back({current, bold, ""});
            current.clear();
        }
    }

    const std::string& text;
    const std::vector<int>& lines;
    std::vector<JumpReference>& jumps;
    std::vector<Run> runs;
    std::string current;
    std::size_t at = 0;
    bool bold = false;
    int boldLine = 0;
    std::optional<std::size_t> jumpStart;
    int jumpLine = 0;
};

class CSourceParser {
public:
    HelpDocument Parse(const std::string& source) {
        int lineNumber = 0;
        for (std::size_t start = 0; start <= source.size();) {
            std::size_t end = source.find('\n', start);
            if (end == std::string::npos) {
                end = source.size();
            }
            std::string line = source.substr(start, end - start);
            start = end + 1;
            ++lineNumber;
            if (!line.empty() && line.back() == '\r') {
                line.pop_back();
            }
            if (lineNumber == 1 && StartsWith(line, "\xEF\xBB\xBF")) {
                line.erase(0, 3);
            }
            ParseLine(line, lineNumber);
            if (end == source.size()) {
                break;
            }
        }
        EndBlock();
        CheckWhole();
        return std::move(document);
    }

private:
    void ParseLine(std::string line, int number) {
        for (char& c : line) {
            if (c == '\t') {
                c = ' ';
            }
        }
        try {
            ToWindows1252(line);
        } catch (const CEncodingError& error) {
            throw CSourceError(number, error.what());
        }
        const std::string text = Trimmed(line);
        if (text.empty()) {
            EndBlock();
        } else if (text[0] == ';') {
            // a comment
        } else if (text[0] == ':') {
            EndBlock();
            Directive(text, number);
        } else if (text[0] == '=') {
            EndBlock();
            TopicOrHeading(text, number);
        } else if (StartsWith(text, "- ")) {
            EndBlock();
            StartBlock(BlockKind::Bullet, Trimmed(text.substr(2)), number);
        } else if (pending) {
            pending->Add(text, number);
        } else {
            StartBlock(BlockKind::Paragraph, text, number);
        }
    }

    void Directive(const std::string& text, int number) {
        const std::size_t nameEnd = std::min(text.find(' '), text.size());
        const std::string name = text.substr(1, nameEnd - 1);
        const std::string value = Trimmed(text.substr(nameEnd));
        if (name != "title" && name != "copyright" && name != "contents" && name != "book") {
            throw CSourceError(number, "unknown directive " + Quoted(":" + name) +
                                           " (write '\\:' to start a paragraph with a colon)");
        }
        if (value.empty()) {
            throw CSourceError(number, Quoted(":" + name) + " needs a value");
        }
        if (name == "book") {
            CheckTitle(value, "a book's name", number);
            book = value;
            return;
        }
        if (!document.topics.empty()) {
            throw CSourceError(number, Quoted(":" + name) + " belongs before the first topic");
        }
        const auto [first, isNew] = directiveLines.emplace(name, number);
        if (!isNew) {
            throw CSourceError(number, Quoted(":" + name) + " is already given on line " +
                                           std::to_string(first->second));
        }
        if (name == "title") {
            if (CharacterCount(value) > kMaxHelpTitle) {
                throw CSourceError(number, "the title is the viewer's caption: at most " +
                                               std::to_string(kMaxHelpTitle) + " characters");
            }
            document.title = value;
        } else if (name == "copyright") {
            if (CharacterCount(value) > kMaxCopyright) {
                throw CSourceError(number, "the copyright is longer than " +
                                               std::to_string(kMaxCopyright) + " characters");
            }
            document.copyright = value;
        } else {
            CheckId(value, number);
            document.contentsId = value;
        }
    }

    void TopicOrHeading(const std::string& text, int number) {
        if (StartsWith(text, "== ")) {
            RequireTopic(number);
            StartBlock(BlockKind::Heading, Trimmed(text.substr(3)), number);
            EndBlock();
            return;
        }
        if (!StartsWith(text, "= ")) {
            throw CSourceError(number, "a line starting with '=' is a topic ('= Title "
                                       "{#topic_id}') or a heading ('== Heading'); write '\\=' "
                                       "for an equals sign");
        }
        const std::string rest = Trimmed(text.substr(2));
        const std::size_t open = rest.rfind("{#");
        if (open == std::string::npos || rest.back() != '}') {
            throw CSourceError(number, "a topic starts with '= Title {#topic_id}'");
        }
        Topic topic;
        topic.id = rest.substr(open + 2, rest.size() - open - 3);
        topic.title = Trimmed(rest.substr(0, open));
        topic.book = book;
        topic.line = number;
        CheckId(topic.id, number);
        CheckTitle(topic.title, "a topic's title", number);
        const auto [first, isNew] = topicLines.emplace(topic.id, number);
        if (!isNew) {
            throw CSourceError(number, "topic id " + Quoted(topic.id) +
                                           " is already used on line " +
                                           std::to_string(first->second));
        }
        document.topics.push_back(std::move(topic));
    }

    void StartBlock(BlockKind kind, const std::string& text, int number) {
        RequireTopic(number);
        if (text.empty()) {
            throw CSourceError(number, "an empty heading or item");
        }
        pending = PendingBlock{kind, "", {}, number};
        pending->Add(text, number);
    }

    void EndBlock() {
        if (!pending) {
            return;
        }
        Block block;
        block.kind = pending->kind;
        block.line = pending->line;
        block.runs = CInlineParser(*pending, jumps).Parse();
        pending.reset();
        if (!block.runs.empty()) {
            document.topics.back().blocks.push_back(std::move(block));
        }
    }

    void RequireTopic(int number) const {
        if (document.topics.empty()) {
            throw CSourceError(number, "text before the first topic: start a topic with '= Title "
                                       "{#topic_id}'");
        }
    }

    static void CheckId(const std::string& id, int number) {
        if (!IsValidContextId(id)) {
            throw CSourceError(number, "topic id " + Quoted(id) +
                                           " may use only letters, digits, '.' and '_'");
        }
        if (id.size() > kMaxContextId) {
            throw CSourceError(number, "a topic id has at most " + std::to_string(kMaxContextId) +
                                           " characters");
        }
    }

    // Titles and book names are lines of the contents file, where '=' separates a title from
    // its topic id.
    static void CheckTitle(const std::string& title, const std::string& what, int number) {
        if (title.empty()) {
            throw CSourceError(number, what + " is empty");
        }
        if (CharacterCount(title) > kMaxTopicTitle) {
            throw CSourceError(number, what + " has more than " + std::to_string(kMaxTopicTitle) +
                                           " characters");
        }
        if (title.find('=') != std::string::npos) {
            throw CSourceError(number, what + " cannot contain '=' (the contents file uses it to "
                                              "separate a title from its topic id)");
        }
    }

    void CheckWhole() {
        if (document.title.empty()) {
            throw CSourceError(0, "the source has no ':title'");
        }
        if (document.topics.empty()) {
            throw CSourceError(0, "the source has no topics");
        }
        if (document.contentsId.empty()) {
            document.contentsId = document.topics.front().id;
        } else if (!topicLines.count(document.contentsId)) {
            throw CSourceError(directiveLines.at("contents"),
                               "':contents' names no topic: " + Quoted(document.contentsId));
        }
        for (const JumpReference& jump : jumps) {
            if (!topicLines.count(jump.target)) {
                throw CSourceError(jump.line, "jump to an unknown topic " + Quoted(jump.target));
            }
        }
        // The viewer finds topics by hash alone; hash 0 stands for the contents topic.
        std::map<std::int32_t, const Topic*> byHash;
        for (const Topic& topic : document.topics) {
            const std::int32_t hash = ContextHash(topic.id);
            if (hash == 0) {
                throw CSourceError(topic.line, "topic id " + Quoted(topic.id) +
                                                   " hashes to 0, which the help viewer keeps for "
                                                   "the contents topic; rename it");
            }
            const auto [other, isNew] = byHash.emplace(hash, &topic);
            if (!isNew) {
                throw CSourceError(topic.line, "topic ids " + Quoted(other->second->id) +
                                                   " (line " + std::to_string(other->second->line) +
                                                   ") and " + Quoted(topic.id) +
                                                   " have the same context hash (the help viewer "
                                                   "ignores letter case); rename one");
            }
        }
    }

    HelpDocument document;
    std::optional<PendingBlock> pending;
    std::string book;
    std::map<std::string, int> directiveLines;
    std::map<std::string, int> topicLines;
    std::vector<JumpReference> jumps;
};

} // namespace

HelpDocument ParseHelpSource(const std::string& source) {
    return CSourceParser().Parse(source);
}

} // namespace helpc
