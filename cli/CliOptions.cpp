// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliOptions.h"

#include <cctype>

#include "cli/CliCommand.h"
#include "core/device/BaudRates.h"

namespace orvane::cli {

namespace {

bool IsComName(const std::string& port, int& number) {
    if (port.size() < 4 || (port.compare(0, 3, "COM") != 0 && port.compare(0, 3, "com") != 0)) return false;
    number = 0;
    for (std::size_t i = 3; i < port.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(port[i])) || number > 9999) return false;
        number = number * 10 + (port[i] - '0');
    }
    return true;
}

// The nine speed texts, or a rate that has one of them ("115200" for "115,2k").
std::optional<std::string> BaudText(const std::string& given) {
    for (const auto& e : device::BaudRates::All()) {
        if (e.text == given || std::to_string(e.rate) == given) return std::string(e.text);
    }
    return std::nullopt;
}

}  // namespace

bool CliOptions::Parse(const std::vector<std::string>& args, CliOptions& o, std::string& error) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const auto value = [&](std::string& out) {
            if (i + 1 >= args.size()) {
                error = "brak wartości opcji " + a;
                return false;
            }
            out = args[++i];
            return true;
        };
        std::string v;
        if (a == "--port") {
            if (!value(v)) return false;
            int number = 0;
            if (IsComName(v, number)) {
                if (number < 1) {
                    error = "numer portu COM musi być większy od zera: " + v;
                    return false;
                }
                o.comNumber = number;
            } else {
                o.portPath = v;
            }
        } else if (a == "--baud") {
            if (!value(v)) return false;
            o.baudText = BaudText(v);
            if (!o.baudText) {
                error = "nieznana prędkość " + v + " (4800, 9600, 14,4k, 19,2k, 28,8k, 38,4k, 57,6k, 115,2k, 230,4k)";
                return false;
            }
        } else if (a == "--commands") {
            if (!value(v)) return false;
            o.commandsFile = v;
        } else if (a == "--setting") {
            if (!value(v)) return false;
            const auto eq = v.find('=');
            if (eq == std::string::npos || eq == 0) {
                error = "--setting wymaga postaci KLUCZ=WARTOŚĆ: " + v;
                return false;
            }
            o.settings.emplace_back(v.substr(0, eq), v.substr(eq + 1));
        } else if (a == "--yes" || a == "--no") {
            if (o.answer && *o.answer != (a == "--yes")) {
                error = "--yes i --no wykluczają się";
                return false;
            }
            o.answer = a == "--yes";
        } else if (a == "--verify") {
            o.verify = true;
        } else if (a == "--help" || a == "-h") {
            o.help = true;
        } else if (o.command.empty()) {
            if (CliCommand::IsOption(a)) {
                error = "nieznana opcja " + a;
                return false;
            }
            o.command = a;
        } else {
            o.arguments.push_back(a);
        }
    }
    if (o.command.empty() && !o.help) {
        error = "brak polecenia";
        return false;
    }
    return true;
}

std::string CliOptions::Usage() {
    std::string text =
        "Użycie: orvane-cli [--port COMn|ŚCIEŻKA] [--baud PRĘDKOŚĆ] [--commands PLIK]\n"
        "                   [--setting KLUCZ=WARTOŚĆ]... [--yes|--no] POLECENIE\n\n"
        "Steruje sterownikiem ORVANE z terminala. Ustawienia (sekcja ORVANE) są wspólne\n"
        "z programem okienkowym: $XDG_CONFIG_HOME/ORVANE/ORVANE.ini.\n\n"
        "  --port COMn       port COM n (zamiast ustawienia COM) na czas tego wywołania\n"
        "  --port ŚCIEŻKA    urządzenie szeregowe jako COM1 na czas tego wywołania\n"
        "  --baud PRĘDKOŚĆ   4800, 9600, 14,4k, 19,2k, 28,8k, 38,4k, 57,6k, 115,2k, 230,4k\n"
        "  --commands PLIK   plik definicji komend (Plik komend) na czas tego wywołania\n"
        "  --setting K=W     dowolne ustawienie sekcji ORVANE na czas tego wywołania\n"
        "  --yes, --no       odpowiedź na pytania Tak/Nie (bez nich: pytanie na terminalu)\n"
        "  --verify          po zapisie odczytuje obszar i porównuje go z plikiem\n\n"
        "Polecenia:\n";
    for (const CliCommand* command : CliCommand::All()) {
        text += "  " + std::string(command->usage) + "\n      " + command->summary + "\n";
    }
    text += "\nKod wyjścia: 0 powodzenie, 1 błąd (opisany na standardowym wyjściu błędów),\n"
            "2 błędne wywołanie.\n";
    return text;
}

}  // namespace orvane::cli
