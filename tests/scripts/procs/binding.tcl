# missing words take the default or the empty string
proc p {a {b 7} c} { return "a=<$a> b=<$b> c=<$c>" }
puts [p]
puts [p 1]
puts [p 1 2 3]
# words beyond the formals are dropped unless the last formal is args
puts [p 1 2 3 4 5]
proc q {a args} { return "a=<$a> args=<$args>" }
puts [q 1]
puts [q 1 two]
puts [q 1 {two words}]
puts [q 1 2 3]
puts [q 1 2 {3 4} 5]
# a last formal with another name takes its own word only
proc r {a rest} { return "a=<$a> rest=<$rest>" }
puts [r 1 2 3]
# empty formal elements bind nothing and take no word
proc s {a {} b} { return "a=<$a> b=<$b>" }
puts [s 1 2]
# each call has its own frame: locals do not leak out
proc t {} { set inner 1; return [level] }
puts [t]
puts [catch {set inner}]
# a procedure called through an alias binds the same way
alias q2 q
puts [q2 x y z]
