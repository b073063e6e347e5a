# Shifts without a width: left in 64 bits, right arithmetically
puts "[<< 1 4] [<< 1 63] [>> -16 2] [>> 16 2] [<< -1 1]"
# Counts of 64 or more shift every bit out
puts "[<< 1 64] [<< 1 200] [>> -1 64] [>> 5 99]"
# With a width of 8, 16 or 32 the result is masked to that width
puts "[<< 1 9 8] [<< 1 7 8] [<< 255 4 8] [<< 255 4 16] [<< -1 4 32] [<< 1 40 32]"
# Right shifts with a width are logical on the 64-bit value
puts "[>> -16 2 8] [>> -1 60 16] [>> 256 70 32]"
# Any other width is no width
puts "[<< 1 9 12] [>> -16 2 7]"
# Bitwise operators, also on floating operands (read as decimal integers)
puts "[& 12 10] [| 12 10] [^ 12 10] [& -1 255]"
puts "[& 1.5 3] [| 4.9 1] [^ 2.0 3] [<< 1.5 2] [>> 256.0 4] [>> 1.0 70]"
