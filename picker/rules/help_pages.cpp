#include "rules/help_pages.h"

namespace picker {
namespace {

constexpr std::string_view kSignature = "Prismel help pages 1";

// Reads the file form line by line; any fault leaves it failed.
class CPagesReader {
public:
    explicit CPagesReader(std::string_view bytes) : rest(bytes) {}

    bool Failed() const { return failed; }
    bool AtEnd() const { return rest.empty(); }

    std::string_view Line() {
        const std::size_t end = rest.find('\n');
        if (failed || end == std::string_view::npos) {
            failed = true;
            return {};
        }
        const std::string_view line = rest.substr(0, end);
        rest.remove_prefix(end + 1);
        return line;
    }
    // The rest of a line that starts with `word` and a space.
    std::optional<std::string_view> Field(std::string_view line, std::string_view word) {
        if (line.size() <= word.size() || line.substr(0, word.size()) != word ||
            line[word.size()] != ' ') {
            return std::nullopt;
        }
        return line.substr(word.size() + 1);
    }
    std::string_view Bytes(std::size_t count) {
        if (failed || count > rest.size()) {
            failed = true;
            return {};
        }
        const std::string_view bytes = rest.substr(0, count);
        rest.remove_prefix(count);
        return bytes;
    }
    void Fail() { failed = true; }

private:
    std::string_view rest;
    bool failed = false;
};

// Decimal digits only, without overflow.
std::optional<std::size_t> Number(std::string_view text) {
    if (text.empty() || text.size() > 9) {
        return std::nullopt;
    }
    std::size_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + static_cast<std::size_t>(c - '0');
    }
    return value;
}

std::optional<HelpJump> Jump(std::string_view fields) {
    HelpJump jump;
    std::size_t* const parts[] = {&jump.start, &jump.length, &jump.target};
    for (std::size_t i = 0; i < 3; ++i) {
        const std::size_t space = i < 2 ? fields.find(' ') : fields.size();
        if (space == std::string_view::npos) {
            return std::nullopt;
        }
        const auto number = Number(fields.substr(0, space));
        if (!number) {
            return std::nullopt;
        }
        *parts[i] = *number;
        fields.remove_prefix(i < 2 ? space + 1 : space);
    }
    return jump;
}

} // namespace

std::optional<HelpPages> ReadHelpPages(std::string_view bytes) {
    CPagesReader reader(bytes);
    HelpPages help;
    if (reader.Line() != kSignature) {
        return std::nullopt;
    }
    const auto title = reader.Field(reader.Line(), "title");
    if (!title) {
        return std::nullopt;
    }
    help.title = *title;
    for (std::string_view line = reader.Line(); !reader.Failed() && line != "end";) {
        const auto id = reader.Field(line, "page");
        if (!id) {
            return std::nullopt;
        }
        HelpPage page;
        page.id = *id;
        for (line = reader.Line(); const auto fields = reader.Field(line, "link");
             line = reader.Line()) {
            const auto jump = Jump(*fields);
            if (!jump || jump->length == 0 ||
                (!page.jumps.empty() &&
                 jump->start < page.jumps.back().start + page.jumps.back().length)) {
                return std::nullopt;
            }
            page.jumps.push_back(*jump);
        }
        const auto rtfSize = reader.Field(line, "rtf");
        const auto size = rtfSize ? Number(*rtfSize) : std::nullopt;
        if (!size) {
            return std::nullopt;
        }
        page.rtf = reader.Bytes(*size);
        if (reader.Bytes(1) != "\n") {
            return std::nullopt;
        }
        help.pages.push_back(std::move(page));
        line = reader.Line();
    }
    if (reader.Failed() || !reader.AtEnd() || help.pages.empty()) {
        return std::nullopt;
    }
    for (const HelpPage& page : help.pages) {
        for (const HelpJump& jump : page.jumps) {
            if (jump.target >= help.pages.size()) {
                return std::nullopt;
            }
        }
    }
    return help;
}

const HelpJump* JumpAt(const HelpPage& page, std::size_t position) {
    for (const HelpJump& jump : page.jumps) {
        if (position >= jump.start && position < jump.start + jump.length) {
            return &jump;
        }
    }
    return nullptr;
}

const HelpJump* NextJump(const HelpPage& page, std::size_t selectionStart, std::size_t selectionEnd,
                         bool forward) {
    if (forward) {
        for (const HelpJump& jump : page.jumps) {
            if (jump.start >= selectionEnd) {
                return &jump;
            }
        }
        return nullptr;
    }
    for (auto jump = page.jumps.rbegin(); jump != page.jumps.rend(); ++jump) {
        if (jump->start + jump->length <= selectionStart) {
            return &*jump;
        }
    }
    return nullptr;
}

} // namespace picker
