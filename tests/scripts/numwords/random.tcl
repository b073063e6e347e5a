# the generator is seeded by srand and every draw repeats after the same seed
proc draws {} {
    return [list [rnd 1 6] [rnd 100] [lrand {a b c d e}] [rndseq 6] [randomstr 12] [randomstr 5 xy] [expr rnd(1,1000)]]
}
puts [srand 42]
set first [draws]
srand 42
puts [eq $first [draws]]
puts $first
# srand without a seed answers the clock seed it used, which repeats a run
set seed [srand]
set run [draws]
srand $seed
puts "[is_numeric $seed] [eq $run [draws]]"
# ranges: rnd stays within its bounds in either order; rnd 0 0 is 0
srand 7
set ok 1
for {set i 0} {[< $i 200]} {incr i} {
    set r [rnd 3 9]
    if {[< $r 3] || [> $r 9]} {set ok 0}
    set r [rnd 9 3]
    if {[< $r 3] || [> $r 9]} {set ok 0}
}
puts "$ok [rnd 0 0] [rnd 2147483647 2147483647]"
# rndseq holds every value once
puts "[lsort [rndseq 10] -integer] | [lsort [rndseq -2 2] -integer] | <[rndseq 0]> | [rndseq 5 5]"
# randomstr draws from its set only
puts "[string length [randomstr 100]] <[string trim [randomstr 50 ab] ab]> <[randomstr 0]>"
# lrand of an empty list is empty; of one element that element
puts "<[lrand {}]> [lrand {{only one}}]"
foreach cmd {{rnd -1 5} {rnd 1 2147483648} {rnd x} {rnd 1.5 2} {srand 1.5} {srand x} {rndseq -1} {rndseq 1000001} {rndseq 5 1} {rndseq 0 1000000} {randomstr -1} {randomstr 1000001} {randomstr 5 {}}} {
    puts "code [catch $cmd m] $m"
}
puts "code [catch {lrand}]"
