# malloc, free, memset, memcpy, ofaddress, ofaddressb, strptr and dumpmem:
# every address is checked against the live blocks before a byte is touched.
# Addresses differ between systems, so messages show them as P, S ...
proc fails {script {names {}}} {
    set code [catch {uplevel 1 $script} m -quiet]
    puts "$code [string map $names $m]"
}

# a new block is zeroed, and an address plus N reaches its byte N
set p [malloc 8]
puts [ofaddressb $p 8]
memset [+ $p 2] 0x41 3
puts "[ofaddress $p]|[ofaddress [+ $p 2]]|[ofaddressb $p 8]"
# a single character is a byte value too; the result is the address
puts [== [memset $p z 1] $p]
puts [ofaddress $p 2]

# strptr copies a text and its terminating zero; memcpy may overlap
set s [strptr "hello world"]
puts [ofaddressb $s 12]
memcpy [+ $s 1] $s 5
puts [ofaddress $s]
memcpy $p [+ $s 6] 5
puts [ofaddress $p]
dumpmem $s 12

# zero bytes are fine at the end of a block; one past it is not
puts [ofaddress [+ $p 8]]
puts [== [memcpy $p $s 0] $p]
fails {ofaddress [+ $p 9]} [list [+ $p 9] P9]
fails {memset $p 1 9} [list $p P]
fails {memcpy [+ $p 4] $s 5} [list [+ $p 4] P4]
fails {ofaddressb $s 13} [list $s S]
fails {dumpmem [+ $p 7] 2} [list [+ $p 7] P7]

# forged and malformed addresses, counts and byte values
fails {ofaddress 12345}
fails {ofaddress 0}
fails {ofaddress -8}
fails {ofaddress 99999999999999999999999}
fails {ofaddress 0xzz}
fails {memset $p 256 1}
fails {memset $p -1 1}
fails {memset $p ab 1}
fails {memset $p 1 -1}
fails {memset $p 1 1e9}
fails {malloc 0}
fails {malloc -5}
fails {malloc ten}
fails {malloc 300000000}

# free releases once; afterwards every address in the block is refused,
# also when later blocks are made (addresses are never handed out twice)
set q [malloc 4]
puts [free $q]
set r [malloc 4]
puts [!= $q $r]
fails {free $q} [list $q Q]
fails {memset $q 0 1} [list $q Q]
fails {ofaddress [+ $q 2]} [list $q Q]
fails {memcpy $r $q 1} [list $q Q]
# only the start of a block from malloc can be freed
fails {free [+ $r 1]} [list [+ $r 1] R1]
set s7 [+ $s 7]
fails {free $s7} [list $s7 S7]
free $r
free $s
free $p
puts [is_pointer p]
