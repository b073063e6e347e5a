# unset removes variables and answers 1
set a 1
set b 2
puts [unset a b]
puts [catch {set a}]
# options may follow the names; a missing name is quiet with -nocomplain
puts [unset nosuch -nocomplain]
# a missing name fails and leaves the result 0, which catch hands on as the message
puts [catch {unset nosuch} m]
puts $m
# only the element x goes; b after the element reference is not processed
set arr(x) 1
set arr(y) 2
set b 3
puts [unset arr(x) b]
puts "[catch {set arr(x)}] $arr(y) $b"
# a missing element fails unless -nocomplain
puts [catch {unset arr(nokey)} m]
puts $m
puts [unset -nocomplain arr(nokey)]
# -nocase finds an element whatever its letter case
set arr(Mixed) 1
puts [unset -nocase arr(MIXED)]
puts [catch {set arr(Mixed)}]
# a whole array goes with unset
puts [unset arr]
puts [catch {set arr}]
# constants need -const; -nocomplain leaves them in place
const k 1
puts [catch {unset k} m]
puts $m
puts "[unset -nocomplain k] $k"
puts [unset -const k]
puts [catch {set k}]
# the :: prefix removes the global variable
set g 1
puts [unset ::g]
puts [catch {set g}]
# -glob removes matching plain variables, newest first, and stops at a constant
set tt1 1
const tt2 2
set tt3 3
puts [catch {unset -glob tt*} m]
puts $m
puts [vars -all -list tt*]
puts [unset -glob -const tt*]
puts [vars -all -list tt*]
# -glob refuses arrays, or skips them with -nocomplain
set gv 1
set ga(1) 1
puts [catch {unset -glob g*} m]
puts $m
puts [unset -glob -nocomplain g*]
puts [vars -list g*]
# a pattern that matches nothing fails
puts [catch {unset -glob zz*}]
# the result of a failed unset is 0
unset nosuch
