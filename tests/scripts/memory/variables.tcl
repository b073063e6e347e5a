# addressof, addressofb, dump and is_pointer on variables and structs, and
# the bounds of leakmem. Addresses differ between systems: messages show
# them as A, B ...
proc fails {script {names {}}} {
    set code [catch {uplevel 1 $script} m -quiet]
    puts "$code [string map $names $m]"
}

# a value's address reaches its text; writes change the value in place
set word "cat"
set a [addressof word]
memset $a b 1
puts "$word [ofaddress $a] [ofaddressb $a 3]"
# asking again while the value stands gives the same address, in either form
puts "[== [addressof word] $a] [ofaddress [addressofb word]]"
# the terminating zero is not part of the range, so a value stays a text
fails {ofaddressb $a 4} [list $a A]
fails {memset $a 0x41 4} [list $a A]
# a zero byte written inside shortens the text and the range with it
memset [+ $a 1] 0 1
puts "[string length $word] $word"
fails {ofaddressb $a 2} [list $a A]
# after an assignment the old address is refused; a new one is handed out
set word "dog"
fails {ofaddress $a} [list $a A]
puts [!= [addressof word] $a]

# a constant's value can be read through its address, not written
const limit 42
set c [addressof limit]
puts [ofaddress $c]
fails {memset $c 0 1} [list $c C]
# copying between two variables' values
set src "HELLO"
set dst "world"
memcpy [addressof dst] [addressof src] 3
puts $dst

# an upvar alias reaches its target's value
proc shout {name} {
    upvar 1 $name v
    memset [addressof v] 0x5a 1
}
set t abc
shout t
puts $t
# a procedure's local variable is gone when the procedure returns
proc local_address {} { set v xyz; return [addressof v] }
set gone [local_address]
fails {ofaddress $gone} [list $gone G]

# variables without value text, and missing ones
array set arr {k v}
fails {addressof arr}
fails {addressof nosuch}
fails {dump nosuch}

# structs and fields keep their own addresses, which the commands accept
struct create s {a 4 b 8}
=> s.a abc
set sb [lindex [struct elements s -value] 1]
puts "[== [addressof s] $s] [== [addressof s.b] $sb]"
memcpy [addressof s.b] [addressof src] 5
puts [-> s.b]
puts [ofaddress [+ $s 4] 3]
fails {memset $sb 1 9} [list $sb B]
fails {free $s} [list $s S]
dump s
dump s.a
puts [dump word]
# a released struct's block is refused like any stale address
set old $s
struct unset s
fails {ofaddress $old} [list $old S]

# is_pointer: struct parts, live addresses; not plain values or stale ones
struct create r {f 4}
set p [malloc 2]
set plain 12
puts "[is_pointer r] [is_pointer r.f] [is_pointer p] [is_pointer plain] [is_pointer nosuch]"
free $p
puts [is_pointer p]

# leakmem keeps memory up to its bound and no further
puts [leakmem 1000]
puts [leakmem 24]
fails {leakmem 0}
fails {leakmem -1}
fails {leakmem 67108864}

# addresses of values that moved on are dropped, so a loop never runs out
set ok 0
for {set i 0} {< $i 3000} {incr i} { set v "x$i"; addressof v; incr ok }
puts $ok
# but live values addressed at once are bounded
proc many {} {
    for {set i 0} {< $i 1100} {incr i} {
        set n$i $i
        if {[catch {addressof n$i} m -quiet]} { return "$i $m" }
    }
    return none
}
puts [many]
