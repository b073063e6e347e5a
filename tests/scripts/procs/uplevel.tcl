# uplevel without a level runs at the global frame
proc a {} { set x local; uplevel {set x global}; return $x }
puts [a]/$x
# a relative level counts back from the current one
proc b {} { set y b; c }
proc c {} { uplevel 1 {set y changed}; uplevel 1 {return $y} }
puts [b]
# an absolute level with @
proc d {} { e }
proc e {} { return [uplevel @1 level]/[uplevel @0 level] }
puts [d]
# targets below 0 become 0
proc f {} { uplevel 7 {set z fromf} }
f
puts $z
# a level above the current one does not exist
puts [catch {uplevel @3 {set w 1}}]
proc g {} { uplevel -2 {set w 1} }
puts [catch {g}]
# the current frame comes back after the script, also after an error
proc h {} { catch {uplevel {error boom}}; return [level] }
puts [h]
# too many words
uplevel 1 {set a 1} extra
