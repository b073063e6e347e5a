# array_foreach visits every element; the iterators are removed afterwards
array_set a {k1 v1 k2 v2 k3 v3}
array_foreach a val key { puts "$key=$val" }
puts "[catch {set val}] [catch {set key}]"
# break ends the loop with OK; continue goes on
array_foreach a val { if {[expr {$val == "v2"}]} break; puts $val }
array_foreach a val { if {[expr {$val == "v3"}]} continue; puts $val }
# array foreach is the same command
array foreach a val key { puts "$key" }
# an existing iterator, a missing array, a plain variable
set used 1
puts [catch {array_foreach a used {}}]
puts [catch {array_foreach a v used {}}]
puts [catch {array_foreach nosuch v {}}]
puts [catch {array_foreach used v {}}]
# an array without elements answers 1
dim empty 3
puts [catch {array_foreach empty v {}}]
# an error in the body ends the loop with that code
puts [catch {array_foreach a v { error stop }}]
# continue in the last round leaves CONTINUE as the loop's code
puts [catch {array_foreach a v { continue }}]
