puts "[int -2.5] [wide "0xffffffffffffffff"] [short 70000] [char 200] [uchar -1] [float 0.1] [double "&h10"]"
puts "[baseconv -zz 36 2] [convbase 255 10 16] [bintoint "0b101"] [hextoint ff] [octtoint 17]"
puts "[inttobin 5 8] [inttohex -1] [inttooct 8 4] [tohex Hi] [fromhex 4869] [bit 5 63 1]"
puts "[ip_to_long 10.0.0.1] [long_to_ip -1] [bool TRUE] [sbool 0] [true] [false]"
puts "[fmod 7.5 2] [fpart -2.25] [fraction 3.5] [vfract 0.75 100] [integral -2.5] [round 2.345 2]"
srand 42
puts "[rnd 1 6] [rnd 9] [lrand {a {b c} d}] [rndseq 5] [rndseq -2 2] [randomstr 8 ab]"
puts "[range 5] [range 9 0 -3] [inrange 5 1 10] [fib 92] [is_numeric "0o17"] [is_mod 9 3]"
