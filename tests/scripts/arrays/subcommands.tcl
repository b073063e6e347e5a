array_set a {apple 1 banana 2 {cherry pie} 3}
# exists: plain and element forms; exist is a case-sensitive prefix
puts "[array exists a] [array exists nosuch] [array exists a(apple)] [array exists a(kiwi)]"
puts "[array existing a] [array EXISTS a] [array is_set a]"
puts [catch {array exists a()}]
# names and get with patterns, -exact and -pair
puts [array names a b*]
puts [array names a BANANA -exact -nocase]
puts [array names a -pair]
puts [array get a c*]
puts [array get a -pair]
# size of a missing array leaves the result alone
puts "<[array size nosuch]>"
# list and sort, with -names, -reverse, -array and a variable
puts [array list a]
puts [array list a -names]
puts [array sort a -names -reverse]
puts [array sort a -names -array sorted]
puts "$sorted(0) $sorted(2)"
puts [array list a -names into]
puts $into
# item with a default; find by value
puts [array item a apple]
puts [array item a APPLE -nocase]
puts [array item a kiwi none]
puts [array item nosuch x dflt -nocomplain]
puts [array find a 2]
array_set f {x same y same}
puts "[array find f same 1] [array find f same 2] <[array find f other]>"
puts [array find f sa -length 2]
# trim values in place
array_set t {k {  pad  }}
array trim t
puts <$t(k)>
array_set t {k {xxpadxx}}
array trim t x -left
puts <$t(k)>
# setint, blank and append build integer-keyed arrays
array setint si {x y z} -base 1
puts "$si(1) $si(2) $si(3)"
array setint s2 {a b} {c d}
puts [array get s2]
puts [array blank bl 3 v -start 5]
puts "$bl(5) $bl(7)"
puts [array append s2 si]
puts "$s2(4) $s2(6)"
# walk with -integer lists decimal keys
array walk si 0 -integer
# unset removes arrays and elements and counts them
puts [array unset bl f]
puts [array exists bl]
puts [array unset a(apple)]
puts [array exists a(apple)]
# an unknown subcommand
puts [catch {array bogus a}]
