# A first look at Zorak: run it with `build/zorak examples/tour.tcl`.
textcolor cyan
puts "Welcome to Zorak [set tcl_version]"
textcolor

# Variables hold text; $name and [command] substitute inside words.
set greeting "Hello"
set target world
puts "$greeting, $target!"

# A number standing alone is its own value, so [42] runs no command.
set answer [42]
puts "The answer is $answer"

# Every operator is also a command; expr applies them left to right after
# grouping * / and ** first.
puts "2 + 3 * 4 = [expr {2 + 3 * 4}], and the command + gives [+ 2 3]"

# Procedures take defaults; lists and arrays are plain text underneath.
proc greet {name {punctuation !}} {
    return "Hi $name$punctuation"
}
puts [greet Zorak]
set colours [list red green blue]
puts "[llength $colours] colours, the second is [lindex $colours 1]"
foreach colour $colours { set length($colour) [expr {[llength [split $colour {}]]}] }
puts "letters in green: $length(green)"

# Loops take their condition as a script: write [expr {...}] in it.
set total 0
for {set i 1} {[expr {$i <= 10}]} {incr i} { set total [expr {$total + $i}] }
puts "1 + 2 + ... + 10 = $total"

# Commands can be renamed and aliased.
alias say puts
say "say is an alias of puts"
puts "Commands run so far: [cmdcount]"

# Errors carry a completion code and leave their message in ::errorMsg.
option autoexec off
puts "catch gives code [catch {nosuch_command} message -quiet]: $message"
