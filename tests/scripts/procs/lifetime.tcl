# an alias whose variable is unset keeps the value it last showed
proc cut {} {
    upvar ::target t
    unset ::target
    set before $t
    set t after
    return "$before $t"
}
set target value
puts [cut]
puts [catch {set target}]
# an alias of an array that is unset no longer reaches its elements
proc cutarray {} {
    upvar ::ar a
    array unset ::ar
    return [array exists a]
}
set ar(1) one
puts [cutarray]
# an alias of an alias reaches the variable when the middle alias goes
proc middle {} { upvar ::m1 mm; return [inner2] }
proc inner2 {} {
    upvar 1 mm deep
    uplevel 1 {unset mm}
    set deep through
    return $deep
}
set m1 start
puts "[middle] $m1"
# undef of the running procedure through uplevel is refused while it runs
proc running {} { return [catch {uplevel {undef running}}] }
puts [running]
# rename and undef of procedures that are not running work
proc spare {} { return spare }
rename spare spare2
puts [spare2]
undef spare2
puts [is_command spare2]
# a procedure may undef another one from inside
proc victim {} { return v }
proc killer {} { undef victim; return [is_command victim] }
puts [killer]
