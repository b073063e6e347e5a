# Aliases of any chain length: releasing the target cuts every alias loose,
# writes reach the target, and reads see the target's current value.

# unset of an array under a 4,200-link chain leaves no alias on the freed table
array set arr {x 1}
upvar 0 arr a0
loop i 1 4200 {upvar 0 a[- $i 1] a$i}
unset arr
puts [catch {puts $a4199(x)} -quiet]

# array unset and a dim array, the same way
dim d 10
set d(k) v
upvar 0 d d0
loop i 1 4200 {upvar 0 d[- $i 1] d$i}
array unset d
puts [catch {puts $d4199(k)} -quiet]

# a write through a chain past 4,096 links reaches the target
set x old
upvar 0 x b0
loop i 1 4200 {upvar 0 b[- $i 1] b$i}
set b4199 new
puts $x

# recursive procedures each aliasing the caller's variable, then the root goes
proc down {n} {
    upvar 1 v v
    if {[expr {$n > 0}]} {down [- $n 1]} else {array set v {q 1}}
}
proc root {} {down 300; array unset v; return [array exists v]}
puts [root]

# a change made to the target by anyone is seen through global and upvar
proc helper {} {global total; set total 1}
proc f {} {global total; helper; return $total}
puts [f]
set y1 1
upvar 0 y1 y2
set y1 2
puts $y2
# an element alias reads the element as it is now
set e(k) 1
proc g {} {upvar 1 e(k) el; uplevel 1 {set e(k) 2}; return $el}
puts [g]

# two aliases of one array, then clear: nothing is freed twice
set a(1) x
upvar 0 a b
upvar 0 a c
clear
puts ok
