// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/help/HelpMarkup.h"

#include <algorithm>
#include <functional>

namespace orvane::help {

namespace {

enum class Kind { None, Paragraph, List, Code, Table };

std::string_view Trim(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

std::vector<std::string> Split(std::string_view text, char separator) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (true) {
        const auto end = text.find(separator, start);
        parts.emplace_back(Trim(text.substr(start, end - start)));
        if (end == std::string_view::npos) return parts;
        start = end + 1;
    }
}

std::vector<std::string_view> Lines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start <= text.size()) {
        const auto end = std::min(text.find('\n', start), text.size());
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

std::vector<std::string> TableCells(std::string_view line) {
    std::string_view inner = Trim(line);
    inner.remove_prefix(1);
    if (!inner.empty() && inner.back() == '|') inner.remove_suffix(1);
    // A link's "|" between its target and its text divides no cells.
    std::vector<std::string> cells(1);
    bool inLink = false;
    for (std::size_t i = 0; i < inner.size(); ++i) {
        if (inner.substr(i, 2) == "[[") inLink = true;
        if (inner.substr(i, 2) == "]]") inLink = false;
        if (inner[i] == '|' && !inLink) cells.emplace_back();
        else cells.back().push_back(inner[i]);
    }
    for (std::string& cell : cells) cell = std::string(Trim(cell));
    return cells;
}

Kind KindOf(std::string_view line) {
    if (line.starts_with("> ") || line == ">") return Kind::Code;
    if (line.starts_with("- ")) return Kind::List;
    if (line.starts_with("|")) return Kind::Table;
    return Trim(line).empty() ? Kind::None : Kind::Paragraph;
}

// Walks the body block by block: each run of lines of one kind, headings alone.
void ForEachBlock(std::string_view body,
                  const std::function<void(Kind, const std::vector<std::string_view>&)>& block,
                  const std::function<void(std::string_view)>& heading) {
    std::vector<std::string_view> run;
    Kind kind = Kind::None;
    const auto flush = [&] {
        if (kind != Kind::None && !run.empty()) block(kind, run);
        run.clear();
        kind = Kind::None;
    };
    for (const std::string_view line : Lines(body)) {
        if (line.starts_with("## ")) {
            flush();
            heading(Trim(line.substr(3)));
            continue;
        }
        const Kind lineKind = KindOf(line);
        if (lineKind != kind) flush();
        kind = lineKind;
        if (kind != Kind::None) run.push_back(line);
    }
    flush();
}

// `code` and [[id|words]] inside a line, with the two renderings' own replacements.
std::string Inline(std::string_view text, const std::function<std::string(std::string_view)>& plain,
                   const std::function<std::string(std::string_view)>& code,
                   const std::function<std::string(std::string_view, std::string_view)>& link) {
    std::string out;
    while (!text.empty()) {
        const auto tick = text.find('`');
        const auto open = text.find("[[");
        const auto next = std::min(tick, open);
        if (next == std::string_view::npos) break;
        out += plain(text.substr(0, next));
        text.remove_prefix(next);
        const bool isCode = next == tick;
        const auto close = isCode ? text.find('`', 1) : text.find("]]");
        if (close == std::string_view::npos) break;
        if (isCode) {
            out += code(text.substr(1, close - 1));
            text.remove_prefix(close + 1);
        } else {
            const std::string_view inside = text.substr(2, close - 2);
            const auto bar = inside.find('|');
            out += bar == std::string_view::npos ? link(inside, inside)
                                                 : link(inside.substr(0, bar), inside.substr(bar + 1));
            text.remove_prefix(close + 2);
        }
    }
    return out + plain(text);
}

std::string HtmlInline(std::string_view text) {
    return Inline(
        text, HelpMarkup::EscapeHtml,
        [](std::string_view c) { return "<code>" + HelpMarkup::EscapeHtml(c) + "</code>"; },
        [](std::string_view id, std::string_view words) {
            return "<a href=\"" + std::string(id) + ".html\">" + HelpMarkup::EscapeHtml(words) + "</a>";
        });
}

std::string TextInline(std::string_view text) {
    return Inline(
        text, [](std::string_view t) { return std::string(t); }, [](std::string_view c) { return std::string(c); },
        [](std::string_view, std::string_view words) { return std::string(words); });
}

std::size_t Width(std::string_view utf8) {
    return static_cast<std::size_t>(std::count_if(utf8.begin(), utf8.end(),
                                                  [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

std::string TextTable(const std::vector<std::string_view>& rows) {
    std::vector<std::vector<std::string>> cells;
    std::vector<std::size_t> widths;
    for (const auto row : rows) {
        cells.emplace_back();
        for (const auto& cell : TableCells(row)) cells.back().push_back(TextInline(cell));
        widths.resize(std::max(widths.size(), cells.back().size()));
        for (std::size_t i = 0; i < cells.back().size(); ++i) widths[i] = std::max(widths[i], Width(cells.back()[i]));
    }
    std::string out;
    std::size_t total = 0;
    for (const auto w : widths) total += w + 2;
    for (std::size_t r = 0; r < cells.size(); ++r) {
        std::string line = "  ";
        for (std::size_t i = 0; i < cells[r].size(); ++i) {
            line += cells[r][i];
            if (i + 1 < cells[r].size()) line += std::string(widths[i] - Width(cells[r][i]) + 2, ' ');
        }
        out += line + "\n";
        if (r == 0 && cells.size() > 1) out += "  " + std::string(total - 2, '-') + "\n";
    }
    return out;
}

}  // namespace

std::string HelpMarkup::EscapeHtml(std::string_view text) {
    std::string out;
    for (const char c : text) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            default: out += c;
        }
    }
    return out;
}

std::vector<HelpTopic> HelpMarkup::ParseTopics(std::string_view source) {
    std::vector<HelpTopic> topics;
    for (const std::string_view line : Lines(source)) {
        if (line.starts_with("@@")) {
            const auto fields = Split(line.substr(2), '|');
            HelpTopic topic{fields[0], fields.size() > 1 ? fields[1] : fields[0], {}, {}};
            if (fields.size() > 2) {
                for (auto& key : Split(fields[2], ','))
                    if (!key.empty()) topic.keys.push_back(std::move(key));
            }
            topics.push_back(std::move(topic));
        } else if (!topics.empty()) {
            topics.back().body.append(line).push_back('\n');
        }
    }
    return topics;
}

std::string HelpMarkup::ToHtml(std::string_view body) {
    std::string out;
    ForEachBlock(
        body,
        [&out](Kind kind, const std::vector<std::string_view>& lines) {
            switch (kind) {
                case Kind::Paragraph: {
                    out += "<p>";
                    for (std::size_t i = 0; i < lines.size(); ++i) out += (i ? " " : "") + HtmlInline(Trim(lines[i]));
                    out += "</p>\n";
                    break;
                }
                case Kind::List:
                    out += "<ul>";
                    for (const auto line : lines) out += "<li>" + HtmlInline(Trim(line.substr(2))) + "</li>";
                    out += "</ul>\n";
                    break;
                case Kind::Code: {
                    out += "<pre>";
                    for (const auto line : lines) out += EscapeHtml(line.substr(std::min<std::size_t>(2, line.size()))) + "\n";
                    out += "</pre>\n";
                    break;
                }
                case Kind::Table: {
                    out += "<table border=\"1\" cellpadding=\"3\" cellspacing=\"0\">\n";
                    for (std::size_t r = 0; r < lines.size(); ++r) {
                        const char* cell = r == 0 ? "th" : "td";
                        out += "<tr>";
                        for (const auto& text : TableCells(lines[r]))
                            out += std::string("<") + cell + ">" + HtmlInline(text) + "</" + cell + ">";
                        out += "</tr>\n";
                    }
                    out += "</table>\n";
                    break;
                }
                case Kind::None: break;
            }
        },
        [&out](std::string_view heading) { out += "<h2>" + HtmlInline(heading) + "</h2>\n"; });
    return out;
}

std::string HelpMarkup::ToText(std::string_view body) {
    std::string out;
    const auto gap = [&out] {
        if (!out.empty() && !out.ends_with("\n\n")) out += "\n";
    };
    ForEachBlock(
        body,
        [&](Kind kind, const std::vector<std::string_view>& lines) {
            gap();
            switch (kind) {
                case Kind::Paragraph: {
                    for (std::size_t i = 0; i < lines.size(); ++i) out += (i ? " " : "") + TextInline(Trim(lines[i]));
                    out += "\n";
                    break;
                }
                case Kind::List:
                    for (const auto line : lines) out += "  * " + TextInline(Trim(line.substr(2))) + "\n";
                    break;
                case Kind::Code:
                    for (const auto line : lines) out += "    " + std::string(line.substr(std::min<std::size_t>(2, line.size()))) + "\n";
                    break;
                case Kind::Table: out += TextTable(lines); break;
                case Kind::None: break;
            }
        },
        [&](std::string_view heading) {
            gap();
            const std::string text = TextInline(heading);
            out += text + "\n" + std::string(Width(text), '-') + "\n";
        });
    return out;
}

}  // namespace orvane::help
