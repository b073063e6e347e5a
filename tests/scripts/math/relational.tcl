# Numbers compare as numbers, mixed integer and floating as doubles
puts "[== 1.0 1] [!= 1.0 1] [< 10 9] [> 10 9] [<= 3 3] [>= 2 3]"
# Radix integers: 0x1f is an integer, 0xff is not numeric (text order)
puts "[== 0x1f 31] [== 0xff 255] [< 0xff 0x1f]"
# A leading dot makes a floating number
puts "[== .5 0.5] [< -.5 0]"
# Non-numeric operands compare as texts, byte by byte with case
puts "[== abc abd] [< abc abd] [< B a] [== {} {}] [> abc {}]"
# -unsigned compares the 64-bit patterns unsigned
puts "[< -1 1] [< -1 1 -unsigned] [> -1 9223372036854775807 -unsigned]"
# Trailing blanks make a text, not a number
puts "[== {5 } 5]"
