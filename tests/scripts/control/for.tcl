# Unknown commands here must fail, not run as programs.
option autoexec off
# The body runs once before the condition is first tested
for {set i 10} {[< $i 5]} {incr i} {puts "body ran with $i"}
puts "i=$i"
# An ordinary count
set s ""
for {set i 0} {[< $i 4]} {incr i} {set s "$s$i"}
puts "s=$s i=$i"
# The condition's leading integer decides: text and 0.5 end the loop
set n 0
for {set i 0} {[set r 0.5]} {incr i} {incr n}
puts "n=$n"
# An empty condition counts as 1
set n 0
for {set i 0} {} {incr i} {incr n; if {[>= $n 3]} {break}}
puts "n=$n"
# continue goes on with the next script
set s ""
for {set i 0} {[< $i 5]} {incr i} {if {[== $i 2]} {continue}; set s "$s$i"}
puts "s=$s"
# A failing start script
puts "code [catch {for {nosuch_cmd_f} {1} {} {}}]"
# A failing next script returns ERROR
puts "code [catch {for {set i 0} {1} {error in_next} {}}]"
# A failing condition returns its code
puts "code [catch {for {set i 0} {[nosuch_cmd_g]} {} {}}]"
