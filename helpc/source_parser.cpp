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
class InlineParser {
public:
    InlineParser(const PendingBlock& block, std::vector<JumpReference>& jumps)
        : text_(block.text), lines_(block.lines), jumps_(jumps) {}

    std::vector<Run> Parse() {
        for (at_ = 0; at_ < text_.size();) {
            const char c = text_[at_];
            if (c == '\\') {
                Escape();
            } else if (text_.compare(at_, 2, "**") == 0) {
                EndRun();
                bold_ = !bold_;
                boldLine_ = LineAt(at_);
                at_ += 2;
            } else if (c == '[') {
                OpenJump();
            } else if (c == ']') {
                CloseJump();
            } else {
                current_ += c;
                ++at_;
            }
        }
        EndRun();
        if (bold_) {
            throw SourceError(boldLine_, "'**' opened here is not closed in its paragraph");
        }
        if (jumpStart_) {
            throw SourceError(jumpLine_, "'[' opened here has no matching '](#topic_id)'");
        }
        return std::move(runs_);
    }

private:
    int LineAt(std::size_t at) const { return lines_.at(std::min(at, lines_.size() - 1)); }

    void Escape() {
        const int line = LineAt(at_);
        if (at_ + 1 >= text_.size() || !std::ispunct(static_cast<unsigned char>(text_[at_ + 1]))) {
            throw SourceError(line, "'\\' keeps the punctuation mark after it literal; write "
                                    "'\\\\' for a backslash");
        }
        current_ += text_[at_ + 1];
        at_ += 2;
    }

    void OpenJump() {
        if (jumpStart_) {
            throw SourceError(LineAt(at_), "a jump's text cannot contain '['; write '\\[' for a "
                                           "bracket");
        }
        EndRun();
        jumpStart_ = runs_.size();
        jumpLine_ = LineAt(at_);
        ++at_;
    }

    void CloseJump() {
        const int line = LineAt(at_);
        if (!jumpStart_) {
            throw SourceError(line, "']' without '[': write '\\]' for a bracket");
        }
        const std::size_t close = text_.find(')', at_);
        if (text_.compare(at_, 3, "](#") != 0 || close == std::string::npos) {
            throw SourceError(line, "a jump is written [text](#topic_id)");
        }
        const std::string target = text_.substr(at_ + 3, close - at_ - 3);
        if (!IsValidContextId(target)) {
            throw SourceError(line, "jump target " + Quoted(target) +
                                        " is not a topic id (letters, digits, '.' and '_')");
        }
        EndRun();
        if (runs_.size() == *jumpStart_) {
            throw SourceError(line, "a jump needs text between '[' and ']'");
        }
        for (std::size_t i = *jumpStart_; i < runs_.size(); ++i) {
            runs_[i].jumpTarget = target;
        }
        jumps_.push_back({target, line});
        jumpStart_.reset();
        at_ = close + 1;
    }

    void EndRun() {
        if (!current_.empty()) {
            runs_.push_back({current_, bold_, ""});
            current_.clear();
        }
    }

    const std::string& text_;
    const std::vector<int>& lines_;
    std::vector<JumpReference>& jumps_;
    std::vector<Run> runs_;
    std::string current_;
    std::size_t at_ = 0;
    bool bold_ = false;
    int boldLine_ = 0;
    std::optional<std::size_t> jumpStart_;
    int jumpLine_ = 0;
};

class SourceParser {
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
        return std::move(document_);
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
        } catch (const EncodingError& error) {
            throw SourceError(number, error.what());
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
        } else if (pending_) {
            pending_->Add(text, number);
        } else {
            StartBlock(BlockKind::Paragraph, text, number);
        }
    }

    void Directive(const std::string& text, int number) {
        const std::size_t nameEnd = std::min(text.find(' '), text.size());
        const std::string name = text.substr(1, nameEnd - 1);
        const std::string value = Trimmed(text.substr(nameEnd));
        if (name != "title" && name != "copyright" && name != "contents" && name != "book") {
            throw SourceError(number, "unknown directive " + Quoted(":" + name) +
                                          " (write '\\:' to start a paragraph with a colon)");
        }
        if (value.empty()) {
            throw SourceError(number, Quoted(":" + name) + " needs a value");
        }
        if (name == "book") {
            CheckTitle(value, "a book's name", number);
            book_ = value;
            return;
        }
        if (!document_.topics.empty()) {
            throw SourceError(number, Quoted(":" + name) + " belongs before the first topic");
        }
        const auto [first, isNew] = directiveLines_.emplace(name, number);
        if (!isNew) {
            throw SourceError(number, Quoted(":" + name) + " is already given on line " +
                                          std::to_string(first->second));
        }
        if (name == "title") {
            if (CharacterCount(value) > kMaxHelpTitle) {
                throw SourceError(number, "the title is the viewer's caption: at most " +
                                              std::to_string(kMaxHelpTitle) + " characters");
            }
            document_.title = value;
        } else if (name == "copyright") {
            if (CharacterCount(value) > kMaxCopyright) {
                throw SourceError(number, "the copyright is longer than " +
                                              std::to_string(kMaxCopyright) + " characters");
            }
            document_.copyright = value;
        } else {
            CheckId(value, number);
            document_.contentsId = value;
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
            throw SourceError(number, "a line starting with '=' is a topic ('= Title "
                                      "{#topic_id}') or a heading ('== Heading'); write '\\=' "
                                      "for an equals sign");
        }
        const std::string rest = Trimmed(text.substr(2));
        const std::size_t open = rest.rfind("{#");
        if (open == std::string::npos || rest.back() != '}') {
            throw SourceError(number, "a topic starts with '= Title {#topic_id}'");
        }
        Topic topic;
        topic.id = rest.substr(open + 2, rest.size() - open - 3);
        topic.title = Trimmed(rest.substr(0, open));
        topic.book = book_;
        topic.line = number;
        CheckId(topic.id, number);
        CheckTitle(topic.title, "a topic's title", number);
        const auto [first, isNew] = topicLines_.emplace(topic.id, number);
        if (!isNew) {
            throw SourceError(number, "topic id " + Quoted(topic.id) + " is already used on line " +
                                          std::to_string(first->second));
        }
        document_.topics.push_back(std::move(topic));
    }

    void StartBlock(BlockKind kind, const std::string& text, int number) {
        RequireTopic(number);
        if (text.empty()) {
            throw SourceError(number, "an empty heading or item");
        }
        pending_ = PendingBlock{kind, "", {}, number};
        pending_->Add(text, number);
    }

    void EndBlock() {
        if (!pending_) {
            return;
        }
        Block block;
        block.kind = pending_->kind;
        block.line = pending_->line;
        block.runs = InlineParser(*pending_, jumps_).Parse();
        pending_.reset();
        if (!block.runs.empty()) {
            document_.topics.back().blocks.push_back(std::move(block));
        }
    }

    void RequireTopic(int number) const {
        if (document_.topics.empty()) {
            throw SourceError(number, "text before the first topic: start a topic with '= Title "
                                      "{#topic_id}'");
        }
    }

    static void CheckId(const std::string& id, int number) {
        if (!IsValidContextId(id)) {
            throw SourceError(number, "topic id " + Quoted(id) +
                                          " may use only letters, digits, '.' and '_'");
        }
        if (id.size() > kMaxContextId) {
            throw SourceError(number, "a topic id has at most " + std::to_string(kMaxContextId) +
                                          " characters");
        }
    }

    // Titles and book names are lines of the contents file, where '=' separates a title from
    // its topic id.
    static void CheckTitle(const std::string& title, const std::string& what, int number) {
        if (title.empty()) {
            throw SourceError(number, what + " is empty");
        }
        if (CharacterCount(title) > kMaxTopicTitle) {
            throw SourceError(number, what + " has more than " + std::to_string(kMaxTopicTitle) +
                                          " characters");
        }
        if (title.find('=') != std::string::npos) {
            throw SourceError(number, what + " cannot contain '=' (the contents file uses it to "
                                             "separate a title from its topic id)");
        }
    }

    void CheckWhole() {
        if (document_.title.empty()) {
            throw SourceError(0, "the source has no ':title'");
        }
        if (document_.topics.empty()) {
            throw SourceError(0, "the source has no topics");
        }
        if (document_.contentsId.empty()) {
            document_.contentsId = document_.topics.front().id;
        } else if (!topicLines_.count(document_.contentsId)) {
            throw SourceError(directiveLines_.at("contents"),
                              "':contents' names no topic: " + Quoted(document_.contentsId));
        }
        for (const JumpReference& jump : jumps_) {
            if (!topicLines_.count(jump.target)) {
                throw SourceError(jump.line, "jump to an unknown topic " + Quoted(jump.target));
            }
        }
        // The viewer finds topics by hash alone; hash 0 stands for the contents topic.
        std::map<std::int32_t, const Topic*> byHash;
        for (const Topic& topic : document_.topics) {
            const std::int32_t hash = ContextHash(topic.id);
            if (hash == 0) {
                throw SourceError(topic.line, "topic id " + Quoted(topic.id) +
                                                  " hashes to 0, which the help viewer keeps for "
                                                  "the contents topic; rename it");
            }
            const auto [other, isNew] = byHash.emplace(hash, &topic);
            if (!isNew) {
                throw SourceError(topic.line, "topic ids " + Quoted(other->second->id) + " (line " +
                                                  std::to_string(other->second->line) + ") and " +
                                                  Quoted(topic.id) +
                                                  " have the same context hash (the help viewer "
                                                  "ignores letter case); rename one");
            }
        }
    }

    HelpDocument document_;
    std::optional<PendingBlock> pending_;
    std::string book_;
    std::map<std::string, int> directiveLines_;
    std::map<std::string, int> topicLines_;
    std::vector<JumpReference> jumps_;
};

} // namespace

HelpDocument ParseHelpSource(const std::string& source) {
    return SourceParser().Parse(source);
}

} // namespace helpc
