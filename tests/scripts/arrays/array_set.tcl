# one list or key-value words; the result is the number of pairs
puts [array_set p {a 1 b 2}]
puts [array_set q k1 v1 k2 v2]
puts "$p(a) $q(k2)"
# -nocase makes lookups ignore case
array_set n {K 1} -nocase
puts $n(k)
# -const makes the array constant
array_set k {a 1} -const
puts [catch {set k(b) 2}]
puts [catch {array_set k {c 3}}]
# an odd pair count
puts [catch {array_set r k1 x k2}]
puts [catch {array_set r {}}]
# dim and array create
dim d 10
puts [array exists d]
puts [catch {dim d 5}]
set plain 1
puts [catch {dim plain 5}]
puts [catch {array create e 0}]
array create e
puts [array size e]
# array set runs array_set
puts [array set s {x 1 y 2}]
# too few words
array_set lonely
