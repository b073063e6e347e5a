# Long variable values reach list and dictionary readers without a copy;
# every change to the variable must still be seen by the next reader.
set l {}
for {set i 0} {[< $i 2000]} {incr i} { lappend l $i }
# the cached scan answers only for the value it was made from
puts "[llength $l] [lindex $l 0] [lindex $l 1999]"
lappend l tail
puts "[llength $l] [lindex $l 2000]"
# a new value of the same length, made after the old one was freed
set m [string map {1 9} $l]
set l $m
puts "[lindex $l 1] [lindex $l 1999]"
# a substitution later in the command changes the variable: the word keeps
# the value it had when it was read
puts [lindex $l [set l {a b c}; expr 1]]
puts [lindex $l 1]
# text joined to a long value makes a word of its own
set l {}
for {set i 0} {[< $i 2000]} {incr i} { lappend l $i }
puts [llength $l$l]
puts [llength "$l x"]
# an error from a reader of a long value
puts [catch {lindex $l x} msg]
puts [lrange $l 1997 end]
proc inner {name} { upvar $name v; lappend v more; return [lindex $v end] }
puts "[inner l] [llength $l] [lindex $l end]"
# dictionaries: a rendering read by get follows every set
for {set i 0} {[< $i 500]} {incr i} { dict set d key$i value$i }
for {set i 0} {[< $i 500]} {incr i} { dict set e key$i other$i }
puts "[dict get $d key7] [dict get $e key7] [dict get $d key499]"
dict set d key7 changed
puts "[dict get $d key7] [dict get $e key7]"
puts [dict get $d [dict set d key8 now; set k key8]]
puts [dict get $d key8]
