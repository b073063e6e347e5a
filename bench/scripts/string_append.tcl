# Builds a text of 100,000 small pieces with append, and looks at it with
# string length, index, range and replace every thousand pieces.
set letters abcdefghij
set s ""
set i 0
set checks 0
while {[expr {$i < 100000}]} {
    set k [expr {$i % 10}]
    append s [string index $letters $k] $k
    if {[expr {$i % 1000 == 999}]} {
        set n [string length $s]
        set tail [string range $s [expr {$n - 4}] end]
        set tail [string replace $tail 0 0 [string index $tail 0]]
        if {[expr {[string index $s [expr {$n - 1}]] == 9}]} { incr checks }
    }
    incr i
}
puts "[string length $s] $checks [string range $s 0 9] $tail"
