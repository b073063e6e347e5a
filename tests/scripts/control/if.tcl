# Unknown commands here must fail, not run as programs.
option autoexec off
# A script condition is true when its result is a non-zero number
if {[== 1 1]} {puts "one"}
if {set v 0.0} {puts "no"} else {puts "0.0 is false"}
if {set v abc} {puts "no"} else {puts "text is false"}
if 2.5 {puts "2.5 is true"}
# elseif chains take the first true condition
set x 5
if {[< $x 3]} {puts small} elseif {[< $x 10]} {puts medium} elseif 1 {puts large} else {puts huge}
if {[> $x 10]} {puts a} elseif {[> $x 20]} {puts b}
puts "no branch: [if 0 {set r x}]"
# else and elseif are matched without regard to case
if 0 {puts a} ELSEIF 1 {puts "upper elseif"} ELSE {puts c}
# A false condition without else leaves the condition's result
puts "result: [if {[set w 0]} {set r x}]"
# A body's code passes through
set i 0
while 1 {incr i; if {[>= $i 3]} {break}}
puts "broke at $i"
# A failing condition returns its code
puts "code [catch {if {[nosuch_cmd_z]} {puts x}}]"
# A word where elseif belongs
puts "code [catch {if 0 {puts a} otherwise 1 {puts b}}]"
