# puts shows stored text as it is
option escape off
# list: empty words become {}, blanks and tabs brace, a leading brace stays as written
puts [list a "b c" {} {{d}}]
puts [list "x\ty" "{a b" "\$v" {[cmd]} "back\\slash"]
puts "<[list]>"
# concat trims blanks and tabs from each word; an empty word keeps its separator
puts "<[concat "  a b  " "" "\tc\t"]>"
puts "<[concat]>"
# join splits with the element splitter and joins with the separator
puts [join {a {b c} d} ,]
puts [join {a b c}]
puts "<[join {a b c} {}]>"
# an element that itself starts with a brace is split once more in its place
puts [join {x {{y z}} w} -]
# lappend creates the variable, escapes, braces blanks and writes {} for empty
unset -nocomplain l
puts [lappend l a]
puts [lappend l "b c" {} {$x} {[y]} "back\\slash"]
puts $l
# lappend on an array element
puts [lappend arr(k) 1 2]
puts $arr(k)
# lappend refuses containers and constants
const c 5
catch {lappend c x} m
puts "$m / $c"
catch {lappend arr x} m
# too few words
catch {lappend onlyname} m
puts "code $m"
