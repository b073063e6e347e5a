# Integer operands give integer results printed in decimal
puts "+ [+ 2 3] - [- 2 5] * [* -4 6] / [/ 7 2] [/ -7 2] % [% -7 2] [% 7 -2]"
# A floating operand makes a floating result with fifteen decimals
puts "[+ 2.0 3] [+ 1.5 1] [- .5 2] [* 3 0.5] [/ 1.0 3]"
# Negative zero keeps its sign in the fixed format
puts "[* -1.0 0] [- 0.0 0.0] [* -0.0 -1]"
# Radix texts are integers; 1e5 has no exponent form and reads as 1
puts "[+ 0x10 1] [+ &h10 1] [+ 0b101 0] [+ 0o17 0] [+ 0x10 1.5] [* 1e5 2]"
# Non-numeric text reads as its leading digits, or 0
puts "[+ 12abc 1] [+ abc 1] [+ {} 1] [+ &z 1]"
# Integer +, - and * wrap around in 64 bits
puts [+ 9223372036854775807 1]
puts [- -9223372036854775808 1]
puts [* 4294967296 4294967296]
puts [* 3037000500 3037000500]
# Decimal texts beyond the 64-bit range saturate when read
puts "[+ 99999999999999999999 0] [- 0 99999999999999999999]"
# The one quotient that does not fit wraps; its remainder is 0
puts "[/ -9223372036854775808 -1] [% -9223372036854775808 -1]"
# Large floating values print every digit
puts [* 2147483648.0 2147483648.0]
puts [* 10000000000.0 100000000000000000000]
# Integer and floating powers
puts "[** 2 10] [** 2 0] [** 7 1] [** -3 3] [** 2.0 0.5] [** 2 -1] [** -1 -3]"
puts [** 3 39]
# Floating remainder follows the dividend's sign
puts "[% 7.5 2] [% -7.5 2]"
# Logical operators give 1 or 0; with a floating operand 1.0 or 0.0
puts "[&& 2 3] [&& 2 0] [|| 0 0] [|| 0 5] [&& 2 0.5] [|| 0 0.0]"
