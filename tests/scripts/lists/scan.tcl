# llength: the scanner keeps {} and "" and drops tabs between characters
puts [llength "a\tb"]
puts [llength "a b"]
puts [llength "{}"]
puts [llength ""]
puts [llength {{} "" x}]
puts [llength "  a \n b\r\n c  "]
# lindex: plain, beyond the end, negative, end and end-N
puts [lindex {a b c} 1]
puts "<[lindex {a b c} 5]>"
puts "<[lindex {a b c} -1]>"
puts [lindex {a b c} end]
puts [lindex {a b c} end-1]
puts [lindex {a b c} END-9]
puts [lindex {a b c} end--5]
# without an index the list comes back unchanged
puts [lindex {a  {b}  c}]
# a one-element list answers every index with its element
puts [lindex {{x y}} 3]
# nested indices, in one word or several
puts [lindex {a {b {c d}}} 1 1 0]
puts [lindex {a {b {c d}}} {1 1 1}]
# a non-numeric index and an empty list with end give code 1
puts [catch {lindex {a b} x}]
puts [catch {lindex {} end}]
# a quote directly followed by a line end is refused
puts [catch {lindex "\"a\"\nb" 0} m]<$m>
puts [catch {lindex "\"a\"\nb" end} m]<$m>
# lassign: extra names get {}, extra elements come back as a list
puts [lassign {a b c} x y]
puts "$x $y"
puts "<[lassign {a} p q r]> $p $q $r"
puts [lassign {1 {2 3} {} 4 {5 6}} one]
lassign {v w} e(1) e(2)
puts "$e(1) $e(2)"
