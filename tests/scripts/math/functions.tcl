# Floating functions print with fifteen decimals
puts "[expr sqrt(16)] [expr abs(-2)] [expr floor(2.7)] [expr ceil(2.1)] [expr double(3)]"
puts "[expr sin(0)] [expr cos(0)] [expr exp(0)] [expr log(1)] [expr log10(1000)] [expr sqr(1.5)]"
puts "[expr degrees(1)] [expr fraction(2.75)] [expr fraction(-2.75)] [expr fraction(1e20)]"
# round with one argument is a whole number, with two it keeps that many decimals
puts "[expr round(2.5)] [expr round(-2.5)] [expr round(-0.4)] [expr round(3.14159,2)] [expr round(2,3)]"
# Integer functions
puts "[expr int(3.7)] [expr int(-3.2)] [expr wide(7)] [expr fix(-3.7)] [expr integral(3.9)]"
puts "[expr incr(41)] [expr decr(0)] [expr sgn(-4)] [expr sgn(0)] [expr sgn(0.1)]"
puts "[expr bool(2)] [expr bool(0)] [expr bool(True)] [expr bool(yes)]"
# fib comes from a table and is counted on beyond it, wrapping in 64 bits
puts "[expr fib(0)] [expr fib(10)] [expr fib(80)] [expr fib(92)] [expr fib(93)]"
# Huge conversions saturate instead of overflowing
puts "[expr fix(pow(10,300))] [expr int(0 - pow(10,300))] [expr wide(pow(2,70))]"
# Two-argument functions
puts "[expr pow(2,10)] [expr fmod(7,3)] [expr hypot(3,4)] [expr max(2,7)] [expr min(2,7)]"
puts "[expr div(7,2)] [expr div(7,0)] [expr mul(3,4)]"
# Function names fold case; arguments are expressions
puts "[expr SQRT(4)] [expr pow(1 + 1, 2 * 2)] [expr sqrt(pow(3,2)+16)]"
# A function inside a larger expression
puts "[expr 1 + sqrt(9) * 2] [expr 2 * sqrt(9) + 1]"
# log(0) is allowed; the width of the format pads it
puts "<[expr log(0)]>"
# Seeded random numbers repeat
expr srand(7)
set a "[expr rnd(1,6)] [expr rnd(1,6)] [expr rnd(1,6)]"
expr srand(7)
set b "[expr rnd(1,6)] [expr rnd(1,6)] [expr rnd(1,6)]"
puts [eq $a $b]
set r [expr rand()]
puts "[>= $r 0] [< $r 1] [expr rnd(5,5)] [expr rnd(9,9)]"
