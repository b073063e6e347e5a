# append grows a variable, making it when missing, and returns the new value
set s ab
puts [append s cd ef]
puts [append fresh x]
puts [append s]
puts [append s ""]
# without values a missing variable is an error
puts [catch {append nosuch} m]
# array elements, new and existing
set a(x) 1
append a(x) 2 3
append a(y) new
puts "$a(x) $a(y)"
# through upvar and global, also to an element
proc grow {name} { upvar $name v; append v + }
grow s
proc growGlobal {} { global s; append s ! }
growGlobal
puts $s
proc growElement {} { upvar a(x) e; append e 4 }
growElement
puts $a(x)
# constants, arrays and other containers refuse
const c 1
puts [catch {append c x} m]
puts [catch {append a x} m]
# many small pieces build one text
set long ""
loop i 0 1000 { append long $i, }
puts "[string length $long] [string range $long 0 9]"
