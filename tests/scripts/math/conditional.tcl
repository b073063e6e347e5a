# Unknown commands here must fail, not run as programs.
option autoexec off
# ? runs the second word when the condition is true, else the third
puts "[? 1 {set r yes} {set r no}] [? 0 {set r yes} {set r no}] [? 0.5 {set r yes} {set r no}]"
# With a colon the else script is the fifth word
puts "[? {== 1 2} {set r yes} : {set r no}]"
# The condition is a script; non-numeric results are false
set x 3
puts "[? {> $x 2} {+ $x 1} {- $x 1}] [? {set s abc} {set r yes} {set r no}]"
# The chosen script's code is the command's
puts "code [catch {? 1 {error boom} {}} r] $r"
# A failing condition returns its code with its message as the result
puts "code [catch {? {nosuch_command_x} 1 2} r]"
# Too few words
puts "code [catch {? 1 2}]"
