; SPDX-License-Identifier: GPL-3.0-or-later
; The simulated chip's system firmware. It stands where the controller's own firmware stands
; (System area, word 0 to 0x037F) and keeps only what a compiled program meets: the reset that
; calls the program through its entry table at 0x0380, and the entry points the program calls.
; (Restart jumps to the boot loader, which the simulation answers with this reset.) Each entry point hands its call to the simulation by
; writing the entry's number to an I/O register the ATmega8 does not have (0x1B, PORTA on the
; larger chips); the simulation carries the call out at that write, with the registers as they
; stand, and leaves any result in tmp1:tmp2. The registers the program sees are left as they were.
.include "Konfig.asm"

.EQU Program  = 0x0380
.EQU CHIPCALL = 0x1B
.EQU Returned = 0xFF        ; written when the program has returned to the firmware

.CSEG
.ORG 0x0000
    rjmp Reset

.ORG 0x0020
Reset:
    ldi r24, high(RAMEND)
    out SPH, r24
    ldi r24, low(RAMEND)
    out SPL, r24
    clr zero
    rcall Program
    ldi r24, Returned
    out CHIPCALL, r24
Halt:
    rjmp Halt               ; never reached: the simulation ends the run at the write

.MACRO SERVE
    push r24
    ldi r24, @0
    out CHIPCALL, r24
    pop r24
    ret
.ENDMACRO

ServeSend2B:  SERVE 0x67
ServeSendB:   SERVE 0x68
ServeGRS:     SERVE 0x69
ServeLRS:     SERVE 0x6a
ServeURS:     SERVE 0x6b
ServeADIAxR:  SERVE 0x6d
ServeADIDG:   SERVE 0x6e
ServeADIDxG:  SERVE 0x6f
ServeAIxR:    SERVE 0x70
ServeDOG:     SERVE 0x71
ServeDOS:     SERVE 0x72
ServeDOxG:    SERVE 0x73
ServeDOxS:    SERVE 0x74
ServeINT0G:   SERVE 0x75
ServeINT0C:   SERVE 0x76
ServeINT1G:   SERVE 0x77
ServeINT1C:   SERVE 0x78
ServeServoR:  SERVE 0x79
ServeServoS:  SERVE 0x7a
ServeLEDS:    SERVE 0x7b
ServeLEDF:    SERVE 0x7c
ServeWaitS:   SERVE 0x7d
ServePodziel: SERVE 0x7e
ServePomnoz:  SERVE 0x7f

; ---- The fixed entry points, one word each ------------------------------------------------
.ORG 0x0367
    rjmp ServeSend2B
    rjmp ServeSendB
    rjmp ServeGRS
    rjmp ServeLRS
    rjmp ServeURS
    nop                     ; 0x036c has no routine: a call there is a jump into the System area
    rjmp ServeADIAxR
    rjmp ServeADIDG
    rjmp ServeADIDxG
    rjmp ServeAIxR
    rjmp ServeDOG
    rjmp ServeDOS
    rjmp ServeDOxG
    rjmp ServeDOxS
    rjmp ServeINT0G
    rjmp ServeINT0C
    rjmp ServeINT1G
    rjmp ServeINT1C
    rjmp ServeServoR
    rjmp ServeServoS
    rjmp ServeLEDS
    rjmp ServeLEDF
    rjmp ServeWaitS
    rjmp ServePodziel
    rjmp ServePomnoz
