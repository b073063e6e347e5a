# . joins its words; {} adds nothing
puts [. abc - 123]
puts [. one]
puts <[. {} {}]>
# <=> compares numbers as numbers and other texts byte by byte
puts "[<=> 1 2] [<=> 2 2] [<=> 10 9] [<=> 1.5 1] [<=> 1.0 1] [<=> -3 2]"
puts "[<=> abc abd] [<=> b a] [<=> 10 9a] [<=> {} a] [<=> {} {}]"
puts "[<=> B a] [<=> B a -nocase] [<=> -1 1 -unsigned] [<=> 0x10 15]"
puts [catch {<=> 1 2 -bogus}]
# =>> appends to a struct member, cut to the field's size
struct s {name 8 n 2}
=> s.name abc
=>> s.name def
puts [-> s.name]
=>> s.name xyzw
puts [-> s.name]
=>> s.n 12345
puts [-> s.n]
puts [catch {=>> nosuch.name x} m]
puts $m
puts [catch {=>> s.missing x} m]
puts $m
puts [catch {=>> nodot x} m]
puts $m
# the operators need their words
.
