# fib 25 by plain recursion: about 250,000 procedure calls, each binding
# an argument, testing it with a bracketed expr and returning a value.
proc fibr {n} {
    if {[expr {$n < 2}]} {return $n}
    set a [fibr [expr {$n - 1}]]
    set b [fibr [expr {$n - 2}]]
    return [expr {$a + $b}]
}
puts [fibr 25]
