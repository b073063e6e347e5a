# fib 25 by plain recursion: about 250,000 procedure calls, each binding
# an argument, testing it with a bracketed expr and returning a value.
proc fib {n} {
    if {[expr {$n < 2}]} {return $n}
    set a [fib [expr {$n - 1}]]
    set b [fib [expr {$n - 2}]]
    return [expr {$a + $b}]
}
puts [fib 25]
