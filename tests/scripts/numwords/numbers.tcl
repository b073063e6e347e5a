# bool agrees with bool(): numbers by their integer reading, else only "true"
foreach v [list 5 0 0.5 -1 "0x0" "0x10" TRUE true yes {} abc] {
    puts "<$v> [bool $v] [sbool $v]"
}
puts "[true] [false] [expr {[true] && ![false]}]"
puts "code [catch {true 1}]"
# fmod, fraction, fpart and integral agree with the functions
puts "[fmod 7.5 2] [expr fmod(7.5,2)] [fmod -7 2] [fmod 0x10 3]"
puts "[fraction -2.25] [expr fraction(-2.25)] [fpart 3.75] [fraction 5]"
puts "[integral -2.75] [expr integral(-2.75)] [integral 2.75] [integral 0x10]"
# a remainder of a division by zero is an error, not nan, also in expressions
puts "code [catch {fmod 1 0} m] $m"
puts "code [catch {expr fmod(1,0)} m] $m"
foreach cmd {{fmod x 1} {fraction {}} {integral 1[string repeat 0 30].5}} {
    puts "code [catch $cmd m] $m"
}
# round agrees with round(), with or without places
puts "[round 2.5] [round -2.5] [round 2.4] [expr round(2.5)] [round 3.14159 2] [expr round(3.14159,2)] [round 7 0] [round 0x10]"
foreach cmd {{round 1 -1} {round 1 401} {round 1 x} {round abc}} {
    puts "code [catch $cmd m] $m"
}
# vfract: convergents of the continued fraction within the denominator limit
puts "[vfract 0.75] [vfract -3.5] [vfract 2] [vfract 0] [vfract 0.1] [vfract 3.14159265 1000] [vfract 3.14159265 100] [vfract 0.3333333333]"
foreach cmd {{vfract 1e9} {vfract 1000000000} {vfract 0.5 0} {vfract x}} {
    puts "code [catch $cmd m] $m"
}
# fib agrees with fib() for the values that fit in 64 bits
puts "[fib 0] [fib 1] [fib 10] [expr fib(10)] [fib 92]"
foreach cmd {{fib 93} {fib -1} {fib 2.5}} {
    puts "code [catch $cmd m] $m"
}
# is_numeric follows the numeric rules; out-of-range numbers are still numbers
foreach v [list 42 -7 +3 2.5 .5 -.5 5. "0x1F" "&h1f" "0b101" "&b101" "0o17" "0o8" 99999999999999999999 {} abc 1e5 "0x" "0x1g" 1.2.3 { 42} {42 } - .] {
    puts -nonewline "<$v>[is_numeric $v] "
}
puts ""
# is_mod on integers; the lowest value by -1 does not overflow
puts "[is_mod 10 5] [is_mod 10 3] [is_mod -9 3] [is_mod 0 7] [is_mod -9223372036854775808 -1]"
foreach cmd {{is_mod 1 0} {is_mod 1.5 1} {is_mod 1 x}} {
    puts "code [catch $cmd m] $m"
}
# inrange includes both ends; floats compare as doubles
puts "[inrange 5 1 10] [inrange 1 1 10] [inrange 10 1 10] [inrange 11 1 10] [inrange 2.5 3 4] [inrange 3.5 3 4] [inrange 5 10 1] [inrange 0x10 16 16]"
puts "code [catch {inrange x 1 2} m] $m"
# range counts up or down, end excluded
puts "<[range 5]> <[range 2 10 3]> <[range 5 0 -2]> <[range 0]> <[range 5 1]> <[range -3 0]>"
puts "<[range 9223372036854775805 9223372036854775807]> <[range -9223372036854775808 9223372036854775807 9223372036854775807]>"
puts "[llength [range 1000000]]"
foreach cmd {{range 1 2 0} {range 1000001} {range -9223372036854775808 9223372036854775807} {range 1.5} {range}} {
    puts "code [catch $cmd m] $m"
}
