# Unknown commands here must fail, not run as programs.
option autoexec off
# The body runs first; until stops when the condition becomes true
set n 0
puts "[do {incr n} until {[> $n 0]}] n=$n"
# The while forms run while the condition holds
set n 0
puts "[do {incr n} {[< $n 3]}] n=$n"
set n 0
puts "[do {incr n} while {[< $n 4]}] n=$n"
set n 0
puts "[do while {[< $n 2]} {incr n}] n=$n"
set n 10
puts "[do until {[> $n 5]} {incr n}] n=$n"
# Any other middle word means while
set n 0
puts "[do {incr n} as_long_as {[< $n 2]}] n=$n"
# break ends the loop with OK
set n 0
do {incr n; if {[== $n 2]} break} {1}
puts "n=$n"
# Errors in the condition set the result to 0 and pass out
puts "code [catch {do {} {[nosuch_cmd_d]}} r] $r"
puts "code [catch {do {error body_failed} {1}} r] $r"
