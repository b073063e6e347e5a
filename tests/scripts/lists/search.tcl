# lsort: byte order, integers, reals, nocase, descending; empty elements drop
puts [lsort {10 9 100}]
puts [lsort {10 9 100} -integer]
puts [lsort {1.5 -2 1e1} -real]
puts [lsort {b A c} -nocase]
puts [lsort {b A c}]
puts [lsort {b a c} -decreasing]
puts [lsort {b {} a {x y}}]
# a word naming a variable sorts that variable's value
set names {pear apple fig}
puts [lsort names]
# lsearch: glob by default, exact, nocase, not, all, inline, start
puts [lsearch {a b c} b]
puts [lsearch {a b c} z]
puts [lsearch -all -inline {a ab b} a*]
puts [lsearch -not {a a b} a]
puts [lsearch -exact {a* ab} a*]
puts [lsearch -nocase {A B} b]
puts [lsearch -all {a b a} a]
puts [lsearch -all {a b a} z]
puts [lsearch -start 1 {a b a} a]
puts [lsearch -start 99 {a b a} a]
puts [lsearch -sort -inline {c b a} ?]
puts [lsearch -all -inline {{x y} z} {x*}]
puts [lsearch {} a]
# accepted options without effect
puts [lsearch -sorted -increasing -integer -real -ascii {1 2 3} 3]
# errors
puts [catch {lsearch -bogus {a} a} m]
puts [catch {lsearch -start -1 {a} a} m]
puts [catch {lsearch -exact {a}} m]
# in and ni: glob matching, -nocase as the only option
puts [in {a b c} b]
puts [in {a b c} B]
puts [in {a b c} B -nocase]
puts [in {apple pear} p*]
puts [ni {a b c} b]
puts [ni {a b c} z]
puts [catch {in -bad x} m]
