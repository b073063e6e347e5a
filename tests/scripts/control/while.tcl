# Unknown commands here must fail, not run as programs.
option autoexec off
# while counts with a script condition
set i 0
while {[< $i 5]} {incr i}
puts "i=$i"
# Results made of 0 . + - are false; any other text is true
set n 0
while {set v 0.0} {incr n}
while {set v -0.+} {incr n}
while {set v {}} {incr n}
puts "n=$n"
set k 0
while {? {< $k 3} {set r abc} {set r 0}} {incr k}
puts "k=$k"
# continue skips the rest of the body; break ends the loop with OK
set i 0
set odd ""
while {[< $i 10]} {
    incr i
    if {[== [% $i 2] 0]} {continue}
    if {[> $i 7]} {break}
    set odd "$odd $i"
}
puts "odd:$odd i=$i"
# A condition failure ends the loop with its code
puts "code [catch {while {[nosuch_cmd_w]} {}}]"
# Other codes from the body pass out
puts "code [catch {while 1 {error stop_here}} r] $r"
puts "code [catch {while 1 {exit 3}} r] $r"
