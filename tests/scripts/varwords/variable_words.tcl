# result passes the previous command's result on and can store it
expr 6 * 7
result answer
puts $answer
# inside brackets a script starts with an empty result
puts <[result]>
const fixed 1
puts [catch {result fixed} m]
puts $m
# setresult gives its text with the code named or numbered
puts [catch {setresult oops error} m]
puts "$m"
puts [catch {setresult fine} m]/$m
puts [catch {setresult brk BREAK}]
puts [catch {setresult x 9}]
puts [catch {setresult x bogus} m]
puts $m
puts [catch {setresult x -1} m]
puts $m
# dummy ignores its words and leaves the result alone
set r [dummy a b c]
puts <$r>
# defined sees variables, elements, globals and commands; the options narrow it
set x 1
array set arr {k v}
proc inner {} { return "[defined ::x] [defined x] [defined arr(k)]" }
puts [inner]
puts "[defined x] [defined puts] [defined x -command] [defined puts -var] [defined nosuch]"
puts "[defined arr(k) -var] [defined arr(zz)] [defined ::x]"
# type names every kind, constants as const; -code gives the number
dict set d a 1
stack create st 4
struct rec {a 4}
puts "[type x] [type arr] [type d] [type st] [type rec] [type rec.a] [type fixed]"
puts "[type arr -code] [type d -code] [type fixed -code]"
puts [catch {type nosuch} m]
puts $m
# varname finds the newest variable matching a pattern
set apple 1; set apricot 2
puts [varname ap*]
puts [varname AP* -nocase]
puts <[varname zz*]>
proc local {} { set apx 1; return "[varname ap*] [varname ap*c* -global]" }
puts [local]
# content renders every kind of variable
puts [content x]
puts [content arr]
puts [content d]
stack push st one
stack push st "two words"
puts [content st]
=> rec.a hello
puts [content rec]
puts [content rec.a]
puts [content arr(k)]
puts [catch {content nosuch} m]
puts $m
# walk prints any kind of variable
walk x
puts [walk st]
walk arr -bare
puts [catch {walk nosuch} m]
puts $m
# type needs a name
type
