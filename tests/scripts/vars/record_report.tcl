# inspect of a missing variable reports it and answers 0
puts [inspect nosuch]
puts [inspect nosuch(x) label]
# a global made in a procedure and then appended to shows as changed
proc mkg {} {global g}
mkg
lappend g x
inspect g
# inspect needs a name
inspect
