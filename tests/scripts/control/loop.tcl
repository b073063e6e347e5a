# loop counts with an exclusive end and leaves the first value outside
set s ""
loop i 0 5 {set s "$s$i"}
puts "$s i=$i"
# A start above the end counts down by 1 whatever step was given
set s ""
loop i 5 1 {set s "$s$i"}
puts "$s i=$i"
set s ""
loop i 5 1 3 {set s "$s$i"}
puts "$s i=$i"
# A step
set s ""
loop i 0 10 3 {set s "$s $i"}
puts "$s i=$i"
# A negative step from below the end ends at once
set s ""
loop i 0 5 -1 {set s "$s$i"}
puts "<$s> i=$i"
# The body may change the variable
set s ""
loop i 0 10 {set s "$s$i"; set i [+ $i 2]}
puts "$s i=$i"
# Steps past the 64-bit range end the count
set n 0
loop i 9223372036854775800 9223372036854775807 4 {incr n}
puts "n=$n"
# A zero step
puts "code [catch {loop i 0 5 0 {}}]"
# floop counts with doubles
floop x 0 1 0.25 {puts $x}
puts "x=$x"
floop x 1 0 {puts $x}
puts "code [catch {floop x 0 1 0.0 {}}]"
