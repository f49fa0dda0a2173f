// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/TerminalPrompts.h"

#include <cctype>
#include <unistd.h>

#include "core/host/Cp1250.h"

namespace orvane::cli {

host::Answer TerminalPrompts::Ask(const std::string& caption, const std::string& text,
                                  host::Buttons buttons, host::Icon) {
    ++shown_;
    std::fprintf(out_, "%s: %s\n", host::Cp1250ToUtf8(caption).c_str(),
                 host::Cp1250ToUtf8(text).c_str());
    if (buttons != host::Buttons::YesNo) {
        std::fflush(out_);
        return host::Answer::Ok;
    }
    bool yes = false;
    if (preset_) {
        yes = *preset_;
        std::fprintf(out_, "%s\n", yes ? "[tak]" : "[nie]");
    } else {
        yes = AskTerminal();
    }
    std::fflush(out_);
    return yes ? host::Answer::Yes : host::Answer::No;
}

bool TerminalPrompts::AskTerminal() {
    if (!in_ || !::isatty(::fileno(in_))) {
        std::fprintf(out_, "[nie: brak terminala; użyj --yes albo --no]\n");
        return false;
    }
    for (;;) {
        std::fprintf(out_, "[t/n] ");
        std::fflush(out_);
        int c = std::fgetc(in_);
        while (c == ' ' || c == '\t') c = std::fgetc(in_);
        const int answer = c;
        while (c != '\n' && c != EOF) c = std::fgetc(in_);
        if (answer == EOF) return false;
        const int lower = std::tolower(answer);
        if (lower == 't' || lower == 'y') return true;
        if (lower == 'n') return false;
    }
}

}  // namespace orvane::cli
