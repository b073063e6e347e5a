# Assignment forms store the new value and return it
set a 10
puts "[+= a 5] [-= a 3] [*= a 2] [/= a 5] $a"
puts "[&= a 6] [|= a 9] [^= a 3] $a"
# A floating operand gives a floating value
set f 1
puts "[+= f 0.5] [*= f 2] $f"
# An empty value counts as 0
set e ""
puts "[+= e 4] $e"
# -unsigned prints the 64-bit pattern unsigned
set u 0
puts "[-= u 1 -unsigned] $u"
# Integer values wrap around in 64 bits
set w 9223372036854775807
puts [+= w 1]
# A name that is no variable is its own operand; nothing is stored
puts "[+= 7 1] [+= nosuch 2] [catch {set nosuch}]"
# Division by zero and bitwise work on floating values fail
set z 5
puts "code [catch {/= z 0}] z $z"
puts "code [catch {/= z 0.0}] z $z"
puts "code [catch {&= z 1.5}] z $z"
# A constant cannot be assigned
const c 1
puts "code [catch {+= c 1}] c $c"
