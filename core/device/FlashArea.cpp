// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/device/FlashArea.h"

#include "core/device/ControllerBytes.h"

#include "core/device/FlashImage.h"
#include "core/host/Cp1250.h"

namespace orvane::device {

const FlashArea& FlashArea::System() {
    static const FlashArea kSystem{
        Kind::System, controller::kEraseSystem, controller::kReadSystem, 0x0000, FlashImage::kSystemStart, FlashImage::kSystemEnd, 0,
        true, 2,
        "Błąd (OWKS2)", "Błąd kasowania (OWKS1)", "Błąd kasowania Systemu",
        "Błąd (OWSZ3)", "Błąd kasowania (OWSZ1)",
        "Błąd zapisu (OWSZ2)", "Błąd Zapisania Systemu",
        "Błąd (OWPS1)",
        "",  // the System may start anywhere from 0
        "Błąd Systemu OWSZKH!\nZbyt duży System!",
        "Plik", "System zapisz", false, "ORVANE.hex", false, "System.hex"};
    return kSystem;
}

const FlashArea& FlashArea::Program() {
    static const FlashArea kProgram{
        Kind::Program, controller::kEraseProgram, controller::kReadProgram, 0x0700, FlashImage::kProgramStart, FlashImage::kProgramEnd,
        FlashImage::kProgramStart, false, 0,
        "Błąd (OWKS2)", "Błąd kasowania (OWKP1)", "Błąd kasowania Programu",
        "Błąd (OWZP3)", "Błąd kasowania (OWZP1)",
        "Błąd zapisu (OWZP2)", "Błąd Zapisania Programu",
        "Błąd (OWPP1)",
        "Błąd kompilacji OWPZKL!\nNadpis Systemu!",
        "Błąd kompilacji OWPZKH!\nZbyt duży program!",
        "Plik", "Plik zapisz", true, "Plik.hex", true, "Plik.hex"};
    return kProgram;
}

std::optional<FlashArea::Kind> FlashArea::Parse(std::string_view word) {
    if (host::EqualsIgnoreCase(word, "system")) return Kind::System;
    if (host::EqualsIgnoreCase(word, "program")) return Kind::Program;
    return std::nullopt;
}

const FlashArea& FlashArea::Of(Kind kind) { return kind == Kind::System ? System() : Program(); }

}  // namespace orvane::device
