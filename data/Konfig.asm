; ORVANE controller (ATmega8): the registers that compiled programs share with the firmware.
; The generated code keeps its 16-bit accumulator in tmp1:tmp2 and a second operand in
; tmp3:tmp4 (loaded with ldi, so they must lie in r16..r31), passes routine parameters in p1..p6
; and relies on zero holding 0.
.include "m8def.inc"

.DEF zero = r2
.DEF p1   = r3
.DEF p2   = r4
.DEF p3   = r5
.DEF p4   = r6
.DEF p5   = r7
.DEF p6   = r8
.DEF tmp1 = r16
.DEF tmp2 = r17
.DEF tmp3 = r18
.DEF tmp4 = r19
.DEF tmp5 = r20
.DEF tmp6 = r21
