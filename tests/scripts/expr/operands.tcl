# A bare name reads as its variable; an unknown name is itself
set x 7
puts "[expr x] [expr nosuch] [expr {$x}] [expr {$x * 2}] [expr {$x - 1}]"
# An empty value does not replace a name
set empty ""
puts [expr empty]
# Array elements and global names in operands
set a(1) 10
set a(k) 3
puts "[expr {$a(1) + 1}] [expr {$a(k) * $a(1)}] [expr {$::x + 0}]"
# Operands reach the operator commands as words, so strings compare as texts
set s abc
puts "[expr {$s eq "abc"}] [expr {$s ne "abd"}] [expr {$s < "abd"}] [expr {"b" > "a"}]"
# Word operators need a blank after them and fold case
puts "[expr {$s EQ "abc"}] [expr 2 lt 10] [expr 2 < 10]"
# = assigns through the set command
expr y = 5
puts $y
# A postfix ++ increments the variable through the ++ command
set n 1
expr n++
puts $n
# Bracketed commands are substituted first; [123] is its own value
puts "[expr [+ 1 1] * 3] [expr {[set x] + 1}] [expr [123] + 1]"
# A braced word reaches the core without its opening brace
set e {{a b}}
puts [expr $e]
# An empty argument yields the two characters {}
puts [expr {}]
# A string operand keeps its quotes when it stands alone
puts [expr {"abc"}]
