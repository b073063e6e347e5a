# a large dictionary read again and again answers for its current contents
for {set i 0} {[expr {$i < 600}]} {incr i} { dict set big key$i value$i }
puts [dict size big]
puts [dict get $big key7]
puts [dict get $big key599]
# a change shows at the next read
dict set big key7 changed
puts [dict get $big key7]
dict unset big key8
puts [catch {dict get $big key8}]
# another text of the same length is not mistaken for the one before
set pa ""
set pb ""
for {set i 0} {[expr {$i < 500}]} {incr i} { set pa "${pa}aaaaaaaaaa"; set pb "${pb}bbbbbbbbbb" }
set one "k1 $pa k2 first"
set two "k1 $pb k2 other"
puts [dict get $one k2]
puts [dict get $one k2]
puts [dict get $two k2]
puts [dict get $two k2]
puts [catch {dict get "$one extra" k2}]
