// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/SimOptions.h"

#include <charconv>

#include "core/device/BaudRates.h"

namespace orvane::sim {

namespace {

// A byte written in decimal or as 0x hexadecimal.
bool ParseByte(std::string_view text, std::uint8_t& byte) {
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        text.remove_prefix(2);
        base = 16;
    }
    unsigned value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value, base);
    if (text.empty() || ec != std::errc() || ptr != end || value > 255) return false;
    byte = static_cast<std::uint8_t>(value);
    return true;
}

bool ParseBaud(std::string_view text, int& baud) {
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, baud);
    if (ec != std::errc() || ptr != end) return false;
    for (const auto& entry : device::BaudRates::All()) {
        if (entry.rate == baud) return true;
    }
    return false;
}

bool ParseParams(std::string_view text, SimOptions& options) {
    const auto comma = text.find(',');
    return comma != std::string_view::npos && ParseByte(text.substr(0, comma), options.p1) &&
           ParseByte(text.substr(comma + 1), options.p2);
}

// Applies one option that takes a value; false with the reason.
bool Apply(const std::string& name, const std::string& value, SimOptions& o, std::string& error) {
    if (name == "--commands") o.commandsPath = value;
    else if (name == "--flash") o.flashPath = value;
    else if (name == "--log") o.logPath = value;
    else if (name == "--link") o.linkPath = value;
    else if (name == "--fault") return o.faults.Add(value, error);
    else if (name == "--baud") {
        if (!ParseBaud(value, o.baud)) {
            error = "zła prędkość \"" + value +
                    "\" (dozwolone 4800, 9600, 14400, 19200, 28800, 38400, 57600, 115200, 230400)";
            return false;
        }
    } else if (name == "--version") {
        if (value.size() != 2) {
            error = "wersja to dokładnie dwa znaki, np. 31 (pokazywane jako 1.3)";
            return false;
        }
        o.version = value;
    } else if (name == "--params") {
        if (!ParseParams(value, o)) {
            error = "złe parametry \"" + value + "\" (oczekiwane P1,P2, bajty 0..255 lub 0x00..0xFF)";
            return false;
        }
    } else {
        error = "nieznana opcja: " + name;
        return false;
    }
    return true;
}

}  // namespace

bool SimOptions::Parse(const std::vector<std::string>& args, SimOptions& options,
                       std::string& error) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "-h" || arg == "--help") {
            options.help = true;
            continue;
        }
        std::string name = arg;
        std::string value;
        if (const auto eq = arg.find('='); arg.rfind("--", 0) == 0 && eq != std::string::npos) {
            name = arg.substr(0, eq);
            value = arg.substr(eq + 1);
        } else if (arg.rfind("--", 0) == 0 && i + 1 < args.size()) {
            value = args[++i];
        } else {
            error = arg.rfind("--", 0) == 0 ? "brak wartości opcji " + arg
                                             : "nieoczekiwany argument: " + arg;
            return false;
        }
        if (!Apply(name, value, options, error)) return false;
    }
    return true;
}

std::string SimOptions::Usage() {
    return std::string(
               "Użycie: orvane-sim [--commands PLIK] [--baud N] [--flash PLIK.hex] [--log PLIK]\n"
               "                   [--link ŚCIEŻKA] [--version XY] [--params P1,P2] [--fault BŁĄD]...\n"
               "\n"
               "Wirtualny sterownik ORVANE na pseudoterminalu. Pierwszy wiersz wyjścia to ścieżka\n"
               "urządzenia, którą należy wskazać jako port COM. Praca trwa do SIGINT/SIGTERM;\n"
               "wtedy obraz pamięci flash zostaje zapisany do pliku --flash.\n"
               "\n"
               "  --commands PLIK   definicje komend (domyślnie Komendy.ini dostarczany z programem)\n"
               "  --baud N          własna prędkość sterownika (domyślnie 115200); bajty nadane przy\n"
               "                    innej prędkości portu PC są pomijane\n"
               "  --flash PLIK.hex  obraz pamięci: wczytywany na starcie (jeśli istnieje), zapisywany\n"
               "                    na końcu (Intel HEX, wszystkie niepuste dane)\n"
               "  --log PLIK        dziennik ruchu (opis niżej)\n"
               "  --link ŚCIEŻKA    dowiązanie symboliczne do urządzenia (stare dowiązanie zastępuje)\n"
               "  --version XY      dwa znaki odpowiedzi na żądanie wersji (domyślnie 31 = wersja 1.3)\n"
               "  --params P1,P2    parametry urządzenia (domyślnie 0xFF,0x00); P1 = 0x00 uruchamia\n"
               "                    program użytkownika (tryb Program), inaczej P2 = 0xFF tryb Komendy\n"
               "  --fault BŁĄD      wywołany błąd (można powtarzać):\n") +
           FaultPlan::Help() +
           "\n"
           "Dziennik ruchu: jeden wiersz na bajt, zapisywany od razu:\n"
           "  SEKUNDY KIERUNEK BAJT [UWAGA]\n"
           "SEKUNDY od startu z mikrosekundami, KIERUNEK RX (od PC) lub TX (do PC), BAJT dwie cyfry\n"
           "szesnastkowe, np. \"12.345678 RX 00\" i \"12.345702 TX FF\". UWAGA:\n"
           "  ignored (PC 19200, sterownik 115200)  bajt odebrany przy innej prędkości, pominięty\n"
           "  dropped (fault)                       odpowiedź zgubiona przez wywołany błąd\n"
           "  dropped (line full)                   odpowiedź, której nikt nie odbierał przez 1 s\n"
           "  corrupted (was 5A)                    odpowiedź zmieniona przez wywołany błąd\n"
           "Wiersze \"SEKUNDY -- tekst\" opisują zdarzenia (zmiana trybu, prędkości, porzucona ramka).\n";
}

}  // namespace orvane::sim
