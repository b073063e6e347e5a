# set assigns, answers the value, and reads it back; = and variable are set too
puts [set a 5]
puts [set a]
= b 6
variable c 7
puts "$b $c"
# assigning again replaces the value
set a "two words"
puts $a
# set - does nothing
puts "<[set -]>"
# the :: prefix names the global variable
set ::g glob
puts "$g $::g [set ::g]"
# an empty name is refused
puts [catch {set "" 1} m]
puts $m
# reading a missing variable fails with an empty result
puts [catch {set nosuch} m]
puts $m
# a constant cannot be assigned through set
const k 1
puts [catch {set k 2} m]
puts "$m / $k"
# the value given to set is taken as it is
set d {$a [b]}
puts [set d]
