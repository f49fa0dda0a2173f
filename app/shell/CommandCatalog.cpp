#include "app/shell/CommandCatalog.h"

#include <array>

namespace orvane::app::shell {

namespace {
using enum CommandId;

constexpr std::array kCommands{
    // Plik
    CommandSpec{FileNew, "&Nowy\tCtrl+N", "Tworzy nowy skrypt", "Nowy", "new", nullptr},
    CommandSpec{FileOpen, "&Otwórz...\tCtrl+O", "Otwiera istniejący skrypt", "Otwórz", "open", nullptr},
    CommandSpec{FileSave, "&Zapisz\tCtrl+S", "Zapisuje skrypt", "Zapisz", "save", nullptr},
    CommandSpec{FileSaveAs, "Zapisz jako...", "Zapisuje skrypt pod nową nazwą", "Zapisz jako", nullptr, nullptr},
    CommandSpec{FilePrint, "&Drukuj...\tCtrl+P", "Drukuje skrypt", "Drukuj", "print", nullptr},
    CommandSpec{FilePrintPreview, "&Podgląd wydruku", "Pokazuje, jak skrypt będzie wyglądał na papierze",
                "Podgląd wydruku", "preview", nullptr},
    CommandSpec{FilePageSetup, "&Ustawienia wydruku...", "Zmienia ustawienia drukarki i strony",
                "Ustawienia wydruku", nullptr, nullptr},
    CommandSpec{AppExit, "&Koniec\tAlt+X", "Kończy pracę programu, pytając o zapisanie zmian", "Koniec",
                "exit", nullptr},
    // Edycja
    CommandSpec{EditUndo, "&Cofnij\tCtrl+Z", "Cofa ostatnią zmianę", "Cofnij", "undo", "Alt+Backspace"},
    CommandSpec{EditRedo, "&Ponów\tCtrl+Y", "Ponawia cofniętą zmianę", "Ponów", "redo", nullptr},
    CommandSpec{EditCut, "&Usuń\tCtrl+X", "Usuwa zaznaczenie i umieszcza je w schowku", "Usuń", "cut",
                "Shift+Del"},
    CommandSpec{EditCopy, "&Kopiuj\tCtrl+C", "Kopiuje zaznaczenie do schowka", "Kopiuj", "copy", "Ctrl+Ins"},
    CommandSpec{EditPaste, "&Wklej\tCtrl+V", "Wstawia zawartość schowka", "Wklej", "paste", "Shift+Ins"},
    CommandSpec{EditPasteSpecial, "Wklej Specjalnie...", "Wstawia zawartość schowka jako czysty tekst",
                "Wklej specjalnie", nullptr, nullptr},
    CommandSpec{EditSelectAll, "Z&aznacz Wszystko\tCtrl+A", "Zaznacza cały skrypt", "Zaznacz wszystko",
                nullptr, nullptr},
    CommandSpec{EditFind, "&Szukaj...\tCtrl+F", "Szuka podanego tekstu", "Szukaj", nullptr, nullptr},
    CommandSpec{EditFindNext, "Szukaj &Dalej\tF3", "Szuka następnego wystąpienia tekstu", "Szukaj dalej",
                nullptr, nullptr},
    CommandSpec{EditReplace, "&Zastąp\tCtrl+R", "Zastępuje podany tekst innym", "Zastąp", nullptr, nullptr},
    CommandSpec{EditSequence, "Edycja Sekwencji\tAlt+S", "Zapisuje do skryptu sekwencję ruchów serw",
                "Edycja sekwencji", nullptr, nullptr},
    CommandSpec{EditPosition, "Edycja Pozycji\tAlt+P", "Ustawia serwa suwakami i zapisuje pozycje do skryptu",
                "Edycja pozycji", nullptr, nullptr},
    CommandSpec{ControlByRs, "Steruj przez RS\tAlt+R", "Wymienia bajty z programem użytkownika w sterowniku",
                "Steruj przez RS", nullptr, nullptr},
    // Widok
    CommandSpec{ViewMainBar, "Pasek &Główny", "Pokazuje lub ukrywa pasek główny", "Pasek główny", nullptr, nullptr},
    CommandSpec{ViewProgramBar, "Pasek &Programu", "Pokazuje lub ukrywa pasek programu", "Pasek programu",
                nullptr, nullptr},
    CommandSpec{ViewModesBar, "Pasek &Trybów", "Pokazuje lub ukrywa pasek trybów", "Pasek trybów", nullptr, nullptr},
    CommandSpec{ViewStatusBar, "Pasek &Stanu", "Pokazuje lub ukrywa pasek stanu", "Pasek stanu", nullptr, nullptr},
    // Opcje
    CommandSpec{OptionsDeviceParameters, "&Parametry urządzenia", "Ustawienie parametrów startowych sterownika",
                "Parametry urządzenia", nullptr, nullptr},
    CommandSpec{OptionsRs232, "&RS232", "Ustawienie portu i prędkości transmisji RS232", "RS232", nullptr, nullptr},
    CommandSpec{OptionsSettings, "&Ustawienia", "Ustawienia programu", "Ustawienia", nullptr, nullptr},
    CommandSpec{OptionsCompileParameters, "Parametry kompila&cji",
                "Ustawienie parametrów kompilacji programu użytkownika", "Opcje Kompilacji", nullptr, nullptr},
    CommandSpec{OptionsCommands, "&Komendy", "Edycja definicji komend sterownika", "Komendy", nullptr, nullptr},
    // Tryb pracy
    CommandSpec{ModeCheckState, "Sprawdź stan\tCtrl+0", "Sprawdza tryb pracy sterownika", "Sprawdź stan",
                "check", nullptr},
    CommandSpec{ModeBootLoader, "&BootLoader\tCtrl+1", "Przełącza sterownik w tryb BootLoader", "BootLoader",
                "bootloader", nullptr},
    CommandSpec{ModeSystem, "&System\tCtrl+2", "Przełącza sterownik w tryb System", "System", "system", nullptr},
    CommandSpec{ModeKomendy, "&Komendy\tCtrl+3", "Przełącza sterownik w tryb Komendy", "Komendy", "komendy",
                nullptr},
    CommandSpec{ModeProgram, "&Program\tCtrl+4", "Uruchamia program użytkownika w sterowniku", "Program",
                "program", nullptr},
    CommandSpec{ModeProgramCtrl, "Program + CTRL\tCtrl+5",
                "Uruchamia program użytkownika i otwiera okno sterowania przez RS", "Program + CTRL",
                "programctrl", nullptr},
    CommandSpec{ModeResetRs232, "RESET RS232\tCtrl+Q", "Zamyka i ponownie otwiera port RS232", "RESET RS232",
                nullptr, nullptr},
    // Wykonaj
    CommandSpec{RunStart, "&Uruchom\tF5", "Uruchamia skrypt", "Uruchom", "run", nullptr},
    CommandSpec{RunRestart, "Restart\tF8", "Uruchamia skrypt od początku", "Restart", "restart", nullptr},
    CommandSpec{RunStep, "Krok\tF10", "Wykonuje jedną instrukcję skryptu", "Krok", "step", nullptr},
    CommandSpec{RunPause, "Pauza\tF7", "Wstrzymuje wykonywanie skryptu", "Pauza", "pause", nullptr},
    CommandSpec{RunStop, "&Stop\tShift+F5", "Kończy wykonywanie skryptu", "Stop", "stop", nullptr},
    CommandSpec{RunCompile, "Kompiluj\tF9", "Kompiluje skrypt i zapisuje program do sterownika", "Kompiluj",
                "compile", nullptr},
    CommandSpec{ProgramWrite, "Zapisz\tCtrl+F9", "Zapisuje program użytkownika z pliku HEX do sterownika",
                "Zapisz program", "program-write", nullptr},
    CommandSpec{ProgramRead, "Pobierz\tShift+F9", "Odczytuje program użytkownika ze sterownika do pliku HEX",
                "Pobierz program", "program-read", nullptr},
    CommandSpec{ProgramErase, "Kasuj\tAlt+F9", "Kasuje program użytkownika w sterowniku", "Kasuj program",
                "program-erase", nullptr},
    CommandSpec{SystemVersion, "Wersja", "Odczytuje wersję systemu sterownika", "Wersja systemu", nullptr, nullptr},
    CommandSpec{SystemWrite, "Zapisz", "Zapisuje system z pliku HEX do sterownika", "Zapisz system",
                "system-write", nullptr},
    CommandSpec{SystemRead, "Pobierz", "Odczytuje system ze sterownika do pliku HEX", "Pobierz system",
                "system-read", nullptr},
    CommandSpec{SystemErase, "Kasuj", "Kasuje system w sterowniku", "Kasuj system", "system-erase", nullptr},
    // Pomoc
    CommandSpec{HelpUsing, "&Używanie pomocy", "Jak korzystać z pomocy", "Używanie pomocy", nullptr, nullptr},
    CommandSpec{HelpTopics, "&Tematy pomocy\tF1", "Spis tematów pomocy", "Tematy pomocy", nullptr, nullptr},
    CommandSpec{HelpAbout, "&O ORVANE...", "Informacje o programie i jego wersji", "O ORVANE", "about", nullptr},
    CommandSpec{HelpContext, "Pomoc kontekstowa\tShift+F1", "Pomoc o wskazanym elemencie okna",
                "Pomoc kontekstowa", "context-help", nullptr},
};
}  // namespace

std::span<const CommandSpec> CommandCatalog::All() { return kCommands; }

const CommandSpec* CommandCatalog::Find(CommandId id) {
    for (const CommandSpec& spec : kCommands) {
        if (spec.id == id) return &spec;
    }
    return nullptr;
}

}  // namespace orvane::app::shell
