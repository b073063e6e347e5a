# Builds a string of 50,000 pieces by repeated assignment.
set s ""
set i 0
while {[expr {$i < 50000}]} {
    set s "${s}ab"
    incr i
}
puts [expr {$i * 2}]
