// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/help/Reference.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <set>

#include "core/compiler/WarningCatalog.h"
#include "core/help/BoxCatalog.h"
#include "core/help/HelpMarkup.h"
#include "core/host/Cp1250.h"

namespace orvane::help {

namespace {

std::string Lower(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

bool EqualsNoCase(std::string_view a, std::string_view b) { return a.size() == b.size() && Lower(a) == Lower(b); }

// Table cells and inline code must not break the markup around them.
std::string Cell(std::string text) {
    std::replace(text.begin(), text.end(), '|', '/');
    std::replace(text.begin(), text.end(), '`', '\'');
    std::replace(text.begin(), text.end(), '\n', ' ');
    return text;
}

std::string Utf8(const std::string& cp1250) { return Cell(host::Cp1250ToUtf8(cp1250)); }

std::string Scaling(std::int32_t multiplier, std::int32_t divisor, std::int32_t constant, bool argument) {
    const std::string m = std::to_string(multiplier), d = std::to_string(divisor), c = std::to_string(constant);
    return argument ? "wartość × " + m + " / " + d + " + " + c : "(wartość z łącza − " + c + ") × " + m + " / " + d;
}

std::string CommandBody(const commands::CommandDef& def) {
    const std::string name = Utf8(def.name);
    std::string body = (def.description.empty() ? std::string("Komenda bez opisu.") : Utf8(def.description)) + "\n\n";
    char id[32];
    std::snprintf(id, sizeof id, "0x%02X", def.identifier);
    body += "| Pole | Wartość |\n| ID | " + std::string(id) +
            (def.identifier >= 0x21 && def.identifier < 0x7F ? " („" + std::string(1, static_cast<char>(def.identifier)) + "”)" : "") +
            " |\n| Nazwa ASM | " + (def.asmName.empty() ? "—" : Utf8(def.asmName)) + " |\n";
    body += def.resultSize > 0
                ? "| Wynik | " + std::to_string(def.resultSize) + " B, " +
                      Scaling(def.resultMultiplier, def.resultDivisor, def.resultConstant, false) + " |\n"
                : "| Wynik | brak |\n";
    std::string call = name + "(";
    if (def.argumentCount > 0) {
        body += "\n## Argumenty\n| Nr | Opis | Bajty | Na łączu |\n";
        for (int i = 0; i < std::min(def.argumentCount, commands::CommandDef::kMaxArguments); ++i) {
            const commands::CommandArg& arg = def.arguments[static_cast<std::size_t>(i)];
            body += "| " + std::to_string(i + 1) + " | " + (arg.description.empty() ? "—" : Utf8(arg.description)) +
                    " | " + std::to_string(arg.size) + " | " + Scaling(arg.multiplier, arg.divisor, arg.constant, true) +
                    " |\n";
            call += (i ? ", " : "") + std::string("a") + std::to_string(i + 1);
        }
    }
    call += ");";
    body += "\n## Wywołanie\n> " + call + "\n";
    if (def.resultSize > 0) body += "> x = " + call + "\n";
    body += "\nOpis pochodzi z pliku komend w użyciu; zmienia się go w „Opcje ▸ Komendy”. Zobacz "
            "[[wywolania|komendy w skrypcie]].\n";
    return body;
}

// A word followed by ":" (blanks allowed between) anywhere in the script.
bool IsLabelOf(std::string_view word, std::string_view script) {
    for (auto at = script.find(word); at != std::string_view::npos; at = script.find(word, at + 1)) {
        const bool startsWord = at == 0 || !(std::isalnum(static_cast<unsigned char>(script[at - 1])) || script[at - 1] == '_');
        auto after = at + word.size();
        while (after < script.size() && (script[after] == ' ' || script[after] == '\t')) ++after;
        if (startsWord && after < script.size() && script[after] == ':') return true;
    }
    return false;
}

// The word stands among the names of a "Var:" declaration.
bool IsDeclaredIn(std::string_view word, std::string_view script) {
    for (auto at = script.find("Var"); at != std::string_view::npos; at = script.find("Var", at + 1)) {
        const auto colon = script.find_first_not_of(" \t", at + 3);
        if (colon == std::string_view::npos || script[colon] != ':') continue;
        const auto end = script.find(';', colon);
        std::string_view names = script.substr(colon + 1, end == std::string_view::npos ? end : end - colon - 1);
        while (!names.empty()) {
            const auto comma = names.find(',');
            std::string_view name = names.substr(0, comma);
            const auto first = name.find_first_not_of(" \t\r\n");
            const auto last = name.find_last_not_of(" \t\r\n");
            if (first != std::string_view::npos && name.substr(first, last - first + 1) == word) return true;
            if (comma == std::string_view::npos) break;
            names.remove_prefix(comma + 1);
        }
    }
    return false;
}

}  // namespace

Reference::Reference(std::string_view source, const commands::CommandTable& commands,
                     std::vector<ShortcutRow> shortcuts)
    : topics_(HelpMarkup::ParseTopics(source)) {
    AddCommands(commands);
    AddBoxes();
    AddWarnings();
    AddShortcuts(shortcuts);
    AddContents();
}

std::string Reference::SourcePath(const std::string& dataFolder) { return dataFolder + "help/Pomoc.txt"; }

std::string Reference::ShortcutsPath(const std::string& dataFolder) {
    return dataFolder + "../doc/orvane/skroty.txt";
}

std::vector<ShortcutRow> Reference::ParseShortcuts(std::string_view text) {
    std::vector<ShortcutRow> rows;
    while (!text.empty()) {
        const auto end = std::min(text.find('\n'), text.size());
        const std::string_view line = text.substr(0, end);
        const auto tab1 = line.find('\t');
        const auto tab2 = tab1 == std::string_view::npos ? tab1 : line.find('\t', tab1 + 1);
        if (tab2 != std::string_view::npos)
            rows.push_back({std::string(line.substr(0, tab1)), std::string(line.substr(tab1 + 1, tab2 - tab1 - 1)),
                            std::string(line.substr(tab2 + 1))});
        text.remove_prefix(std::min(end + 1, text.size()));
    }
    return rows;
}

std::string Reference::FormatShortcuts(const std::vector<ShortcutRow>& rows) {
    std::string text;
    for (const ShortcutRow& row : rows) text += row.keys + "\t" + row.command + "\t" + row.description + "\n";
    return text;
}

std::string Reference::CommandTopicId(std::string_view commandName) {
    // Names are free text in the command file: what is not safe in a file name is spelt as
    // "_XX", so two names never share a page.
    std::string id = "komenda-";
    for (const char c : host::Cp1250ToUtf8(std::string(commandName))) {
        const auto byte = static_cast<unsigned char>(c);
        if (std::isalnum(byte) || c == '-') {
            id += c;
        } else {
            char hex[4];
            std::snprintf(hex, sizeof hex, "_%02X", byte);
            id += hex;
        }
    }
    return id;
}

std::string Reference::BoxTopicId(std::string_view code) { return "komunikat-" + std::string(code); }

void Reference::AddCommands(const commands::CommandTable& commands) {
    HelpTopic list{kCommands, "Komendy urządzenia", {"komendy", "Komendy.ini"}, {}};
    list.body = "Komendy sterownika nie są wbudowane w język: opisuje je plik komend `Komendy.ini` w "
                "użyciu (tu spisany w chwili otwarcia pomocy). Każda komenda ma swój identyfikator, "
                "argumenty o podanej liczbie bajtów i skalowanie między wartością skryptu a wartością "
                "na łączu.\n\n";
    if (commands.Empty()) list.body += "Nie wczytano żadnej komendy: wskaż plik w „Opcje ▸ Ustawienia”.\n";
    // Lookup takes the newest of two records with one name; the other is never called. The
    // pages follow the file's order.
    std::set<std::string> seen;
    std::vector<const commands::CommandDef*> called;
    for (const commands::CommandDef& def : commands.NewestFirst()) {
        if (seen.insert(def.name).second) called.insert(called.begin(), &def);
    }
    std::vector<HelpTopic> each;
    list.body += "| Komenda | Opis |\n";
    for (const commands::CommandDef* record : called) {
        const commands::CommandDef& def = *record;
        const std::string id = CommandTopicId(def.name);
        list.body += "| [[" + id + "|" + Utf8(def.name) + "]] | " + Utf8(def.description) + " |\n";
        each.push_back({id, Utf8(def.name), {host::Cp1250ToUtf8(def.name)}, CommandBody(def)});
    }
    topics_.push_back(std::move(list));
    topics_.insert(topics_.end(), each.begin(), each.end());
}

void Reference::AddBoxes() {
    HelpTopic list{kBoxes, "Komunikaty", {"komunikaty", "błędy"}, {}};
    list.body = "Każda skrzynka z kodem w nawiasie, po kodzie. W skrzynce z kodem przycisk Pomoc albo F1 "
                "otwiera jej opis.\n\n| Kod | Tytuł | Co się stało |\n";
    std::vector<HelpTopic> each;
    for (const BoxEntry& box : BoxCatalog::All()) {
        const std::string id = BoxTopicId(box.code);
        list.body += "| [[" + id + "|" + box.code + "]] | " + Cell(box.caption) + " | " + Cell(box.happened) + " |\n";
        std::string shown;
        for (std::string_view text = box.text; !text.empty();) {
            const auto end = text.find('\n');
            shown += "> " + std::string(text.substr(0, end)) + "\n";
            text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        }
        each.push_back({id, std::string(box.code) + ": " + box.caption, {box.code},
                        "> " + std::string(box.caption) + "\n>\n" + shown + "\n## Co się stało\n" + box.happened +
                            "\n\n## Zwykłe przyczyny\n" + box.causes + "\n\n## Co zrobić\n" + box.remedy + "\n"});
    }
    topics_.push_back(std::move(list));
    topics_.insert(topics_.end(), each.begin(), each.end());
}

std::string Reference::WarningTopicId(std::string_view code) { return "ostrzezenie-" + std::string(code); }

void Reference::AddWarnings() {
    HelpTopic list{kWarnings, "Ostrzeżenia kompilacji", {"ostrzeżenia", "ostrzeżenie"}, {}};
    list.body = "Kompilacja ostrzega, nie przerywając pracy, przy każdej instrukcji, której wynik zależy od "
                "tego, czy skrypt biegnie na PC, czy jako program w sterowniku. Raport kompilacji pokazuje "
                "ostrzeżenia pod raportem asemblera (dwuklik pokazuje instrukcję), a edytor zaznacza ich "
                "wiersze na marginesie, aż wiersz zostanie zmieniony. Program i tak zostaje zapisany; "
                "wszystkie różnice są w tabeli [[roznice|różnic]].\n\n| Kod | Ostrzeżenie |\n";
    std::vector<HelpTopic> each;
    for (const compiler::WarningEntry& w : compiler::WarningCatalog::All()) {
        const std::string id = WarningTopicId(w.code);
        list.body += "| [[" + id + "|" + w.code + "]] | " + w.title + " |\n";
        each.push_back({id, std::string(w.code) + ": " + w.title, {w.code},
                        "> Ostrzeżenie (" + std::string(w.code) + ") w wierszu ‹n›: \"‹instrukcja›\": " + w.title +
                            "\n\n## Dlaczego\n" + w.meaning + "\n\n## Przykład\n> " + w.example +
                            "\n\n| Bieg na PC | Program w sterowniku |\n| " + Cell(w.onPc) + " | " + Cell(w.onChip) +
                            " |\n\n## Co zrobić\n" + w.remedy + "\n\nZobacz [[roznice|wszystkie różnice]] i [[" +
                            kWarnings + "|ostrzeżenia kompilacji]].\n"});
    }
    topics_.push_back(std::move(list));
    topics_.insert(topics_.end(), each.begin(), each.end());
}

void Reference::AddShortcuts(const std::vector<ShortcutRow>& rows) {
    HelpTopic topic{kShortcuts, "Skróty klawiszowe", {"skróty", "klawisze", "F1"}, {}};
    topic.body = "Klawisze poleceń, jak w menu. F1 w edytorze otwiera opis słowa pod kursorem, Shift+F1 "
                 "i kliknięcie na przycisku paska lub pozycji menu pokazuje opis polecenia.\n\n"
                 "| Klawisze | Polecenie | Co robi |\n";
    for (const ShortcutRow& row : rows)
        topic.body += "| " + Cell(row.keys) + " | " + Cell(row.command) + " | " + Cell(row.description) + " |\n";
    topics_.push_back(std::move(topic));
}

void Reference::AddContents() {
    HelpTopic contents{kContents, "Pomoc ORVANE", {"spis treści"}, {}};
    contents.body = "## Spis treści\n";
    for (const HelpTopic& topic : topics_) {
        const bool generated = topic.id.starts_with("komenda-") || topic.id.starts_with("komunikat-") ||
                               topic.id.starts_with("ostrzezenie-");
        if (!generated) contents.body += "- [[" + topic.id + "|" + topic.title + "]]\n";
    }
    topics_.insert(topics_.begin(), std::move(contents));
}

const HelpTopic* Reference::Find(std::string_view id) const {
    for (const HelpTopic& topic : topics_) {
        if (topic.id == id) return &topic;
    }
    return nullptr;
}

const HelpTopic* Reference::Lookup(std::string_view word) const {
    if (word.empty()) return nullptr;
    if (const HelpTopic* topic = Find(word)) return topic;
    if (BoxCatalog::Find(word)) return Find(BoxTopicId(word));
    for (const bool exact : {true, false}) {
        for (const HelpTopic& topic : topics_) {
            for (const std::string& key : topic.keys) {
                if (exact ? key == word : EqualsNoCase(key, word)) return &topic;
            }
        }
    }
    return nullptr;
}

const HelpTopic* Reference::ForScriptWord(std::string_view word, std::string_view scriptText) const {
    if (const HelpTopic* topic = Lookup(word)) return topic;
    if (word.empty()) return nullptr;
    if (IsLabelOf(word, scriptText)) return Lookup("etykieta");
    if (IsDeclaredIn(word, scriptText)) return Lookup("zmienna");
    return nullptr;
}

std::vector<std::pair<std::string, std::string>> Reference::Index() const {
    std::vector<std::pair<std::string, std::string>> index;
    for (const HelpTopic& topic : topics_) {
        for (const std::string& key : topic.keys) index.emplace_back(key, topic.id);
    }
    std::stable_sort(index.begin(), index.end(),
                     [](const auto& a, const auto& b) { return Lower(a.first) < Lower(b.first); });
    return index;
}

std::vector<const HelpTopic*> Reference::Search(std::string_view query) const {
    std::vector<std::string> words;
    for (std::size_t at = 0; at < query.size();) {
        const auto end = std::min(query.find(' ', at), query.size());
        if (end > at) words.push_back(Lower(query.substr(at, end - at)));
        at = end + 1;
    }
    std::vector<const HelpTopic*> found;
    if (words.empty()) return found;
    for (const HelpTopic& topic : topics_) {
        const std::string text = Lower(topic.title + "\n" + topic.body);
        if (std::all_of(words.begin(), words.end(), [&](const std::string& w) { return text.find(w) != std::string::npos; }))
            found.push_back(&topic);
    }
    return found;
}

std::string Reference::PageHtml(const HelpTopic& topic) const {
    const std::string title = HelpMarkup::EscapeHtml(topic.title);
    return "<!DOCTYPE html>\n<html lang=\"pl\"><head><meta charset=\"utf-8\"><title>" + title +
           "</title></head>\n<body>\n<h1>" + title + "</h1>\n" + HelpMarkup::ToHtml(topic.body) +
           (topic.id == kContents ? "" : "<hr><p><a href=\"index.html\">Spis treści</a></p>\n") + "</body></html>\n";
}

std::string Reference::PageText(const HelpTopic& topic) const {
    return topic.title + "\n\n" + HelpMarkup::ToText(topic.body);
}

}  // namespace orvane::help
