# interp runs a script in a fresh interpreter; the caller's variables,
# procedures, frames and event queue are as they were afterwards.
option autoexec off
prompt {zk>}
set a outer
proc who {} { return caller }
# The child has its own variables and procedures, and the standard ones.
puts [interp -noshell {set a inner; proc who {} {return child}; who}]
puts "$a [who]"
puts [interp -noshell {list [info exists a] [info exists tcl_version] [is_command who]}]
# Exit, return and break end the child only; the caller goes on.
puts [interp -noshell {exit 7}]
puts [interp -noshell {proc p {} {exit 8}; p}]
puts [interp -noshell {set r 1; return}]
puts [interp -noshell {break}]
# A failure comes back as the caller's error, with the child's message.
puts "code [catch {interp -noshell {proc f {} {error "deep failure"}; f}} m] <$::errorMsg>"
# Deep recursion in the child is stopped there; the caller's frames stay.
proc outer {} { set local kept; set r [interp -noshell {proc r {n} {r [incr n]}; catch {r 0}; set x done}]; return "$r $local [info level]" }
puts [outer]
puts "level [info level]"
# A failure inside a procedure of the caller leaves its frames intact.
proc guarded {} { set v mine; catch {interp -noshell {error inner}}; return $v }
puts [guarded]
# The child's queued scripts go with it; the caller's queue is untouched.
after 1000 {puts never}
puts [interp -noshell {after 0 {set ::z 1}; llength [after info]}]
puts "caller queue: [llength [after info]]"
after cancel {puts never}
# Interpreters nest, up to a bound.
set s {set x bottom}
foreach i {1 2 3 4 5} { set s [list interp -noshell $s] }
puts [eval $s]
foreach i {1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20 21 22 23 24 25 26 27 28 29 30} { set s [list interp -noshell $s] }
puts "code [catch {eval $s}] <$::errorMsg>"
# A script that ends normally goes on in the shell of the child, which
# here reads the end of input at once.
puts <[interp {set v 1}]>
# Settings are the process's: an option changed in the child stays changed.
interp -noshell {option echo on}
puts [option echo]
option echo off
