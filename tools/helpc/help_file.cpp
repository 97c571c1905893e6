#include "help_file.h"

#include "btree_writer.h"
#include "container.h"
#include "context_hash.h"
#include "font_table.h"
#include "system_file.h"
#include "topic_file.h"
#include "windows1252.h"

#include <algorithm>
#include <stdexcept>

namespace helpc {
namespace {

const BTreeFormat kContextFormat{0x0002, 0x0800, "L4"};
const BTreeFormat kTitleFormat{0x0002, 0x0800, "Lz"};

ParagraphFormat FormatOf(BlockKind kind) {
    ParagraphFormat format;
    switch (kind) {
    case BlockKind::Heading:
        format.spaceAbove = 12;
        format.spaceBelow = 6;
        format.keepWithNext = true;
        break;
    case BlockKind::Bullet:
        format.spaceBelow = 4;
        format.leftIndent = 36;
        format.firstLineIndent = -24;
        format.bullet = true;
        break;
    case BlockKind::Paragraph:
        format.spaceBelow = 6;
        break;
    }
    return format;
}

TextRecord EncodeBlock(const Block& block) {
    std::vector<Span> spans;
    for (const Run& run : block.runs) {
        Span span;
        span.text = ToWindows1252(run.text);
        span.font = block.kind == BlockKind::Heading ? kHeadingFont
                    : run.bold                       ? kBoldFont
                                                     : kBodyFont;
        if (!run.jumpTarget.empty()) {
            span.jumpHash = ContextHash(run.jumpTarget);
        }
        spans.push_back(span);
    }
    std::size_t size = 0;
    TextRecord record;
    try {
        record = EncodeParagraph(FormatOf(block.kind), spans);
        size = kLinkHeaderSize + record.data1.size() + record.data2.size();
    } catch (const std::out_of_range&) {
        size = kBlockCapacity + 1; // longer than any count the record can hold
    }
    if (size > kBlockCapacity) {
        throw CSourceError(block.line, "this paragraph is too long for the help file (at most " +
                                           std::to_string(kBlockCapacity) +
                                           " bytes): split it into shorter ones");
    }
    return record;
}

TopicContent EncodeTopic(const Topic& topic) {
    TopicContent content;
    content.title = ToWindows1252(topic.title);
    // The viewer shows no title of its own: the topic opens with it as a heading.
    ParagraphFormat titleFormat;
    titleFormat.spaceBelow = 12;
    titleFormat.keepWithNext = true;
    content.records.push_back(EncodeParagraph(titleFormat, {{content.title, kTitleFont, {}}}));
    for (const Block& block : topic.blocks) {
        content.records.push_back(EncodeBlock(block));
    }
    return content;
}

Bytes U32Bytes(std::uint32_t value) {
    CByteWriter out;
    out.U32(value);
    return out.Take();
}

} // namespace

Bytes CompileHelpFile(const HelpDocument& document, std::uint32_t generationDate) {
    std::vector<TopicContent> contents;
    for (const Topic& topic : document.topics) {
        contents.push_back(EncodeTopic(topic));
    }
    const TopicFile topics = WriteTopicFile(contents);

    // Sorted as signed numbers: the viewer compares hashes that way.
    std::vector<std::pair<std::int32_t, std::uint32_t>> hashes;
    std::vector<BTreeEntry> titles;
    for (std::size_t i = 0; i < document.topics.size(); ++i) {
        hashes.emplace_back(ContextHash(document.topics[i].id), topics.topicOffsets[i]);
        Bytes title(contents[i].title.begin(), contents[i].title.end());
        title.push_back(0);
        titles.push_back({U32Bytes(topics.topicOffsets[i]), title});
    }
    std::sort(hashes.begin(), hashes.end());
    std::vector<BTreeEntry> context;
    for (const auto& [hash, offset] : hashes) {
        context.push_back({U32Bytes(static_cast<std::uint32_t>(hash)), U32Bytes(offset)});
    }

    SystemInfo system;
    system.title = ToWindows1252(document.title);
    system.copyright = ToWindows1252(document.copyright);
    system.contentsOffset = topics.topicOffsets[document.ContentsIndex()];
    system.generationDate = generationDate;

    return WriteContainer({
        {"|SYSTEM", WriteSystemFile(system)},
        {"|FONT", WriteFontTable()},
        {"|TOPIC", topics.data},
        {"|CONTEXT", WriteBTree(kContextFormat, context)},
        {"|TTLBTREE", WriteBTree(kTitleFormat, titles)},
    });
}

} // namespace helpc
