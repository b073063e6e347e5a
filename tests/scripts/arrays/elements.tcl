# an element assignment makes the array; the array reads as <array>
set a(x) 1
puts [set a]
puts $a(x)
# a plain variable becomes an array
set v 5
set v(k) 1
puts "$v $v(k)"
# subscripts are substituted, trimmed of blanks, and "\ " is a blank
set key x
puts $a($key)
puts $a( x )
set b(two\ words) 2
puts [set {b(two words)}]
# iteration order is the table's: names, get and size
array_set c {k1 v1 k2 {v 2} k3 v3}
puts [array names c]
puts [array get c]
puts [array size c]
# a missing element
puts [catch {set c(nosuch)}]
