# Domain errors name the function and the argument
puts "code [catch {expr sqrt(-1)}]"
puts "code [catch {expr acos(2)}]"
puts "code [catch {expr asin(-1.5)}]"
puts "code [catch {expr log(-1)}]"
puts "code [catch {expr log10(-0.5)}]"
# pow refuses exponents above 1000
puts "code [catch {expr pow(2,1001)}] [expr pow(1,1000)]"
# Argument counts the function does not take
puts "code [catch {expr pow(2)}]"
puts "code [catch {expr sqrt(1,2)}]"
puts "code [catch {expr sqrt()}]"
# A second argument without a value
puts "code [catch {expr pow(2,)}]"
# An unknown function ends the expression without a value
puts "code [catch {expr nosuch(1)} r] $r"
