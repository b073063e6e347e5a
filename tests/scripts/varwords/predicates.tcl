# is_proc knows procedures and their aliases, not built-in commands
proc p {} {}
alias q p
puts "[is_proc p] [is_proc q] [is_proc puts] [is_proc nosuch]"
# is_const, is_array and is_null look at variables
const c 1
set v 1
set e ""
array set a {k v}
puts "[is_const c] [is_const v] [is_const nosuch]"
puts "[is_array a] [is_array v] [is_array nosuch]"
puts "[is_null e] [is_null nosuch] [is_null v] [is_null a]"
proc scoped {} { return "[is_null v] [is_null ::v]" }
puts [scoped]
# is_empty: every word empty, with {} and "" counting as empty
puts "[is_empty {}] [is_empty a] [is_empty {} {}] [is_empty {} x]"
puts [is_empty "{}" {""}]
# is_list checks that braced and quoted elements close
puts "[is_list {}] [is_list {a b c}] [is_list {a {b c} d}] [is_list {a {b}c}]"
puts [is_list {a\ b {c\}d}}]
# an unclosed brace (written with setb, code 123)
set t "Xa b"
setb t 1 123
puts "$t: [is_list $t]"
# quoted elements (the quotes are written with setb, code 34)
set t "Qb cQ d"
setb t 1 34; setb t 5 34
puts "$t: [is_list $t]"
set t "a Qb"
setb t 3 34
puts "$t: [is_list $t]"
set t "QbQc"
setb t 1 34; setb t 3 34
puts "$t: [is_list $t]"
# the predicates take exactly one word
is_proc
