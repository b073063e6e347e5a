# *, / and ** bind tighter than + and -
puts "[expr 1 + 2 * 3] [expr (1 + 2) * 3] [expr 2 * 3 + 4 * 5] [expr 10 - 2 * 3 - 1]"
puts "[expr 1 + 2 * 3 * 4] [expr 1+2*3*4-5] [expr 2 ** 3 * 2 + 1] [expr 100 / 10 / 5]"
# Every other operator shares one level and applies from left to right
puts "[expr 2 * 3 < 7] [expr 1 < 2 * 3] [expr 7 % 4 * 2] [expr 1 + 6 % 4]"
# && and || bind loosest, with equal precedence, grouping from the left
puts "[expr 1 || 0 && 0] [expr 0 && 0 || 1] [expr 1 || (0 && 0)] [expr 1 == 1 && 2 > 1]"
# A leading minus subtracts from zero
puts "[expr -5 + 3] [expr - 5 + 3] [expr -(2 + 3)] [expr -2 * 3] [expr 4 - -2] [expr 2*-3]"
# Commas separate values; operators never reach across one
puts "[expr 1, 2, 3] / [expr 2 * 3, 4 + 5] / [expr 1 + 1, 2 * 2] / [expr 1, 2 + 3, 4]"
# Floating operands anywhere make the value floating
puts "[expr 1 + 2.5 * 2] [expr (1.5 + 1.5) / 2]"
# Nested parentheses and parentheses around a whole term
puts "[expr ((2)) * (((3 + 4)))] [expr (1 + 2) * (3 + 4) - (5)]"
