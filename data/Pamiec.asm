; ORVANE controller (ATmega8): where compiled programs keep their variables. The reservations
; that follow this file go to the data segment, from the start of the internal SRAM.
.DSEG
.ORG SRAM_START
