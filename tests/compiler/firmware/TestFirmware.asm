; Stands in for the controller's system firmware when compiled programs run under simavr.
; It calls the program through its entry table, then calls both interrupt hooks with known
; register values, and finally sends the whole SRAM through the UART as hex lines and stops.
; The firmware routines at their fixed addresses are recording stubs, apart from the arithmetic.
.include "Konfig.asm"

.EQU Program     = 0x0380
.EQU Int0Hook    = 0x0381
.EQU Int1Hook    = 0x0382
.EQU SpAfterMain = 0x0260   ; SPH, SPL after the program returned
.EQU SpAfterHook = 0x0262   ; SPH, SPL after both hooks returned
.EQU HookRegs    = 0x0264   ; tmp1..tmp6, p1..p6 after the hooks (12 bytes)
.EQU LogCount    = 0x027f
.EQU LogStart    = 0x0280   ; 32 entries of 8 bytes: routine (its address' low byte), p1..p6, 0
.EQU LogEntries  = 32
.EQU DumpStart   = SRAM_START
.EQU DumpEnd     = RAMEND + 1

.CSEG
.ORG 0x0000
    rjmp Reset

.ORG 0x0020
Reset:
    ldi r16, high(RAMEND)
    out SPH, r16
    ldi r16, low(RAMEND)
    out SPL, r16
    clr zero
    sts LogCount, zero
    rcall Program
    in r16, SPH
    sts SpAfterMain, r16
    in r16, SPL
    sts SpAfterMain + 1, r16

    ldi tmp1, 0xA1
    ldi tmp2, 0xA2
    ldi tmp3, 0xA3
    ldi tmp4, 0xA4
    ldi tmp5, 0xA5
    ldi tmp6, 0xA6
    ldi r24, 0xB1
    mov p1, r24
    inc r24
    mov p2, r24
    inc r24
    mov p3, r24
    inc r24
    mov p4, r24
    inc r24
    mov p5, r24
    inc r24
    mov p6, r24
    rcall Int0Hook
    rcall Int1Hook
    in r24, SPH
    sts SpAfterHook, r24
    in r24, SPL
    sts SpAfterHook + 1, r24
    ldi ZH, high(HookRegs)
    ldi ZL, low(HookRegs)
    st Z+, tmp1
    st Z+, tmp2
    st Z+, tmp3
    st Z+, tmp4
    st Z+, tmp5
    st Z+, tmp6
    st Z+, p1
    st Z+, p2
    st Z+, p3
    st Z+, p4
    st Z+, p5
    st Z+, p6

    rcall DumpSram
    cli
    sleep                   ; with interrupts off simavr ends the run here

; ---- SRAM dump: "AAAA:" and 16 bytes in hex per line ---------------------------------------
DumpSram:
    ldi r16, 0
    out UBRRH, r16
    out UBRRL, r16
    ldi r16, (1 << TXEN)
    out UCSRB, r16
    ldi XH, high(DumpStart)
    ldi XL, low(DumpStart)
DumpLine:
    mov r16, XH
    rcall SendHexByte
    mov r16, XL
    rcall SendHexByte
    ldi r16, ':'
    rcall SendChar
    ldi r25, 16
DumpByte:
    ld r16, X+
    rcall SendHexByte
    dec r25
    brne DumpByte
    ldi r16, 10
    rcall SendChar
    cpi XL, low(DumpEnd)
    ldi r16, high(DumpEnd)
    cpc XH, r16
    brne DumpLine
    ret

SendHexByte:
    push r16
    swap r16
    rcall SendNibble
    pop r16
SendNibble:
    andi r16, 0x0F
    cpi r16, 10
    brlo Digit
    subi r16, -7
Digit:
    subi r16, -'0'
SendChar:
    sbis UCSRA, UDRE
    rjmp SendChar
    out UDR, r16
    ret

; ---- Recording stubs: log the routine and p1..p6, answer tmp1 = p1 + 100, tmp2 = 0x12 ------
Record:                      ; r24 (pushed by the stub) holds the routine's id
    push r25
    push XL
    push XH
    lds r25, LogCount
    cpi r25, LogEntries
    brsh RecordFull
    mov XL, r25
    clr XH
    lsl XL
    rol XH
    lsl XL
    rol XH
    lsl XL
    rol XH
    subi XL, low(-LogStart)
    sbci XH, high(-LogStart)
    st X+, r24
    st X+, p1
    st X+, p2
    st X+, p3
    st X+, p4
    st X+, p5
    st X+, p6
    st X+, zero
    inc r25
    sts LogCount, r25
RecordFull:
    mov tmp1, p1
    subi tmp1, -100
    ldi tmp2, 0x12
    pop XH
    pop XL
    pop r25
    pop r24
    ret

.MACRO STUB
    push r24
    ldi r24, @0
    rjmp Record
.ENDMACRO

StubSend2B:  STUB 0x67
StubSendB:   STUB 0x68
StubGRS:     STUB 0x69
StubLRS:     STUB 0x6a
StubURS:     STUB 0x6b
StubADIAxR:  STUB 0x6d
StubADIDG:   STUB 0x6e
StubADIDxG:  STUB 0x6f
StubAIxR:    STUB 0x70
StubDOG:     STUB 0x71
StubDOS:     STUB 0x72
StubDOxG:    STUB 0x73
StubDOxS:    STUB 0x74
StubINT0G:   STUB 0x75
StubINT0C:   STUB 0x76
StubINT1G:   STUB 0x77
StubINT1C:   STUB 0x78
StubServoR:  STUB 0x79
StubServoS:  STUB 0x7a
StubLEDS:    STUB 0x7b
StubLEDF:    STUB 0x7c
StubWaitS:   STUB 0x7d

; ---- tmp1:tmp2 * tmp3:tmp4, low 16 bits, into tmp1:tmp2 ------------------------------------
Multiply:
    push r0
    push r1
    push r24
    push r25
    mul tmp1, tmp3
    movw r24, r0
    mul tmp1, tmp4
    add r25, r0
    mul tmp2, tmp3
    add r25, r0
    movw tmp1, r24
    pop r25
    pop r24
    pop r1
    pop r0
    ret

; ---- tmp1:tmp2 / tmp3:tmp4, unsigned, into tmp1:tmp2; a divisor of 0 gives 0xFFFF ----------
Divide:
    push r24
    push r25
    push r26
    cp tmp3, zero
    cpc tmp4, zero
    brne DivideStart
    ldi tmp1, 0xFF
    ldi tmp2, 0xFF
    rjmp DivideDone
DivideStart:
    clr r24                  ; remainder r25:r24
    clr r25
    ldi r26, 17
    clc
DivideLoop:
    rol tmp1
    rol tmp2
    dec r26
    breq DivideDone
    rol r24
    rol r25
    sub r24, tmp3
    sbc r25, tmp4
    brcc DivideFits
    add r24, tmp3
    adc r25, tmp4
    clc
    rjmp DivideLoop
DivideFits:
    sec
    rjmp DivideLoop
DivideDone:
    pop r26
    pop r25
    pop r24
    ret

; ---- The firmware's fixed entry points ----------------------------------------------------
.ORG 0x0367
    rjmp StubSend2B
    rjmp StubSendB
    rjmp StubGRS
    rjmp StubLRS
    rjmp StubURS
    nop                      ; 0x036c has no routine
    rjmp StubADIAxR
    rjmp StubADIDG
    rjmp StubADIDxG
    rjmp StubAIxR
    rjmp StubDOG
    rjmp StubDOS
    rjmp StubDOxG
    rjmp StubDOxS
    rjmp StubINT0G
    rjmp StubINT0C
    rjmp StubINT1G
    rjmp StubINT1C
    rjmp StubServoR
    rjmp StubServoS
    rjmp StubLEDS
    rjmp StubLEDF
    rjmp StubWaitS
    rjmp Divide              ; 0x037e Podziel
    rjmp Multiply            ; 0x037f Pomnoz
