# upvar with one name aliases the caller's variable, creating it when missing
proc inc {} { upvar counter; set counter [expr {$counter + 1}] }
set counter 1
inc
inc
puts $counter
proc mk {} { upvar made; set made yes }
mk
puts $made
# otherVar and myVar; "::" selects the global frame
proc two {} { upvar value mine; set mine 2; upvar ::gv g; set g G }
two
puts "$value $gv"
# level forms: a number counts back, @ is absolute
proc outer {} { set o outer; inner; return $o }
proc inner {} { upvar 1 o here; set here changed; upvar @0 top t; set t T }
puts [outer]
puts $top
# an alias of one array element writes into the element
set arr(k) old
proc elem {} { upvar arr(k); set arr new; upvar arr(fresh) f; set f made }
elem
puts "$arr(k) $arr(fresh)"
# a whole array through an alias
proc whole {} { upvar arr a; set a(w) 1; return [array size a] }
puts [whole]
# a local of the same name already exists
proc clash {x} { upvar x }
puts [catch {clash 1}]
# a "::" name with a level other than 0
proc conflict {} { upvar 1 ::g1 mine }
proc conflictCaller {} { conflict }
puts [catch {conflictCaller}]
# a level that does not exist; -nocomplain makes it quiet
proc far {} { upvar @5 v mine }
puts [catch {far}]
proc farquiet {} { upvar @5 v mine -nocomplain; return ok }
puts [farquiet]
# an empty subscript
proc badsub {} { upvar a() b }
puts [catch {badsub}]
# no variable word
upvar -nocomplain
