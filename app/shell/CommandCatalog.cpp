// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/shell/CommandCatalog.h"

#include <array>

namespace orvane::app::shell {

namespace {
using enum window::CommandId;

constexpr std::array kCommands{
    // Plik
    CommandEntry{FileNew, "&Nowy\tCtrl+N", "Tworzy nowy skrypt", "Nowy", "new", nullptr},
    CommandEntry{FileOpen, "&Otwórz...\tCtrl+O", "Otwiera istniejący skrypt", "Otwórz", "open", nullptr},
    CommandEntry{FileSave, "&Zapisz\tCtrl+S", "Zapisuje skrypt", "Zapisz", "save", nullptr},
    CommandEntry{FileSaveAs, "Zapisz jako...", "Zapisuje skrypt pod nową nazwą", "Zapisz jako", nullptr, nullptr},
    CommandEntry{FilePrint, "&Drukuj...\tCtrl+P", "Drukuje skrypt", "Drukuj", "print", nullptr},
    CommandEntry{FilePrintPreview, "&Podgląd wydruku", "Pokazuje, jak skrypt będzie wyglądał na papierze",
                "Podgląd wydruku", "preview", nullptr},
    CommandEntry{FilePageSetup, "&Ustawienia wydruku...", "Zmienia ustawienia drukarki i strony",
                "Ustawienia wydruku", nullptr, nullptr},
    CommandEntry{AppExit, "&Koniec\tAlt+X", "Kończy pracę programu, pytając o zapisanie zmian", "Koniec",
                "exit", nullptr},
    // Edycja
    CommandEntry{EditUndo, "&Cofnij\tCtrl+Z", "Cofa ostatnią zmianę", "Cofnij", "undo", "Alt+Backspace"},
    CommandEntry{EditRedo, "&Ponów\tCtrl+Y", "Ponawia cofniętą zmianę", "Ponów", "redo", nullptr},
    CommandEntry{EditCut, "&Usuń\tCtrl+X", "Usuwa zaznaczenie i umieszcza je w schowku", "Usuń", "cut",
                "Shift+Del"},
    CommandEntry{EditCopy, "&Kopiuj\tCtrl+C", "Kopiuje zaznaczenie do schowka", "Kopiuj", "copy", "Ctrl+Ins"},
    CommandEntry{EditPaste, "&Wklej\tCtrl+V", "Wstawia zawartość schowka", "Wklej", "paste", "Shift+Ins"},
    CommandEntry{EditPasteSpecial, "Wklej Specjalnie...", "Wstawia zawartość schowka jako czysty tekst",
                "Wklej specjalnie", nullptr, nullptr},
    CommandEntry{EditSelectAll, "Z&aznacz Wszystko\tCtrl+A", "Zaznacza cały skrypt", "Zaznacz wszystko",
                nullptr, nullptr},
    CommandEntry{EditFind, "&Szukaj...\tCtrl+F", "Szuka podanego tekstu", "Szukaj", nullptr, nullptr},
    CommandEntry{EditFindNext, "Szukaj &Dalej\tF3", "Szuka następnego wystąpienia tekstu", "Szukaj dalej",
                nullptr, nullptr},
    CommandEntry{EditReplace, "&Zastąp\tCtrl+R", "Zastępuje podany tekst innym", "Zastąp", nullptr, nullptr},
    CommandEntry{EditSequence, "Edycja Sekwencji\tAlt+S", "Zapisuje do skryptu sekwencję ruchów serw",
                "Edycja sekwencji", nullptr, nullptr},
    CommandEntry{EditPosition, "Edycja Pozycji\tAlt+P", "Ustawia serwa suwakami i zapisuje pozycje do skryptu",
                "Edycja pozycji", nullptr, nullptr},
    CommandEntry{ControlByRs, "Steruj przez RS\tAlt+R", "Wymienia bajty z programem użytkownika w sterowniku",
                "Steruj przez RS", nullptr, nullptr},
    // Widok
    CommandEntry{ViewMainBar, "Pasek &Główny", "Pokazuje lub ukrywa pasek główny", "Pasek główny", nullptr, nullptr},
    CommandEntry{ViewProgramBar, "Pasek &Programu", "Pokazuje lub ukrywa pasek programu", "Pasek programu",
                nullptr, nullptr},
    CommandEntry{ViewModesBar, "Pasek &Trybów", "Pokazuje lub ukrywa pasek trybów", "Pasek trybów", nullptr, nullptr},
    CommandEntry{ViewStatusBar, "Pasek &Stanu", "Pokazuje lub ukrywa pasek stanu", "Pasek stanu", nullptr, nullptr},
    // Opcje
    CommandEntry{OptionsDeviceParameters, "&Parametry urządzenia", "Ustawienie parametrów startowych sterownika",
                "Parametry urządzenia", nullptr, nullptr},
    CommandEntry{OptionsRs232, "&RS232", "Ustawienie portu i prędkości transmisji RS232", "RS232", nullptr, nullptr},
    CommandEntry{OptionsSettings, "&Ustawienia", "Ustawienia programu", "Ustawienia", nullptr, nullptr},
    CommandEntry{OptionsCompileParameters, "Parametry kompila&cji",
                "Ustawienie parametrów kompilacji programu użytkownika", "Opcje Kompilacji", nullptr, nullptr},
    CommandEntry{OptionsCommands, "&Komendy", "Edycja definicji komend sterownika", "Komendy", nullptr, nullptr},
    // Tryb pracy
    CommandEntry{ModeCheckState, "Sprawdź stan\tCtrl+0", "Sprawdza tryb pracy sterownika", "Sprawdź stan",
                "check", nullptr},
    CommandEntry{ModeBootLoader, "&BootLoader\tCtrl+1", "Przełącza sterownik w tryb BootLoader", "BootLoader",
                "bootloader", nullptr},
    CommandEntry{ModeSystem, "&System\tCtrl+2", "Przełącza sterownik w tryb System", "System", "system", nullptr},
    CommandEntry{ModeKomendy, "&Komendy\tCtrl+3", "Przełącza sterownik w tryb Komendy", "Komendy", "komendy",
                nullptr},
    CommandEntry{ModeProgram, "&Program\tCtrl+4", "Uruchamia program użytkownika w sterowniku", "Program",
                "program", nullptr},
    CommandEntry{ModeProgramCtrl, "Program + CTRL\tCtrl+5",
                "Uruchamia program użytkownika i otwiera okno sterowania przez RS", "Program + CTRL",
                "programctrl", nullptr},
    CommandEntry{ModeResetRs232, "RESET RS232\tCtrl+Q", "Zamyka i ponownie otwiera port RS232", "RESET RS232",
                nullptr, nullptr},
    // Wykonaj
    CommandEntry{RunStart, "&Uruchom\tF5", "Uruchamia skrypt", "Uruchom", "run", nullptr},
    CommandEntry{RunRestart, "Restart\tF8", "Uruchamia skrypt od początku", "Restart", "restart", nullptr},
    CommandEntry{RunStep, "Krok\tF10", "Wykonuje jedną instrukcję skryptu", "Krok", "step", nullptr},
    CommandEntry{RunPause, "Pauza\tF7", "Wstrzymuje wykonywanie skryptu", "Pauza", "pause", nullptr},
    CommandEntry{RunStop, "&Stop\tShift+F5", "Kończy wykonywanie skryptu", "Stop", "stop", nullptr},
    CommandEntry{RunBreakpoint, "Punkt przerwania\tCtrl+B",
                "Wstawia lub usuwa punkt przerwania w wierszu kursora (także kliknięciem na marginesie)",
                "Punkt przerwania", nullptr, nullptr},
    CommandEntry{RunSimulate, "Sy&muluj\tCtrl+F5",
                "Kompiluje skrypt i wykonuje program w symulowanym sterowniku, bez urządzenia", "Symuluj",
                "simulate", nullptr},
    CommandEntry{RunCompile, "Kompiluj\tF9", "Kompiluje skrypt i zapisuje program do sterownika", "Kompiluj",
                "compile", nullptr},
    CommandEntry{ProgramWrite, "Zapisz\tCtrl+F9", "Zapisuje program użytkownika z pliku HEX do sterownika",
                "Zapisz program", "program-write", nullptr},
    CommandEntry{ProgramRead, "Pobierz\tShift+F9", "Odczytuje program użytkownika ze sterownika do pliku HEX",
                "Pobierz program", "program-read", nullptr},
    CommandEntry{ProgramErase, "Kasuj\tAlt+F9", "Kasuje program użytkownika w sterowniku", "Kasuj program",
                "program-erase", nullptr},
    CommandEntry{SystemVersion, "Wersja", "Odczytuje wersję systemu sterownika", "Wersja systemu", nullptr, nullptr},
    CommandEntry{SystemWrite, "Zapisz", "Zapisuje system z pliku HEX do sterownika", "Zapisz system",
                "system-write", nullptr},
    CommandEntry{SystemRead, "Pobierz", "Odczytuje system ze sterownika do pliku HEX", "Pobierz system",
                "system-read", nullptr},
    CommandEntry{SystemErase, "Kasuj", "Kasuje system w sterowniku", "Kasuj system", "system-erase", nullptr},
    // Pomoc
    CommandEntry{HelpUsing, "&Używanie pomocy", "Jak korzystać z pomocy", "Używanie pomocy", nullptr, nullptr},
    CommandEntry{HelpTopics, "&Tematy pomocy\tF1", "Spis tematów pomocy", "Tematy pomocy", nullptr, nullptr},
    CommandEntry{HelpAbout, "&O ORVANE...", "Informacje o programie i jego wersji", "O ORVANE", "about", nullptr},
    CommandEntry{HelpContext, "Pomoc kontekstowa\tShift+F1", "Pomoc o wskazanym elemencie okna",
                "Pomoc kontekstowa", "context-help", nullptr},
};
}  // namespace

std::span<const CommandEntry> CommandCatalog::All() { return kCommands; }

const CommandEntry* CommandCatalog::Find(window::CommandId id) {
    for (const CommandEntry& entry : kCommands) {
        if (entry.id == id) return &entry;
    }
    return nullptr;
}

}  // namespace orvane::app::shell
