# Integer division by zero reports both operands and leaves 0
puts "code [catch {/ 7 0} r] result $r"
# Floating division by zero
puts "code [catch {/ 1 0.0} r] result $r"
puts "code [catch {/ 1.5 -0.0} r] result $r"
# A remainder by zero, a power that does not fit and a negative shift are
# console-only exception reports; the result is left as it was
set r untouched
puts "code [catch {% 7 0}] result $r"
puts "code [catch {% 7.5 0.0}]"
puts "code [catch {** 2 63}]"
puts "code [catch {** -2 63}]"
puts "code [catch {** 10 19}]"
puts "code [catch {<< 1 -1}]"
puts "code [catch {>> 1 -2 8}]"
puts "code [catch {<< 1.5 -1}]"
# An operator needs two operands
puts "code [catch {+ 1} r]"
