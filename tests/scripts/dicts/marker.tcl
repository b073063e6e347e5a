# the dictionary marker belongs to the result it came with
dict create a 1
set y hello
puts $y
set z "[dict create a 1] tail"
puts $z
puts [dict exists z]
# a plain variable assigned a dictionary value becomes a dictionary
set p 5
set p [dict create k v]
dict set p k2 v2
puts [dict size p]
# an empty dictionary result makes an empty dictionary variable
set e [dict create]
puts [dict exists e]
dict set e k v
puts $e
# a refused value leaves the old dictionary as it was
set keep [dict create a 1]
puts [catch {set keep [dict merge {x}]}]
puts $keep
set x 1
puts [catch {set keep [dict merge x]}]
# constants and arrays take no dictionary
const c 1
puts [catch {set c [dict create a 1]}]
dim arr 1
puts [catch {set arr [dict create a 1]}]
# a procedure that ends with a dictionary hands it on
proc build {} { dict create p 1 q 2 }
set b [build]
puts [dict size b]
# an alias of a dictionary shares its table
proc add {name} { upvar $name d; dict set d added yes }
add b
puts [dict get $b added]
# an alias of an empty variable turns its target into a dictionary
proc make {name} { upvar $name d; set d [dict create m 1] }
make fresh
puts [dict get $fresh m]
puts [dict size fresh]
# a plain value through the alias turns the target plain again
proc flatten {name} { upvar $name d; set d plain }
flatten fresh
puts $fresh
puts [dict exists fresh]
# an alias made before its target became a dictionary reads it as one
proc late {} { upvar lt d; uplevel 1 {set lt [dict create w 1]}; return $d }
puts [late]
# an array element takes a dictionary value as its text
set elements(one) [dict create k v]
puts [array names elements]
puts $elements(one)
# inside a procedure a global name gets the dictionary
proc global_dict {} { set ::gd [dict create g 1] }
global_dict
puts [dict size gd]
# an alias of an empty variable, read from another level, is an empty dictionary
upvar @0 target view
proc look {} { puts "<$::view> [dict size $::view] <[dict keys $::view]>" }
look
# the marker left inside catch does not pass to catch's own result
set caught [catch {dict create a 1}]
puts $caught
puts [dict exists caught]
# a script whose result is the dictionary hands it on
set chosen [if 1 {dict create c 1}]
puts [dict exists chosen]
