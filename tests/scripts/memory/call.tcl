# call runs a command by name with its words as they are
proc greet {who} { return "hello $who" }
# the words are not substituted again
puts [call greet {[world] $x}]
# built-in commands, and a procedure's return ends only the procedure
puts [call list a {b c}]
call set v 7
puts $v
proc early {} { call greet x; return done; puts never }
puts [early]
# errors of the called command pass out with their code
puts [catch {call expr 1 /} m -quiet]
# a name is the only handle: numbers and unknown names are refused
option autoexec off
puts [catch {call nosuch} m -quiet]
puts $m
puts [catch {call 4198400} m -quiet]
puts $m
