# int, wide and double agree with the expression functions of the same names
foreach v {2.7 -2.5 0 -7 0.5 -0.5 9223372036854775807} {
    puts "$v: [int $v] [expr int($v)] [wide $v] [double $v] [expr double($v)]"
}
# radix texts (in double quotes they reach the commands as written)
foreach v "0x10 &h10 0X1f 0b101 &B101 0o17 &hffffffffffffffff" {
    puts "$v: [int $v] [wide $v] [double $v] [short $v]"
}
puts "[double -2.5] [expr double(-2.5)]"
# the narrow integer types wrap the integer reading into their width
puts "[long 2147483648] [signed 4294967295] [short 32768] [short -32769] [char 127] [char 128] [char -129]"
puts "[unsigned -1] [uint 4294967296] [ulong -2147483648] [ushort 65536] [ushort -1] [uchar 256] [uchar -1]"
# floats take the integer reading of int first: the floor of a negative value
puts "[short 70000.9] [char -1.5] [uchar 255.99] [long -0.5]"
# decimal integers up to the unsigned 64-bit range wrap as radix literals do
puts "[int 9223372036854775808] [int 18446744073709551615] [int 0xffffffffffffffff] [uint 18446744073709551615]"
# the lowest 64-bit value survives the casts that keep 64 bits
puts "[int -9223372036854775808] [long -9223372036854775808] [char "0x7f80"]"
# float rounds to single precision
puts "[float 0.1] [float 16777217] [float -2.5] [float 0]"
# leading blanks are allowed, as in the numeric rules
puts "[int {  42}] [char { -1}]"
# not a number: empty text, letters, exponent forms, a bare prefix, bad radix digits
foreach v [list {} abc 1e5 "0x" "0b102" "&q1" {1 2} 1.2.3 - + "-0x10"] {
    puts "code [catch {int $v} m] $m"
}
# out of range: beyond 64 bits, and floats whose integer reading leaves 64 bits
foreach v [list 18446744073709551616 -9223372036854775809 "&h10000000000000000" 99999999999999999999.5] {
    puts "code [catch {short $v} m] $m"
}
puts "code [catch {float 1[string repeat 0 60]} m] $m"
puts "code [catch {double 1[string repeat 0 400].0} m] $m"
# too few or too many words give the usage report
puts "code [catch {uchar}]"
puts "code [catch {int 1 2}]"
