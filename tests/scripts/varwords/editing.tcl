# empty clears variables and elements, making missing ones; [empty] is empty
set a 1; set b(k) 2
empty a b(k) c
puts "<$a><$b(k)><$c><[empty]>"
const k 5
puts [catch {empty k} m]
puts $m
array set arr {x 1}
puts [catch {empty arr} m]
puts $m
# swap exchanges plain values and elements; a refused swap changes nothing
set p left; set q right
swap p q
puts "$p $q"
set e(1) one
swap p e(1)
puts "$p $e(1)"
puts [catch {swap p nosuch} m]
puts $m
puts [catch {swap p k} m]
puts "$m / $p $k"
puts [catch {swap arr p} m]
puts $m
# new creates only what does not exist
puts [new fresh 10]
puts <[new blank]>
puts [catch {new fresh 11} m]
puts "$m / $fresh"
puts [catch {new e(1)} m]
puts $m
puts [new e(2) two]
# cset assigns only a missing or empty variable
puts [cset port 80]
puts [cset port 90]
set port ""
puts [cset port 70]
const ke ""
puts [catch {cset ke 1} m]
puts $m
puts [cset k 1]
# setat overwrites from a 1-based position and may extend the value
set s "hello world"
puts [setat s 7 W]
puts [setat s 11 D!!]
puts [setat s 1 {}]
puts [setat s 14 +]
foreach pos {0 16 -1 abc 1.5 99999999999999999999} {
    puts [catch {setat s $pos x} m]
    puts $m
}
puts [catch {setat nosuch 1 x} m]
puts $m
# setb writes bytes by their codes; zero and values past 255 are refused
set t abc
puts [setb t 2 66 0x43]
puts [setb t 4 100]
foreach code {0 256 -1 x} {
    puts [catch {setb t 1 $code} m]
    puts $m
}
# setl and setr align a text in the variable's width, cutting on the right
set f "      "
puts \[[setl f ab]\]
puts \[[setr f ab]\]
puts \[[setr f abcdefgh]\]
puts \[[setl g xyz 5]\]
puts \[[setr g xyz 0]\]
puts [catch {setl nosuch x} m]
puts $m
foreach width {-1 x 2000000} {
    puts [catch {setr g x $width} m]
    puts $m
}
# sc reads and clears the changed flag that assignments set
set v 1
puts [sc v]
sc v 0
puts [sc v]
set v 2
puts [sc v]
proc touch {} { upvar v w; sc w 0; return [sc w] }
puts "[touch] [sc v]"
puts [catch {sc nosuch} m]
puts $m
puts [catch {sc v maybe} m]
puts $m
# swap needs exactly two names
swap a
