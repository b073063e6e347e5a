struct s {a 4 b 4}
struct t {a 4 b 4}
=> s.a one
=> s.b two
# copy takes the target's size in bytes from another struct's address
puts "[struct copy t $s] [-> t.a] [-> t.b]"
# clear zero-fills the whole block
struct clear s
puts "'[-> s.a]' '[-> s.b]' [-> t.a]"
# dump prints the bytes with offsets from the block's start
=> t.b AB
puts [struct dump t]
# size of a struct or a field; errors for anything else
puts "[struct size t] [struct size t.b]"
set plain 1
puts [catch {struct size plain}]
puts [catch {struct size nosuch}]
# elements needs a struct
puts [catch {struct elements plain}]
puts [catch {struct dump nosuch}]
# clear and copy need a struct
puts [catch {struct clear plain}]
puts [catch {struct copy plain $t}]
puts [catch {struct copy t notanumber}]
puts [catch {struct copy t}]
# raw byte access is refused
puts [catch {struct setb t 1}]
puts [catch {struct ofaddressb t 1}]
# unset releases the struct and its fields; a second unset fails quietly
puts "[struct unset s] [llength [vars -list s]] [llength [vars -list s.a]]"
puts [catch {struct unset s} m]
puts "'$m' [struct unset s -nocomplain]"
puts [catch {struct unset plain}]
puts [struct unset plain -NOCOMPLAIN]
# the unset command releases structs too; a field alone cannot go
puts [catch {unset t.a}]
puts "[unset t] [llength [vars -list t.b]]"
# a struct made in a procedure goes with its frame
proc local {} { struct p {x 4}; => p.x in; return [-> p.x] }
puts "[local] [llength [vars -list p]]"
# a struct unset through an alias releases the target
struct g {v 2}
proc drop {} { upvar 1 g h; return [struct unset h] }
puts "[drop] [llength [vars -list g]] [llength [vars -list g.v]]"
