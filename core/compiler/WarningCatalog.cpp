// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/compiler/WarningCatalog.h"

#include <algorithm>
#include <array>

namespace orvane::compiler {

namespace {

constexpr std::array kWarnings{
    WarningEntry{WarningKind::NegativeComparison, "RASM1", "porównanie z wartością ujemną",
                 "Bieg na PC porównuje liczby ze znakiem, program w sterowniku słowa 16-bitowe bez "
                 "znaku: wartość ujemna jest tam dużą liczbą (-1 to 65535). Ostrzeżenie pada przy "
                 "porównaniu ze stałą ujemną i ze zmienną, której skrypt gdziekolwiek przypisuje "
                 "stałą ujemną.",
                 "x = 5; if (x > -1) y = 1;", "y = 1 (5 > -1)", "y pozostaje 0 (5 > 65535 to fałsz)",
                 "Porównuj wartości z zakresu 0…65535: zamiast `x > -1` napisz `x >= 0`, zamiast "
                 "`x < y` przy ujemnym y przesuń obie strony o stałą (`x + 10 < y + 10`)."},
    WarningEntry{WarningKind::ConstantOutOfRange, "RASM2", "stała poza zakresem 0…65535",
                 "Program w sterowniku zna tylko liczby całkowite 0…65535: większa stała traci "
                 "starsze bity, a ułamek jest odcinany. Bieg na PC liczy ją taką, jaka jest.",
                 "x = 70000;", "x = 70000", "x = 4464 (70000 − 65536)",
                 "Używaj liczb całkowitych 0…65535; ułamek zastąp mnożeniem i dzieleniem na końcu "
                 "(`x * 5 / 2` zamiast `x * 2.5`)."},
    WarningEntry{WarningKind::DivisionByZero, "RASM3", "dzielenie przez stałą 0",
                 "Dzielenie przez zero nie ma wyniku; każdy silnik daje coś innego: bieg na PC "
                 "największą liczbę 9.99e+99, program w sterowniku słowo 65535.",
                 "x = 5 / 0;", "x = 9.99e+99", "x = 65535",
                 "Sprawdź dzielnik; jeżeli potrzebna jest największa wartość, przypisz ją wprost "
                 "(`x = 65535;`)."},
    WarningEntry{WarningKind::WideResult, "RASM4", "wartość wyrażenia stałego poza 16 bitami",
                 "Wyrażenie złożone z samych stałych ma wartość, której słowo 16-bitowe nie "
                 "mieści: większą niż 65535 albo z ułamkiem. Program w sterowniku zachowuje z niej "
                 "młodsze 16 bitów części całkowitej, bieg na PC całą.",
                 "x = 300 * 300;", "x = 90000", "x = 24464 (90000 − 65536)",
                 "Zmniejsz stałe tak, by wynik mieścił się w 0…65535, albo dziel bez reszty."},
};

}  // namespace

std::span<const WarningEntry> WarningCatalog::All() { return kWarnings; }

const WarningEntry& WarningCatalog::Of(WarningKind kind) {
    return *std::find_if(kWarnings.begin(), kWarnings.end(), [kind](const WarningEntry& e) { return e.kind == kind; });
}

const WarningEntry* WarningCatalog::Find(std::string_view code) {
    const auto it = std::find_if(kWarnings.begin(), kWarnings.end(), [code](const WarningEntry& e) { return code == e.code; });
    return it == kWarnings.end() ? nullptr : &*it;
}

}  // namespace orvane::compiler
