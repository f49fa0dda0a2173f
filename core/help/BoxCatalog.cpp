// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/help/BoxCatalog.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace orvane::help {

namespace {

constexpr const char* kGoOnNo = "Tak pomija instrukcję i praca idzie dalej; Nie kończy pracę skryptu.";
constexpr const char* kNoLink =
    "Port nie jest otwarty, sterownik jest wyłączony albo odłączony, prędkość RS232 programu różni "
    "się od prędkości sterownika.";
constexpr const char* kCheckLink =
    "Sprawdź kabel i zasilanie, w „Opcje ▸ RS232” port i prędkość (przycisk Identyfikuj), potem "
    "„Tryb pracy ▸ Sprawdź stan”.";
constexpr const char* kBootCause =
    "Sterownik nie odpowiada albo system sterownika nie przeszedł do programu ładującego.";
constexpr const char* kBootRemedy =
    "Sprawdź połączenie („Tryb pracy ▸ Sprawdź stan”), przełącz sterownik w tryb BootLoader "
    "ręcznie (Ctrl+1) i powtórz operację.";

constexpr std::array kBoxes{
    BoxEntry{"O1", "BŁĄD (O1)", "Błąd określenia wartości: ‹wyrażenie›",
             "Wartości wyrażenia nie dało się określić: w jego miejscu liczy się -1, a reszta "
             "wyrażenia jest pominięta.",
             "Nazwa, która nie jest zadeklarowaną zmienną ani komendą z nawiasem „)”; literówka w "
             "nazwie zmiennej; zmienna nie zadeklarowana w „Var:”; nawias „(” bez „)”; "
             "zapomniany „;” przed „}”.",
             "Zadeklaruj zmienną (`Var: nazwa;`) albo popraw nazwę lub nawiasy. W jednym "
             "uruchomieniu skrzynka pokazuje się raz."},
    BoxEntry{"O2", "BŁĄD (O2)", "Błąd obliczenia wartości: ‹wyrażenie›",
             "Komenda wywołana w wyrażeniu nie została wykonana, a na pytanie o dalszą pracę "
             "odpowiedziano Nie.",
             "Wcześniejsza skrzynka WP1, WP2 lub WP3 tej samej komendy.",
             "Usuń przyczynę tamtej skrzynki; praca skryptu się kończy."},
    BoxEntry{"WP1", "BŁĄD (WP1)", "Błąd wykonania komendy:  ‹instrukcja›\n\nCzy kontynuować pracę?",
             "Sterownik odebrał ramkę komendy i sumę kontrolną, ale nie potwierdził wykonania "
             "(bajt 1).",
             "Sterownik nie jest w trybie Komendy; komenda o tym ID nie istnieje w jego systemie; "
             "przerwane połączenie.",
             kGoOnNo},
    BoxEntry{"WP2", "BŁĄD (WP2)", "Błąd wykonania komendy:  ‹instrukcja›\n\nCzy kontynuować pracę?",
             "Sterownik nie odesłał sumy kontrolnej ramki komendy albo odesłał inną.",
             kNoLink, kGoOnNo},
    BoxEntry{"WP3", "Komenda nie zdefiniowana! (WP3)",
             "Komenda niezdefiniowana:  \"‹instrukcja›\"!\n\nCzy kontynuować pracę?",
             "Nazwy przed „(” nie ma w pliku komend `Komendy.ini`.",
             "Literówka (wielkość liter ma znaczenie); wczytany inny plik komend; komenda usunięta w "
             "„Opcje ▸ Komendy”.",
             "Popraw nazwę albo dopisz komendę w „Opcje ▸ Komendy”. Tak pomija instrukcję."},
    BoxEntry{"US1", "Etykieta (US1)", "Duplikat Etykiety: ‹etykieta›!\n\nCzy kontynuować pracę?",
             "Ta sama etykieta stoi w skrypcie dwa razy.",
             "Skopiowany fragment skryptu z etykietą; nazwa etykiety taka sama jak innej.",
             "Zmień nazwę jednej z etykiet. Tak: skoki trafiają do późniejszej; Nie: dalsze "
             "etykiety nie są zbierane."},
    BoxEntry{"US3", "Tryb pracy(US3)", "Błąd przejścia do trybu Komend!",
             "Przed uruchomieniem skryptu sterownik nie przeszedł do trybu Komendy; skrypt nie "
             "ruszył.",
             kNoLink, kCheckLink},
    BoxEntry{"OT1", "BŁĄD (OT1)", "Błąd realizacji powrotu do trybu System!",
             "Po zakończeniu skryptu sterownik nie wrócił do trybu System.", kNoLink,
             "Przełącz sterownik w tryb System (Ctrl+2) albo go zresetuj."},
    BoxEntry{"OTP1", "Błąd (OTP1)", "Błąd przejścia do trybu Program!",
             "Sterownik nie przeszedł do trybu Program.",
             "Brak programu użytkownika w sterowniku; sterownik nie odpowiada.",
             "Zapisz program (Kompiluj F9 albo „Program ▸ Zapisz”) i spróbuj ponownie."},
    BoxEntry{"OTK1", "Błąd (OTK1)", "Błąd przejścia do trybu Komendy!",
             "Sterownik nie przeszedł do trybu Komendy.",
             "Do trybu Komendy przechodzi się tylko z trybu System; sterownik był w trybie Program "
             "albo nie odpowiada.",
             "Przełącz najpierw w tryb System (Ctrl+2), potem w Komendy (Ctrl+3)."},
    BoxEntry{"OTS1", "Błąd (OTS1)", "Błąd przejścia do trybu System!",
             "Sterownik nie przeszedł do trybu System albo wracał z niego do trybu Program.",
             "Program użytkownika uruchamiany na starcie; sterownik nie odpowiada.", kCheckLink},
    BoxEntry{"OTB1", "Błąd (OTB1)", "Błąd przejścia do trybu BootLoader!",
             "Sterownik nie przeszedł do programu ładującego.", kBootCause, kBootRemedy},
    BoxEntry{"OTR1", "Błąd (OTR1)", "Błąd otwarcia RS232\n\nCzy wyświetlać ten komunikat ponownie?",
             "RESET RS232 nie mógł ponownie otworzyć portu.",
             "Urządzenie portu zniknęło (odłączony adapter USB); port zajęty przez inny program.",
             "Podłącz adapter, wybierz port w „Opcje ▸ RS232”. Nie: komunikat nie wraca, dopóki "
             "sterownik znów nie odpowie."},
    BoxEntry{"OIU3", "Błąd (OIU3)", "Błąd otwarcia RS232",
             "Przy starcie programu nie udało się otworzyć portu RS232; program działa dalej bez "
             "sterownika.",
             "Port nie istnieje, jest zajęty (drugie okno ORVANE) albo brak uprawnień (grupa "
             "dialout). Powód pokazuje pasek stanu.",
             "Wybierz port w „Opcje ▸ RS232” albo „Sterownik wirtualny (orvane-sim)”."},
    BoxEntry{"OOU2", "BŁĄD RS (OOU2)", "Błąd otwarcia RS232",
             "Po zamknięciu okna RS232 nie udało się otworzyć wybranego portu.",
             "Jak przy OIU3: port nie istnieje, jest zajęty albo brak uprawnień.",
             "Otwórz ponownie „Opcje ▸ RS232” i wybierz działający port."},
    BoxEntry{"URSBS1", "Błąd (URSBS1)", "Błąd otwarcia RS232",
             "Okno RS232 nie mogło otworzyć portu do testu prędkości.",
             "Port nie istnieje, jest zajęty albo brak uprawnień.", "Wybierz inny port."},
    BoxEntry{"URSBS2", "Błąd (URSBS2)", "Numer portu COM musi być liczbą całkowitą od 1 do ‹n›.",
             "W oknie RS232 wpisano numer portu spoza zakresu.", "Literówka w polu numeru.",
             "Wpisz numer z podanego zakresu."},
    BoxEntry{"URSBS3", "Błąd (URSBS3)", "Urządzenie „‹ścieżka›” nie istnieje lub nie jest portem szeregowym.",
             "Wybrane w oknie RS232 urządzenie nie jest portem szeregowym.",
             "Odłączony adapter; błędna ścieżka urządzenia.", "Wybierz urządzenie z listy."},
    BoxEntry{"OIK1", "Komendy (OIK1)", "‹uwagi do pliku komend, po jednej w wierszu›",
             "Plik komend wczytano, ale zapisanie go z powrotem zgubiłoby część jego treści.",
             "Luka w numeracji sekcji `Komenda`, sekcja o nazwie „!!!”, powtórzona sekcja, więcej "
             "niż 10 argumentów.",
             "Popraw `Komendy.ini` w edytorze tekstu albo pogódź się z utratą tych części przy "
             "zapisie z „Opcje ▸ Komendy”."},
    BoxEntry{"OIK2", "Błąd odczytu pliku (OIK2)", "‹powód›",
             "Pliku komend nie dało się odczytać; tabela komend jest pusta.",
             "Brak uprawnień, plik jest folderem albo jest uszkodzony.",
             "Wskaż inny plik w „Opcje ▸ Ustawienia”."},
    BoxEntry{"OWK1", "Błąd pliku (OWK1)",
             "Błąd pliku ASM|konfiguracji|pamięci|BAT: ‹ścieżka›\n\nWybierz inny plik …",
             "Kompilacja nie mogła zapisać pliku asemblera lub skryptu budowania albo odczytać "
             "pliku konfiguracji lub definicji pamięci.",
             "Folder skryptu tylko do odczytu; brak plików wskazanych w „Opcje ▸ Parametry "
             "kompilacji”.",
             "Tak pozwala wskazać inny plik; popraw ścieżki w „Parametry kompilacji”."},
    BoxEntry{"OWK2", "Brak pliku (OWK2)", "Błąd pliku Pamięci: ‹ścieżka›\n\nWybierz inny plik Pamięci.",
             "Kompilacja nie mogła zapisać pliku pamięci `Pamiec.asm` obok skryptu.",
             "Folder skryptu tylko do odczytu; pełny dysk.", "Zapisz skrypt w innym folderze."},
    BoxEntry{"OASM1", "BŁĄD (OASM1)", "Błąd określenia wartości: ‹wyrażenie›",
             "Kompilator nie rozpoznał składnika wyrażenia; program nie zostanie zapisany do "
             "sterownika.",
             "Jak przy O1: niezadeklarowana zmienna, literówka, brak nawiasu.",
             "Popraw wyrażenie i skompiluj ponownie."},
    BoxEntry{"WPASM1", "Komenda nie zdefiniowana! (WPASM1)", "Komenda niezdefiniowana:  \"‹instrukcja›\"!",
             "Kompilator nie znalazł komendy w pliku komend; program nie zostanie zapisany.",
             "Jak przy WP3.", "Popraw nazwę albo dopisz komendę w „Opcje ▸ Komendy”."},
    BoxEntry{"TASM1", "Błąd tłumaczenia (TASM1)",
             "Tłumaczenie przerwane w wierszu ‹n›:\n\"‹instrukcja›\"\n\n‹powód›\n\nProgram nie zostanie "
             "zapisany do urządzenia.",
             "Kompilator przerwał tłumaczenie na instrukcji, której nie umie przetłumaczyć.",
             "Powód podaje skrzynka: np. blok bez „}”, skok do nieistniejącej etykiety.",
             "Kursor stoi na instrukcji: popraw ją i skompiluj ponownie."},
    BoxEntry{"TASM2", "Błąd tłumaczenia (TASM2)",
             "Nazwa zastrzeżona w wierszu ‹n›:\n\"‹instrukcja›\"\n\nNazwy \"‹nazwa›\" używa program "
             "skompilowany.\nZmienna musi nazywać się inaczej.\n\nProgram nie zostanie skompilowany.",
             "Zmienna albo etykieta nazywa się jak symbol programu skompilowanego (np. `ORVsp`, `Program`, "
             "rejestr `tmp1`); asembler by jej nie przyjął albo wziąłby ją za ten symbol.",
             "Nazwa z plików `Konfig.asm` i `Pamiec.asm` albo z ramy programu; uruchomienie z PC ją "
             "przyjmuje, kompilacja nie.",
             "Zmień nazwę w całym skrypcie i skompiluj ponownie."},
    BoxEntry{"OWKS1", "Błąd kasowania (OWKS1)", "Błąd kasowania Systemu",
             "Program ładujący nie potwierdził skasowania obszaru System.", kBootCause, kBootRemedy},
    BoxEntry{"OWKP1", "Błąd kasowania (OWKP1)", "Błąd kasowania Programu",
             "Program ładujący nie potwierdził skasowania obszaru Program.", kBootCause, kBootRemedy},
    BoxEntry{"OWKS2", "Błąd (OWKS2)", "Błąd przejścia do trybu BootLoadera!",
             "Przed kasowaniem sterownik nie przeszedł do programu ładującego.", kBootCause, kBootRemedy},
    BoxEntry{"OWSZ1", "Błąd kasowania (OWSZ1)", "Błąd kasowania Systemu",
             "Przed zapisem systemu program ładujący nie potwierdził skasowania.", kBootCause, kBootRemedy},
    BoxEntry{"OWSZ2", "Błąd zapisu (OWSZ2)", "Błąd Zapisania Systemu",
             "Program ładujący nie potwierdził zapisu strony systemu; system jest niekompletny.",
             "Przerwane połączenie w trakcie zapisu.",
             "Powtórz zapis systemu, zanim wyłączysz sterownik."},
    BoxEntry{"OWSZ3", "Błąd (OWSZ3)", "Błąd przejścia do trybu BootLoadera!",
             "Przed zapisem systemu sterownik nie przeszedł do programu ładującego.", kBootCause, kBootRemedy},
    BoxEntry{"OWZP1", "Błąd kasowania (OWZP1)", "Błąd kasowania Programu",
             "Przed zapisem programu program ładujący nie potwierdził skasowania.", kBootCause, kBootRemedy},
    BoxEntry{"OWZP2", "Błąd zapisu (OWZP2)", "Błąd Zapisania Programu",
             "Program ładujący nie potwierdził zapisu strony programu.",
             "Przerwane połączenie w trakcie zapisu.", "Powtórz zapis programu."},
    BoxEntry{"OWZP3", "Błąd (OWZP3)", "Błąd przejścia do trybu BootLoadera!",
             "Przed zapisem programu sterownik nie przeszedł do programu ładującego.", kBootCause, kBootRemedy},
    BoxEntry{"OWPS1", "Błąd (OWPS1)", "Błąd pobrania Programu!",
             "Przed odczytem systemu sterownik nie przeszedł do programu ładującego.", kBootCause, kBootRemedy},
    BoxEntry{"OWPP1", "Błąd (OWPP1)", "Błąd pobrania Programu!",
             "Przed odczytem programu sterownik nie przeszedł do programu ładującego.", kBootCause, kBootRemedy},
    BoxEntry{"OWSZKH", "BŁĄD", "Błąd Systemu OWSZKH!\nZbyt duży System!",
             "Plik HEX systemu sięga obszaru programu ładującego (od 0x1F00); nic nie zapisano.",
             "Plik HEX innego urządzenia albo programu zamiast systemu.", "Wybierz właściwy plik systemu."},
    BoxEntry{"OWPZKL", "BŁĄD", "Błąd kompilacji OWPZKL!\nNadpis Systemu!",
             "Plik HEX programu ma dane poniżej 0x0700, w obszarze systemu; nic nie zapisano.",
             "Plik systemu wybrany zamiast programu; program skompilowany dla innego adresu.",
             "Wybierz plik programu z kompilacji ORVANE."},
    BoxEntry{"OWPZKH", "BŁĄD", "Błąd kompilacji OWPZKH!\nZbyt duży program!",
             "Program nie mieści się w obszarze programu (sięga 0x1F00); nic nie zapisano.",
             "Skrypt za długi na 8 KB pamięci sterownika.",
             "Skróć skrypt: wspólne fragmenty przenieś do podprogramów (`Call`)."},
    BoxEntry{"WSW01", "Błąd (WSW01)", "Nie odebrano informacji o wersji Systemu!",
             "Sterownik nie podał pierwszego znaku wersji systemu.", kBootCause, kBootRemedy},
    BoxEntry{"WSW02", "Błąd (WSW02)", "Nie odebrano informacji o wersji Systemu!",
             "Sterownik nie podał drugiego znaku wersji systemu.", kBootCause, kBootRemedy},
};

bool IsCodeChar(char c) { return std::isupper(static_cast<unsigned char>(c)) || std::isdigit(static_cast<unsigned char>(c)); }

}  // namespace

std::span<const BoxEntry> BoxCatalog::All() { return kBoxes; }

const BoxEntry* BoxCatalog::Find(std::string_view code) {
    for (const BoxEntry& box : kBoxes) {
        if (code == box.code) return &box;
    }
    return nullptr;
}

std::string BoxCatalog::CodeIn(std::string_view caption) {
    // "(CODE)" closing the caption, the way every coded caption ends.
    const auto close = caption.rfind(')');
    const auto open = caption.rfind('(');
    if (close != std::string_view::npos && open != std::string_view::npos && open < close) {
        const auto code = caption.substr(open + 1, close - open - 1);
        if (!code.empty() && std::all_of(code.begin(), code.end(), IsCodeChar) && Find(code)) return std::string(code);
    }
    // The HEX limits carry theirs in the text: "… OWPZKL!".
    for (const BoxEntry& box : kBoxes) {
        const std::string marked = std::string(box.code) + "!";
        if (caption.find(marked) != std::string_view::npos) return box.code;
    }
    return {};
}

}  // namespace orvane::help
