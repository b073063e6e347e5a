# binary format and binary scan: packing fields, reading them back, and the
# refusal of a zero byte, which a text cannot hold.
proc check {script} {
    set code [catch {uplevel 1 $script} m -quiet]
    puts "$code: $m"
}
# text fields: A pads with blanks, a count cuts, * takes all
puts <[binary format A5A2A* ab xyz tail]>
# bits and nibbles, low or high first
puts [binary format B8b8 01000001 10000010]
puts [binary format H4h2 4142 34]
# numbers in every width and byte order read back to themselves
set packed [binary format s1S1i1I1w1W1 {258} {258} {16909060} {16909060} {72623859790382856} {72623859790382856}]
puts [string length $packed]
puts [binary scan $packed s1S1i1I1w1W1 a b c d e f]
puts "$a $b $c $d $e $f"
# counts give lists; * takes every value
puts [binary scan [binary format c3 {65 66 67}] c* codes]
puts $codes
# signed and unsigned readings of the same byte
binary scan "\xff" c s
binary scan "\xff" cu u
puts "$s $u"
# floats and doubles come back in their shortest exact form (a float as
# the double it widens to)
binary scan [binary format fdRQ 1.1 0.1 -2.3 1.1] fdRQ f d r q
puts "$f $d $r $q"
# x skips, X backs up, @ jumps
binary scan "abcdef" x2a2X3a1@5a* p q r
puts "$p $q $r"
# scanning stops at the first field the data is too short for
set k untouched
puts [binary scan "abc" a2a2 j k]
puts "$j $k"
# hex and bit strings from text
binary scan "AB" H2B* hex bits
puts "$hex $bits"
binary scan "AA" h2b8 lowhex lowbits
puts "$lowhex $lowbits"
# A trims trailing blanks when scanning
binary scan "hi   " A* trimmed
puts <$trimmed>
# X past the start stays at the start; @ past the end pads (and so holds a zero)
puts [binary format a2X9a1 ab c]
check {binary format a2@4a1 ab c}
# errors
check {binary format i 1}
check {binary format a3 ab}
check {binary format x}
check {binary format x* }
check {binary format @ }
check {binary format c}
check {binary format c two}
check {binary format f one}
check {binary format B 2}
check {binary format H zz}
check {binary format c3 {1 2}}
check {binary format y 1}
check {binary format c99999999 1}
check {binary scan abc a1a1 only}
check {binary scan abc @}
check {binary scan abc z v}
check {binary scan abc}
check {binary copy x y}
const fixed 1
check {binary scan abc a1 fixed}
check {binary format}
