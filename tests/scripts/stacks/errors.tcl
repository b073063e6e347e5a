# unset removes the variable; the result is unset's code
stack create s 2
stack push s a
puts "[stack unset s] [llength [vars -list s]]"
# a missing name: only create works, and unset -nocomplain is quiet
puts [catch {stack peek nosuch}]
puts [catch {stack unset nosuch}]
puts [stack unset nosuch -nocomplain]
puts [catch {stack create nosuch}]
# an ordinary variable is not a stack
set x 1
puts [catch {stack peek x}]
puts [catch {stack create x 3}]
# an existing stack: create with a size is an unknown argument, without one
# the variable already exists
stack create s 2
puts [catch {stack create s 5}]
puts [catch {stack create s} m]
puts "'$m'"
# wrong word counts and unknown subcommands
puts [catch {stack peek s extra}]
puts [catch {stack push s}]
puts [catch {stack item s}]
puts [catch {stack foreach s v}]
puts [catch {stack frobnicate s}]
puts [catch {stack s}]
# a stack seen through an alias, and the alias removed alone
proc touch {} { upvar 1 s mine; stack push mine b; return [stack unset mine] }
puts "[touch] [stack list s]"
# removing the owner leaves the alias without a stack
upvar 0 s other
stack unset s
puts "[catch {stack peek other}] [llength [vars -list s]]"
# the record reads as <stack>
stack create t 1
puts "$t '[set t]'"
