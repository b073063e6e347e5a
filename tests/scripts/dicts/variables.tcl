# set after a dictionary result makes a dictionary variable
set d [dict create a 1 b 2]
puts [set d]
puts $d
puts [dict size d]
# dict set stores one key, creating the variable when missing
puts [dict set fresh x {}]
puts [dict set fresh y {two words}]
puts [dict get $fresh y]
# several keys nest one level per key
puts [dict set n a b c 5]
puts [dict set n a b d 6]
puts [dict set n a e 7]
puts [dict get $n a b d]
# a value that is no dictionary cannot take a nested key
dict set n flat 1
puts [catch {dict set n flat x y}]
# plain variables are not dictionaries
set plain 1
puts [catch {dict set plain k v}]
puts [catch {dict unset plain k}]
puts [catch {dict lappend plain k v}]
puts [catch {dict append plain k v}]
puts [catch {dict size plain}]
puts [catch {dict set {} k v}]
puts [catch {dict set arr(x) k v}]
puts [catch {dict lappend {} k v}]
# unset erases keys and returns what is left
puts [dict unset d a nosuch]
puts [catch {dict unset nosuch a}]
# exists: the variable alone, or any one of the keys
puts [dict exists d]
puts [dict exists d zz b]
puts [dict exists d zz]
puts [dict exists nosuch]
puts [dict exists plain]
# lappend adds list elements; append adds text
puts [dict lappend l k a {b c}]
puts [dict lappend l k {}]
puts [dict get $l k]
puts [dict append t k ab cd]
puts [dict append t k {e f}]
puts [dict get $t k]
# clear empties dictionaries and counts them
dict set c1 a 1
dict set c2 b 2
puts [dict clear c1 c2]
puts "<$c1>"
puts [catch {dict clear c1 plain}]
puts [dict clear c1 plain nosuch -nocomplain]
# a plain value turns a dictionary back into a plain variable
set c2 hello
puts [catch {dict exists c2}]
puts [dict exists c2]
# unset removes a dictionary with its table
unset c1
puts [dict exists c1]
