# Radix literals convert where a word starts, never inside one.
set h {deadbeef0b12}
puts $h
puts abc0x10
set a 0x1F
puts $a
puts {0x10}
puts [expr {0x10 + 1}]
puts [- 0 0x10]
# escapes that decode to a quote or a zero byte keep the quoting intact
puts "a\042b"
puts "say \x22hi\x22"
puts "z\x00z"
puts after
