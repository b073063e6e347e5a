# Numbers compare as numbers, so 10 matches 10.0
switch 10 {10.0 {puts "numeric match"} default {puts no}}
switch 007 7 {puts "integer match"} default {puts no}
# Texts compare exactly, or without case with -nocase
switch abc ABC {puts no} abc {puts "exact match"}
switch -nocase abc ABC {puts "nocase match"}
# -glob matches wildcard patterns
switch -glob hello {h*o {puts "glob match"} default {puts no}}
switch -glob -nocase HELLO {h?llo {puts "glob nocase match"}}
# The variable this holds the value; a $name pattern reads a variable
set want xyz
switch xyz {$want {puts "matched $this via variable"}}
# -eval evaluates each pattern as an expression
switch -eval 6 {{2 * 3} {puts "eval match"} default {puts no}}
# A body of - falls through to the next body
switch b {a - b - c {puts "fell through"} default {puts no}}
# The result is the body's, or the value when the body leaves it empty
puts "[switch x {x {set r body}}] [switch x {x {set r {}}}] <[switch q {default {}}]>"
# default must be last
puts "code [catch {switch a {default {puts x} a {puts y}}}]"
# No match without default
puts "code [catch {switch abc {x {puts x}}}]"
# An odd number of list elements, and an empty list
puts "code [catch {switch a {a}}]"
puts "code [catch {switch a {}}]"
# A value alone
puts "code [catch {switch -glob a}]"
# break inside a switch inside a loop ends the loop
set i 0
while 1 {incr i; switch $i {3 {break} default {}}}
puts "i=$i"
