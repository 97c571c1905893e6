#include "html_rendering.h"

namespace helpc {
namespace {

std::string Escaped(const std::string& text) {
    std::string escaped;
    for (char c : text) {
        switch (c) {
        case '&':
            escaped += "&amp;";
            break;
        case '<':
            escaped += "&lt;";
            break;
        case '>':
            escaped += "&gt;";
            break;
        case '"':
            escaped += "&quot;";
            break;
        default:
            escaped += c;
        }
    }
    return escaped;
}

std::string RunsHtml(const std::vector<Run>& runs) {
    std::string html;
    std::string jump;
    for (const Run& run : runs) {
        if (run.jumpTarget != jump) {
            html += jump.empty() ? "" : "</a>";
            html += run.jumpTarget.empty() ? "" : "<a href=\"#" + run.jumpTarget + "\">";
            jump = run.jumpTarget;
        }
        html += run.bold ? "<b>" + Escaped(run.text) + "</b>" : Escaped(run.text);
    }
    return html + (jump.empty() ? "" : "</a>");
}

} // namespace

std::string RenderHtml(const HelpDocument& document) {
    std::string html = "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n";
    html += "<title>" + Escaped(document.title) + "</title>\n";
    html += "<style>body{font-family:Arial,sans-serif;max-width:42em;margin:2em auto;padding:0 "
            "1em}section{border-bottom:1px solid #ccc;padding-bottom:1em}</style>\n";
    html += "</head>\n<body>\n";
    if (!document.copyright.empty()) {
        html += "<p><small>" + Escaped(document.copyright) + "</small></p>\n";
    }
    // The contents topic first, as the viewer opens it first.
    std::vector<std::size_t> order = {document.ContentsIndex()};
    for (std::size_t i = 0; i < document.topics.size(); ++i) {
        if (i != order.front()) {
            order.push_back(i);
        }
    }
    for (std::size_t index : order) {
        const Topic& topic = document.topics[index];
        html += "<section id=\"" + topic.id + "\">\n<h1>" + Escaped(topic.title) + "</h1>\n";
        bool inList = false;
        for (const Block& block : topic.blocks) {
            const bool bullet = block.kind == BlockKind::Bullet;
            if (bullet != inList) {
                html += bullet ? "<ul>\n" : "</ul>\n";
                inList = bullet;
            }
            const std::string tag = bullet ? "li" : block.kind == BlockKind::Heading ? "h2" : "p";
            html += "<" + tag + ">" + RunsHtml(block.runs) + "</" + tag + ">\n";
        }
        html += inList ? "</ul>\n" : "";
        html += "</section>\n";
    }
    return html + "</body>\n</html>\n";
}

} // namespace helpc
