# incr and ++ add, decr and -- subtract; the amount defaults to 1
set i 5
puts "[incr i] [incr i 10] [decr i] [decr i 4] [++ i] [-- i 2] $i"
# A radix value is read as such and stored back in decimal (quoted, so the
# script's literal pass keeps it)
set h "0x10"
puts "[incr h] $h"
# Text reads as its leading digits
set t 12abc
puts "[incr t] $t"
set s abc
puts "[incr s] $s"
# Values wrap around in 64 bits; -unsigned prints the pattern unsigned
set m 9223372036854775807
puts [incr m]
set z 0
puts "[decr z 1 -unsigned] $z"
set big -9223372036854775808
puts [decr big]
# A number that is no variable gives the changed number and stores nothing
puts "[incr 41] [decr 0x10 2] [incr 1.5]"
# +++ adds one to a variable or to the word itself
set p 9
puts "[+++ p] $p [+++ 99]"
# Errors: an unknown radix prefix, a name that is neither variable nor number
set q &q1
puts "code [catch {incr q}] q $q"
puts "code [catch {incr nosuch}]"
# A constant cannot be changed
const c 3
puts "code [catch {incr c}] c $c"
