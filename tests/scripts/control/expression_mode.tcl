# With the expression option on, conditions are infix expressions
option expression on
set x 5
# if substitutes its first condition, then evaluates it
if {$x > 3 && $x < 10} {puts "in range"} else {puts "out of range"}
if {
    $x == 5
} {puts "line ends are removed"}
if {$x < 3} {puts a} elseif {$x * 2 == 10} {puts "elseif expression"} else {puts c}
# while loops while the value's leading integer is not 0
set i 0
while {$i < 4} {incr i}
puts "i=$i"
# 0.5 reads as 0 and ends a while at once
set n 0
while {0.5} {incr n}
puts "n=$n"
# for tests its condition after the body
set s ""
for {set i 0} {$i < 3} {incr i} {set s "$s$i"}
puts "s=$s"
# do with an expression condition
set n 0
puts "[do {incr n} until {$n >= 3}] n=$n"
# switch -eval patterns and the ? command use expressions too
switch -eval 6 {{2 * 3} {puts "eval pattern"}}
puts [? {$x > 4} {set r big} {set r small}]
# A failing condition ends the loop with its code
puts "code [catch {while {1 +} {incr i}}]"
puts "code [catch {if {(1} {puts x}}]"
option expression off
# Back in script mode the condition is a script: its leading number 5 is
# its own result, so the comparison is never made
if {$x > 30} {puts "script mode"}
