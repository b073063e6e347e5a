# lrange with numbers, end and end-N
puts [lrange {a b c d} 1 end]
puts [lrange {a b c d} 0 end-2]
puts [lrange {a {b c} d} 1 1]
puts "<[lrange {a b c} 2 1]>"
puts [lrange {} 0 5]
# out of range fails
puts [catch {lrange {a b c d} 2 9} m]
puts [catch {lrange {a b c d} -1 2} m]
# lreverse keeps elements, braces those with blanks or tabs
puts [lreverse {a {b c} "d\te" f}]
puts "<[lreverse {}]>"
# lreplace: replace, insert, delete, end forms
puts [lreplace {a b c d} 1 2 X Y Z]
puts [lreplace {a b c d} 1 1]
puts [lreplace {a b c d} 0 0 {new one}]
puts [lreplace {a b c d} end end Z]
puts [lreplace {a b c d} end-1 end]
puts [lreplace {a b c d} -3 0 first]
puts [lreplace {} 0 0 x {y z}]
# endings other than end and end-N count as 0
puts [lreplace {a b c} endx 0 Q]
# errors: an empty list with a first index, start after end, nothing to split
puts [catch {lreplace {} 2 3 x} m]
puts [catch {lreplace {a b c} 2 1 x} m]
puts [catch {lreplace "   " 0 0 x} m]
