# explain shows the command form without evaluating it
puts [explain 1 + 2 * x]
puts [explain (1 + 2) * 3]
puts [explain a && b || c]
puts [explain !x]
puts [explain {$a eq "b"}]
puts [explain sqrt(9) + 1]
puts [explain pow(2, n) - 1]
puts [explain x > 1 ? a : b]
puts [explain 1, 2 + 3, 4]
puts [explain -x + 1]
puts [explain {$a(1) * 2}]
# explain never folds constants; calc does
puts [explain 2 * 3 + 1]
puts [calc 2 * 3 + 1]
puts [calc sqrt(9) + 1]
# calc runs the command form; -explain shows it unfolded
set x 4
puts [calc 1+2*$x]
puts [calc 2,*,$x]
# Bare names in the command form are words, not variables
puts [calc 1+2*x]
puts [calc 1 + 2 * x -explain]
puts [calc 2 * 3 -explain]
# calc without words does nothing
set keep before
calc
puts <[calc]>
