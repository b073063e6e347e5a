# recursion reaches level 5000, the deepest procedure frame
proc deep {n} {
    if {[expr {$n >= 5000}]} { return [level] }
    return [deep [expr {$n + 1}]]
}
puts [deep 1]
# the call made from level 5000 fails with the overflow message
proc deeper {n} { return [deeper [expr {$n + 1}]] }
puts [catch {deeper 1}]
# the frames of the failed recursion are all gone again
puts [level]
# fibonacci by recursion (fib itself is a built-in command)
proc fibonacci {n} {
    if {[expr {$n < 2}]} {return $n}
    set a [fibonacci [expr {$n - 1}]]
    set b [fibonacci [expr {$n - 2}]]
    return [expr {$a + $b}]
}
puts [fibonacci 15]
