# radix digits to integers, with or without the prefix, letters in either case
puts "[bintoint 101010] [bintoint 0b11] [bintoint &B11] [hextoint ff] [hextoint 0XfF] [hextoint &hA] [octtoint 777] [octtoint 0o17]"
# 64 digits with the top bit set read as negative, as radix literals do
puts "[bintoint [string repeat 1 64]] [hextoint ffffffffffffffff] [hextoint 8000000000000000] [octtoint 1777777777777777777777]"
# malformed digits, no digits and more than 64 bits are errors
foreach cmd [list {bintoint 102} {bintoint {}} "bintoint 0b" "hextoint 0xfg" {hextoint -1} {octtoint 8} {octtoint 2000000000000000000000} {hextoint 1ffffffffffffffff}] {
    puts "code [catch $cmd m] $m"
}
# integers to digits; negative values are 64-bit two's complement; padding
puts "[inttobin 5] [inttobin 5 8] [inttobin 0] [inttohex 255] [inttohex 10 4] [inttooct 8] [inttooct 0x1ff]"
puts "[inttohex -1] [inttobin -1] [inttohex -9223372036854775808] [inttohex 0 64]"
# a round trip through every radix
puts [expr {[hextoint [inttohex 123456789]] == 123456789 && [bintoint [inttobin -5]] == -5 && [octtoint [inttooct 4242]] == 4242}]
foreach cmd {{inttohex 2.5} {inttohex x} {inttohex 1 65} {inttohex 1 -1} {inttobin 99999999999999999999}} {
    puts "code [catch $cmd m] $m"
}
# baseconv and convbase: bases 2 to 36, either letter case, a kept sign
puts "[baseconv ff 16 2] [baseconv -777 8 10] [baseconv ZZ 36 10] [convbase 255 10 16] [baseconv 0 10 36] [baseconv -0 10 2]"
puts "[baseconv 18446744073709551615 10 16] [baseconv 1y2p0ij32e8e7 36 10]"
foreach cmd {{baseconv 12 1 10} {baseconv 12 10 37} {baseconv 12 x 10} {baseconv 19 8 10} {baseconv - 10 2} {baseconv 18446744073709551616 10 16} {convbase {} 2 2}} {
    puts "code [catch $cmd m] $m"
}
# tohex and fromhex: the bytes of a text
puts "[tohex Hi!] <[tohex {}]> [tohex {a b}] [fromhex 486921] [fromhex 4A4b] <[fromhex {}]>"
set t "any \[text\] {here} \$x"
puts [eq [fromhex [tohex $t]] $t]
foreach cmd {{fromhex 123} {fromhex 4g} {fromhex 410042}} {
    puts "code [catch $cmd m] $m"
}
# bit reads, sets and clears one of 64 bits
puts "[bit 5 0] [bit 5 1] [bit 5 1 1] [bit 5 0 0] [bit 0 63 1] [bit -1 63] [bit 0x80 7]"
foreach cmd {{bit 1 64} {bit 1 -1} {bit 1 0 2} {bit 1.5 0} {bit x 0}} {
    puts "code [catch $cmd m] $m"
}
# dotted IPv4 addresses and their 32-bit values
puts "[ip_to_long 192.168.1.1] [ip_to_long 0.0.0.0] [ip_to_long 255.255.255.255] [long_to_ip 3232235777] [long_to_ip 0] [long_to_ip -1] [long_to_ip 0x7f000001]"
foreach cmd {{ip_to_long 256.1.1.1} {ip_to_long 1.2.3} {ip_to_long 1.2.3.4.5} {ip_to_long 1..2.3} {ip_to_long {}} {ip_to_long 1.2.3.0004} {ip_to_long { 1.2.3.4}} {long_to_ip 4294967296} {long_to_ip -2147483649}} {
    puts "code [catch $cmd m] $m"
}
