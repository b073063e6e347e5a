# return gives its value, the rest of the body does not run
proc a {} { return first; puts "not reached" }
puts [a]
# return inside a nested body ends the procedure
proc b {n} { if {[expr {$n > 0}]} { return positive }; return other }
puts "[b 1] [b 0]"
# a body without return leaves its last result
proc c {} { set x 5 }
puts [c]
# -code selects the completion code by name or number
proc e {} { return -code error msg }
puts [catch {e} m]/$m
proc f {} { return -code 9 x }
puts [catch {f} m]/$m
proc g {} { return -code BREAK }
puts [catch {g} m]
# -code after the value keeps the value of word 1
proc h {} { return value -code ok }
puts [catch {h} m]/$m
# level: the current frame's level
proc lv {} { return [level] }
puts "[level] [lv]"
proc lv2 {} { return [lv] }
puts [lv2]
# return at the top level of a script ends it successfully
return done
puts "not reached"
