struct s {a 4 b 8}
# a value is cut to the field's length
puts "[== [=> s.a hello] [lindex [struct elements s -value] 0]] [-> s.a]"
# a length word copies only that many bytes and zero-fills the rest
=> s.b abcdefgh
=> s.b hi 1
puts "[-> s.b] [set s.b] $s.b"
# a length beyond the value copies only the value
=> s.b xyz 8
puts [-> s.b]
# a field written to its full length reads back as exactly its bytes
=> s.a wxyz
=> s.b 12345678
puts "[-> s.a] [-> s.b]"
# struct set writes (with a value) or reads; struct item reads
struct set s.a ab
puts "[struct set s.a] [struct item s.a] [== [struct set s.b zz 9] [lindex [struct elements s -value] 1]]"
puts [struct item s.b]
# fields of a global struct from a procedure
proc show {} { => ::s.a up; return "[-> ::s.a] [set ::s.a]" }
puts [show]
# writer errors
puts [catch {=> sa x}]
puts [catch {=> s.a x 0}]
puts [catch {=> nosuch.a x}]
puts [catch {=> s.c x}]
set plain 1
puts [catch {=> plain.a x}]
puts [catch {=>}]
# reader errors
puts [catch {-> sa}]
puts [catch {-> nosuch.a}]
puts [catch {-> s.c}]
puts [catch {struct item plain.a}]
puts [catch {->}]
# sizeof: basic type sizes, any other name is 4
puts "[sizeof char] [sizeof BYTE] [sizeof short] [sizeof float] [sizeof double] [sizeof int64] [sizeof long] [sizeof int]"
puts [catch {sizeof}]
puts [catch {sizeof int long}]
